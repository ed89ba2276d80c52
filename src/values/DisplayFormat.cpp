#include "values/DisplayFormat.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace values::display {

namespace {

// A finite, non-negative decimal number: 0.d1d2d3... × 10^point. The digits carry no leading
// and no trailing zeros; no digits at all means zero.
struct Decimal
{
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }
};

void trimTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.point = 0;
}

// The magnitude of a finite value from its shortest text that reads back as the same double, so
// that 1.005 is rounded as the 1.005 the user typed and not as the binary value just below it.
Decimal decimalOf(double value)
{
    Decimal d;
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0)
        return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    }
    d.point = std::stoi(text.substr(e + 1)) + 1;
    trimTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits and rounds half away from zero on the first dropped one.
void roundAt(Decimal &d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d = {};
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    trimTrailingZeros(d);
}

void roundToDecimals(Decimal &d, int decimals)
{
    if (!d.isZero())
        roundAt(d, d.point + decimals);
}

// The digits before the decimal separator, without leading zeros ("" for values below 1).
std::string integerDigits(const Decimal &d)
{
    if (d.point <= 0)
        return {};
    std::string s = d.digits.substr(0, static_cast<std::size_t>(d.point));
    s.resize(static_cast<std::size_t>(d.point), '0');
    return s;
}

// The first `count` digits after the decimal separator, padded with zeros.
std::string fractionDigits(const Decimal &d, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i) {
        const int index = d.point + i;
        const bool present = index >= 0 && index < static_cast<int>(d.digits.size());
        s.push_back(present ? d.digits[static_cast<std::size_t>(index)] : '0');
    }
    return s;
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// ---- number patterns ----

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// The sections of a pattern, split at ";" outside quoted text.
std::vector<QString> splitSections(const QString &pattern)
{
    std::vector<QString> sections(1);
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (isQuote(c)) {
            quote = c;
        } else if (c == u';') {
            sections.emplace_back();
            continue;
        }
        sections.back().append(c);
    }
    return sections;
}

// One piece of a section: a digit place, the decimal point, the exponent or literal text.
struct Token
{
    enum Kind { IntegerPlace, DecimalPlace, Point, Exponent, Literal };
    Kind kind;
    QString text; // the literal text, or "E" / "e" of the exponent
    QChar sign;   // of the exponent: '+' always writes a sign, '-' only a minus
};

// What one section asks for. Placeholders before the first "." are integer places, after it
// decimal places; "E+" or "E-" followed by zeros asks for scientific notation.
struct Section
{
    std::vector<Token> tokens;
    int integerPlaces = 0;
    int minIntegerDigits = 0; // integer places from the first "0" on
    int maxDecimals = 0;
    int minDecimals = 0; // up to the last "0" after the point
    int exponentDigits = 0;
    bool grouping = false;
    bool hasPoint = false;
    bool scientific = false;
};

Section parseSection(const QString &text)
{
    Section s;
    auto literal = [&s](QChar c) {
        if (s.tokens.empty() || s.tokens.back().kind != Token::Literal)
            s.tokens.push_back({Token::Literal, {}, {}});
        s.tokens.back().text.append(c);
    };
    bool seenZero = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (isQuote(c)) {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? n : end;
            for (qsizetype j = i + 1; j < stop; ++j)
                literal(text[j]);
            i = stop;
        } else if ((c == u'0' || c == u'#') && !s.scientific) {
            if (s.hasPoint) {
                ++s.maxDecimals;
                if (c == u'0')
                    s.minDecimals = s.maxDecimals;
                s.tokens.push_back({Token::DecimalPlace, {}, {}});
            } else {
                ++s.integerPlaces;
                seenZero = seenZero || c == u'0';
                if (seenZero)
                    ++s.minIntegerDigits;
                s.tokens.push_back({Token::IntegerPlace, {}, {}});
            }
        } else if (c == u'.' && !s.scientific) {
            if (!s.hasPoint)
                s.tokens.push_back({Token::Point, {}, {}});
            s.hasPoint = true;
        } else if (c == u',' && !s.scientific) {
            s.grouping = true;
        } else if ((c == u'E' || c == u'e') && !s.scientific && i + 1 < n
                   && (text[i + 1] == u'+' || text[i + 1] == u'-')) {
            s.scientific = true;
            s.tokens.push_back({Token::Exponent, QString(c), text[i + 1]});
            ++i;
            while (i + 1 < n && text[i + 1] == u'0') {
                ++s.exponentDigits;
                ++i;
            }
            s.exponentDigits = qBound(1, s.exponentDigits, 4);
        } else {
            literal(c);
        }
    }
    return s;
}

bool hasPlaceholders(const Section &s)
{
    return s.integerPlaces > 0 || s.maxDecimals > 0 || s.hasPoint;
}

// A magnitude rounded for a section; in scientific notation the mantissa and its exponent.
struct Shown
{
    Decimal digits;
    int exponent = 0;
};

Shown roundFor(const Section &s, double value)
{
    Shown shown{decimalOf(value), 0};
    Decimal &d = shown.digits;
    if (!s.scientific) {
        roundToDecimals(d, s.maxDecimals);
    } else if (!d.isZero()) {
        const int places = std::max(1, s.integerPlaces);
        shown.exponent = d.point - places;
        d.point = places;
        roundAt(d, places + s.maxDecimals);
        if (d.point > places) { // 9,99E+00 rounded up to 10,0E+00
            ++shown.exponent;
            d.point = places;
        }
    }
    return shown;
}

// Writes a rounded magnitude into the section: digits take the places of "0" and "#", integer
// digits beyond the places given go to the first one, literal text is copied. The minus belongs
// to the number, so a section without digit places gets none.
QString render(const Section &s, const Shown &shown, bool minus, const Separators &sep)
{
    std::string intDigits = integerDigits(shown.digits);
    if (static_cast<int>(intDigits.size()) < s.minIntegerDigits)
        intDigits.insert(0, static_cast<std::size_t>(s.minIntegerDigits) - intDigits.size(), '0');
    std::string fraction = fractionDigits(shown.digits, s.maxDecimals);
    while (static_cast<int>(fraction.size()) > s.minDecimals && fraction.back() == '0')
        fraction.pop_back();
    // A zero still shows one digit, so that it does not look like an empty field.
    if (intDigits.empty() && fraction.empty() && hasPlaceholders(s))
        intDigits.push_back('0');

    const int length = static_cast<int>(intDigits.size());
    QString out;
    if (minus && hasPlaceholders(s))
        out.append(u'-');
    auto putIntegerDigit = [&](int index) {
        out.append(QChar(intDigits[static_cast<std::size_t>(index)]));
        const int remaining = length - 1 - index;
        if (s.grouping && remaining > 0 && remaining % 3 == 0)
            out.append(sep.group);
    };
    auto putLeadingDigits = [&](int upTo) {
        for (int i = 0; i <= upTo && i < length; ++i)
            putIntegerDigit(i);
    };

    int integerPlace = 0;
    int decimalPlace = 0;
    for (const Token &t : s.tokens) {
        switch (t.kind) {
        case Token::IntegerPlace: {
            const int index = length - (s.integerPlaces - integerPlace);
            if (integerPlace == 0)
                putLeadingDigits(index);
            else if (index >= 0)
                putIntegerDigit(index);
            ++integerPlace;
            break;
        }
        case Token::DecimalPlace:
            if (decimalPlace < static_cast<int>(fraction.size()))
                out.append(QChar(fraction[static_cast<std::size_t>(decimalPlace)]));
            ++decimalPlace;
            break;
        case Token::Point:
            if (s.integerPlaces == 0)
                putLeadingDigits(length - 1);
            if (!fraction.empty())
                out.append(sep.decimal);
            break;
        case Token::Exponent:
            out.append(t.text);
            if (shown.exponent < 0)
                out.append(u'-');
            else if (t.sign == u'+')
                out.append(u'+');
            out.append(QStringLiteral("%1").arg(std::abs(shown.exponent), s.exponentDigits, 10, QLatin1Char('0')));
            break;
        case Token::Literal:
            out.append(t.text);
            break;
        }
    }
    return out;
}

// ---- general number format ----

constexpr int generalPrecision = 15;

QString digitsText(const std::string &digits)
{
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
}

} // namespace

Separators localeSeparators()
{
    const QLocale locale;
    if (locale.language() == QLocale::C || locale.name() == QLatin1String("C"))
        return Separators{};
    Separators sep;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (!decimal.isEmpty())
        sep.decimal = decimal.front();
    if (!group.isEmpty() && group.front() != sep.decimal)
        sep.group = group.front();
    else
        sep.group = sep.decimal == u',' ? u'.' : u',';
    return sep;
}

QString formatFloat(const QString &pattern, double value, const Separators &sep)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const std::vector<QString> sections = splitSections(pattern);
    const bool negative = value < 0;
    // The negative section writes its own sign, if any; without one the first section is used.
    const bool ownSign = negative && sections.size() > 1 && !sections[1].isEmpty();
    const QString &chosen = ownSign ? sections[1] : sections[0];
    if (chosen.isEmpty())
        return formatGeneral(value, sep);

    const Section section = parseSection(chosen);
    const Shown shown = roundFor(section, value);
    if (!shown.digits.isZero())
        return render(section, shown, negative && !ownSign, sep);
    // The value shows as zero: the zero section if there is one, else the first; never a minus.
    if (sections.size() > 2 && !sections[2].isEmpty())
        return render(parseSection(sections[2]), Shown{}, false, sep);
    if (sections[0].isEmpty())
        return formatGeneral(0, sep);
    return render(parseSection(sections[0]), Shown{}, false, sep);
}

QString formatGeneral(double value, const Separators &sep)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    Decimal d = decimalOf(value);
    roundAt(d, generalPrecision);
    if (d.isZero())
        return QStringLiteral("0");

    QString out;
    if (value < 0)
        out.append(u'-');
    // Below 0.00001 (0.1 × 10^-4) or more integer digits than the precision: exponent form.
    if (d.point < -4 || d.point > generalPrecision) {
        out.append(QChar(d.digits.front()));
        if (d.digits.size() > 1) {
            out.append(sep.decimal);
            out.append(digitsText(d.digits.substr(1)));
        }
        out.append(u'E');
        out.append(QString::number(d.point - 1));
        return out;
    }
    const std::string intDigits = integerDigits(d);
    out.append(intDigits.empty() ? QStringLiteral("0") : digitsText(intDigits));
    const int decimals = static_cast<int>(d.digits.size()) - d.point;
    if (decimals > 0) {
        out.append(sep.decimal);
        out.append(digitsText(fractionDigits(d, decimals)));
    }
    return out;
}

QString formatFixed2(double value, const Separators &sep)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    Decimal d = decimalOf(value);
    roundToDecimals(d, 2);
    const std::string intDigits = integerDigits(d);
    QString out;
    if (value < 0 && !d.isZero())
        out.append(u'-');
    out.append(intDigits.empty() ? QStringLiteral("0") : digitsText(intDigits));
    out.append(sep.decimal);
    out.append(digitsText(fractionDigits(d, 2)));
    return out;
}

QString formatDateTime(const QString &pattern, const QDateTime &value)
{
    if (!value.isValid())
        return {};
    const QDate date = value.date();
    const QTime time = value.time();
    auto number = [](int n, int width) { return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')); };

    QString out;
    const qsizetype n = pattern.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = pattern[i];
        if (isQuote(c)) {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? n : end;
            out.append(pattern.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const QChar lower = c.toLower();
        qsizetype run = 1;
        while (i + run < n && pattern[i + run].toLower() == lower)
            ++run;
        // Runs longer than a token are read as several tokens: "ddd" is "dd" then "d".
        qsizetype used = run;
        switch (lower.unicode()) {
        case u'd':
            used = qMin<qsizetype>(run, 2);
            out.append(number(date.day(), int(used)));
            break;
        case u'm':
            used = qMin<qsizetype>(run, 2);
            out.append(number(date.month(), int(used)));
            break;
        case u'y':
            if (run >= 4) {
                used = 4;
                out.append(number(date.year(), 4));
            } else {
                used = qMin<qsizetype>(run, 2);
                out.append(number(date.year() % 100, 2));
            }
            break;
        case u'h':
            used = qMin<qsizetype>(run, 2);
            out.append(number(time.hour(), int(used)));
            break;
        case u'n':
            used = qMin<qsizetype>(run, 2);
            out.append(number(time.minute(), int(used)));
            break;
        case u's':
            used = qMin<qsizetype>(run, 2);
            out.append(number(time.second(), int(used)));
            break;
        default:
            used = 1;
            out.append(c);
            break;
        }
        i += used;
    }
    return out;
}

} // namespace values::display
