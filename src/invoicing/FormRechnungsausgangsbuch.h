#pragma once

#include "invoiceregister/InvoiceRegister.h"
#include "invoiceregister/RegisterView.h"

#include <QDialog>

#include <vector>

namespace controls { class DialogService; }
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
namespace invoicing { class RegisterModel; }
namespace data { class Shell; }
class TDMod;

// The invoice register "Rechnungsausgangsbuch": every invoice that left the program, newest
// first, filtered by year and customer, with the sums of what is shown. From here a stored
// invoice is shown and saved as e-invoice again, cancelled, or exported for the tax adviser.
// A window of its own beside the main window, with or without an open list.
class TFormRechnungsausgangsbuch : public QDialog
{
    Q_OBJECT

public:
    TFormRechnungsausgangsbuch(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    QComboBox *cboJahr = nullptr;
    QLineEdit *edtKunde = nullptr;
    QTableView *grdRechnungen = nullptr;
    QLabel *lblSummen = nullptr;
    QPushButton *btnAnzeigen = nullptr;
    QPushButton *btnERechnung = nullptr;
    QPushButton *btnStornieren = nullptr;
    QPushButton *btnCsv = nullptr;
    QPushButton *btnSchliessen = nullptr;

    static const QString AlleJahre; // the year filter's first item

    // The rows shown, in their order.
    const std::vector<const invoiceregister::Entry *> &shownRows() const;
    // "Summe: Netto 1.234,56 EUR   MwSt 234,57 EUR   Brutto 1.469,13 EUR"
    static QString sumText(const invoiceregister::Sums &sums);

    // Reads the register again when an invoice was added since it was read.
    void FormShow();
    void FilterChange();
    void btnAnzeigenClick();
    void btnERechnungClick();
    void btnStornierenClick();
    void btnCsvClick();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildWindow();
    // Reads every row again and puts the cursor on the row `keep` (else the first).
    void reload(qint64 keep);
    void showRows(qint64 keep);
    qint64 currentId() const;
    void fillYears();
    // The row the grid's cursor stands on; null (after a hint) when there is none.
    const invoiceregister::Entry *selected();
    void select(qint64 id);
    QString documentsFolder() const;

    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    invoiceregister::InvoiceRegister m_register;
    std::vector<invoiceregister::Entry> m_entries;
    bool m_read = false; // the entries have been read
    invoicing::RegisterModel *m_model = nullptr;
};
