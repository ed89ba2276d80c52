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

QFont FontMetrics::qtFont(const FontSpec &spec)
{
    QFont font = spec.family.isEmpty() ? QGuiApplication::font() : QFont(spec.family);
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    return font;
}

QFontMetricsF &FontMetrics::metrics(const FontSpec &spec)
{
    const QString key = QStringLiteral("%1|%2|%3%4%5").arg(spec.family).arg(spec.pointSize).arg(spec.bold).arg(spec.italic).arg(spec.underline);
    auto it = m_metrics.find(key);
    if (it == m_metrics.end())
        it = m_metrics.insert(key, std::make_shared<QFontMetricsF>(qtFont(spec), &m_device));
    return **it;
}

double FontMetrics::lineHeightMm(const FontSpec &spec)
{
    return metrics(spec).height() * mmPerInch / dpi;
}

double FontMetrics::wrappedHeightMm(const FontSpec &spec, double widthMm, const QString &text)
{
    const double widthPx = widthMm * dpi / mmPerInch;
    const QRectF r = metrics(spec).boundingRect(QRectF(0, 0, widthPx, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return std::max(r.height(), metrics(spec).height()) * mmPerInch / dpi;
}

} // namespace report
