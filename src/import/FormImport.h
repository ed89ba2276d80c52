#pragma once

#include <QDialog>

class DialogService;
class Shell;
class TDMod;

class TFormImport : public QDialog
{
    Q_OBJECT

public:
    TFormImport(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent = nullptr);

private:
    TDMod &m_dmod;
    Shell &m_shell;
    DialogService &m_dialogs;
};
