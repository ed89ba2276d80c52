#pragma once

#include <QtGlobal>

struct sqlite3;

namespace engine {

// A sum of numbers taken as the decimals they stand for. A volume column holds 0,71 as the
// binary fraction nearest to it; added as binary fractions, a thousand of them give
// 710,000000000004. Here every value counts as the shortest decimal that reads back as it
// (for a value stored in a NUMERIC(p,s) column, the decimal that was stored), the decimals are
// added exactly as scaled integers, and the result is the double nearest to the exact sum:
// a thousand times 0,71 gives 710.
// Values the exact sum cannot hold (beyond about 10^20, or with more than 28 decimals) make
// the sum fall back to adding binary floating-point numbers.
class DecimalSum
{
public:
    void add(double value);
    void add(qint64 value);
    // Takes back a value added before (for a sliding window of rows).
    void remove(double value);
    void remove(qint64 value);

    bool isEmpty() const { return m_count == 0; }
    // Nothing but integers was added: the sum is an integer.
    bool onlyIntegers() const { return !m_hadFloat; }
    double toDouble() const;
    // The sum of integers; false when it does not fit into 64 bits.
    bool toInteger(qint64 &result) const;

private:
    __extension__ using Int128 = __int128;

    void addDecimal(Int128 units, int scale, double value);

    Int128 m_units = 0;    // the exact sum in units of 10^-m_scale
    int m_scale = 0;
    bool m_inexact = false; // the exact sum gave up; m_approx holds the sum
    bool m_hadFloat = false;
    long double m_approx = 0;
    qint64 m_count = 0;
};

// Makes SUM on the connection add as DecimalSum does, also as a window function. The result
// keeps SQLite's types: an integer while only integers are summed ("integer overflow" beyond
// 64 bits), a float otherwise, null when there is no value.
void registerDecimalSum(sqlite3 *db);

} // namespace engine
