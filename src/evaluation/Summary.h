#pragma once

#include "engine/DecimalSum.h"

#include <QString>

#include <map>
#include <optional>
#include <utility>

namespace data {
class Dataset;
}

namespace evaluation {

// The figures of a list's summary: count and volume of every pair of quality and diameter
// class as the summary query gives them, and the running totals of each quality class, each
// diameter class and the whole list. Class codes are matched without regard to case. A log
// with an empty or unknown code counts in the totals that exist for its codes.
class Summary
{
public:
    struct Pair
    {
        std::optional<qint64> count;
        std::optional<double> volume;
    };
    // Each volume counts as it is shown (to 15 significant digits), added exactly, so that a
    // total equals the sum of the figures above it.
    struct Total
    {
        engine::DecimalSum count;
        engine::DecimalSum volume;
    };

    void add(const QString &quality, const QString &diameter, std::optional<qint64> count, std::optional<double> volume);

    // nullptr: the summary has no such pair or class.
    const Pair *pair(const QString &quality, const QString &diameter) const;
    const Total *qualityTotal(const QString &quality) const;
    const Total *diameterTotal(const QString &diameter) const;
    const Total &listTotal() const { return m_list; }

private:
    std::map<std::pair<QString, QString>, Pair> m_pairs;
    std::map<QString, Total> m_qualities;
    std::map<QString, Total> m_diameters;
    Total m_list;
};

// The summary of the rows of the summary query (fields Gueteklasse, Staerkeklasse, Menge,
// Volumen); empty when the query is closed.
Summary summaryOf(const data::Dataset &query);

} // namespace evaluation
