#include "app/FormNeu.h"

TFormNeu::TFormNeu(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormNeu"));
    setWindowTitle(QStringLiteral("Neue Tabelle erstellen..."));
}
