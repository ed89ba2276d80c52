#pragma once

#include "controls/BoundEdits.h"

#include <QDialog>

#include <vector>

class DbEdit;
class DialogService;
class QPushButton;
class RecordNavigator;
class Shell;
class TDMod;

// The customer file, record by record: a window of its own beside the main window.
class TFormKunden : public QDialog
{
    Q_OBJECT

public:
    TFormKunden(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent = nullptr);

    DbEdit *dbedtKdNr = nullptr;
    QPushButton *Button1 = nullptr;
    RecordNavigator *dbnKunden = nullptr;
    DbEdit *dbedtSuchname = nullptr;
    DbEdit *dbedtFirma = nullptr;
    DbEdit *dbedtVorname = nullptr;
    DbEdit *dbedtName = nullptr;
    DbEdit *dbedtStrasse = nullptr;
    DbEdit *dbedtPlz = nullptr;
    DbEdit *dbedtOrt = nullptr;
    DbEdit *dbedtZahlungsziel = nullptr;
    DbEdit *dbedtSkontotage = nullptr;
    DbEdit *dbedtSkonto = nullptr;
    DbEdit *dbedtEMail = nullptr;
    DbEdit *dbedtUStIdNr = nullptr;
    DbEdit *dbedtKaeuferreferenz = nullptr;
    DbEdit *dbedtLieferantenNr = nullptr;

    void FormShow();
    void FormClose();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildWindow();

    TDMod &m_dmod;
    Shell &m_shell;
    DialogService &m_dialogs;
    BoundEdits m_edits;
};
