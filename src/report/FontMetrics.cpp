#include "report/FontMetrics.h"

#include <QGuiApplication>

namespace report {
namespace {
constexpr double dpi = 1200.0;
constexpr double mmPerInch = 25.4;
} // namespace

FontMetrics::FontMetrics()
    : m_device(1, 1, QImage::Format_Mono)
{
    m_device.setDotsPerMeterX(qRound(dpi / mmPerInch * 1000));
    m_device.setDotsPerMeterY(qRound(dpi / mmPerInch * 1000));
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

QFontMetricsF &FontMetrics::metrics(const FontSpec &fontSpec)
{
    const QString key = QStringLiteral("%1|%2|%3%4%5").arg(fontSpec.family).arg(fontSpec.pointSize).arg(fontSpec.bold).arg(fontSpec.italic).arg(fontSpec.underline);
    auto it = m_metrics.find(key);
    if (it == m_metrics.end())
        it = m_metrics.insert(key, std::make_shared<QFontMetricsF>(qtFont(fontSpec), &m_device));
    return **it;
}

double FontMetrics::lineHeightMm(const FontSpec &fontSpec)
{
    return metrics(fontSpec).height() * mmPerInch / dpi;
}

double FontMetrics::wrappedHeightMm(const FontSpec &fontSpec, double widthMm, const QString &text)
{
    const double widthPx = widthMm * dpi / mmPerInch;
    const QRectF r = metrics(fontSpec).boundingRect(QRectF(0, 0, widthPx, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return std::max(r.height(), metrics(fontSpec).height()) * mmPerInch / dpi;
}

} // namespace report
