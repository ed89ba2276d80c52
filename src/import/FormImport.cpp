#include "import/FormImport.h"

TFormImport::TFormImport(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormImport"));
    setWindowTitle(QStringLiteral("Import"));
}
