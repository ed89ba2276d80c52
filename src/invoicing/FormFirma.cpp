#include "invoicing/FormFirma.h"

#include "controls/Buttons.h"
#include "controls/Captions.h"
#include "controls/DbEdit.h"
#include "controls/ErrorGuard.h"
#include "controls/TabOrder.h"
#include "data/DataModule.h"
#include "data/InvoiceColumns.h"
#include "values/CompanyColumns.h"
#include "values/Iban.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString rateFormat = QStringLiteral("##0.00");

} // namespace

TFormFirma::TFormFirma(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs), m_edits(dialogs, *dmod.dsFirma.dataset, this)
{
    setObjectName(QStringLiteral("FormFirma"));
    setWindowTitle(QStringLiteral("Firmenstammdaten"));
    buildWindow();
}

void TFormFirma::buildWindow()
{
    namespace col = values::companycolumn;
    dbedtFirma = m_edits.add("dbedtFirma", col::Firma);
    dbedtName1 = m_edits.add("dbedtName1", col::Name1);
    dbedtStrasse = m_edits.add("dbedtStrasse", col::Strasse);
    dbedtPlz = m_edits.add("dbedtPlz", col::Plz);
    dbedtOrt = m_edits.add("dbedtOrt", col::Ort);
    dbedtTelefon = m_edits.add("dbedtTelefon", col::Telefon);
    dbedtFax = m_edits.add("dbedtFax", col::Fax);
    dbedtEMail = m_edits.add("dbedtEMail", col::EMail);
    dbedtKTO = m_edits.add("dbedtKTO", col::Kto);
    dbedtBLZ = m_edits.add("dbedtBLZ", col::Blz);
    dbedtBank = m_edits.add("dbedtBank", col::Bank);
    dbedtSteuerNr = m_edits.add("dbedtSteuerNr", col::SteuerNr);
    dbedtMwSt = m_edits.add("dbedtMwSt", col::MwSt);
    dbedtFASatz = m_edits.add("dbedtFASatz", col::FaSatz);
    for (controls::DbEdit *rate : {dbedtMwSt, dbedtFASatz}) {
        rate->setEditFormat(rateFormat);
        rate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    auto *layout = new QVBoxLayout(this);

    QGridLayout *a = controls::fieldGroup(" Adresse ", layout, this);
    controls::addField(a, 0, "&Firma:", dbedtFirma, 2);
    controls::addField(a, 1, "&Name:", dbedtName1, 2);
    controls::addField(a, 2, "&Strasse:", dbedtStrasse, 2);
    controls::addFieldPair(a, 3, "&Plz/", dbedtPlz, "&Ort:", dbedtOrt);
    controls::addFieldPair(a, 4, "&Telefon/", dbedtTelefon, "Fa&x:", dbedtFax);
    controls::addField(a, 5, "&eMail:", dbedtEMail, 2);
    a->setColumnStretch(2, 1);

    QGridLayout *b = controls::fieldGroup(" Bankdaten ", layout, this);
    controls::addFieldPair(b, 0, "&Kto.-Nr/", dbedtKTO, "&BLZ:", dbedtBLZ);
    controls::addField(b, 1, "B&ankname:", dbedtBank, 2);
    controls::addField(b, 2, "St&euernummer:", dbedtSteuerNr, 2);
    b->setColumnStretch(2, 1);

    QGridLayout *t = controls::fieldGroup(" Steuern/Abgaben ", layout, this);
    controls::addField(t, 0, "&Mwst-Satz:", dbedtMwSt);
    t->addWidget(new QLabel(QStringLiteral("%"), t->parentWidget()), 0, 2);
    controls::addField(t, 1, "FA-Sat&z:", dbedtFASatz);
    t->addWidget(new QLabel(QStringLiteral("%"), t->parentWidget()), 1, 2);
    dbedtVerkaufsbedingungen = m_edits.add("dbedtVerkaufsbedingungen", values::companycolumn::Verkaufsbedingungen);
    controls::addField(t, 2, "&Verkaufsbedingungen:", dbedtVerkaufsbedingungen, 3);
    t->setColumnStretch(3, 1);
    buildEInvoiceGroup(layout);

    const controls::ConfirmRow buttons = controls::confirmRow("&OK", "btnOK", this);
    btnOK = buttons.confirm;
    btnAbbruch = buttons.cancel;
    connect(btnOK, &QPushButton::clicked, this, &TFormFirma::btnOKClick);
    connect(btnAbbruch, &QPushButton::clicked, this, &TFormFirma::btnAbbruchClick);
    layout->addLayout(buttons.row);

    controls::tabOrder({dbedtFirma, dbedtName1, dbedtStrasse, dbedtPlz, dbedtOrt, dbedtTelefon, dbedtFax, dbedtEMail, dbedtKTO,
                        dbedtBLZ, dbedtBank, dbedtSteuerNr, dbedtMwSt, dbedtFASatz, dbedtVerkaufsbedingungen, dbedtIBAN,
                        dbedtBIC, dbedtUStIdNr, dbedtLand, dbedtAnsprechpartner, dbedtSteuerbefreiung,
                        chkDurchschnittssatz, btnOK, btnAbbruch});
    resize(460, 600);
}

// What an e-invoice says about the seller beyond the printed letterhead.
void TFormFirma::buildEInvoiceGroup(QBoxLayout *column)
{
    namespace col = values::companycolumn;
    dbedtIBAN = m_edits.add("dbedtIBAN", col::Iban);
    dbedtBIC = m_edits.add("dbedtBIC", col::Bic);
    dbedtUStIdNr = m_edits.add("dbedtUStIdNr", col::UStIdNr);
    dbedtLand = m_edits.add("dbedtLand", col::Land);
    dbedtAnsprechpartner = m_edits.add("dbedtAnsprechpartner", col::Ansprechpartner);
    dbedtSteuerbefreiung = m_edits.add("dbedtSteuerbefreiung", col::Steuerbefreiung);

    QGridLayout *e = controls::fieldGroup(" E-Rechnung ", column, this);
    controls::addField(e, 0, "&IBAN:", dbedtIBAN, 2);
    controls::addField(e, 1, "BI&C:", dbedtBIC);
    controls::addField(e, 2, "&USt-IdNr:", dbedtUStIdNr);
    controls::addField(e, 3, "&Land:", dbedtLand);
    controls::addField(e, 4, "Ansp&rechpartner:", dbedtAnsprechpartner, 2);
    controls::addField(e, 5, "Steuerbefreiun&g:", dbedtSteuerbefreiung, 2);
    chkDurchschnittssatz = new QCheckBox(QStringLiteral("Durchschnittssatz nach § 24 UStG"), e->parentWidget());
    chkDurchschnittssatz->setObjectName(QStringLiteral("chkDurchschnittssatz"));
    connect(chkDurchschnittssatz, &QCheckBox::toggled, this, &TFormFirma::durchschnittssatzGeaendert);
    e->addWidget(chkDurchschnittssatz, 6, 1, 1, 2);
    e->setColumnStretch(2, 1);
}

void TFormFirma::FormActivate()
{
    controls::guarded(m_dialogs, [this] {
        data::Dataset &firma = m_dmod.qryFirma;
        if (firma.isEmpty()) {
            firma.insert();
            firma.setValue(QString::fromLatin1(values::companycolumn::Land), QString::fromLatin1(data::invoicecolumns::DefaultLand));
            firma.setValue(QString::fromLatin1(values::companycolumn::Steuerbefreiung), data::invoicecolumns::defaultSteuerbefreiung());
        } else
            firma.edit(); // left in editing by the close box, it stays as it is
        durchschnittssatzZeigen();
        dbedtFirma->setFocus();
    });
}

void TFormFirma::btnOKClick()
{
    controls::guarded(m_dialogs, [this] {
        if (!m_edits.commitAll())
            return;
        if (!ibanAnnehmbar())
            return;
        if (m_dmod.qryFirma.isEditing())
            m_dmod.qryFirma.post();
        accept();
    });
}

void TFormFirma::btnAbbruchClick()
{
    controls::guarded(m_dialogs, [this] {
        if (m_dmod.qryFirma.isEditing())
            m_dmod.qryFirma.cancel();
        reject();
    });
}

void TFormFirma::durchschnittssatzZeigen()
{
    const QString field = QString::fromLatin1(values::companycolumn::Durchschnittssatz);
    const QSignalBlocker quiet(chkDurchschnittssatz);
    chkDurchschnittssatz->setChecked(m_dmod.qryFirma.value(field).toString().trimmed() == QLatin1String(values::companycolumn::Ja));
}

void TFormFirma::durchschnittssatzGeaendert(bool checked)
{
    controls::guarded(m_dialogs, [this, checked] {
        data::Dataset &firma = m_dmod.qryFirma;
        if (!firma.isEditing())
            firma.edit();
        firma.setValue(QString::fromLatin1(values::companycolumn::Durchschnittssatz),
                       checked ? QString::fromLatin1(values::companycolumn::Ja) : QString());
    });
}

bool TFormFirma::ibanAnnehmbar()
{
    const QString iban = m_dmod.qryFirma.value(QString::fromLatin1(values::companycolumn::Iban)).toString();
    if (iban.trimmed().isEmpty() || values::ibanIsValid(iban))
        return true;
    m_dialogs.error(QStringLiteral("Die IBAN \"%1\" ist nicht gültig: Prüfen Sie Ländercode, Prüfziffern und Kontonummer.\n"
                                   "Die Firmendaten wurden nicht gespeichert.")
                        .arg(iban.trimmed()));
    dbedtIBAN->setFocus();
    return false;
}
