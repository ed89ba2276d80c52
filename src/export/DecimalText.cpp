#include "export/DecimalText.h"

#include <QLocale>

#include <cmath>

namespace exporting {

namespace {

constexpr int maxScale = 18;
constexpr double maxMagnitude = 1e15;

__int128 powerOfTen(int n)
{
    __int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

QString decimalText(double value, QChar separator)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    if (separator != u'.')
        text.replace(u'.', separator);
    return text;
}

void DecimalSum::add(double value)
{
    m_approx += value;
    if (!m_exact)
        return;
    if (!std::isfinite(value) || std::fabs(value) >= maxMagnitude) {
        m_exact = false;
        return;
    }
    const QString text = decimalText(value);
    const qsizetype point = text.indexOf(u'.');
    const int scale = point < 0 ? 0 : int(text.size() - point - 1);
    if (scale > maxScale) {
        m_exact = false;
        return;
    }
    __int128 units = 0;
    for (const QChar c : text)
        if (c.isDigit())
            units = units * 10 + c.digitValue();
    if (text.startsWith(u'-'))
        units = -units;
    if (scale > m_scale)
        rescale(scale);
    m_units += units * powerOfTen(m_scale - scale);
}

void DecimalSum::rescale(int scale)
{
    m_units *= powerOfTen(scale - m_scale);
    m_scale = scale;
}

QString DecimalSum::text() const
{
    if (!m_exact)
        return decimalText(m_approx);
    __int128 units = m_units;
    int scale = m_scale;
    while (scale > 0 && units % 10 == 0) {
        units /= 10;
        --scale;
    }
    const bool negative = units < 0;
    if (negative)
        units = -units;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(units % 10)));
        units /= 10;
    } while (units != 0);
    while (digits.size() <= scale)
        digits.prepend(u'0');
    if (scale > 0)
        digits.insert(digits.size() - scale, u'.');
    return negative ? QStringLiteral("-") + digits : digits;
}

double DecimalSum::value() const
{
    return m_exact ? text().toDouble() : m_approx;
}

} // namespace exporting
