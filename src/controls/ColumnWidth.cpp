#include "controls/ColumnWidth.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>

int fittedColumnWidth(const QHeaderView &header, int designWidth, const QString &title, const QString &widestValue)
{
    constexpr int padding = 12; // the cell's margins and the header's frame
    QFont titleFont = header.font();
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title) + padding;
    const QWidget *grid = header.parentWidget();
    const int valueWidth = widestValue.isEmpty() || !grid ? 0 : QFontMetrics(grid->font()).horizontalAdvance(widestValue) + padding;
    return std::max({designWidth, titleWidth, valueWidth});
}
