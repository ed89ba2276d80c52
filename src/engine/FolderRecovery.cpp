// What the connection does about the files of its data folder that it cannot simply use: the
// leftovers of a program that was killed in the middle of its work, and damaged files.
#include "engine/Connection.h"

#include "engine/EngineError.h"
#include "engine/Identifier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace engine {

namespace {

// The main database of the connection. It holds no table; it is a file (not ":memory:")
// because SQLite commits a transaction over several attached files atomically only then.
const QString mainFileName = QStringLiteral(".dorv-connection");

// Runs a one-row count on the connection; false with the result code when it fails.
bool countRows(sqlite3 *db, const QByteArray &sql, qint64 &count, int &rc)
{
    sqlite3_stmt *raw = nullptr;
    rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, nullptr);
    StatementHandle stmt(raw);
    if (rc != SQLITE_OK)
        return false;
    rc = sqlite3_step(raw);
    if (rc != SQLITE_ROW)
        return false;
    count = sqlite3_column_int64(raw, 0);
    rc = SQLITE_OK;
    return true;
}

} // namespace

bool Connection::isDamage(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

Connection::Damage Connection::damageOf(const QString &file, bool wholeFile)
{
    if (QFileInfo(file).size() == 0)
        return {}; // an empty file is an empty database
    sqlite3 *probe = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &probe, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3 *)> closer(probe, sqlite3_close_v2);
    if (rc != SQLITE_OK)
        return {};
    sqlite3_extended_result_codes(probe, 1);
    qint64 tables = 0;
    if (!countRows(probe, "SELECT count(*) FROM sqlite_master", tables, rc))
        return isDamage(rc) ? Damage{rc, QString::fromUtf8(sqlite3_errmsg(probe))} : Damage{};
    if (!wholeFile)
        return {};
    sqlite3_stmt *raw = nullptr;
    rc = sqlite3_prepare_v2(probe, "PRAGMA quick_check(1)", -1, &raw, nullptr);
    const StatementHandle check(raw);
    if (rc != SQLITE_OK || (rc = sqlite3_step(raw)) != SQLITE_ROW)
        return isDamage(rc) ? Damage{rc, QString::fromUtf8(sqlite3_errmsg(probe))} : Damage{};
    const QString result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(raw, 0)));
    if (result != u"ok")
        return {SQLITE_CORRUPT, result};
    return {};
}

// The main database holds nothing of the user's: when it is damaged, it is made anew.
void Connection::openMainDatabase(const QString &folder)
{
    const QString file = folder + mainFileName;
    for (int attempt = 0;; ++attempt) {
        int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
        if (rc != SQLITE_OK) {
            // A folder the user may only read: the tables can still be read.
            sqlite3_close_v2(m_db);
            m_db = nullptr;
            rc = sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE, nullptr);
            if (rc != SQLITE_OK) {
                const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
                sqlite3_close_v2(m_db);
                m_db = nullptr;
                throw EngineError(message, rc);
            }
        }
        sqlite3_extended_result_codes(m_db, 1);
        qint64 tables = 0;
        if (countRows(m_db, "SELECT count(*) FROM main.sqlite_master", tables, rc) || !isDamage(rc) || attempt > 0)
            return;
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-journal"));
    }
}

// A table file left behind by a transaction that never committed (an import killed half
// way, say) is rolled back by SQLite when it is first read; a file that then holds no table
// is removed, so the folder never shows a list that is not there. A file that another
// connection is writing is that connection's own: its transaction may still commit.
void Connection::recoverFolder()
{
    const QStringList names = m_tableFiles.keys();
    for (const QString &lower : names) {
        const QString file = m_dataPath + m_tableFiles.value(lower);
        const bool hotJournal = QFileInfo::exists(file + QStringLiteral("-journal"));
        if (!hotJournal && QFileInfo(file).size() > 0)
            continue;
        try {
            attach(lower);
        } catch (const EngineError &) {
            continue; // reported at its first use
        }
        if (isBeingWritten(lower)) {
            detach(lower);
            continue;
        }
        qint64 tables = 0;
        int rc = SQLITE_OK;
        const QByteArray sql = QStringLiteral("SELECT count(*) FROM \"%1\".sqlite_master").arg(aliasFor(lower)).toUtf8();
        if (countRows(m_db, sql, tables, rc) && tables == 0)
            discardTableFile(lower); // its journal, too, can restore nothing
    }
}

bool Connection::isBeingWritten(const QString &lowerName) const
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

void Connection::requireReadable(const QString &lowerName)
{
    qint64 tables = 0;
    int rc = SQLITE_OK;
    const QByteArray sql = QStringLiteral("SELECT count(*) FROM \"%1\".sqlite_master").arg(aliasFor(lowerName)).toUtf8();
    if (countRows(m_db, sql, tables, rc))
        return;
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    const int code = sqlite3_extended_errcode(m_db);
    detach(lowerName);
    const QString file = QDir::toNativeSeparators(m_dataPath + m_tableFiles.value(lowerName, tableFileName(lowerName)));
    throw EngineError(QStringLiteral("%1: %2").arg(file, message), code ? code : rc);
}

QString Connection::damagedFilesOf(const Cached &c, int rc) const
{
    if (!isDamage(sqlite3_extended_errcode(m_db)) && !isDamage(rc))
        return {};
    QStringList files;
    for (const QString &lower : c.tables)
        files << QDir::toNativeSeparators(m_dataPath + m_tableFiles.value(lower, tableFileName(lower)));
    return files.join(QStringLiteral(", "));
}

} // namespace engine
