#pragma once

#include "report/Page.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace report {

// The Qt font of a template font, and measures of text in mm, taken at printer resolution so
// that they match the printed page. Keeps its metrics per font for the time of one layout.
class FontMetrics
{
public:
    FontMetrics();
    static QFont qtFont(const FontSpec &fontSpec);

    double lineHeightMm(const FontSpec &fontSpec);
    double widthMm(const FontSpec &fontSpec, const QString &text);
    // Height of the text wrapped at the given width.
    double wrappedHeightMm(const FontSpec &fontSpec, double widthMm, const QString &text);
    // The text cut where it leaves a box of the given width: the part that stays inside, at
    // the start of the text for a box that aligns it left or centred, at its end for one that
    // aligns it right. A text that fits comes back whole.
    QString clipped(const FontSpec &fontSpec, const QString &text, double widthMm, Align align);

private:
    struct Font
    {
        explicit Font(const QFont &font, QPaintDevice *device);
        QFontMetricsF metrics;
        std::array<qreal, 256> latin1Advances; // of each character on its own
    };
    Font &font(const FontSpec &fontSpec);
    QFontMetricsF &metrics(const FontSpec &fontSpec) { return font(fontSpec).metrics; }

    QImage m_device;
    std::vector<std::pair<FontSpec, std::unique_ptr<Font>>> m_fonts;
};

} // namespace report
