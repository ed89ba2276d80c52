#pragma once

#include <cstdint>

namespace values {

// Money in whole cents: amounts are added and compared as integers, so that a total never
// drifts by a binary fraction.
using Cents = std::int64_t;

// An amount as a query delivers it (a double with two decimals) in cents.
Cents toCents(double amount);
// Back again: the amount as the printout and the stored tables carry it.
inline double toAmount(Cents cents)
{
    return static_cast<double>(cents) / 100.0;
}

// `percent` % of an amount, rounded to whole cents with halves away from zero. The rate counts
// with up to four decimals (16, 5.5, 0.2), exactly as typed.
Cents percentOf(Cents amount, double percent);

} // namespace values
