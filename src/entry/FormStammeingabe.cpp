#include "entry/FormStammeingabe.h"

TFormStammeingabe::TFormStammeingabe(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormStammeingabe"));
    setWindowTitle(QStringLiteral("Stammeingabe"));
}

void TFormStammeingabe::setMode(StammeingabeMode mode)
{
    setWindowTitle(mode == StammeingabeMode::Eingabe ? QStringLiteral("Stammeingabe") : QStringLiteral("Stammübersicht"));
}
