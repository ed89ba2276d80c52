#pragma once

#include "report/Template.h"

#include <QByteArray>
#include <QString>

namespace report {

// Reads a template file (JSON, described in report/README.md). Throws ReportError:
// "File not found: <full path>" for a missing file, the line and column for text that does not
// parse, and the band and item for content that does not make sense.
Template loadTemplate(const QString &path);
Template parseTemplate(const QByteArray &json, const QString &sourceName);

} // namespace report
