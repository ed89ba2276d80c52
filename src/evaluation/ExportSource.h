#pragma once

#include "export/ExportData.h"

#include <vector>

namespace engine {
class Connection;
}

// What an export of the current list reads from the data folder, as the plain values the
// writers take.
namespace evaluation {

// The logs of a list as stored, in log-number order.
std::vector<exporting::ExportLog> exportLogs(engine::Connection &db, const QString &listName);
// The header row of a list; only the name when the list has none.
values::ListHeader exportHeader(engine::Connection &db, const QString &listName);

} // namespace evaluation
