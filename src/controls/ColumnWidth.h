#pragma once

#include <QString>

class QHeaderView;
class QLabel;

namespace controls {

// The width of a grid column: its designed width, or more where its title or its widest
// value would not fit in the font the grid actually uses (the designed widths were made for a
// smaller font). Every "0" of `widestValue` stands for the font's widest digit.
int fittedColumnWidth(const QHeaderView &header, int section, int designWidth, const QString &widestValue = {});

// The width of a label that must show `widest` whole, in its own font and with its frame: its
// designed width, or more. Every "0" of `widest` stands for the font's widest digit, so that
// "000000" holds any six-digit figure.
int fittedLabelWidth(const QLabel &label, int designWidth, const QString &widest);

} // namespace controls
