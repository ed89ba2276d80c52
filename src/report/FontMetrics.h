#pragma once

#include "report/Page.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>

#include <memory>

namespace report {

// The Qt font of a template font, and measures of text in mm, taken at printer resolution so
// that they match the printed page. Keeps its metrics per font for the time of one layout.
class FontMetrics
{
public:
    FontMetrics();
    static QFont qtFont(const FontSpec &fontSpec);

    double lineHeightMm(const FontSpec &fontSpec);
    // Height of the text wrapped at the given width.
    double wrappedHeightMm(const FontSpec &fontSpec, double widthMm, const QString &text);

private:
    QFontMetricsF &metrics(const FontSpec &fontSpec);

    QImage m_device;
    QHash<QString, std::shared_ptr<QFontMetricsF>> m_metrics;
};

} // namespace report
