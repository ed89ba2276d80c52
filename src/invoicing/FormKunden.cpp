#include "invoicing/FormKunden.h"

#include "controls/Captions.h"
#include "controls/DbEdit.h"
#include "controls/ErrorGuard.h"
#include "controls/RecordNavigator.h"
#include "data/DataModule.h"
#include "data/InvoiceColumns.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFormKunden::TFormKunden(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs), m_edits(dialogs, *dmod.dsKunden.dataset, this)
{
    setObjectName(QStringLiteral("FormKunden"));
    setWindowTitle(QStringLiteral("Kundenstamm"));
    buildWindow();
}

void TFormKunden::buildWindow()
{
    dbedtKdNr = m_edits.add("dbedtKdNr", "NRKD");
    Button1 = new QPushButton(QStringLiteral("&schliessen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TFormKunden::Button1Click);
    dbnKunden = new controls::RecordNavigator(m_dialogs, this);
    dbnKunden->setObjectName(QStringLiteral("dbnKunden"));
    dbnKunden->setDataset(*m_dmod.dsKunden.dataset);

    dbedtSuchname = m_edits.add("dbedtSuchname", "SUCHNAME");
    dbedtFirma = m_edits.add("dbedtFirma", "FIRMA");
    dbedtVorname = m_edits.add("dbedtVorname", "VORNAME");
    dbedtName = m_edits.add("dbedtName", "NAME");
    dbedtStrasse = m_edits.add("dbedtStrasse", "STRASSE");
    dbedtPlz = m_edits.add("dbedtPlz", "PLZ");
    dbedtOrt = m_edits.add("dbedtOrt", "ORT");
    dbedtZahlungsziel = m_edits.add("dbedtZahlungsziel", "NETTOTAGE");
    dbedtSkontotage = m_edits.add("dbedtSkontotage", "SKONTOTAGE");
    dbedtSkonto = m_edits.add("dbedtSkonto", "SKONTO");
    dbedtEMail = m_edits.add("dbedtEMail", data::invoicecolumns::EMail);
    dbedtUStIdNr = m_edits.add("dbedtUStIdNr", data::invoicecolumns::KundeUStIdNr);
    dbedtKaeuferreferenz = m_edits.add("dbedtKaeuferreferenz", data::invoicecolumns::Kaeuferreferenz);
    dbedtLieferantenNr = m_edits.add("dbedtLieferantenNr", data::invoicecolumns::LieferantenNr);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(controls::caption("Kunden-Nr:", dbedtKdNr, this));
    top->addWidget(dbedtKdNr, 1);
    top->addWidget(Button1);
    layout->addLayout(top);
    layout->addWidget(dbnKunden);

    auto *address = new QGroupBox(QStringLiteral(" Adresse "), this);
    auto *a = new QGridLayout(address);
    a->addWidget(controls::caption("&Suchname:", dbedtSuchname, address), 0, 0);
    a->addWidget(dbedtSuchname, 0, 1, 1, 2);
    a->addWidget(controls::caption("&Firma:", dbedtFirma, address), 1, 0);
    a->addWidget(dbedtFirma, 1, 1, 1, 2);
    a->addWidget(controls::captionPair("&Vorname/", dbedtVorname, "&Name:", dbedtName, address), 2, 0);
    a->addWidget(dbedtVorname, 2, 1);
    a->addWidget(dbedtName, 2, 2);
    a->addWidget(controls::caption("St&rasse:", dbedtStrasse, address), 3, 0);
    a->addWidget(dbedtStrasse, 3, 1, 1, 2);
    a->addWidget(controls::captionPair("&Plz/", dbedtPlz, "&Ort:", dbedtOrt, address), 4, 0);
    a->addWidget(dbedtPlz, 4, 1);
    a->addWidget(dbedtOrt, 4, 2);
    a->setColumnStretch(2, 1);
    layout->addWidget(address);

    auto *payment = new QGroupBox(QStringLiteral(" Zahlungsmodalität "), this);
    auto *p = new QGridLayout(payment);
    p->addWidget(controls::caption("&Zahlungsziel:", dbedtZahlungsziel, payment), 0, 0);
    p->addWidget(dbedtZahlungsziel, 0, 1);
    p->addWidget(controls::caption("Skonto&tage:", dbedtSkontotage, payment), 1, 0);
    p->addWidget(dbedtSkontotage, 1, 1);
    p->addWidget(controls::caption("S&kontosatz:", dbedtSkonto, payment), 2, 0);
    p->addWidget(dbedtSkonto, 2, 1);
    p->addWidget(new QLabel(QStringLiteral("%"), payment), 2, 2);
    p->setColumnStretch(3, 1);
    layout->addWidget(payment);

    // What an e-invoice to this customer needs beyond the address.
    auto *einvoice = new QGroupBox(QStringLiteral(" E-Rechnung "), this);
    auto *e = new QGridLayout(einvoice);
    e->addWidget(controls::caption("E-&Mail:", dbedtEMail, einvoice), 0, 0);
    e->addWidget(dbedtEMail, 0, 1);
    e->addWidget(controls::caption("&USt-IdNr:", dbedtUStIdNr, einvoice), 1, 0);
    e->addWidget(dbedtUStIdNr, 1, 1);
    e->addWidget(controls::caption("Käuf&erreferenz:", dbedtKaeuferreferenz, einvoice), 2, 0);
    e->addWidget(dbedtKaeuferreferenz, 2, 1);
    e->addWidget(controls::caption("&Lieferanten-Nr:", dbedtLieferantenNr, einvoice), 3, 0);
    e->addWidget(dbedtLieferantenNr, 3, 1);
    layout->addWidget(einvoice);
    layout->addStretch();

    const std::vector<QWidget *> order{dbedtKdNr, Button1, dbnKunden, dbedtSuchname, dbedtFirma, dbedtVorname, dbedtName,
                                       dbedtPlz, dbedtOrt, dbedtStrasse, dbedtZahlungsziel, dbedtSkontotage, dbedtSkonto,
                                       dbedtEMail, dbedtUStIdNr, dbedtKaeuferreferenz, dbedtLieferantenNr};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(420, 500);
}

void TFormKunden::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormKunden::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

void TFormKunden::FormShow()
{
    // Left open by the invoice window, the query keeps its current customer.
    controls::guarded(m_dialogs, [this] { m_dmod.qryKunden.open(); });
}

void TFormKunden::FormClose()
{
    // Asks whether to store a changed address; a new customer never posted is dropped.
    controls::guarded(m_dialogs, [this] { m_dmod.qryKunden.close(); });
}

void TFormKunden::Button1Click()
{
    controls::guarded(m_dialogs, [this] {
        if (!m_edits.commitAll())
            return;
        if (m_dmod.qryKunden.isEditing())
            m_dmod.qryKunden.post();
        close();
    });
}
