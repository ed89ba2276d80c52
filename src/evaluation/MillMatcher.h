#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace evaluation {

// How a mill log found its list log, or that it found none.
enum class Matching { ByNumber, Presumed, MillOnly, ListOnly };

// "Stammnummer", "vermutet", "nur im Werk", "nur in der Liste".
QString matchingText(Matching matching);

// Pairs the logs of a sawmill's protocol with those of the list. First a mill log whose
// log number (stam_id) is the number of a list log takes it; each list log is taken once.
// The rest are paired by least difference: among the list logs whose length differs by at
// most 1 m and whose effective diameter by at most 3 cm, the pairs of least total difference
// go first, the difference being the length's share of 1 m plus the diameter's share of 3 cm;
// of equally near list logs the lowest number goes first. What is left stays alone.
class MillMatcher
{
public:
    struct ListMeasures
    {
        int number = 0;
        std::optional<int> length;   // m
        std::optional<int> diameter; // effective, cm
    };
    struct MillMeasures
    {
        QString number; // the seller's log number as the mill kept it; empty when it did not
        std::optional<double> length; // m
        std::optional<int> diameter;  // cm
    };
    // A list log (index into the list's logs) with its mill log (index into the protocol's),
    // either of them missing for logs left alone.
    struct Pair
    {
        std::optional<std::size_t> list;
        std::optional<std::size_t> mill;
        Matching matching = Matching::ListOnly;
    };

    static constexpr double MaxLengthDifference = 1.0; // m
    static constexpr int MaxDiameterDifference = 3;    // cm

    // Every list log once, in the order given, each with its mill log or alone; then the mill
    // logs left alone, in protocol order.
    static std::vector<Pair> match(const std::vector<ListMeasures> &list, const std::vector<MillMeasures> &mill);
};

} // namespace evaluation
