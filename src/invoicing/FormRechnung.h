#pragma once

#include <QDialog>

class DialogService;
class Shell;
class TDMod;

class TFormRechnung : public QDialog
{
    Q_OBJECT

public:
    TFormRechnung(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent = nullptr);

private:
    TDMod &m_dmod;
    Shell &m_shell;
    DialogService &m_dialogs;
};
