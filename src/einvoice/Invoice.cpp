#include "einvoice/Invoice.h"

namespace einvoice {

Invoice cancellationOf(Invoice original, const QString &number, const QDate &date)
{
    original.cancels = {original.number, original.invoiceDate};
    original.number = number;
    original.invoiceDate = date;
    original.terms = {};
    return original;
}

} // namespace einvoice
