#include "fuzz/FuzzLogic.h"

#include "data/DisplayFormat.h"

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

    const data::display::Separators german;
    const data::display::Separators english{u'.', u','};
    for (const data::display::Separators &sep : {german, english}) {
        data::display::formatFloat(pattern, value, sep);
        data::display::formatFloat(pattern, -value, sep);
        data::display::formatGeneral(value, sep);
        data::display::formatFixed2(value, sep);
        if (data::display::formatFloat(QString(), value, sep) != data::display::formatGeneral(value, sep))
            throw Violation("the empty pattern is not the general number format");
    }

    // The value as milliseconds since 1970, within the years QDateTime can show.
    constexpr double limit = 1e14; // about 3,000 years either way
    const double msecs = std::isfinite(value) ? std::clamp(value, -limit, limit) : 0.0;
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(qint64(msecs), QTimeZone::utc());
    data::display::formatDateTime(pattern, time);
    if (!data::display::formatDateTime(pattern, QDateTime()).isEmpty())
        throw Violation("an invalid date-time gives text");
}

} // namespace fuzzlogic
