#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;

namespace einvoice {

// Pages to put into a PDF: how many, their paper size in millimetres (portrait when narrower
// than high) and how to draw each. The painter's device is the whole sheet; it has the
// resolution of the PDF (600 dpi), as the report engine's page painter expects.
struct PdfPages
{
    int count = 0;
    QSizeF sizeMm{210, 297};
    std::function<void(QPainter &painter, int index)> paint;
};

// The pages drawn into a PDF/A-1b document in memory (fonts embedded, sRGB output intent):
// the printed invoice's pages, ready to become a ZUGFeRD PDF. Throws EInvoiceError when the
// pages cannot be drawn.
QByteArray pdfA1b(const PdfPages &pages, const QString &title);

} // namespace einvoice
