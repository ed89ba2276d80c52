#include "invoicing/FormRechnung.h"

#include "controls/Buttons.h"
#include "controls/Captions.h"
#include "controls/ColumnWidth.h"
#include "controls/DatasetTableModel.h"
#include "controls/DbEdit.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "data/Shell.h"
#include "invoicing/FormMatchcode.h"
#include "invoicing/InvoiceFromQueries.h"
#include "invoicing/MatchcodeAuswahl.h"
#include "invoicing/PreisGrid.h"
#include "invoicing/RechnungsReport.h"
#include "values/ListColumns.h"

#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <stdexcept>

using data::Dataset;

const QString TFormRechnung::Barverkauf = QStringLiteral("99999");
const QString TFormRechnung::MatchcodeSql =
    QStringLiteral("Select SUCHNAME, NAME, VORNAME, NRKD FROM Kunden WHERE Upper(SUCHNAME) LIKE :MATCHCODE ORDER BY SUCHNAME");

namespace {

// Figures of the price grid stand right-aligned.
controls::GridColumn column(const char *field, const char *title, bool readOnly, int width)
{
    return controls::gridColumn(QString::fromLatin1(field), QString::fromUtf8(title), readOnly, width, Qt::AlignRight | Qt::AlignVCenter);
}

// Model columns of the price grid; GUETEKLASSE, ABZUG and PREISSAVE are hidden.
enum GridColumnIndex { colGueteklasse, colAbzug, colStaerkeklasse, colPreis, colProzent, colPreisB, colPreisC, colPreisCgw, colPreisSave };

} // namespace

TFormRechnung::TFormRechnung(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), memRechnungsdaten(nullptr, QStringLiteral("memRechnungsdaten")), m_dmod(dmod), m_shell(shell),
      m_dialogs(dialogs), m_preise(dmod), m_issuer(dialogs, dmod.dbDorv)
{
    setObjectName(QStringLiteral("FormRechnung"));
    setWindowTitle(QStringLiteral("Rechnung"));
    setModal(false);
    memRechnungsdaten.addField(QStringLiteral("RECHNUNGSNR"), data::FieldType::Text, 20);
    buildWindow();
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this, &TFormRechnung::onFocusChanged);
}

TFormRechnung::~TFormRechnung()
{
    disconnect(m_focusConnection);
}

void TFormRechnung::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // the window keeps its size
    layout->addWidget(buildCustomerPart());
    buildPriceGrid();
    layout->addWidget(dxdbgrdRechnung);

    btnVorschau = controls::button("&Vorschau", "btnVorschau", this, &TFormRechnung::btnVorschauClick);
    btnDrucken = controls::button("&Drucken", "btnDrucken", this, &TFormRechnung::btnDruckenClick);
    btnERechnung = controls::button("&E-Rechnung...", "btnERechnung", this, &TFormRechnung::btnERechnungClick);
    btnSchliessen = controls::button("&Schliessen", "btnSchliessen", this, &TFormRechnung::btnSchliessenClick);
    layout->addLayout(controls::buttonRow({btnVorschau, btnDrucken, btnERechnung, btnSchliessen}));

    QWidget *order[] = {edtKundenNr, btnKndMatchcode, edtRechnungsNr};
    setTabOrder(order[0], order[1]);
    setTabOrder(order[1], order[2]);
    setTabOrder(edtRechnungsNr, dtpRechnungsdatum);
    setTabOrder(dtpRechnungsdatum, dtpLieferdatum);
    QWidget *previous = dtpLieferdatum;
    for (controls::DbEdit *edit : m_kundenFelder) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    setTabOrder(previous, dxdbgrdRechnung);
    setTabOrder(dxdbgrdRechnung, btnVorschau);
    setTabOrder(btnVorschau, btnDrucken);
    setTabOrder(btnDrucken, btnERechnung);
    setTabOrder(btnERechnung, btnSchliessen);
}

QWidget *TFormRechnung::buildCustomerPart()
{
    auto *part = new QWidget(this);
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *top = new QGridLayout;
    layout->addLayout(top);
    edtKundenNr = new QLineEdit(part);
    edtKundenNr->setObjectName(QStringLiteral("edtKundenNr"));
    edtKundenNr->setMaxLength(13);
    QLabel *kundenNrLabel = controls::caption("&Kunden-Nr:", edtKundenNr, part);
    btnKndMatchcode = controls::button("...", "btnKndMatchcode", part);
    btnKndMatchcode->setFixedWidth(28);
    connect(btnKndMatchcode, &QPushButton::clicked, this, &TFormRechnung::btnKndMatchcodeClick);
    dbtxtSuchname = new controls::DbEdit(m_dialogs, *m_dmod.dsKunden.dataset, "SUCHNAME", "dbtxtSuchname", part);
    dbtxtSuchname->setReadOnly(true);
    dbtxtSuchname->setFocusPolicy(Qt::NoFocus);
    dbtxtSuchname->setFrame(false);
    edtRechnungsNr = new QLineEdit(part);
    edtRechnungsNr->setObjectName(QStringLiteral("edtRechnungsNr"));
    edtRechnungsNr->setMaxLength(20);
    QLabel *rechnungsNrLabel = controls::caption("&Rechnungs-Nr:", edtRechnungsNr, part);
    top->addWidget(kundenNrLabel, 0, 0);
    top->addWidget(edtKundenNr, 0, 1);
    top->addWidget(btnKndMatchcode, 0, 2);
    top->addWidget(dbtxtSuchname, 0, 3);
    top->addWidget(rechnungsNrLabel, 1, 0);
    top->addWidget(edtRechnungsNr, 1, 1, 1, 3);
    top->setColumnStretch(3, 1);
    buildDates(top, part);

    auto bound = [&](QWidget *owner, const char *name, const char *field) {
        auto *edit = new controls::DbEdit(m_dialogs, *m_dmod.dsKunden.dataset, field, name, owner);
        m_kundenFelder.push_back(edit);
        return edit;
    };

    auto *adresse = new QGroupBox(QStringLiteral(" Adresse "), part);
    auto *a = new QGridLayout(adresse);
    controls::DbEdit *firma = bound(adresse, "dbedtFirma", "FIRMA");
    controls::DbEdit *vorname = bound(adresse, "dbedtVorname", "VORNAME");
    controls::DbEdit *name = bound(adresse, "dbedtName", "NAME");
    controls::DbEdit *strasse = bound(adresse, "dbedtStrasse", "STRASSE");
    controls::DbEdit *plz = bound(adresse, "dbedtPlz", "PLZ");
    controls::DbEdit *ort = bound(adresse, "dbedtOrt", "ORT");
    plz->setMaxLength(5);
    a->addWidget(controls::caption("&Firma:", firma, adresse), 0, 0);
    a->addWidget(firma, 0, 1, 1, 3);
    a->addWidget(controls::captionPair("&Vorname/", vorname, "&Name:", name, adresse), 1, 0);
    a->addWidget(vorname, 1, 1);
    a->addWidget(name, 1, 2, 1, 2);
    a->addWidget(controls::caption("St&rasse:", strasse, adresse), 2, 0);
    a->addWidget(strasse, 2, 1, 1, 3);
    a->addWidget(controls::captionPair("&Plz/", plz, "&Ort:", ort, adresse), 3, 0);
    a->addWidget(plz, 3, 1);
    a->addWidget(ort, 3, 2, 1, 2);
    layout->addWidget(adresse);

    auto *zahlung = new QGroupBox(QStringLiteral(" Zahlungsmodalität "), part);
    auto *z = new QGridLayout(zahlung);
    controls::DbEdit *nettotage = bound(zahlung, "dbedtNettotage", "NETTOTAGE");
    controls::DbEdit *skontotage = bound(zahlung, "dbedtSkontotage", "SKONTOTAGE");
    controls::DbEdit *skonto = bound(zahlung, "dbedtSkonto", "SKONTO");
    z->addWidget(controls::caption("&Zahlungsziel", nettotage, zahlung), 0, 0);
    z->addWidget(nettotage, 0, 1);
    z->addWidget(controls::caption("Skonto&tage:", skontotage, zahlung), 1, 0);
    z->addWidget(skontotage, 1, 1);
    z->addWidget(controls::caption("S&kontosatz:", skonto, zahlung), 2, 0);
    z->addWidget(skonto, 2, 1);
    z->addWidget(new QLabel(QStringLiteral("%"), zahlung), 2, 2);
    z->setColumnStretch(3, 1);
    layout->addWidget(zahlung);
    return part;
}

// The invoice date and the delivery date, below the invoice number.
void TFormRechnung::buildDates(QGridLayout *top, QWidget *part)
{
    const auto dateEdit = [part](const char *name) {
        auto *edit = new QDateEdit(QDate::currentDate(), part);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        return edit;
    };
    dtpRechnungsdatum = dateEdit("dtpRechnungsdatum");
    dtpLieferdatum = dateEdit("dtpLieferdatum");
    top->addWidget(controls::caption("Rechnungsdat&um:", dtpRechnungsdatum, part), 2, 0);
    top->addWidget(dtpRechnungsdatum, 2, 1);
    top->addWidget(controls::caption("&Lieferdatum:", dtpLieferdatum, part), 3, 0);
    top->addWidget(dtpLieferdatum, 3, 1);
    connect(dtpRechnungsdatum, &QDateEdit::dateChanged, this, [this](QDate date) {
        const QSignalBlocker quiet(dtpLieferdatum);
        if (!m_eigenesLieferdatum)
            dtpLieferdatum->setDate(date);
    });
    connect(dtpLieferdatum, &QDateEdit::dateChanged, this, [this] { m_eigenesLieferdatum = true; });
}

void TFormRechnung::buildPriceGrid()
{
    auto *grid = new invoicing::PreisGrid(m_dialogs, this);
    dxdbgrdRechnung = grid;
    dxdbgrdRechnung->setObjectName(QStringLiteral("dxdbgrdRechnung"));
    const std::vector<controls::GridColumn> columns{column(values::listcolumn::Gueteklasse, "", true, 40),
                                          column("ABZUG", "", true, 40),
                                          column(values::listcolumn::Staerkeklasse, "Stärkeklasse", true, 80),
                                          column("PREIS", "Preis", false, 70),
                                          column("PROZENT", "Prozent", false, 70),
                                          column("PREISB", "Preis GK B", true, 80),
                                          column("PREISC", "Preis GK C", true, 80),
                                          column("PREISCGW", "Preis GK CgW", true, 85),
                                          column("PREISSAVE", "", true, 40)};
    m_model = new controls::DatasetTableModel(m_preise.qryPreise, columns, this);
    dxdbgrdRechnung->setDatasetModel(m_model);
    // Designed widths, widened where a title or a figure would be cut in the grid's font.
    for (int c = 0; c < int(columns.size()); ++c)
        dxdbgrdRechnung->setColumnWidth(
            c, controls::fittedColumnWidth(*dxdbgrdRechnung->horizontalHeader(), c, columns[c].width, QStringLiteral("99.999,99")));
    for (int hidden : {colGueteklasse, colAbzug, colPreisSave})
        dxdbgrdRechnung->setColumnHidden(hidden, true);
    grid->setEditColumns(colPreis, colProzent);
    dxdbgrdRechnung->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dxdbgrdRechnung->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dxdbgrdRechnung->setEditTriggers(QAbstractItemView::AllEditTriggers);
    dxdbgrdRechnung->setSelectionMode(QAbstractItemView::SingleSelection);
    dxdbgrdRechnung->verticalHeader()->setDefaultSectionSize(20);
    const int rowsHeight = dxdbgrdRechnung->horizontalHeader()->sizeHint().height() + 10 * 20 + 4;
    // The grid does not scroll: it shows every column.
    dxdbgrdRechnung->setFixedSize(grid->widthShowingAllColumns(100), rowsHeight);
    connect(dxdbgrdRechnung->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (current.isValid() && current.column() != previous.column())
                    dxdbgrdRechnungChangeColumn(dxdbgrdRechnung->visibleIndexOf(current.column()));
            });
    // Connected after the view's own commit: the dataset holds the typed value when it runs.
    connect(dxdbgrdRechnung->itemDelegate(), &QAbstractItemDelegate::commitData, this, &TFormRechnung::dxdbgrdRechnungEdited);
}

controls::DbEdit *TFormRechnung::kundenFeld(const QString &field) const
{
    for (controls::DbEdit *edit : m_kundenFelder)
        if (edit->dataField().compare(field, Qt::CaseInsensitive) == 0)
            return edit;
    return nullptr;
}

int TFormRechnung::focusedVisibleColumn() const
{
    return dxdbgrdRechnung->focusedVisibleColumn();
}

bool TFormRechnung::inGrid(const QWidget *w) const
{
    return w && (w == dxdbgrdRechnung || dxdbgrdRechnung->isAncestorOf(w));
}

void TFormRechnung::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

// Leaving a control counts only when the focus goes to another control of this window: a
// message box or the search window in between is no leaving.
void TFormRechnung::onFocusChanged(QWidget *old, QWidget *now)
{
    if (!old || !now || old->window() != this || now->window() != this)
        return;
    if (!m_lookingUp) {
        if (old == edtKundenNr)
            edtKundenNrExit();
        else if (old == btnKndMatchcode)
            btnKndMatchcodeExit();
    }
    if (QApplication::focusWidget() != now)
        return; // a handler has sent the focus elsewhere
    if (inGrid(old) && !inGrid(now))
        dxdbgrdRechnungExit();
    else if (!inGrid(old) && inGrid(now))
        dxdbgrdRechnungEnter();
}

void TFormRechnung::FormShow()
{
    controls::guarded(m_dialogs, [this] {
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
        memRechnungsdaten.close();
        memRechnungsdaten.open();
        m_preise.oeffnen();
        KundeGefunden = false;
        // Each showing starts a new invoice: dated today, delivered the same day until told otherwise.
        dtpRechnungsdatum->setDate(QDate::currentDate());
        dtpLieferdatum->setDate(dtpRechnungsdatum->date());
        m_eigenesLieferdatum = false;
        m_listName = m_shell.currentListName();
        invoicing::RechnungAufbauen(m_dmod, m_listName);
        if (edtRechnungsNr->text().trimmed().isEmpty())
            edtRechnungsNr->setText(invoiceregister::InvoiceRegister(m_dmod.dbDorv).proposedNumber());
    });
}

void TFormRechnung::FormActivate()
{
    controls::guarded(m_dialogs, [this] { edtKundenNr->setFocus(Qt::ActiveWindowFocusReason); });
}

void TFormRechnung::FormClose()
{
    controls::guarded(m_dialogs, [this] { memRechnungsdaten.close(); });
}

void TFormRechnung::dxdbgrdRechnungEnter()
{
    controls::guarded(m_dialogs, [this] {
        dxdbgrdRechnung->focusVisibleColumn(PreisSpalte);
        AktuelleSpalte = PreisSpalte;
    });
}

void TFormRechnung::dxdbgrdRechnungChangeColumn(int visibleIndex)
{
    controls::guarded(m_dialogs, [this, visibleIndex] {
        if (visibleIndex < PreisSpalte)
            dxdbgrdRechnung->focusVisibleColumn(PreisSpalte);
        else if (visibleIndex > ProzentSpalte)
            dxdbgrdRechnung->focusVisibleColumn(ProzentSpalte);
        const int focused = dxdbgrdRechnung->focusedVisibleColumn();
        if (focused == PreisSpalte || focused == ProzentSpalte)
            AktuelleSpalte = focused;
    });
}

void TFormRechnung::dxdbgrdRechnungEdited()
{
    controls::guarded(m_dialogs, [this] {
        if (!qryPreise().isEditing())
            return; // nothing was typed, or it did not convert
        if (AktuelleSpalte == PreisSpalte)
            m_preise.preisBearbeitet();
        else
            m_preise.prozentBearbeitet();
    });
}

void TFormRechnung::dxdbgrdRechnungExit()
{
    controls::guarded(m_dialogs, [this] { m_preise.abgeleitetePreiseSchreiben(); });
}

void TFormRechnung::edtKundenNrExit()
{
    controls::guarded(m_dialogs, [this] { kundeSuchen(); });
}

void TFormRechnung::kundeSuchen()
{
    const QScopedValueRollback lookingUp(m_lookingUp, true);
    const QString nummer = edtKundenNr->text();
    if (nummer.isEmpty()) {
        KundeGefunden = false;
        btnKndMatchcode->setFocus();
        return;
    }
    if (kundeFinden(nummer))
        return;
    m_dialogs.information(QStringLiteral("Der Kunde ") + nummer + QStringLiteral(" konnte nicht gefunden werden!"));
    btnKndMatchcode->setFocus();
    // The cash-sale customer is tried once; when it is missing too, there is no customer.
    if (nummer != Barverkauf) {
        edtKundenNr->setText(Barverkauf);
        if (kundeFinden(Barverkauf))
            return;
    }
    m_dmod.qryKunden.close();
}

bool TFormRechnung::kundeFinden(const QString &nummer)
{
    Dataset &kunden = m_dmod.qryKunden;
    kunden.close(); // asks about a pending address change
    kunden.open();
    KundeGefunden = kunden.locate(QStringLiteral("NRKD"), nummer);
    return KundeGefunden;
}

void TFormRechnung::btnKndMatchcodeClick()
{
    controls::guarded(m_dialogs, [this] {
        edtKundenNr->setText(matchcodeSuche());
        kundeSuchen();
    });
}

void TFormRechnung::btnKndMatchcodeExit()
{
    controls::guarded(m_dialogs, [this] {
        if (edtKundenNr->text().isEmpty() || !KundeGefunden)
            edtKundenNr->setFocus();
    });
}

void TFormRechnung::UebergebeRechnungsdaten()
{
    if (!memRechnungsdaten.isOpen())
        memRechnungsdaten.open();
    while (!memRechnungsdaten.isEmpty()) {
        memRechnungsdaten.first();
        memRechnungsdaten.remove();
    }
    memRechnungsdaten.append();
    memRechnungsdaten.setValue(QStringLiteral("RECHNUNGSNR"), edtRechnungsNr->text());
    memRechnungsdaten.post();
}

void TFormRechnung::adresseSpeichernFragen()
{
    if (m_dmod.qryKunden.state() == data::DatasetState::Edit)
        m_dmod.qryKundenBeforeClose(m_dmod.qryKunden);
}

std::optional<invoicing::PreparedInvoice> TFormRechnung::RechnungVorbereiten()
{
    // A typed text that does not convert has been reported; nothing is printed.
    for (controls::DbEdit *edit : m_kundenFelder)
        if (!edit->commit())
            return std::nullopt;
    // The printed lines carry the prices the grid shows.
    dxdbgrdRechnung->commitPendingEdit();
    if (qryPreise().isEditing()) {
        if (AktuelleSpalte == PreisSpalte)
            m_preise.preisBearbeitet();
        else
            m_preise.prozentBearbeitet();
    }
    m_preise.abgeleitetePreiseSchreiben();
    invoicing::RechnungAufbauen(m_dmod, m_listName);

    UebergebeRechnungsdaten();
    adresseSpeichernFragen();
    m_shell.SQLVorbereiten();
    einvoice::Invoice invoice = invoicing::invoiceFromQueries(
        m_dmod, {edtRechnungsNr->text(), dtpRechnungsdatum->date(), dtpLieferdatum->date()});
    values::ListHeader header = invoicing::listHeaderFromQueries(m_dmod);
    report::PreparedReport printout = invoicing::RechnungsReport(m_shell.reportPath() + QStringLiteral("Rechnung.rtm"), invoice, header);
    return invoicing::PreparedInvoice{std::move(invoice), std::move(printout), invoicing::customerNumberFromQueries(m_dmod), m_listName,
                                      std::move(header)};
}

void TFormRechnung::drucken(const QString &device)
{
    controls::guarded(m_dialogs, [this, &device] {
        std::optional<invoicing::PreparedInvoice> rechnung = RechnungVorbereiten();
        if (!rechnung)
            return;
        if (device == QStringLiteral("Printer"))
            m_issuer.print(*rechnung, this);
        else
            rechnung->printout.print(device, this);
    });
}

void TFormRechnung::btnVorschauClick()
{
    drucken(QStringLiteral("Screen"));
}

void TFormRechnung::btnDruckenClick()
{
    drucken(QStringLiteral("Printer"));
}

void TFormRechnung::btnERechnungClick()
{
    controls::guarded(m_dialogs, [this] {
        if (std::optional<invoicing::PreparedInvoice> rechnung = RechnungVorbereiten())
            m_issuer.saveEInvoice(*rechnung);
    });
}

void TFormRechnung::btnSchliessenClick()
{
    controls::guarded(m_dialogs, [this] {
        adresseSpeichernFragen();
        close();
    });
}

void TFormRechnung::setMatchcodeWindow(TFormMatchcode *window)
{
    m_matchcode = window;
}

QString TFormRechnung::matchcodeSuche()
{
    Q_ASSERT_X(m_matchcode, "TFormRechnung::matchcodeSuche", "start-up hands over the search window");
    QString result;
    MatchcodeAuswahl(*m_matchcode, m_dmod.qryMatchcode, MatchcodeSql, QStringLiteral("NRKD"), result);
    return result;
}
