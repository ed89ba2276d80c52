#include "fuzz/FuzzLogic.h"

#include "values/DisplayFormat.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace fuzzlogic {

void displayFormat(QByteArrayView input)
{
    const qsizetype newline = input.indexOf('\n');
    const QByteArray valueText = (newline < 0 ? input : input.first(newline)).toByteArray().trimmed();
    const QString pattern = newline < 0 ? QString() : QString::fromUtf8(input.sliced(newline + 1));

    bool ok = false;
    double value = valueText.toDouble(&ok);
    if (!ok)
        value = valueText.size(); // any number will do

    const values::display::Separators german;
    const values::display::Separators english{u'.', u','};
    for (const values::display::Separators &sep : {german, english}) {
        values::display::formatFloat(pattern, value, sep);
        values::display::formatFloat(pattern, -value, sep);
        values::display::formatGeneral(value, sep);
        values::display::formatFixed2(value, sep);
        if (values::display::formatFloat(QString(), value, sep) != values::display::formatGeneral(value, sep))
            throw Violation("the empty pattern is not the general number format");
    }

    // The value as milliseconds since 1970, within the years QDateTime can show.
    constexpr double limit = 1e14; // about 3,000 years either way
    const double msecs = std::isfinite(value) ? std::clamp(value, -limit, limit) : 0.0;
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(qint64(msecs), QTimeZone::utc());
    values::display::formatDateTime(pattern, time);
    if (!values::display::formatDateTime(pattern, QDateTime()).isEmpty())
        throw Violation("an invalid date-time gives text");
}

} // namespace fuzzlogic
