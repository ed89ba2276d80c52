#pragma once

#include <QString>

#include <stdexcept>

namespace engine {

// The one error type of the local SQL engine. It carries the engine's own message (as the
// user will read it in the general error box) and SQLite's result code where there is one.
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const QString &message, int code = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code)
    {
    }

    QString message() const { return m_message; }
    int code() const { return m_code; }

private:
    QString m_message;
    int m_code;
};

} // namespace engine
