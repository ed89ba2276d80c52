#pragma once

#include "controls/BoundEdits.h"

#include <QDialog>

#include <vector>

class DbEdit;
class DialogService;
class QWidget;
class QPushButton;
class Shell;
class TDMod;

// The seller's company data: the first record of Firma, edited in place.
class TFormFirma : public QDialog
{
    Q_OBJECT

public:
    TFormFirma(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent = nullptr);

    DbEdit *dbedtFirma = nullptr;
    DbEdit *dbedtName1 = nullptr;
    DbEdit *dbedtStrasse = nullptr;
    DbEdit *dbedtPlz = nullptr;
    DbEdit *dbedtOrt = nullptr;
    DbEdit *dbedtTelefon = nullptr;
    DbEdit *dbedtFax = nullptr;
    DbEdit *dbedtEMail = nullptr;
    DbEdit *dbedtKTO = nullptr;
    DbEdit *dbedtBLZ = nullptr;
    DbEdit *dbedtBank = nullptr;
    DbEdit *dbedtSteuerNr = nullptr;
    DbEdit *dbedtMwSt = nullptr;
    DbEdit *dbedtFASatz = nullptr;
    DbEdit *dbedtIBAN = nullptr;
    DbEdit *dbedtBIC = nullptr;
    DbEdit *dbedtUStIdNr = nullptr;
    DbEdit *dbedtLand = nullptr;
    DbEdit *dbedtAnsprechpartner = nullptr;
    DbEdit *dbedtSteuerbefreiung = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnAbbruch = nullptr;

    void FormActivate();
    void btnOKClick();
    void btnAbbruchClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    QWidget *buildEInvoiceGroup();
    // False, after saying so, when the typed IBAN fails its check; an empty IBAN passes.
    bool ibanAnnehmbar();

    TDMod &m_dmod;
    Shell &m_shell;
    DialogService &m_dialogs;
    BoundEdits m_edits;
};
