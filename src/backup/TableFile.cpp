#include "backup/TableFile.h"

#include "backup/BackupError.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace backup {

namespace {

struct CloseDatabase
{
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

struct FinishStatement
{
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinishStatement>;

[[noreturn]] void unreadable(const QString &path, const QString &why)
{
    throw BackupError(QStringLiteral("Die Tabellendatei %1 kann nicht gelesen werden: %2").arg(path, why));
}

Database open(const QString &path, int flags)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK)
        unreadable(path, QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    sqlite3_extended_result_codes(raw, 1);
    return db;
}

Statement prepare(sqlite3 *db, const QString &path, const QString &sql)
{
    sqlite3_stmt *raw = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &raw, nullptr) != SQLITE_OK)
        unreadable(path, QString::fromUtf8(sqlite3_errmsg(db)));
    return Statement(raw);
}

} // namespace

void copyTableFile(const QString &sourcePath, const QString &targetPath)
{
    // Opened for writing where the folder allows it: a journal left by a killed program is
    // then rolled back before the copy is taken.
    const bool writable = QFileInfo(QFileInfo(sourcePath).path()).isWritable() && QFileInfo(sourcePath).isWritable();
    const Database source = open(sourcePath, writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY);
    const Database target = open(targetPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup *copy = sqlite3_backup_init(target.get(), "main", source.get(), "main");
    if (!copy)
        unreadable(sourcePath, QString::fromUtf8(sqlite3_errmsg(target.get())));
    const int rc = sqlite3_backup_step(copy, -1);
    sqlite3_backup_finish(copy);
    if (rc != SQLITE_DONE)
        unreadable(sourcePath, QString::fromUtf8(sqlite3_errstr(rc)));
}

std::vector<TableCount> checkTableFile(const QString &path)
{
    const Database db = open(path, SQLITE_OPEN_READONLY);
    sqlite3 *raw = db.get();
    {
        const Statement check = prepare(raw, path, QStringLiteral("PRAGMA quick_check"));
        if (sqlite3_step(check.get()) != SQLITE_ROW)
            unreadable(path, QString::fromUtf8(sqlite3_errmsg(raw)));
        const QString verdict = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check.get(), 0)));
        if (verdict != u"ok")
            unreadable(path, verdict);
    }
    std::vector<TableCount> tables;
    {
        const Statement names = prepare(
            raw, path, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name"));
        int rc;
        while ((rc = sqlite3_step(names.get())) == SQLITE_ROW)
            tables.push_back({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(names.get(), 0))), 0});
        if (rc != SQLITE_DONE)
            unreadable(path, QString::fromUtf8(sqlite3_errmsg(raw)));
    }
    for (TableCount &t : tables) {
        QString quoted = t.name;
        quoted.replace(u'"', QStringLiteral("\"\""));
        const Statement count = prepare(raw, path, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(quoted));
        if (sqlite3_step(count.get()) != SQLITE_ROW)
            unreadable(path, QString::fromUtf8(sqlite3_errmsg(raw)));
        t.rows = sqlite3_column_int64(count.get(), 0);
    }
    return tables;
}

} // namespace backup
