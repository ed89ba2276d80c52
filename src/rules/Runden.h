#pragma once

namespace rules {

// Rounds to two decimals the way the invoice shows prices: the value as a fixed-point text
// with two decimals (halves away from zero), read back as a number.
double r2(double value);

} // namespace rules
