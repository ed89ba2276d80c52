#include "invoicing/FormFirma.h"

#include "controls/Captions.h"
#include "controls/DbEdit.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "data/InvoiceColumns.h"
#include "values/CompanyColumns.h"
#include "values/Iban.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
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

    auto *address = new QGroupBox(QStringLiteral(" Adresse "), this);
    auto *a = new QGridLayout(address);
    a->addWidget(controls::caption("&Firma:", dbedtFirma, address), 0, 0);
    a->addWidget(dbedtFirma, 0, 1, 1, 2);
    a->addWidget(controls::caption("&Name:", dbedtName1, address), 1, 0);
    a->addWidget(dbedtName1, 1, 1, 1, 2);
    a->addWidget(controls::caption("&Strasse:", dbedtStrasse, address), 2, 0);
    a->addWidget(dbedtStrasse, 2, 1, 1, 2);
    a->addWidget(controls::captionPair("&Plz/", dbedtPlz, "&Ort:", dbedtOrt, address), 3, 0);
    a->addWidget(dbedtPlz, 3, 1);
    a->addWidget(dbedtOrt, 3, 2);
    a->addWidget(controls::captionPair("&Telefon/", dbedtTelefon, "Fa&x:", dbedtFax, address), 4, 0);
    a->addWidget(dbedtTelefon, 4, 1);
    a->addWidget(dbedtFax, 4, 2);
    a->addWidget(controls::caption("&eMail:", dbedtEMail, address), 5, 0);
    a->addWidget(dbedtEMail, 5, 1, 1, 2);
    a->setColumnStretch(2, 1);
    layout->addWidget(address);

    auto *bank = new QGroupBox(QStringLiteral(" Bankdaten "), this);
    auto *b = new QGridLayout(bank);
    b->addWidget(controls::captionPair("&Kto.-Nr/", dbedtKTO, "&BLZ:", dbedtBLZ, bank), 0, 0);
    b->addWidget(dbedtKTO, 0, 1);
    b->addWidget(dbedtBLZ, 0, 2);
    b->addWidget(controls::caption("B&ankname:", dbedtBank, bank), 1, 0);
    b->addWidget(dbedtBank, 1, 1, 1, 2);
    b->addWidget(controls::caption("St&euernummer:", dbedtSteuerNr, bank), 2, 0);
    b->addWidget(dbedtSteuerNr, 2, 1, 1, 2);
    b->setColumnStretch(2, 1);
    layout->addWidget(bank);

    auto *taxes = new QGroupBox(QStringLiteral(" Steuern/Abgaben "), this);
    auto *t = new QGridLayout(taxes);
    t->addWidget(controls::caption("&Mwst-Satz:", dbedtMwSt, taxes), 0, 0);
    t->addWidget(dbedtMwSt, 0, 1);
    t->addWidget(new QLabel(QStringLiteral("%"), taxes), 0, 2);
    t->addWidget(controls::caption("FA-Sat&z:", dbedtFASatz, taxes), 1, 0);
    t->addWidget(dbedtFASatz, 1, 1);
    t->addWidget(new QLabel(QStringLiteral("%"), taxes), 1, 2);
    dbedtVerkaufsbedingungen = m_edits.add("dbedtVerkaufsbedingungen", values::companycolumn::Verkaufsbedingungen);
    t->addWidget(controls::caption("&Verkaufsbedingungen:", dbedtVerkaufsbedingungen, taxes), 2, 0);
    t->addWidget(dbedtVerkaufsbedingungen, 2, 1, 1, 3);
    t->setColumnStretch(3, 1);
    layout->addWidget(taxes);
    layout->addWidget(buildEInvoiceGroup());

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnAbbruch = new QPushButton(QStringLiteral("&Abbruch"), this);
    btnAbbruch->setObjectName(QStringLiteral("btnAbbruch"));
    btnAbbruch->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &TFormFirma::btnOKClick);
    connect(btnAbbruch, &QPushButton::clicked, this, &TFormFirma::btnAbbruchClick);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnAbbruch);
    layout->addLayout(buttons);

    const std::vector<QWidget *> order{dbedtFirma, dbedtName1, dbedtStrasse, dbedtPlz, dbedtOrt, dbedtTelefon, dbedtFax,
                                       dbedtEMail, dbedtKTO, dbedtBLZ, dbedtBank, dbedtSteuerNr, dbedtMwSt, dbedtFASatz,
                                       dbedtVerkaufsbedingungen, dbedtIBAN, dbedtBIC, dbedtUStIdNr, dbedtLand,
                                       dbedtAnsprechpartner, dbedtSteuerbefreiung, chkDurchschnittssatz, btnOK, btnAbbruch};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(460, 600);
}

// What an e-invoice says about the seller beyond the printed letterhead.
QWidget *TFormFirma::buildEInvoiceGroup()
{
    namespace col = values::companycolumn;
    dbedtIBAN = m_edits.add("dbedtIBAN", col::Iban);
    dbedtBIC = m_edits.add("dbedtBIC", col::Bic);
    dbedtUStIdNr = m_edits.add("dbedtUStIdNr", col::UStIdNr);
    dbedtLand = m_edits.add("dbedtLand", col::Land);
    dbedtAnsprechpartner = m_edits.add("dbedtAnsprechpartner", col::Ansprechpartner);
    dbedtSteuerbefreiung = m_edits.add("dbedtSteuerbefreiung", col::Steuerbefreiung);

    auto *group = new QGroupBox(QStringLiteral(" E-Rechnung "), this);
    auto *e = new QGridLayout(group);
    e->addWidget(controls::caption("&IBAN:", dbedtIBAN, group), 0, 0);
    e->addWidget(dbedtIBAN, 0, 1, 1, 2);
    e->addWidget(controls::caption("BI&C:", dbedtBIC, group), 1, 0);
    e->addWidget(dbedtBIC, 1, 1);
    e->addWidget(controls::caption("&USt-IdNr:", dbedtUStIdNr, group), 2, 0);
    e->addWidget(dbedtUStIdNr, 2, 1);
    e->addWidget(controls::caption("&Land:", dbedtLand, group), 3, 0);
    e->addWidget(dbedtLand, 3, 1);
    e->addWidget(controls::caption("Ansp&rechpartner:", dbedtAnsprechpartner, group), 4, 0);
    e->addWidget(dbedtAnsprechpartner, 4, 1, 1, 2);
    e->addWidget(controls::caption("Steuerbefreiun&g:", dbedtSteuerbefreiung, group), 5, 0);
    e->addWidget(dbedtSteuerbefreiung, 5, 1, 1, 2);
    chkDurchschnittssatz = new QCheckBox(QStringLiteral("Durchschnittssatz nach § 24 UStG"), group);
    chkDurchschnittssatz->setObjectName(QStringLiteral("chkDurchschnittssatz"));
    connect(chkDurchschnittssatz, &QCheckBox::toggled, this, &TFormFirma::durchschnittssatzGeaendert);
    e->addWidget(chkDurchschnittssatz, 6, 1, 1, 2);
    e->setColumnStretch(2, 1);
    return group;
}

void TFormFirma::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
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
