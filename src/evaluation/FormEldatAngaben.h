#pragma once

#include "values/EldatFacts.h"
#include "values/ListHeader.h"

#include <QDialog>

#include <optional>

namespace controls { class DialogService; }
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

// The window "ELDAT-Angaben": asks for what an ELDATsmart document needs beyond the list
// (felling date, pile number, the pile's coordinate, species, grade and use) and checks it.
class TFormEldatAngaben : public QDialog
{
    Q_OBJECT

public:
    explicit TFormEldatAngaben(controls::DialogService &dialogs, QWidget *parent = nullptr);

    // Shows the facts offered for the list; the facts confirmed with "OK", or nothing.
    std::optional<values::EldatFacts> ask(const values::ListHeader &header, const values::EldatFacts &offered);

    // Fills the fields.
    void setFacts(const values::ListHeader &header, const values::EldatFacts &offered);
    // "OK": checks the fields in their order; the first that fails shows its message and gets
    // the focus, and the window stays open.
    void btnOkClick();
    void btnAbbruchClick();
    // The facts the fields hold; coordinates that do not pass their check are empty.
    values::EldatFacts facts() const;

private:
    bool check();
    static void select(QComboBox *box, const QString &code, const QString &name);

    controls::DialogService &m_dialogs;
    values::EldatFacts m_offered;
    QString m_baumart; // the list's, for which the species is confirmed
    QLabel *m_lblListe = nullptr;
    QDateEdit *m_dtpHiebsdatum = nullptr;
    QLineEdit *m_edtPolternummer = nullptr;
    QLineEdit *m_edtBreitengrad = nullptr;
    QLineEdit *m_edtLaengengrad = nullptr;
    QComboBox *m_cmbHolzart = nullptr;
    QComboBox *m_cmbSorte = nullptr;
    QComboBox *m_cmbVerwendung = nullptr;
};
