#pragma once

#include <QString>

#include <stdexcept>

namespace engine {

// The base of every error the program raises for its user: the engine's, a text that does not
// convert, a report, a file that cannot be written, a legacy list, an import, a backup, an
// e-invoice, the invoice register. Its message is the text the user reads, word for word;
// what() holds the same text as UTF-8. The engine is the library every other one builds on,
// so the base lives here.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace engine
