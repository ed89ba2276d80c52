#pragma once

#include "harvester/LogRows.h"
#include "harvester/Production.h"

#include <QHash>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace engine {
class Connection;
}

// Storing the chosen species groups of a production file as new lists.
namespace harvester {

struct ChosenList
{
    QString speciesKey; // the species group whose logs the list gets
    QString name;       // a name the list name rules accept (see refusalOfNames)
};

struct ImportChoice
{
    Bark bark = Bark::With;
    QHash<QString, QString> qualities; // product key → quality class; "B" for a product not in it
    std::vector<ChosenList> lists;
};

struct ImportCount
{
    qint64 logs = 0;
    int lists = 0;
};

// Called while the lists are written: logs written so far, logs to write.
using ImportProgress = std::function<void(qint64 done, qint64 total)>;

// The widths of the list header's texts.
inline constexpr int AbteilungWidth = 50;
inline constexpr int BaumartWidth = 50;
inline constexpr int SorteWidth = 50;
inline constexpr int ZusatztextWidth = 100;

// The most lists one import writes: every list is a table file of its own, and the connection
// keeps at most ten files attached, two of them the header table and the ELDAT facts; a file
// written in a transaction stays attached until it ends.
inline constexpr int MaxListsPerImport = 8;

// Creates every chosen list in one transaction (at most MaxListsPerImport; more are refused
// with a message before anything is written): its table, its header row (species, the
// product when the list holds only one, the site and machine, geschält by the bark choice),
// its logs in file order numbered from 1 and its ELDAT facts (the median of its stems'
// coordinates and its first harvest date). All or nothing: any error leaves no list behind.
ImportCount importLists(engine::Connection &db, const Production &production, const ImportChoice &choice,
                        const ImportProgress &progress = {});

// The median of values, the mean of the middle two for an even count; nothing for none.
std::optional<double> median(std::vector<double> values);

} // namespace harvester
