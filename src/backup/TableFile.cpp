#include "backup/TableFile.h"

#include "backup/BackupError.h"
#include "export/FileOutput.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
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
    throw TableUnreadable(QStringLiteral("Die Tabellendatei %1 kann nicht gelesen werden: %2").arg(path, why));
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
    const auto cannotWrite = [&](int rc, int systemError) {
        const QString why = rc == SQLITE_FULL ? exporting::writeFailureReason(ENOSPC, {})
                                              : exporting::writeFailureReason(systemError, QString::fromUtf8(sqlite3_errstr(rc)));
        throw BackupError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(targetPath, why));
    };
    sqlite3 *rawTarget = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(targetPath).constData(), &rawTarget, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const Database target(rawTarget);
    if (opened != SQLITE_OK)
        cannotWrite(opened, rawTarget ? sqlite3_system_errno(rawTarget) : 0);
    sqlite3_extended_result_codes(rawTarget, 1);
    sqlite3_backup *copy = sqlite3_backup_init(target.get(), "main", source.get(), "main");
    if (!copy)
        unreadable(sourcePath, QString::fromUtf8(sqlite3_errmsg(target.get())));
    const int rc = sqlite3_backup_step(copy, -1);
    sqlite3_backup_finish(copy);
    // Writing the copy fails with the target's codes; reading the source with the rest.
    const int primary = rc & 0xff;
    if (primary == SQLITE_FULL || rc == SQLITE_IOERR_WRITE || rc == SQLITE_IOERR_FSYNC || rc == SQLITE_IOERR_TRUNCATE
        || (primary == SQLITE_IOERR && sqlite3_system_errno(target.get()) == ENOSPC))
        cannotWrite(rc, sqlite3_system_errno(target.get()));
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
            tables.push_back({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(names.get(), 0))), 0, {}});
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
        const Statement columns = prepare(raw, path, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
        const QByteArray name = t.name.toUtf8();
        sqlite3_bind_text(columns.get(), 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        int rc;
        while ((rc = sqlite3_step(columns.get())) == SQLITE_ROW)
            t.columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(columns.get(), 0)));
        if (rc != SQLITE_DONE)
            unreadable(path, QString::fromUtf8(sqlite3_errmsg(raw)));
    }
    return tables;
}

QStringList foreignObjects(const QString &path)
{
    const Database db = open(path, SQLITE_OPEN_READONLY);
    // A table of a foreign module is stored as a table whose statement says VIRTUAL. Names
    // beginning with "sqlite" are SQLite's own (the indexes of keys, the sequence of keys).
    const Statement objects = prepare(db.get(), path,
                                      QStringLiteral("SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite%' AND "
                                                     "NOT (type = 'table' AND sql NOT LIKE 'CREATE VIRTUAL%') ORDER BY type, name"));
    QStringList found;
    int rc;
    while ((rc = sqlite3_step(objects.get())) == SQLITE_ROW) {
        const QString type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(objects.get(), 0)));
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(objects.get(), 1)));
        const QString what = type == u"trigger" ? QStringLiteral("Trigger")
                             : type == u"view"  ? QStringLiteral("Sicht")
                             : type == u"index" ? QStringLiteral("Index")
                                                : QStringLiteral("fremde Tabelle");
        found << QStringLiteral("%1 „%2“").arg(what, name);
    }
    if (rc != SQLITE_DONE)
        unreadable(path, QString::fromUtf8(sqlite3_errmsg(db.get())));
    return found;
}

} // namespace backup
