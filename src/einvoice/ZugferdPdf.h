#pragma once

#include "einvoice/Xmp.h"

#include <QByteArray>

namespace einvoice {

// Turns the invoice's pages, a PDF/A-1b document (see PdfPages.h), into a ZUGFeRD / Factur-X
// hybrid invoice, PDF/A-3b: the CII XML embedded as "factur-x.xml" (text/xml, relationship
// Alternative) and listed in the catalog's /AF array, XMP metadata declaring PDF/A-3b and
// Factur-X EN 16931, the document information to match; pages, fonts and the sRGB output
// intent stay as they are. Throws EInvoiceError when the pages are no usable PDF/A document.
QByteArray zugferdPdf(const QByteArray &pdfA1b, const QByteArray &ciiXml, const DocumentInfo &info);

} // namespace einvoice
