#include "invoicing/FormKunden.h"

TFormKunden::TFormKunden(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormKunden"));
    setWindowTitle(QStringLiteral("Kundenstamm"));
}
