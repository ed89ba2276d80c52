#pragma once

#include "einvoice/Invoice.h"

#include <cstdint>

namespace einvoice {

// Money in whole cents: the invoice's amounts are added and compared as integers, so that a
// total never drifts by a binary fraction.
using Cents = std::int64_t;

// An amount as the invoice query delivers it (a double with two decimals) in cents.
Cents toCents(double amount);
// Back again: the amount as the printout and the stored tables carry it.
inline double toAmount(Cents cents)
{
    return static_cast<double>(cents) / 100.0;
}

// `percent` % of an amount, rounded to whole cents with halves away from zero. The rate counts
// with up to four decimals (16, 5.5, 0.2), exactly as typed.
Cents percentOf(Cents amount, double percent);

// The amounts of an invoice's summary block, each exactly as the invoice shows it:
//   net                 = the sum of the line amounts
//   vat                 = net × VAT rate / 100, rounded to cents
//   gross               = net + vat                    ("Rechnungsbetrag")
//   cashDiscount        = gross × cash discount / 100, rounded to cents
//   afterCashDiscount   = gross − cashDiscount
//   levy                = net × levy rate / 100, rounded to cents (the levy sentence)
struct Totals
{
    Cents net = 0;
    Cents vat = 0;
    Cents gross = 0;
    Cents cashDiscount = 0;
    Cents afterCashDiscount = 0;
    Cents levy = 0;
};

Totals totalsOf(Cents net, double vatRate, double cashDiscountPercent, double levyRate);
Totals invoiceTotals(const Invoice &invoice);

} // namespace einvoice
