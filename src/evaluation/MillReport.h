#pragma once

#include "report/PreparedReport.h"

#include <QString>

namespace evaluation {

class MillComparison;

// The comparison as a report from its template (Werkmass.rtm): the protocol's header, the
// summary line, the table by quality and diameter class and the single logs with the notable
// ones marked "!". Pipelines "Kopf" (one row) and "Zeilen" (the class table's rows, then the
// logs', told apart by the field "Teil"), every figure already as the window shows it.
report::PreparedReport werkmassReport(const QString &templatePath, const MillComparison &comparison, const QString &listName);

} // namespace evaluation
