#include "invoicing/FormKunden.h"

#include "controls/Buttons.h"
#include "controls/Captions.h"
#include "controls/DbEdit.h"
#include "controls/ErrorGuard.h"
#include "controls/RecordNavigator.h"
#include "controls/TabOrder.h"
#include "data/DataModule.h"
#include "data/InvoiceColumns.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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
    Button1 = controls::button("&schliessen", "Button1", this);
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

    QGridLayout *a = controls::fieldGroup(" Adresse ", layout, this);
    controls::addField(a, 0, "&Suchname:", dbedtSuchname, 2);
    controls::addField(a, 1, "&Firma:", dbedtFirma, 2);
    controls::addFieldPair(a, 2, "&Vorname/", dbedtVorname, "&Name:", dbedtName);
    controls::addField(a, 3, "St&rasse:", dbedtStrasse, 2);
    controls::addFieldPair(a, 4, "&Plz/", dbedtPlz, "&Ort:", dbedtOrt);
    a->setColumnStretch(2, 1);

    QGridLayout *p = controls::fieldGroup(" Zahlungsmodalität ", layout, this);
    controls::addField(p, 0, "&Zahlungsziel:", dbedtZahlungsziel);
    controls::addField(p, 1, "Skonto&tage:", dbedtSkontotage);
    controls::addField(p, 2, "S&kontosatz:", dbedtSkonto);
    p->addWidget(new QLabel(QStringLiteral("%"), p->parentWidget()), 2, 2);
    p->setColumnStretch(3, 1);

    // What an e-invoice to this customer needs beyond the address.
    QGridLayout *e = controls::fieldGroup(" E-Rechnung ", layout, this);
    controls::addField(e, 0, "E-&Mail:", dbedtEMail);
    controls::addField(e, 1, "&USt-IdNr:", dbedtUStIdNr);
    controls::addField(e, 2, "Käuf&erreferenz:", dbedtKaeuferreferenz);
    controls::addField(e, 3, "&Lieferanten-Nr:", dbedtLieferantenNr);
    layout->addStretch();

    controls::tabOrder({dbedtKdNr, Button1, dbnKunden, dbedtSuchname, dbedtFirma, dbedtVorname, dbedtName, dbedtPlz, dbedtOrt,
                        dbedtStrasse, dbedtZahlungsziel, dbedtSkontotage, dbedtSkonto, dbedtEMail, dbedtUStIdNr,
                        dbedtKaeuferreferenz, dbedtLieferantenNr});
    resize(420, 500);
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
