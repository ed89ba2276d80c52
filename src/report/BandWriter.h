#pragma once

#include "report/RunState.h"

namespace report {

// Generates one band at a place on the current page: runs the band's script and calculation
// rules, decides which items show, and appends their texts and lines. Returns the height the
// band took (its own height, or more when wrapped texts need it).
class BandWriter
{
public:
    explicit BandWriter(RunState &state) : m_state(state) {}

    double write(const Band &band, const QString &bandName, double x, double y);

private:
    QVariant itemValue(const Item &item) const;
    QString textOf(const Item &item, const QVariant &value) const;
    QString clipped(const Item &item, const QString &text, double x);
    double growWithWrappedTexts(const Band &band, const std::vector<QString> &texts, const std::vector<char> &shown,
                                std::vector<double> &wrappedHeight, std::vector<double> &shift);

    RunState &m_state;
};

} // namespace report
