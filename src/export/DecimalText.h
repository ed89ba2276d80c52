#pragma once

#include <QString>

namespace exporting {

// The shortest decimal text that reads back as exactly this number, without exponent and
// without thousands separators: 0.5 gives "0.5", 0.1234 "0.1234", 12 "12". The separator
// replaces the decimal point. Sums are added exactly by engine::DecimalSum.
QString decimalText(double value, QChar separator = u'.');

} // namespace exporting
