#pragma once

#include <QString>

class QWidget;
class Shell;
class TDMod;
class DialogService;

// The two print commands of the Listen menu: the log list and the summary, laid out from
// their templates in the program folder's Report folder and shown on the device ("Screen":
// the print preview; "Printer").
void StammlisteDrucken(TDMod &dmod, Shell &shell, const QString &device = QStringLiteral("Screen"), QWidget *parent = nullptr);
void ZusammenfassungDrucken(TDMod &dmod, Shell &shell, const QString &device = QStringLiteral("Screen"), QWidget *parent = nullptr);
