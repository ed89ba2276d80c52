#pragma once

#include <QString>

class QHeaderView;

// The width of a grid column: its designed width, or more where its title or its widest
// typical value would not fit in the font the grid actually uses (the designed widths were
// made for a smaller font).
int fittedColumnWidth(const QHeaderView &header, int designWidth, const QString &title, const QString &widestValue = {});
