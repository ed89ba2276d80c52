#include "engine/FileDatabase.h"

#include <QFile>

#include <sqlite3.h>

#include <cerrno>

namespace engine {

void DatabaseDeleter::operator()(sqlite3 *db) const
{
    sqlite3_close_v2(db);
}

int FileDatabase::open(const QString &path, Access access)
{
    const int flags = access == Access::ReadOnly    ? SQLITE_OPEN_READONLY
                      : access == Access::ReadWrite ? SQLITE_OPEN_READWRITE
                                                    : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    m_db.reset(raw);
    if (raw)
        sqlite3_extended_result_codes(raw, 1);
    return rc;
}

QString FileDatabase::errorMessage(int rc) const
{
    return QString::fromUtf8(m_db ? sqlite3_errmsg(m_db.get()) : sqlite3_errstr(rc));
}

int FileDatabase::systemError() const
{
    return m_db ? sqlite3_system_errno(m_db.get()) : 0;
}

FileDatabase::CopyResult FileDatabase::copyTo(const FileDatabase &target) const
{
    sqlite3_backup *copy = sqlite3_backup_init(target.handle(), "main", handle(), "main");
    if (!copy) {
        const int code = sqlite3_extended_errcode(target.handle());
        return {code != SQLITE_OK ? code : SQLITE_ERROR, false, 0, target.errorMessage(SQLITE_ERROR)};
    }
    const int rc = sqlite3_backup_step(copy, -1);
    sqlite3_backup_finish(copy);
    if (rc == SQLITE_DONE)
        return {};
    // Writing the copy fails with the target's codes; reading the source with the rest.
    const int primary = rc & 0xff;
    const int systemError = target.systemError();
    const QString message = QString::fromUtf8(sqlite3_errstr(rc));
    if (primary == SQLITE_FULL)
        return {rc, true, ENOSPC, message};
    if (rc == SQLITE_IOERR_WRITE || rc == SQLITE_IOERR_FSYNC || rc == SQLITE_IOERR_TRUNCATE
        || (primary == SQLITE_IOERR && systemError == ENOSPC))
        return {rc, true, systemError, message};
    return {rc, false, 0, message};
}

} // namespace engine
