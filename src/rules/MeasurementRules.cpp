#include "rules/MeasurementRules.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace rules {

namespace {

// A whole number as the quality column reads it: leading blanks, an optional sign, then
// decimal digits up to the end. Trailing blanks make it text ("12 " is not a number). Only the
// values 1 to 3 matter, so a long run of digits is simply "some other number".
bool readsAsWholeNumber(const QString &text, long long &value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    if (i == n)
        return false;
    long long v = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return false;
        if (v < 1000)
            v = v * 10 + (c.unicode() - u'0');
    }
    value = negative ? -v : v;
    return true;
}

// Blanks and control characters at both ends, as the user cannot see them either.
QString withoutBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

int DurchmeffBerechnen(int durchmein, bool geschaelt)
{
    if (geschaelt)
        return durchmein;
    const int abzug = durchmein < RindenabzugAb ? 1 : 2;
    // Saturates instead of overflowing for the smallest whole numbers.
    if (durchmein < std::numeric_limits<int>::min() + abzug)
        return std::numeric_limits<int>::min();
    return durchmein - abzug;
}

double VolumenBerechnen(int durchmeff, int laenge)
{
    return VolumenBerechnen(durchmeff, double(laenge));
}

double VolumenBerechnen(int durchmeff, double laenge)
{
    const double d = durchmeff / 100.0;
    const double a = d * d * std::numbers::pi;
    const double b = a / 4 * laenge;
    return VolumenRunden(b);
}

double VolumenRunden(double volumen)
{
    // nearbyint rounds in the current mode, which is to nearest with halves to even.
    return std::nearbyint(volumen * 100) / 100;
}

QString StaerkeklasseBerechnen(int durchmeff)
{
    struct Row
    {
        int bis;
        QStringView klasse;
    };
    static constexpr Row rows[] = {{9, Staerkeklassen[0]},  {14, Staerkeklassen[1]}, {16, Staerkeklassen[2]},
                                   {19, Staerkeklassen[3]}, {24, Staerkeklassen[4]}, {29, Staerkeklassen[5]},
                                   {34, Staerkeklassen[6]}, {39, Staerkeklassen[7]}, {49, Staerkeklassen[8]}};
    for (const Row &row : rows) {
        if (durchmeff <= row.bis)
            return row.klasse.toString();
    }
    return Staerkeklassen[9].toString();
}

QString GueteklasseUmsetzen(const QString &input, bool &accepted)
{
    long long n = 0;
    if (readsAsWholeNumber(input, n)) {
        accepted = true;
        if (n >= 1 && n <= 3)
            return Gueteklassen[static_cast<std::size_t>(n - 1)].toString();
        return Gueteklassen[0].toString();
    }

    const QString trimmed = withoutBlanks(input);
    QString result = input;
    if (trimmed.isEmpty())
        result = Gueteklassen[0].toString();
    else if (trimmed == u"+")
        result = Gueteklassen[1].toString();
    else if (trimmed == u"-")
        result = Gueteklassen[2].toString();

    accepted = false;
    for (QStringView klasse : Gueteklassen) {
        if (result == klasse)
            accepted = true;
    }
    return result;
}

} // namespace rules
