#include "invoicing/InvoiceIssuer.h"

#include "controls/DialogService.h"
#include "einvoice/CiiWriter.h"
#include "einvoice/EInvoiceError.h"
#include "einvoice/Files.h"
#include "einvoice/MissingData.h"
#include "einvoice/PdfPages.h"
#include "einvoice/ZugferdPdf.h"
#include "report/PagePainter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace invoicing {

namespace {

enum FilterIndex { ZugferdFilter, XRechnungFilter };

} // namespace

const QString InvoiceIssuer::Filter = QStringLiteral("ZUGFeRD-PDF|*.pdf|XRechnung|*.xml");

void InvoiceIssuer::print(PreparedInvoice &prepared, QWidget *parent)
{
    // The invoice leaves the program on paper here (prepared.invoice, kind "Druck"; its XML is
    // einvoice::ciiXml(prepared.invoice)).
    prepared.printout.print(QStringLiteral("Printer"), parent);
}

bool InvoiceIssuer::complete(const einvoice::Invoice &invoice)
{
    const QString missing = einvoice::missingDataMessage(invoice);
    if (missing.isEmpty())
        return true;
    m_dialogs.error(missing);
    return false;
}

QByteArray InvoiceIssuer::zugferdBytes(PreparedInvoice &prepared, const QByteArray &xml)
{
    const report::Report &printout = prepared.printout.report();
    const std::vector<report::Page> pages = printout.layOut();
    const report::PageSetup &setup = printout.layout().page;
    const einvoice::PdfPages pdfPages{int(pages.size()), QSizeF(setup.width, setup.height),
                                      [&pages](QPainter &painter, int index) { report::PagePainter::paint(painter, pages[size_t(index)]); }};
    const QString title = QStringLiteral("Rechnung ") + prepared.invoice.number;
    einvoice::DocumentInfo info;
    info.title = title;
    info.created = QDateTime::currentDateTime();
    return einvoice::zugferdPdf(einvoice::pdfA1b(pdfPages, title), xml, info);
}

void InvoiceIssuer::saveEInvoice(PreparedInvoice &prepared)
{
    einvoice::Invoice &invoice = prepared.invoice;
    const bool forPublicBuyer = !invoice.buyer.buyerReference.trimmed().isEmpty();
    invoice.profile = forPublicBuyer ? einvoice::Profile::XRechnung : einvoice::Profile::FacturX;
    if (!complete(invoice))
        return;

    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (m_folder.isEmpty())
        m_folder = QDir::homePath();
    const QString proposed = QDir(m_folder).filePath(einvoice::proposedFileName(invoice.number)
                                                     + (forPublicBuyer ? QStringLiteral(".xml") : QStringLiteral(".pdf")));
    const DialogService::SaveChoice choice = m_dialogs.saveFile(QStringLiteral("E-Rechnung speichern"), Filter,
                                                                forPublicBuyer ? XRechnungFilter : ZugferdFilter, proposed);
    if (choice.path.isEmpty())
        return;
    const einvoice::Profile chosen = choice.filter == XRechnungFilter ? einvoice::Profile::XRechnung : einvoice::Profile::FacturX;
    if (chosen != invoice.profile) {
        invoice.profile = chosen;
        if (!complete(invoice))
            return;
    }

    try {
        const QByteArray xml = einvoice::ciiXml(invoice);
        const QString kind = chosen == einvoice::Profile::XRechnung ? QStringLiteral("XRechnung") : QStringLiteral("ZUGFeRD");
        einvoice::saveFile(choice.path, chosen == einvoice::Profile::XRechnung ? xml : zugferdBytes(prepared, xml));
        // The invoice has left the program as an e-invoice here (invoice, xml, kind).
        m_folder = QFileInfo(choice.path).absolutePath();
        m_dialogs.information(QStringLiteral("Die E-Rechnung (%1) wurde gespeichert:\n%2").arg(kind, QDir::toNativeSeparators(choice.path)));
    } catch (const einvoice::EInvoiceError &e) {
        m_dialogs.error(e.message());
    }
}

} // namespace invoicing
