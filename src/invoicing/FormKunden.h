#pragma once

#include "controls/BoundEdits.h"
#include "controls/ShowHide.h"

#include <QDialog>

#include <vector>

namespace controls {
class DbEdit;
class DialogService;
class RecordNavigator;
}
class QPushButton;
namespace data { class Shell; }
class TDMod;

// The customer file, record by record: a window of its own beside the main window.
class TFormKunden : public QDialog
{
    Q_OBJECT

public:
    TFormKunden(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    controls::DbEdit *dbedtKdNr = nullptr;
    QPushButton *Button1 = nullptr;
    controls::RecordNavigator *dbnKunden = nullptr;
    controls::DbEdit *dbedtSuchname = nullptr;
    controls::DbEdit *dbedtFirma = nullptr;
    controls::DbEdit *dbedtVorname = nullptr;
    controls::DbEdit *dbedtName = nullptr;
    controls::DbEdit *dbedtStrasse = nullptr;
    controls::DbEdit *dbedtPlz = nullptr;
    controls::DbEdit *dbedtOrt = nullptr;
    controls::DbEdit *dbedtZahlungsziel = nullptr;
    controls::DbEdit *dbedtSkontotage = nullptr;
    controls::DbEdit *dbedtSkonto = nullptr;
    controls::DbEdit *dbedtEMail = nullptr;
    controls::DbEdit *dbedtUStIdNr = nullptr;
    controls::DbEdit *dbedtKaeuferreferenz = nullptr;
    controls::DbEdit *dbedtLieferantenNr = nullptr;

    void FormShow();
    void FormClose();
    void Button1Click();

private:
    void buildWindow();

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    controls::BoundEdits m_edits;
    controls::ShowHide m_showHide{this, [this] { FormShow(); }, [this] { FormClose(); }};
};
