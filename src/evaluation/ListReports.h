#pragma once

#include "report/PreparedReport.h"

#include <QString>

class QWidget;
namespace data { class Shell; }
class TDMod;

// The two print commands of the Listen menu: the log list and the summary, laid out from
// their templates in the program folder's Report folder and shown on the device ("Screen":
// the print preview; "Printer").
void StammlisteDrucken(TDMod &dmod, data::Shell &shell, const QString &device = QStringLiteral("Screen"), QWidget *parent = nullptr);
void ZusammenfassungDrucken(TDMod &dmod, data::Shell &shell, const QString &device = QStringLiteral("Screen"), QWidget *parent = nullptr);

namespace evaluation {

// The reports of the two commands, ready to print, dump or write as PDF: the queries are
// prepared for the current list, the template is loaded and the pipelines are set. Errors of
// the SQL engine and the report engine (a missing template: "File not found: <path>")
// propagate to the caller.
report::PreparedReport stammliste(TDMod &dmod, data::Shell &shell);
report::PreparedReport zusammenfassung(TDMod &dmod, data::Shell &shell);

// The template file of a report: <report folder>/<fileName>.
QString templatePath(const data::Shell &shell, const QString &fileName);

} // namespace evaluation
