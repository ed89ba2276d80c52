// What the table folder does about the files it cannot simply use: the leftovers of a
// program that was killed in the middle of its work, and damaged files.
#include "engine/TableFolder.h"

#include "engine/EngineError.h"
#include "engine/FileDatabase.h"
#include "engine/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace engine {

namespace {

const QString mainFileName = QStringLiteral(".dorv-connection");

// Runs a one-row count on the connection; false with the result code when it fails.
bool countRows(sqlite3 *db, const QByteArray &sql, qint64 &count, int &rc)
{
    Statement stmt;
    rc = stmt.prepare(db, sql, false);
    if (rc != SQLITE_OK)
        return false;
    rc = stmt.step();
    if (rc != SQLITE_ROW)
        return false;
    count = stmt.int64(0);
    rc = SQLITE_OK;
    return true;
}

bool isDamage(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

QByteArray countTablesOf(const QString &lowerName)
{
    return QStringLiteral("SELECT count(*) FROM \"%1\".sqlite_master").arg(TableFolder::aliasFor(lowerName)).toUtf8();
}

} // namespace

TableFolder::Damage TableFolder::damageOf(const QString &file, bool wholeFile)
{
    if (QFileInfo(file).size() == 0)
        return {}; // an empty file is an empty database
    FileDatabase probe;
    if (probe.open(file, FileDatabase::Access::ReadOnly) != SQLITE_OK)
        return {};
    return damageOf(probe, wholeFile);
}

TableFolder::Damage TableFolder::damageOf(const FileDatabase &file, bool wholeFile)
{
    sqlite3 *probe = file.handle();
    qint64 tables = 0;
    int rc = SQLITE_OK;
    if (!countRows(probe, "SELECT count(*) FROM sqlite_master", tables, rc))
        return isDamage(rc) ? Damage{rc, file.errorMessage(rc)} : Damage{};
    if (!wholeFile)
        return {};
    Statement check;
    rc = check.prepare(probe, "PRAGMA quick_check(1)", false);
    if (rc != SQLITE_OK || (rc = check.step()) != SQLITE_ROW)
        return isDamage(rc) ? Damage{rc, file.errorMessage(rc)} : Damage{};
    const QString result = check.text(0);
    if (result != u"ok")
        return {SQLITE_CORRUPT, result};
    return {};
}

// The main database holds nothing of the user's: when it is damaged, it is made anew.
sqlite3 *TableFolder::openMainDatabase(const QString &folder)
{
    const QString file = folder + mainFileName;
    for (int attempt = 0;; ++attempt) {
        sqlite3 *db = nullptr;
        int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_close_v2(db);
            db = nullptr;
            rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr);
            if (rc != SQLITE_OK) {
                const QString message = QString::fromUtf8(sqlite3_errmsg(db));
                sqlite3_close_v2(db);
                throw EngineError(message, rc);
            }
        }
        sqlite3_extended_result_codes(db, 1);
        qint64 tables = 0;
        if (countRows(db, "SELECT count(*) FROM main.sqlite_master", tables, rc) || !isDamage(rc) || attempt > 0)
            return db;
        sqlite3_close_v2(db);
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-journal"));
    }
}

// A table file left behind by a transaction that never committed (an import killed half
// way, say) is rolled back by SQLite when it is first read; a file that then holds no table
// is removed, so the folder never shows a list that is not there. A file that another
// connection is writing is that connection's own: its transaction may still commit.
void TableFolder::recover()
{
    const QStringList names = m_tableFiles.keys();
    for (const QString &lower : names) {
        const QString file = filePath(lower);
        const bool hotJournal = QFileInfo::exists(file + QStringLiteral("-journal"));
        if (!hotJournal && QFileInfo(file).size() > 0)
            continue;
        try {
            attach(lower, false);
        } catch (const EngineError &) {
            continue; // reported at its first use
        }
        if (isBeingWritten(lower)) {
            detach(lower);
            continue;
        }
        qint64 tables = 0;
        int rc = SQLITE_OK;
        if (countRows(m_db, countTablesOf(lower), tables, rc) && tables == 0)
            discard(lower); // its journal, too, can restore nothing
    }
}

bool TableFolder::isBeingWritten(const QString &lowerName) const
{
    // The engine's own lock test sees writers in this process and in every other one.
    const QByteArray schema = aliasFor(lowerName).toUtf8();
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(m_db, schema.constData(), SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods)
        return false;
    int reserved = 0;
    return file->pMethods->xCheckReservedLock(file, &reserved) == SQLITE_OK && reserved != 0;
}

void TableFolder::requireReadable(const QString &lowerName)
{
    qint64 tables = 0;
    int rc = SQLITE_OK;
    if (countRows(m_db, countTablesOf(lowerName), tables, rc))
        return;
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    const int code = sqlite3_extended_errcode(m_db);
    detach(lowerName);
    throw EngineError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(filePath(lowerName)), message), code ? code : rc);
}

QString TableFolder::damagedFiles(const std::vector<QString> &lowerNames, int rc) const
{
    if (!isDamage(sqlite3_extended_errcode(m_db)) && !isDamage(rc))
        return {};
    QStringList files;
    for (const QString &lower : lowerNames)
        files << QDir::toNativeSeparators(filePath(lower));
    return files.join(QStringLiteral(", "));
}

} // namespace engine
