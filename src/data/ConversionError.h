#pragma once

#include <QString>

#include <stdexcept>

namespace data {

// A text that does not convert to the type of its field, such as letters typed into a
// length cell. The message is shown as it stands in the general error box.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace data
