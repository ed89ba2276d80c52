#pragma once

#include "einvoice/Invoice.h"
#include "report/PreparedReport.h"
#include "invoiceregister/Entry.h"

#include <QString>

namespace invoicing {

// The printed invoice of an invoice kept in the register, built from its stored document and
// the list header it printed, not from today's company, customer or prices: the invoice
// template's pipelines filled with those values, dated on the invoice date.
report::PreparedReport StoredInvoiceReport(const QString &templatePath, const einvoice::Invoice &invoice,
                                               const invoiceregister::ListHeader &header);

} // namespace invoicing
