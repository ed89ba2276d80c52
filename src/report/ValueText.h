#pragma once

#include "values/DisplayFormat.h"

#include <QString>
#include <QVariant>

namespace report {

// The printed text of a value. With a format, numbers use the display-format patterns and dates
// the date-time patterns; without one a value prints plain: integers as digits, texts as stored,
// floats in the general number format, dates as "dd.mm.yyyy", booleans as "Ja" / "Nein".
// A null value prints nothing.
QString valueText(const QVariant &value, const QString &format, const values::display::Separators &sep);

} // namespace report
