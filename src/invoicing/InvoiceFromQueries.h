#pragma once

#include "einvoice/Invoice.h"
#include "values/ListHeader.h"

#include <QDate>
#include <QString>

class TDMod;

namespace invoicing {

// What the invoice window adds to the stored data: the number and the two dates typed there.
struct InvoiceHeader
{
    QString number;
    QDate invoiceDate;
    QDate deliveryDate;
};

// The invoice as the window has prepared it, read from the queries the printout reads: the
// company record (qryFirma), the chosen customer (qryKunden, with the address and terms as
// edited), the invoice lines (qryRechnung, with their Summe) and the list header
// (qryDorvZusatz). Fields a query lacks stay empty; the profile is Factur-X.
einvoice::Invoice invoiceFromQueries(const TDMod &dmod, const InvoiceHeader &header);

// The list header as the printout prints it, from qryDorvZusatz.
values::ListHeader listHeaderFromQueries(const TDMod &dmod);
// The chosen customer's number (NRKD of qryKunden).
QString customerNumberFromQueries(const TDMod &dmod);

} // namespace invoicing
