#include "backup/TableFile.h"

#include "backup/BackupError.h"
#include "engine/FileDatabase.h"
#include "engine/Statement.h"
#include "engine/TableFolder.h"
#include "export/FileOutput.h"

#include <QFileInfo>

#include <sqlite3.h> // result codes

#include <cerrno>

namespace backup {

namespace {

using engine::FileDatabase;

[[noreturn]] void unreadable(const QString &path, const QString &why)
{
    throw TableUnreadable(QStringLiteral("Die Tabellendatei %1 kann nicht gelesen werden: %2").arg(path, why));
}

FileDatabase open(const QString &path, FileDatabase::Access access)
{
    FileDatabase db;
    const int rc = db.open(path, access);
    if (rc != SQLITE_OK)
        unreadable(path, db.errorMessage(rc));
    return db;
}

// The rows of a statement on the file, each as its columns' texts; `argument` is bound to its
// parameter ?1 where it has one.
std::vector<QStringList> rowsOf(const FileDatabase &db, const QString &path, const QString &sql, const QString &argument = {})
{
    engine::Statement stmt;
    int rc = stmt.prepare(db.handle(), sql.toUtf8(), false);
    if (rc != SQLITE_OK)
        unreadable(path, db.errorMessage(rc));
    if (!stmt.parameterNames().empty())
        stmt.bindText(1, argument);
    std::vector<QStringList> rows;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < stmt.columnCount(); ++c)
            row << stmt.text(c);
        rows.push_back(row);
    }
    if (rc != SQLITE_DONE)
        unreadable(path, db.errorMessage(rc));
    return rows;
}

} // namespace

void copyTableFile(const QString &sourcePath, const QString &targetPath)
{
    // Opened for writing where the folder allows it: a journal left by a killed program is
    // then rolled back before the copy is taken.
    const bool writable = QFileInfo(QFileInfo(sourcePath).path()).isWritable() && QFileInfo(sourcePath).isWritable();
    const FileDatabase source = open(sourcePath, writable ? FileDatabase::Access::ReadWrite : FileDatabase::Access::ReadOnly);
    const auto cannotWrite = [&](int systemError, const QString &systemText) {
        throw BackupError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                              .arg(targetPath, exporting::writeFailureReason(systemError, systemText)));
    };
    FileDatabase target;
    const int opened = target.open(targetPath, FileDatabase::Access::Create);
    if (opened != SQLITE_OK)
        cannotWrite(opened == SQLITE_FULL ? ENOSPC : target.systemError(), target.errorMessage(opened));
    const FileDatabase::CopyResult copied = source.copyTo(target);
    if (copied.writing)
        cannotWrite(copied.systemError, copied.message);
    if (copied.code != SQLITE_OK)
        unreadable(sourcePath, copied.message);
}

std::vector<TableCount> checkTableFile(const QString &path)
{
    const FileDatabase db = open(path, FileDatabase::Access::ReadOnly);
    const engine::TableFolder::Damage damage = engine::TableFolder::damageOf(db, true);
    if (damage.code != 0)
        unreadable(path, damage.message);
    std::vector<TableCount> tables;
    for (const QStringList &row :
         rowsOf(db, path, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name")))
        tables.push_back({row.at(0), 0, {}});
    for (TableCount &t : tables) {
        QString quoted = t.name;
        quoted.replace(u'"', QStringLiteral("\"\""));
        t.rows = rowsOf(db, path, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(quoted)).at(0).at(0).toLongLong();
        for (const QStringList &column : rowsOf(db, path, QStringLiteral("SELECT name FROM pragma_table_info(?1)"), t.name))
            t.columns << column.at(0);
    }
    return tables;
}

QStringList foreignObjects(const QString &path)
{
    const FileDatabase db = open(path, FileDatabase::Access::ReadOnly);
    // A table of a foreign module is stored as a table whose statement says VIRTUAL. Names
    // beginning with "sqlite" are SQLite's own (the indexes of keys, the sequence of keys).
    QStringList found;
    for (const QStringList &object : rowsOf(db, path,
                                            QStringLiteral("SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite%' AND "
                                                           "NOT (type = 'table' AND sql NOT LIKE 'CREATE VIRTUAL%') ORDER BY type, name"))) {
        const QString &type = object.at(0);
        const QString what = type == u"trigger" ? QStringLiteral("Trigger")
                             : type == u"view"  ? QStringLiteral("Sicht")
                             : type == u"index" ? QStringLiteral("Index")
                                                : QStringLiteral("fremde Tabelle");
        found << QStringLiteral("%1 „%2“").arg(what, object.at(1));
    }
    return found;
}

} // namespace backup
