#pragma once

#include "controls/BoundEdits.h"
#include "controls/ShowHide.h"

#include <QDialog>

#include <vector>

namespace controls {
class DbEdit;
class DialogService;
}
class QBoxLayout;
class QWidget;
class QPushButton;
class QCheckBox;
namespace data { class Shell; }
class TDMod;

// The seller's company data: the first record of Firma, edited in place.
class TFormFirma : public QDialog
{
    Q_OBJECT

public:
    TFormFirma(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    controls::DbEdit *dbedtFirma = nullptr;
    controls::DbEdit *dbedtName1 = nullptr;
    controls::DbEdit *dbedtStrasse = nullptr;
    controls::DbEdit *dbedtPlz = nullptr;
    controls::DbEdit *dbedtOrt = nullptr;
    controls::DbEdit *dbedtTelefon = nullptr;
    controls::DbEdit *dbedtFax = nullptr;
    controls::DbEdit *dbedtEMail = nullptr;
    controls::DbEdit *dbedtKTO = nullptr;
    controls::DbEdit *dbedtBLZ = nullptr;
    controls::DbEdit *dbedtBank = nullptr;
    controls::DbEdit *dbedtSteuerNr = nullptr;
    controls::DbEdit *dbedtMwSt = nullptr;
    controls::DbEdit *dbedtFASatz = nullptr;
    controls::DbEdit *dbedtIBAN = nullptr;
    controls::DbEdit *dbedtBIC = nullptr;
    controls::DbEdit *dbedtUStIdNr = nullptr;
    controls::DbEdit *dbedtLand = nullptr;
    controls::DbEdit *dbedtAnsprechpartner = nullptr;
    controls::DbEdit *dbedtSteuerbefreiung = nullptr;
    controls::DbEdit *dbedtVerkaufsbedingungen = nullptr;
    QCheckBox *chkDurchschnittssatz = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnAbbruch = nullptr;

    void FormActivate();
    void btnOKClick();
    void btnAbbruchClick();

private:
    void buildWindow();
    void buildEInvoiceGroup(QBoxLayout *column);
    // False, after saying so, when the typed IBAN fails its check; an empty IBAN passes.
    bool ibanAnnehmbar();
    // The check box shows the field Durchschnittssatz of the record being edited and sets it.
    void durchschnittssatzZeigen();
    void durchschnittssatzGeaendert(bool checked);

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    controls::BoundEdits m_edits;
    controls::ShowHide m_showHide{this, [this] { FormActivate(); }};
};
