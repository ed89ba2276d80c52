#include "app/FormUeberDorv.h"

TFormUeberDorv::TFormUeberDorv(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormUeberDorv"));
    setWindowTitle(QStringLiteral("Dorv 3.0c"));
}
