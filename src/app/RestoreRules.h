#pragma once

#include "backup/Restore.h"

#include <QString>

namespace app {

// What a restore into the data folder at `dataPath` accepts: the tables the program writes,
// each with the columns it gives them. The delivered tables (company, customers, prices) are
// those of the data folder in use, each required; the register, the list header table and the
// ELDAT facts come with their columns from the program itself; any other table is a list,
// whose name must pass the rules for new list names and whose columns are a list's.
backup::RestoreRules restoreRules(const QString &dataPath);

} // namespace app
