#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

struct sqlite3;

namespace engine {

class FileDatabase;

// The data folder as the connection sees it: one SQLite file `<table>.db` per table, attached
// to the connection's main database when a statement names it. SQLite attaches at most ten
// files at a time, so the file used least recently is detached to make room. Table names are
// passed in lower case.
class TableFolder
{
public:
    // `beforeDetach` runs before a file is detached: statements prepared with it must go.
    explicit TableFolder(std::function<void()> beforeDetach);

    // Opens the connection's main database `.dorv-connection` in the folder. It holds no table;
    // it is a file (not ":memory:") because SQLite commits a transaction over several attached
    // files atomically only then. A damaged one is made anew; in a folder the user may only
    // read, an in-memory one stands in, so that the tables can still be read.
    static sqlite3 *openMainDatabase(const QString &folder);

    // Reads the folder, then cleans up what a killed program left in it (see recover()).
    void open(sqlite3 *db, const QString &dataPath);
    void close();

    QString path() const { return m_dataPath; }
    // Counts changes of the set of table files: what was resolved for an older one is stale.
    quint64 generation() const { return m_generation; }
    void scan();
    bool contains(const QString &lowerName) const { return m_tableFiles.contains(lowerName); }
    QString filePath(const QString &lowerName) const;
    static QString aliasFor(const QString &lowerName) { return QStringLiteral("t_") + lowerName; }

    bool isAttached(const QString &lowerName) const { return m_attached.contains(lowerName); }
    // Attaches the file, or marks it used when it is attached already. Inside a transaction a
    // damaged file would break the whole transaction as it is attached: it is looked at on its
    // own first. A file that is no database is refused with an error naming it.
    void use(const QString &lowerName, bool inTransaction);
    void detach(const QString &lowerName);
    // A file the connection is about to create.
    void add(const QString &lowerName, const QString &fileName);
    // Detaches a table file and removes it with its journal; false when it could not go.
    bool discard(const QString &lowerName);

    // Looks at a table file through a connection of its own: its error when it is damaged (is
    // no database, or with wholeFile, holds a page that does not read), else code 0.
    struct Damage
    {
        int code = 0;
        QString message;
    };
    static Damage damageOf(const QString &file, bool wholeFile);
    // The same for a file opened already (an empty file is then no exception).
    static Damage damageOf(const FileDatabase &file, bool wholeFile);
    // The files of a statement that failed because a file is damaged, for the error; else empty.
    QString damagedFiles(const std::vector<QString> &lowerNames, int rc) const;

private:
    void attach(const QString &lowerName, bool inTransaction);
    void recover();
    // True when a connection, of this process or another, holds an attached file for writing.
    bool isBeingWritten(const QString &lowerName) const;
    // Reads an attached file's tables; a file that is no database is detached and its error,
    // naming the file, thrown.
    void requireReadable(const QString &lowerName);

    std::function<void()> m_beforeDetach;
    sqlite3 *m_db = nullptr; // the connection's, not owned
    QString m_dataPath;
    QHash<QString, QString> m_tableFiles; // lower-case table name -> file name in the folder
    QHash<QString, quint64> m_attached;   // lower-case name -> last use
    quint64 m_useCounter = 0;
    quint64 m_generation = 1;
};

} // namespace engine
