#include "invoicing/FormRechnungsausgangsbuch.h"

#include "controls/Buttons.h"
#include "controls/ColumnWidth.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "data/Shell.h"
#include "einvoice/CiiReader.h"
#include "einvoice/CiiWriter.h"
#include "einvoice/Files.h"
#include "einvoice/MissingData.h"
#include "export/FileOutput.h"
#include "invoiceregister/RegisterCsv.h"
#include "invoicing/EInvoiceFile.h"
#include "invoicing/InvoiceIssuer.h"
#include "invoicing/RegisterModel.h"
#include "invoicing/RechnungsReport.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using invoiceregister::Entry;

const QString TFormRechnungsausgangsbuch::AlleJahre = QStringLiteral("alle Jahre");

namespace {

// The formats of a stored invoice in the order the save dialog offers them (InvoiceIssuer::Filter).
enum EInvoiceFormat { ZugferdPdf = 0, XRechnungXml = 1 };
const QString eInvoiceSuffixes[] = {QStringLiteral(".pdf"), QStringLiteral(".xml")};

} // namespace

TFormRechnungsausgangsbuch::TFormRechnungsausgangsbuch(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_dialogs(dialogs), m_register(dmod.dbDorv)
{
    setObjectName(QStringLiteral("FormRechnungsausgangsbuch"));
    setWindowTitle(QStringLiteral("Rechnungsausgangsbuch"));
    setModal(false);
    buildWindow();
    resize(820, 480);
}

void TFormRechnungsausgangsbuch::buildWindow()
{
    auto *layout = new QVBoxLayout(this);

    auto *filters = new QHBoxLayout;
    cboJahr = new QComboBox(this);
    cboJahr->setObjectName(QStringLiteral("cboJahr"));
    auto *jahrLabel = new QLabel(QStringLiteral("&Jahr:"), this);
    jahrLabel->setBuddy(cboJahr);
    edtKunde = new QLineEdit(this);
    edtKunde->setObjectName(QStringLiteral("edtKunde"));
    edtKunde->setClearButtonEnabled(true);
    auto *kundeLabel = new QLabel(QStringLiteral("&Kunde:"), this);
    kundeLabel->setBuddy(edtKunde);
    filters->addWidget(jahrLabel);
    filters->addWidget(cboJahr);
    filters->addSpacing(16);
    filters->addWidget(kundeLabel);
    filters->addWidget(edtKunde, 1);
    layout->addLayout(filters);

    grdRechnungen = new QTableView(this);
    grdRechnungen->setObjectName(QStringLiteral("grdRechnungen"));
    m_model = new invoicing::RegisterModel(grdRechnungen);
    grdRechnungen->setModel(m_model);
    grdRechnungen->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdRechnungen->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRechnungen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRechnungen->verticalHeader()->hide();
    QHeaderView &header = *grdRechnungen->horizontalHeader();
    const int widths[invoicing::RegisterModel::ColumnCount] = {110, 80, 200, 100, 90, 80, 90, 110};
    for (int c = 0; c < invoicing::RegisterModel::ColumnCount; ++c) {
        grdRechnungen->setColumnWidth(
            c, controls::fittedColumnWidth(header, c, widths[c], c >= invoicing::RegisterModel::Net && c <= invoicing::RegisterModel::Gross ? QStringLiteral("-999.999,99") : QString()));
    }
    header.setSectionResizeMode(invoicing::RegisterModel::Customer, QHeaderView::Stretch);
    layout->addWidget(grdRechnungen, 1);

    lblSummen = new QLabel(this);
    lblSummen->setObjectName(QStringLiteral("lblSummen"));
    lblSummen->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSummen->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblSummen);

    using Form = TFormRechnungsausgangsbuch;
    btnAnzeigen = controls::button("&Anzeigen", "btnAnzeigen", this, &Form::btnAnzeigenClick);
    btnERechnung = controls::button("&E-Rechnung speichern...", "btnERechnung", this, &Form::btnERechnungClick);
    btnStornieren = controls::button("&Stornieren", "btnStornieren", this, &Form::btnStornierenClick);
    btnCsv = controls::button("&CSV...", "btnCsv", this, &Form::btnCsvClick);
    btnSchliessen = controls::button("&Schliessen", "btnSchliessen", this);
    connect(btnSchliessen, &QPushButton::clicked, this, &QDialog::close);
    layout->addLayout(controls::buttonRow({btnAnzeigen, btnERechnung, btnStornieren, btnCsv}, {btnSchliessen}));

    connect(cboJahr, &QComboBox::currentIndexChanged, this, &TFormRechnungsausgangsbuch::FilterChange);
    connect(edtKunde, &QLineEdit::textChanged, this, &TFormRechnungsausgangsbuch::FilterChange);
    connect(grdRechnungen, &QTableView::doubleClicked, this, &TFormRechnungsausgangsbuch::btnAnzeigenClick);
}

const std::vector<const Entry *> &TFormRechnungsausgangsbuch::shownRows() const
{
    return m_model->rows();
}

QString TFormRechnungsausgangsbuch::sumText(const invoiceregister::Sums &sums)
{
    return QStringLiteral("Summe: Netto %1 EUR   MwSt %2 EUR   Brutto %3 EUR")
        .arg(invoicing::RegisterModel::amountText(sums.net), invoicing::RegisterModel::amountText(sums.vat), invoicing::RegisterModel::amountText(sums.gross));
}

void TFormRechnungsausgangsbuch::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    controls::guarded(m_dialogs, [this] { FormShow(); });
}

void TFormRechnungsausgangsbuch::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // An invoice issued while the window stood behind shows when it comes to the front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        controls::guarded(m_dialogs, [this] { FormShow(); });
}

void TFormRechnungsausgangsbuch::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    // Shown again, the window reads the register afresh: a restore may have replaced it.
    m_read = false;
}

void TFormRechnungsausgangsbuch::FormShow()
{
    const qint64 newest = m_entries.empty() ? 0 : m_entries.front().id;
    if (!m_read || m_register.newestId() != newest)
        reload(currentId());
}

void TFormRechnungsausgangsbuch::reload(qint64 keep)
{
    m_read = false;
    m_model->setRows({}); // the rows point into the entries
    m_entries = m_register.entries();
    m_read = true;
    fillYears();
    showRows(keep);
}

void TFormRechnungsausgangsbuch::fillYears()
{
    const QString chosen = cboJahr->currentText();
    const QSignalBlocker quiet(cboJahr);
    cboJahr->clear();
    cboJahr->addItem(AlleJahre, 0);
    for (int year : invoiceregister::yearsOf(m_entries))
        cboJahr->addItem(QString::number(year), year);
    cboJahr->setCurrentIndex(std::max(0, cboJahr->findText(chosen)));
}

void TFormRechnungsausgangsbuch::FilterChange()
{
    controls::guarded(m_dialogs, [this] { showRows(currentId()); });
}

qint64 TFormRechnungsausgangsbuch::currentId() const
{
    const QModelIndex at = grdRechnungen->currentIndex();
    return at.isValid() ? m_model->rows()[static_cast<size_t>(at.row())]->id : 0;
}

void TFormRechnungsausgangsbuch::showRows(qint64 keep)
{
    const invoiceregister::Filter filter{cboJahr->currentData().toInt(), edtKunde->text()};
    m_model->setRows(invoiceregister::filtered(m_entries, filter));
    lblSummen->setText(sumText(invoiceregister::sumsOf(m_model->rows())));
    select(keep);
}

void TFormRechnungsausgangsbuch::select(qint64 id)
{
    const auto &rows = m_model->rows();
    int row = rows.empty() ? -1 : 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->id == id)
            row = static_cast<int>(i);
    }
    if (row >= 0)
        grdRechnungen->setCurrentIndex(m_model->index(row, 0));
}

const Entry *TFormRechnungsausgangsbuch::selected()
{
    const QModelIndex at = grdRechnungen->currentIndex();
    if (!at.isValid() || at.row() >= static_cast<int>(m_model->rows().size())) {
        m_dialogs.information(QStringLiteral("Bitte wählen Sie eine Rechnung aus."));
        return nullptr;
    }
    return m_model->rows()[static_cast<size_t>(at.row())];
}

void TFormRechnungsausgangsbuch::btnAnzeigenClick()
{
    controls::guarded(m_dialogs, [&] {
        const Entry *e = selected();
        if (!e)
            return;
        invoicing::RechnungsReport(m_shell.reportPath() + QStringLiteral("Rechnung.rtm"), m_register.invoice(e->id), e->header)
            .print(QStringLiteral("Screen"), this);
    });
}

QString TFormRechnungsausgangsbuch::documentsFolder() const
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? QDir::homePath() : docs;
}

void TFormRechnungsausgangsbuch::btnERechnungClick()
{
    controls::guarded(m_dialogs, [&] {
        const Entry *e = selected();
        if (!e)
            return;
        einvoice::Invoice invoice = m_register.invoice(e->id);
        // The kind it was issued as comes first; a buyer with a Leitweg-ID wants an XRechnung.
        const int offered = invoice.profile == einvoice::Profile::XRechnung || !invoice.buyer.buyerReference.trimmed().isEmpty()
                                ? XRechnungXml
                                : ZugferdPdf;
        const QString proposed = QDir(documentsFolder()).filePath(einvoice::proposedFileName(invoice.number) + eInvoiceSuffixes[offered]);
        controls::DialogService::SaveChoice choice = m_dialogs.saveFile(QStringLiteral("E-Rechnung speichern"), invoicing::InvoiceIssuer::Filter, offered, proposed);
        if (choice.path.isEmpty())
            return;
        invoice.profile = invoicing::savedProfile(choice);
        const QString path = choice.path;

        const QString missing = einvoice::missingDataMessage(invoice);
        if (!missing.isEmpty()) {
            m_dialogs.information(missing);
            return;
        }
        // The stored document in the profile chosen: an XRechnung saved as XRechnung again is the
        // stored document byte for byte.
        const QByteArray xml = einvoice::ciiXml(invoice);
        report::PreparedReport printout = invoicing::RechnungsReport(m_shell.reportPath() + QStringLiteral("Rechnung.rtm"), invoice, e->header);
        exporting::writeWholeFile(path, invoicing::eInvoiceFile(invoice, xml, printout.report(), QDateTime::currentDateTime()));
        m_dialogs.information(QStringLiteral("Die E-Rechnung wurde gespeichert: %1").arg(QDir::toNativeSeparators(path)));
    });
}

void TFormRechnungsausgangsbuch::btnStornierenClick()
{
    controls::guarded(m_dialogs, [&] {
        const Entry *e = selected();
        if (!e)
            return;
        const Entry chosen = *e;
        if (!m_dialogs.confirm(invoiceregister::InvoiceRegister::cancelQuestion(chosen)))
            return;
        // The register may have changed since the window read it; only the invoice the user
        // confirmed is cancelled.
        const std::vector<Entry> now = m_register.entries();
        const auto same = std::find_if(now.cbegin(), now.cend(), [&](const Entry &n) {
            return n.id == chosen.id && n.number == chosen.number && n.invoiceDate == chosen.invoiceDate;
        });
        if (same == now.cend()) {
            reload(0);
            m_dialogs.error(QStringLiteral("Die Rechnung %1 ist nicht mehr im Rechnungsausgangsbuch. Es wurde nichts storniert.")
                                .arg(chosen.number));
            return;
        }
        reload(m_register.cancel(chosen.id, QDateTime::currentDateTime()).id);
    });
}

void TFormRechnungsausgangsbuch::btnCsvClick()
{
    controls::guarded(m_dialogs, [&] {
        const QString year = cboJahr->currentData().toInt() ? cboJahr->currentText() : QStringLiteral("alle");
        const QString proposed = QDir(documentsFolder()).filePath(QStringLiteral("Rechnungsausgangsbuch_%1.csv").arg(year));
        QString path = m_dialogs.saveFile(QStringLiteral("CSV speichern"), QStringLiteral("CSV-Dateien|*.csv"), 0, proposed).path;
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".csv");
        exporting::writeWholeFile(path, invoiceregister::registerCsv(m_model->rows()));
        m_dialogs.information(QStringLiteral("Die CSV-Datei wurde gespeichert: %1").arg(QDir::toNativeSeparators(path)));
    });
}
