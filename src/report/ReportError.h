#pragma once

#include "engine/Error.h"

namespace report {

// Every failure of the report engine: a missing or unreadable template, a template that does
// not parse, a script that fails, an output that cannot be written. The text is meant for the
// user and is shown as it stands.
class ReportError : public engine::Error
{
public:
    explicit ReportError(const QString &message) : Error(message) {}
    // A template that is no JSON: the place of the fault, counted from 1, beside the message
    // that names it.
    ReportError(const QString &message, int line, int column) : Error(message), m_line(line), m_column(column) {}

    // 0 when the error has no place in a template.
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    int m_line = 0;
    int m_column = 0;
};

} // namespace report
