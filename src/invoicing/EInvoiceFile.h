#pragma once

#include "einvoice/Invoice.h"

#include <QByteArray>
#include <QDateTime>

namespace report {
class Report;
}

namespace invoicing {

// The file of an e-invoice in the invoice's profile: the XRechnung document itself, or for
// ZUGFeRD the printed invoice's pages as PDF/A-3 with the document embedded. `printout` is the
// invoice's report with its pipelines set; `written` dates the PDF. Raises EInvoiceError.
QByteArray eInvoiceFile(const einvoice::Invoice &invoice, const QByteArray &xml, const report::Report &printout,
                        const QDateTime &written);

} // namespace invoicing
