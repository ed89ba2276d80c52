#include "einvoice/PdfPages.h"

#include "einvoice/EInvoiceError.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace einvoice {

QByteArray pdfA1b(const PdfPages &pages, const QString &title)
{
    if (pages.count < 1 || !pages.paint)
        throw EInvoiceError(QStringLiteral("Die Rechnung hat keine Seiten."));
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(600);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Dorv"));
        const QSizeF portrait(std::min(pages.sizeMm.width(), pages.sizeMm.height()), std::max(pages.sizeMm.width(), pages.sizeMm.height()));
        const auto orientation = pages.sizeMm.width() > pages.sizeMm.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
        writer.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            throw EInvoiceError(QStringLiteral("Die Seiten der Rechnung konnten nicht als PDF gezeichnet werden."));
        for (int i = 0; i < pages.count; ++i) {
            if (i > 0)
                writer.newPage();
            pages.paint(painter, i);
        }
        if (!painter.end())
            throw EInvoiceError(QStringLiteral("Die Seiten der Rechnung konnten nicht als PDF gezeichnet werden."));
    }
    return bytes;
}

} // namespace einvoice
