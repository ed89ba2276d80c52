#include "invoicing/FormRechnung.h"

TFormRechnung::TFormRechnung(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormRechnung"));
    setWindowTitle(QStringLiteral("Rechnung"));
}
