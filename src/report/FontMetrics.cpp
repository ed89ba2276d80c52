#include "report/FontMetrics.h"

#include <QGuiApplication>

namespace report {
namespace {
constexpr double dpi = 1200.0;
constexpr double mmPerInch = 25.4;
// Room for kerning, which may widen a text beyond the sum of its characters.
constexpr double kerningAllowance = 1.05;
} // namespace

FontMetrics::FontMetrics()
    : m_device(1, 1, QImage::Format_Mono)
{
    m_device.setDotsPerMeterX(qRound(dpi / mmPerInch * 1000));
    m_device.setDotsPerMeterY(qRound(dpi / mmPerInch * 1000));
}

FontMetrics::Font::Font(const QFont &font, QPaintDevice *device) : metrics(font, device)
{
    for (int c = 0; c < int(latin1Advances.size()); ++c)
        latin1Advances[c] = metrics.horizontalAdvance(QChar(c));
}

QFont FontMetrics::qtFont(const FontSpec &fontSpec)
{
    QFont font = fontSpec.family.isEmpty() ? QGuiApplication::font() : QFont(fontSpec.family);
    font.setPointSizeF(fontSpec.pointSize);
    font.setBold(fontSpec.bold);
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    return font;
}

FontMetrics::Font &FontMetrics::font(const FontSpec &fontSpec)
{
    // A report uses a handful of fonts: looking them up one by one is the fastest way.
    for (const auto &[usedFont, known] : m_fonts)
        if (usedFont == fontSpec)
            return *known;
    m_fonts.emplace_back(fontSpec, std::make_unique<Font>(qtFont(fontSpec), &m_device));
    return *m_fonts.back().second;
}

double FontMetrics::lineHeightMm(const FontSpec &fontSpec)
{
    return metrics(fontSpec).height() * mmPerInch / dpi;
}

double FontMetrics::widthMm(const FontSpec &fontSpec, const QString &text)
{
    return metrics(fontSpec).horizontalAdvance(text) * mmPerInch / dpi;
}

double FontMetrics::wrappedHeightMm(const FontSpec &fontSpec, double widthMm, const QString &text)
{
    const double widthPx = widthMm * dpi / mmPerInch;
    const QRectF r = metrics(fontSpec).boundingRect(QRectF(0, 0, widthPx, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return std::max(r.height(), metrics(fontSpec).height()) * mmPerInch / dpi;
}

QString FontMetrics::clipped(const FontSpec &fontSpec, const QString &text, double widthMm, Align align)
{
    Font &f = font(fontSpec);
    const double room = widthMm * dpi / mmPerInch;
    // Most texts are far shorter than their boxes; adding up their characters tells so fast.
    double estimate = 0;
    for (const QChar c : text) {
        if (c.unicode() >= f.latin1Advances.size()) {
            estimate = room + 1;
            break;
        }
        estimate += f.latin1Advances[c.unicode()];
    }
    if (estimate * kerningAllowance <= room || f.metrics.horizontalAdvance(text) <= room)
        return text;

    // The longest part that fits, found by halving.
    const bool keepEnd = align == Align::Right;
    auto part = [&](qsizetype n) { return keepEnd ? text.right(n) : text.left(n); };
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (f.metrics.horizontalAdvance(part(middle)) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    // Never half of a character that takes two code units.
    if (fits > 0 && fits < text.size()) {
        const QChar edge = keepEnd ? text[text.size() - fits] : text[fits - 1];
        if (keepEnd ? edge.isLowSurrogate() : edge.isHighSurrogate())
            --fits;
    }
    return part(fits);
}

} // namespace report
