#include "evaluation/FormZusammenfasssung.h"

TFormZusammenfasssung::TFormZusammenfasssung(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormZusammenfasssung"));
    setWindowTitle(QStringLiteral("Zusammenfasssung Bildschirm"));
}
