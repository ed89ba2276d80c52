#include "invoicing/EInvoiceFile.h"

#include "einvoice/PdfPages.h"
#include "einvoice/ZugferdPdf.h"
#include "report/PagePainter.h"
#include "report/Report.h"

#include <QFileInfo>

namespace invoicing {

namespace {

// The formats in the order the save dialog offers them (InvoiceIssuer::Filter).
enum EInvoiceFormat { ZugferdPdf = 0, XRechnungXml = 1 };
const QString suffixes[] = {QStringLiteral("pdf"), QStringLiteral("xml")};

} // namespace

einvoice::Profile savedProfile(controls::DialogService::SaveChoice &choice)
{
    const QString suffix = QFileInfo(choice.path).suffix().toLower();
    const bool asXml = suffix == suffixes[XRechnungXml] || (suffix != suffixes[ZugferdPdf] && choice.filter == XRechnungXml);
    if (suffix != suffixes[XRechnungXml] && suffix != suffixes[ZugferdPdf])
        choice.path += u'.' + suffixes[asXml ? XRechnungXml : ZugferdPdf];
    return asXml ? einvoice::Profile::XRechnung : einvoice::Profile::FacturX;
}

QByteArray eInvoiceFile(const einvoice::Invoice &invoice, const QByteArray &xml, const report::Report &printout,
                        const QDateTime &written)
{
    if (invoice.profile == einvoice::Profile::XRechnung)
        return xml;
    const std::vector<report::Page> pages = printout.layOut();
    const report::PageSetup &setup = printout.layout().page;
    const einvoice::PdfPages pdfPages{static_cast<int>(pages.size()), QSizeF(setup.width, setup.height),
                                      [&pages](QPainter &painter, int index) {
                                          report::PagePainter::paint(painter, pages[static_cast<size_t>(index)]);
                                      }};
    const QString title = QStringLiteral("Rechnung ") + invoice.number;
    return einvoice::zugferdPdf(einvoice::pdfA1b(pdfPages, title), xml, {title, QStringLiteral("Dorv"), QStringLiteral("Dorv"), written});
}

} // namespace invoicing
