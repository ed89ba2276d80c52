#pragma once

#include "controls/DialogService.h"
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
// The format an e-invoice is saved in, from the save dialog's answer (its filter being
// InvoiceIssuer::Filter): a typed ".pdf" or ".xml" wins over the filter chosen; any other name
// gets the extension of the filter chosen added to `choice.path`.
einvoice::Profile savedProfile(controls::DialogService::SaveChoice &choice);

QByteArray eInvoiceFile(const einvoice::Invoice &invoice, const QByteArray &xml, const report::Report &printout,
                        const QDateTime &written);

} // namespace invoicing
