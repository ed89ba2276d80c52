#pragma once

#include <QString>

namespace engine {

// A plain identifier: a letter first, then letters, digits or "_". Letters are A-Z, a-z and
// the German umlauts and sharp s. Every name that is spliced into a statement as a table
// name must be one; this keeps user and file input out of the SQL text.
bool isPlainIdentifier(const QString &name);

// True when the name is a keyword of the SQL engine (SELECT, CAST, CURRENT_DATE, ...), in any
// case of its letters. Such a name breaks statements as a table name, although it is plain.
bool isKeyword(const QString &name);

// The file that holds a table: the lower-case table name with ".db", inside the data folder.
QString tableFileName(const QString &tableName);

} // namespace engine
