#include "invoicing/FormMatchcode.h"

TFormMatchcode::TFormMatchcode(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormMatchcode"));
    setWindowTitle(QStringLiteral("Matchode"));
}
