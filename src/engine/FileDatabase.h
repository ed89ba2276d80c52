#pragma once

#include <QString>

#include <memory>

struct sqlite3;

namespace engine {

struct DatabaseDeleter
{
    void operator()(sqlite3 *db) const;
};

// One SQLite file opened on its own, through a connection of its own beside the program's
// `Connection`: a table file looked at before it is attached, or a file where no connection
// reaches (the copies a backup takes and a restore checks). Statements run on it as
// `Statement`s over handle().
class FileDatabase
{
public:
    enum class Access {
        ReadOnly,
        ReadWrite,
        Create, // read and write, made when it is missing
    };

    // Opens the file; returns SQLite's result code (SQLITE_OK when it is open). When it
    // fails, errorMessage() says why.
    int open(const QString &path, Access access);
    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db.get(); }

    // SQLite's text for the last failure on the file, or for `rc` when it could not be opened.
    QString errorMessage(int rc) const;
    // The system's error number of the last failed file operation (ENOSPC for a full disk).
    int systemError() const;

    // How a copy ended: `code` is SQLITE_OK when every page was copied. `writing` says that the
    // copy could not be written (rather than the source read); `systemError` is then ENOSPC for
    // a full disk.
    struct CopyResult
    {
        int code = 0;
        bool writing = false;
        int systemError = 0;
        QString message;
    };
    // Copies the whole file into `target` with SQLite's online backup: the copy is one
    // consistent state of the file, taken in one step under a read lock.
    CopyResult copyTo(const FileDatabase &target) const;

private:
    std::unique_ptr<sqlite3, DatabaseDeleter> m_db;
};

} // namespace engine
