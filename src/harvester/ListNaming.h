#pragma once

#include "rules/ListNames.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace engine {
class Connection;
}

// Names for the lists made from a production file.
namespace harvester {

// A list name made from the species and the site: "GRAN_Testing_2023", letters outside
// A to Z spelled out or dropped, blanks and signs turned into "_", at most 18 characters.
// When `taken` says the name is taken, a number is added ("GRAN_Testing_20_2").
QString proposedListName(const QString &species, const QString &site, const std::function<bool(const QString &)> &taken);

// Whether a name may be used for a new list here: not by the rules of new list names, not as
// a list that exists (in any case of its letters).
bool listNameTaken(engine::Connection &db, const QString &dataPath, const QString &name);

// The first reason why the chosen names cannot all be used: a name breaking the rules of new
// list names, a list that exists, a name chosen twice. The message starts with the name.
std::optional<rules::ListNameRefusal> refusalOfNames(engine::Connection &db, const QString &dataPath,
                                                     const std::vector<QString> &names);

} // namespace harvester
