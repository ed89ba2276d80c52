#pragma once

#include "values/EldatFacts.h"

#include <optional>

namespace engine {
class Connection;
}

// The ELDAT facts of each list (felling date, pile, coordinate, species, assortment), kept in
// a side table of the list headers, one row per list keyed by the list name. The table comes
// into being with the first facts stored; its name is longer than any list name may be.
namespace data {

extern const QString EldatFactsTable;

// The facts stored for a list; nothing when none are (or the table does not exist yet).
std::optional<values::EldatFacts> loadEldatFacts(engine::Connection &db, const QString &listName);
// Stores the facts of a list, replacing those stored before; creates the table when missing.
void storeEldatFacts(engine::Connection &db, const QString &listName, const values::EldatFacts &facts);
// Deletes the facts of a list; part of deleting the list, inside its transaction.
void deleteEldatFacts(engine::Connection &db, const QString &listName);

} // namespace data
