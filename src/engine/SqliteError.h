#pragma once

#include <QString>

struct sqlite3;

namespace engine {

// Throws the EngineError for a failed SQLite call on `db`, in the words the user reads: a text
// too long for its field, a number out of range, a key violation, a folder that cannot be
// written to. `context` (a file, say) goes in front of the message.
[[noreturn]] void throwSqliteError(sqlite3 *db, int rc, const QString &dataPath, const QString &context = {});

// Runs statements of the engine's own (no parameters, no rows); a failure is thrown as above.
void runSql(sqlite3 *db, const QString &sql, const QString &dataPath);

} // namespace engine
