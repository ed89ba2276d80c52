#include "einvoice/Numbers.h"

#include "values/DisplayFormat.h"

#include <cstdlib>

namespace einvoice {

QString amountText(values::Cents amount)
{
    const values::Cents magnitude = std::llabs(amount);
    return QStringLiteral("%1%2.%3")
        .arg(amount < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString decimalText(double value, int minDecimals, int maxDecimals)
{
    // The display format rounds as the printed invoice does (halves away from zero on the
    // value as typed); a point and no grouping make it the formats' notation.
    const QString pattern = QStringLiteral("0.") + QString(minDecimals, u'0') + QString(maxDecimals - minDecimals, u'#');
    return values::display::formatFloat(pattern, value, values::display::Separators{u'.', u','});
}

} // namespace einvoice
