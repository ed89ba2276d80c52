#pragma once

#include <QString>

namespace exporting {

// The shortest decimal text that reads back as exactly this number, without exponent and
// without thousands separators: 0.5 gives "0.5", 0.1234 "0.1234", 12 "12". The separator
// replaces the decimal point.
QString decimalText(double value, QChar separator = u'.');

// Adds numbers as the decimals decimalText writes, so that the sum is the sum of the figures
// a reader sees: 0.1 + 0.2 gives 0.3, not 0.30000000000000004. Numbers beyond 15 digits
// before or 18 after the point are summed as doubles.
class DecimalSum
{
public:
    void add(double value);
    QString text() const;  // with a decimal point
    double value() const;  // the double nearest to text()

private:
    void rescale(int scale);

    __int128 m_units = 0; // the sum in units of 10^-m_scale
    int m_scale = 0;
    bool m_exact = true;
    double m_approx = 0;  // the plain double sum, used once exactness is given up
};

} // namespace exporting
