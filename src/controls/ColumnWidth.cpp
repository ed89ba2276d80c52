#include "controls/ColumnWidth.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>

#include <algorithm>

namespace controls {

namespace {

// `pattern` with every "0" replaced by the digit that is widest in the font.
QString widestFigure(const QFontMetrics &metrics, const QString &pattern)
{
    QChar widest = u'0';
    for (char16_t d = u'1'; d <= u'9'; ++d)
        if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(widest))
            widest = QChar(d);
    QString text = pattern;
    text.replace(u'0', widest);
    return text;
}

} // namespace

int fittedColumnWidth(const QHeaderView &header, int section, int designWidth, const QString &widestValue)
{
    constexpr int padding = 12; // the cell's margins and its grid line
    const int titleWidth = header.sectionSizeHint(section);
    const QWidget *grid = header.parentWidget();
    int valueWidth = 0;
    if (!widestValue.isEmpty() && grid) {
        const QFontMetrics metrics(grid->font());
        valueWidth = metrics.horizontalAdvance(widestFigure(metrics, widestValue)) + padding;
    }
    return std::max({designWidth, titleWidth, valueWidth});
}

int fittedLabelWidth(const QLabel &label, int designWidth, const QString &widest)
{
    // Measured as the label measures its own text, with its frame, margins and indent.
    const QFontMetrics metrics(label.font());
    auto textWidth = [&](const QString &text) { return metrics.boundingRect(0, 0, 2000, 2000, int(label.alignment()), text).width(); };
    const int extra = label.sizeHint().width() - textWidth(label.text());
    return std::max(designWidth, textWidth(widestFigure(metrics, widest)) + extra);
}

} // namespace controls
