#pragma once

#include <QString>

#include <stdexcept>

namespace report {

// Every failure of the report engine: a missing or unreadable template, a template that does
// not parse, a script that fails, an output that cannot be written. The text is meant for the
// user and is shown as it stands.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace report
