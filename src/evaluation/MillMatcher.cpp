#include "evaluation/MillMatcher.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <deque>
#include <tuple>

namespace evaluation {

namespace {

constexpr std::size_t none = std::size_t(-1);

// List logs of one length and diameter are equally near to any mill log: they wait in one
// queue, lowest number first.
using Key = std::pair<int, int>; // length, diameter

struct Candidate
{
    double difference;
    std::size_t mill;
    Key key;
};

} // namespace

QString matchingText(Matching matching)
{
    switch (matching) {
    case Matching::ByNumber:
        return QStringLiteral("Stammnummer");
    case Matching::Presumed:
        return QStringLiteral("vermutet");
    case Matching::MillOnly:
        return QStringLiteral("nur im Werk");
    case Matching::ListOnly:
        break;
    }
    return QStringLiteral("nur in der Liste");
}

std::vector<MillMatcher::Pair> MillMatcher::match(const std::vector<ListMeasures> &list, const std::vector<MillMeasures> &mill)
{
    std::vector<std::size_t> millOf(list.size(), none);
    std::vector<Matching> kindOf(list.size(), Matching::ListOnly);
    std::vector<bool> millTaken(mill.size(), false);

    // By log number.
    QHash<int, std::size_t> byNumber;
    byNumber.reserve(qsizetype(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        byNumber.insert(list[i].number, i);
    for (std::size_t m = 0; m < mill.size(); ++m) {
        bool ok = false;
        const int number = mill[m].number.toInt(&ok);
        if (!ok)
            continue;
        const auto it = byNumber.constFind(number);
        if (it == byNumber.constEnd() || millOf[*it] != none)
            continue;
        millOf[*it] = m;
        kindOf[*it] = Matching::ByNumber;
        millTaken[m] = true;
    }

    // By least difference.
    QHash<Key, std::deque<std::size_t>> waiting;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (millOf[i] == none && list[i].length && list[i].diameter)
            waiting[{*list[i].length, *list[i].diameter}].push_back(i);
    std::vector<Candidate> candidates;
    if (!waiting.isEmpty()) {
        for (std::size_t m = 0; m < mill.size(); ++m) {
            if (millTaken[m] || !mill[m].length || !mill[m].diameter)
                continue;
            const double length = *mill[m].length;
            const int diameter = *mill[m].diameter;
            const int shortest = int(std::ceil(length - MaxLengthDifference - 1e-9));
            const int longest = int(std::floor(length + MaxLengthDifference + 1e-9));
            for (int l = shortest; l <= longest; ++l)
                for (int d = diameter - MaxDiameterDifference; d <= diameter + MaxDiameterDifference; ++d)
                    if (waiting.contains({l, d}))
                        candidates.push_back({std::abs(length - l) / MaxLengthDifference
                                                  + double(std::abs(diameter - d)) / MaxDiameterDifference,
                                              m, {l, d}});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return std::tie(a.difference, a.mill, a.key) < std::tie(b.difference, b.mill, b.key);
    });
    for (const Candidate &c : candidates) {
        if (millTaken[c.mill])
            continue;
        std::deque<std::size_t> &queue = waiting[c.key];
        if (queue.empty())
            continue;
        const std::size_t i = queue.front();
        queue.pop_front();
        millOf[i] = c.mill;
        kindOf[i] = Matching::Presumed;
        millTaken[c.mill] = true;
    }

    std::vector<Pair> pairs;
    pairs.reserve(list.size() + mill.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        pairs.push_back({i, millOf[i] == none ? std::nullopt : std::optional<std::size_t>(millOf[i]), kindOf[i]});
    for (std::size_t m = 0; m < mill.size(); ++m)
        if (!millTaken[m])
            pairs.push_back({std::nullopt, m, Matching::MillOnly});
    return pairs;
}

} // namespace evaluation
