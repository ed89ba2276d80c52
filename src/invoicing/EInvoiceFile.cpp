#include "invoicing/EInvoiceFile.h"

#include "einvoice/PdfPages.h"
#include "einvoice/ZugferdPdf.h"
#include "report/PagePainter.h"
#include "report/Report.h"

namespace invoicing {

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
