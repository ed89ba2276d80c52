#include "einvoice/Totals.h"

namespace einvoice {

Totals totalsOf(values::Cents net, double vatRate, double cashDiscountPercent, double levyRate)
{
    Totals t;
    t.net = net;
    t.vat = values::percentOf(net, vatRate);
    t.gross = net + t.vat;
    t.cashDiscount = values::percentOf(t.gross, cashDiscountPercent);
    t.afterCashDiscount = t.gross - t.cashDiscount;
    t.levy = values::percentOf(net, levyRate);
    return t;
}

Totals invoiceTotals(const Invoice &invoice)
{
    values::Cents net = 0;
    for (const InvoiceLine &line : invoice.lines)
        net += values::toCents(line.amount);
    const double cashDiscount = invoice.isCancellation() ? 0 : invoice.terms.cashDiscountPercent;
    return totalsOf(net, invoice.vatRate, cashDiscount, invoice.levyRate);
}

} // namespace einvoice
