#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

// Display formats of numbers and dates, used alike by grids, the summary, the status bar and
// the reports.
namespace values::display {

struct Separators
{
    QChar decimal = u',';
    QChar group = u'.';
};

// The separators of the user's locale (QLocale()); German ones when the locale is "C".
Separators localeSeparators();

// A number pattern of "0" (digit always shown), "#" (digit shown when significant), "." (the
// decimal separator's place) and "," (group thousands), followed by literal text, with an
// optional second section after ";" for negative values: "#0.00 FM", "###,##0.00 EUR",
// ",0.00;-,0.00". Halves round away from zero, on the value's shortest decimal text (1.005 with
// two decimals gives "1,01"). Without a negative section a negative value gets a leading "-";
// a value that shows as zero never does. A third section, if given, is used for zero. Quoted
// text ('...' or "...") is literal; "E+00" / "E-00" asks for scientific notation. A zero always
// shows one digit ("###.##" gives "0"), so that it is not taken for an empty field. An empty
// pattern is the general number format.
QString formatFloat(const QString &pattern, double value, const Separators &sep = localeSeparators());

// The general number format: the shortest text of the value with at most 15 significant
// digits, no trailing zeros, no grouping; exponent notation only below 0.00001 (other than 0)
// or with more than 15 digits before the separator. 12.5 gives "12,5", 3 gives "3".
QString formatGeneral(double value, const Separators &sep = localeSeparators());

// Fixed format with exactly two decimals and no grouping: 6 gives "6,00".
QString formatFixed2(double value, const Separators &sep = localeSeparators());

// Date-time patterns of "dd", "mm", "yyyy", "hh", "nn" (minutes) and literal text:
// "dd.mm.yyyy" and "dd.mm.yyyy hh:nn". Also "d", "m", "h", "n" without a leading zero, "yy",
// "ss" / "s" (seconds) and quoted literal text; letters in either case. An invalid date-time
// gives an empty text.
QString formatDateTime(const QString &pattern, const QDateTime &value);

// The longest figures in general format that a list of 100,000 logs of up to 10,66 FM each
// shows, for sizing the cells that show them; every "0" stands for any digit. Volumes carry the
// four decimals of imported lists.
inline const QString longestLogCount = QStringLiteral("000000");
inline QString longestVolumeTotal(const Separators &sep = localeSeparators())
{
    return QStringLiteral("0000000") + sep.decimal + QStringLiteral("0000");
}

} // namespace values::display
