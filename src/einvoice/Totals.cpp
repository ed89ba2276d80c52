#include "einvoice/Totals.h"

#include <cmath>
#include <cstdlib>

namespace einvoice {

namespace {

constexpr std::int64_t rateScale = 10000; // a rate in ten-thousandths of a percent

} // namespace

Cents toCents(double amount)
{
    return std::llround(amount * 100.0);
}

Cents percentOf(Cents amount, double percent)
{
    const std::int64_t rate = std::llround(percent * rateScale);
    const std::int64_t divisor = 100 * rateScale;
    const std::int64_t product = amount * rate;
    std::int64_t result = product / divisor;
    const std::int64_t rest = product % divisor;
    if (std::llabs(rest) * 2 >= divisor)
        result += product < 0 ? -1 : 1;
    return result;
}

Totals totalsOf(Cents net, double vatRate, double cashDiscountPercent, double levyRate)
{
    Totals t;
    t.net = net;
    t.vat = percentOf(net, vatRate);
    t.gross = net + t.vat;
    t.cashDiscount = percentOf(t.gross, cashDiscountPercent);
    t.afterCashDiscount = t.gross - t.cashDiscount;
    t.levy = percentOf(net, levyRate);
    return t;
}

Totals invoiceTotals(const Invoice &invoice)
{
    Cents net = 0;
    for (const InvoiceLine &line : invoice.lines)
        net += toCents(line.amount);
    const double cashDiscount = invoice.isCancellation() ? 0 : invoice.terms.cashDiscountPercent;
    return totalsOf(net, invoice.vatRate, cashDiscount, invoice.levyRate);
}

} // namespace einvoice
