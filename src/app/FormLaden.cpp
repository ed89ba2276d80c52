#include "app/FormLaden.h"

TFormLaden::TFormLaden(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormLaden"));
    setWindowTitle(QStringLiteral("Liste laden..."));
}
