#pragma once

#include <QString>

#include <stdexcept>

namespace einvoice {

// An e-invoice that cannot be produced or written. The text is German and meant for the user,
// shown as it stands in the program's error box.
class EInvoiceError : public std::runtime_error
{
public:
    explicit EInvoiceError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace einvoice
