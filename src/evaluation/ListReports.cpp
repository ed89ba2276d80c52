#include "evaluation/ListReports.h"

void StammlisteDrucken(TDMod &, Shell &, const QString &, QWidget *)
{
}

void ZusammenfassungDrucken(TDMod &, Shell &, const QString &, QWidget *)
{
}
