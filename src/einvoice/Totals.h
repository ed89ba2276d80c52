#pragma once

#include "einvoice/Invoice.h"
#include "values/Cents.h"

namespace einvoice {

// The amounts of an invoice's summary block, each exactly as the invoice shows it:
//   net                 = the sum of the line amounts
//   vat                 = net × VAT rate / 100, rounded to cents
//   gross               = net + vat                    ("Rechnungsbetrag")
//   cashDiscount        = gross × cash discount / 100, rounded to cents
//   afterCashDiscount   = gross − cashDiscount
//   levy                = net × levy rate / 100, rounded to cents (the levy sentence)
struct Totals
{
    values::Cents net = 0;
    values::Cents vat = 0;
    values::Cents gross = 0;
    values::Cents cashDiscount = 0;
    values::Cents afterCashDiscount = 0;
    values::Cents levy = 0;
};

Totals totalsOf(values::Cents net, double vatRate, double cashDiscountPercent, double levyRate);
Totals invoiceTotals(const Invoice &invoice);

} // namespace einvoice
