#include "engine/SqliteError.h"

#include "engine/Dialect.h"
#include "engine/EngineError.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace engine {

void throwSqliteError(sqlite3 *db, int rc, const QString &dataPath, const QString &context)
{
    QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const int code = sqlite3_extended_errcode(db);
    CharColumn column;
    NumberColumn number;
    if (code == SQLITE_CONSTRAINT_CHECK && parseCharConstraint(message, column))
        message = QStringLiteral("The text for field %1 is too long: at most %2 characters").arg(column.name).arg(column.size);
    else if (code == SQLITE_CONSTRAINT_CHECK && parseNumberConstraint(message, number))
        message = numberRangeMessage(number);
    else if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE)
        message = QStringLiteral("Key violation: %1").arg(message);
    else if ((code & 0xff) == SQLITE_READONLY || ((code & 0xff) == SQLITE_CANTOPEN && !QFileInfo(dataPath).isWritable()))
        message = QStringLiteral("%1 (the data folder %2 cannot be written to)").arg(message, dataPath);
    if (!context.isEmpty())
        message = context + QStringLiteral(": ") + message;
    throw EngineError(message, code ? code : rc);
}

void runSql(sqlite3 *db, const QString &sql, const QString &dataPath)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        sqlite3_free(error);
        throwSqliteError(db, rc, dataPath);
    }
}

} // namespace engine
