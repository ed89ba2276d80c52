#pragma once

#include "controls/DataGrid.h"
#include "controls/ShowHide.h"
#include "data/Dataset.h"
#include "invoicing/Arbeitspreise.h"
#include "invoicing/InvoiceIssuer.h"

#include <optional>

#include <QDialog>

#include <memory>

namespace controls {
class DbEdit;
class DialogService;
}
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QPushButton;
namespace data { class Shell; }
class TDMod;
class TFormMatchcode;

// The invoice window: the customer, the invoice number and the prices per diameter class of
// the invoice for the current list's logs, which it previews or prints.
class TFormRechnung : public QDialog
{
    Q_OBJECT

public:
    TFormRechnung(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);
    ~TFormRechnung() override;

    // The customer number every invoice falls back to when the typed one is unknown.
    static const QString Barverkauf;
    static const QString MatchcodeSql;

    // Columns of the price grid, counted over the visible ones.
    static constexpr int PreisSpalte = 1;
    static constexpr int ProzentSpalte = 2;

    QLineEdit *edtKundenNr = nullptr;
    QPushButton *btnKndMatchcode = nullptr;
    controls::DbEdit *dbtxtSuchname = nullptr;
    QLineEdit *edtRechnungsNr = nullptr;
    QDateEdit *dtpRechnungsdatum = nullptr; // today at each showing
    QDateEdit *dtpLieferdatum = nullptr;    // follows the invoice date until changed itself
    controls::DataGrid *dxdbgrdRechnung = nullptr;
    QPushButton *btnVorschau = nullptr;
    QPushButton *btnDrucken = nullptr;
    QPushButton *btnERechnung = nullptr;
    QPushButton *btnSchliessen = nullptr;

    // The invoice number handed to the report, held in memory.
    data::Dataset memRechnungsdaten;

    // The match-code window the customer search opens; without one, the main window's.
    void setMatchcodeWindow(TFormMatchcode *window);

    data::Dataset &qryPreise() { return m_preise.qryPreise; }
    const invoicing::Arbeitspreise &arbeitspreise() const { return m_preise; }
    bool kundeGefunden() const { return KundeGefunden; }
    int aktuelleSpalte() const { return AktuelleSpalte; }
    // The edit bound to a customer field (FIRMA, VORNAME, NAME, STRASSE, PLZ, ORT, NETTOTAGE,
    // SKONTOTAGE, SKONTO); null for any other.
    controls::DbEdit *kundenFeld(const QString &field) const;
    // The focused column of the price grid, counted over the visible columns (-1: none).
    int focusedVisibleColumn() const;

    void FormShow();
    void FormActivate();
    void FormClose();
    void dxdbgrdRechnungEnter();
    void dxdbgrdRechnungChangeColumn(int visibleIndex);
    void dxdbgrdRechnungEdited();
    void dxdbgrdRechnungExit();
    void edtKundenNrExit();
    void btnKndMatchcodeClick();
    void btnKndMatchcodeExit();
    void btnVorschauClick();
    void btnDruckenClick();
    void btnERechnungClick();
    void btnSchliessenClick();
    void UebergebeRechnungsdaten();

    // Everything a preview, print or e-invoice does before the report runs: the working prices
    // written and the invoice lines built again from them, the invoice number handed over, a
    // pending address change saved or dropped, the queries prepared for the current list; then
    // the invoice read from them and the template loaded. Errors propagate to the caller.
    std::optional<invoicing::PreparedInvoice> RechnungVorbereiten();

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    QWidget *buildCustomerPart();
    void buildDates(QGridLayout *top, QWidget *part);
    void buildPriceGrid();
    void onFocusChanged(QWidget *old, QWidget *now);
    bool inGrid(const QWidget *w) const;
    void kundeSuchen();
    QString matchcodeSuche();
    bool kundeFinden(const QString &nummer);
    void adresseSpeichernFragen();
    void drucken(const QString &device);

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    invoicing::Arbeitspreise m_preise;
    invoicing::InvoiceIssuer m_issuer;
    controls::DatasetTableModel *m_model = nullptr;
    controls::DataGridTeardown m_teardown{dxdbgrdRechnung, m_model}; // before the working prices the grid shows
    std::vector<controls::DbEdit *> m_kundenFelder;
    QString m_listName;        // the list the invoice lines were built from
    bool KundeGefunden = false;
    int AktuelleSpalte = PreisSpalte;
    bool m_lookingUp = false;  // a lookup moves the focus itself
    bool m_eigenesLieferdatum = false; // the delivery date was set apart from the invoice date
    QMetaObject::Connection m_focusConnection;
    TFormMatchcode *m_matchcode = nullptr;
    controls::ShowHide m_showHide{this, [this] { FormShow(); }, [this] { FormClose(); }};
};
