#pragma once

#include <QDialog>

class DialogService;
class Shell;
class TDMod;

// The two ways the main window shows the log entry window.
enum class StammeingabeMode { Eingabe, Uebersicht };

class TFormStammeingabe : public QDialog
{
    Q_OBJECT

public:
    TFormStammeingabe(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent = nullptr);

    // Caption, header panel and grid options of the mode (entry: "Stammeingabe", overview:
    // "Stammübersicht"); the main window then shows the window modally.
    void setMode(StammeingabeMode mode);

private:
    TDMod &m_dmod;
    Shell &m_shell;
    DialogService &m_dialogs;
};
