#pragma once

#include "einvoice/Totals.h"

#include <QString>

namespace einvoice {

// Numbers as the e-invoice formats write them: a decimal point whatever the user's locale,
// no grouping.

// An amount with exactly two decimals: 58040 cents gives "580.40", -5 gives "-0.05".
QString amountText(values::Cents amount);

// A quantity, price or rate with at least `minDecimals` and at most `maxDecimals` decimals:
// 10 gives "10.00", 1.23456 gives "1.2346" (with 2 and 4).
QString decimalText(double value, int minDecimals = 2, int maxDecimals = 4);

} // namespace einvoice
