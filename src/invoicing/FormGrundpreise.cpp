#include "invoicing/FormGrundpreise.h"

TFormGrundpreise::TFormGrundpreise(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormGrundpreise"));
    setWindowTitle(QStringLiteral("Grundpreise"));
}
