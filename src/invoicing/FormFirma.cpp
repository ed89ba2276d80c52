#include "invoicing/FormFirma.h"

TFormFirma::TFormFirma(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormFirma"));
    setWindowTitle(QStringLiteral("Firmenstammdaten"));
}
