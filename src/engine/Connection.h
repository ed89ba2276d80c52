#pragma once

#include "engine/Dialect.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace engine {

enum class FieldType { Unknown, Integer, Float, Text, Boolean };

struct ColumnInfo
{
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;          // CHAR(n): n
    bool readOnly = false; // assigned by the engine (AUTOINC)
};

// A result read in full: statements never stay open between calls, so a live query never
// blocks an UPDATE or DROP of its table.
struct ResultSet
{
    std::vector<ColumnInfo> columns;
    std::vector<std::vector<QVariant>> rows;
    std::vector<qint64> rowids; // live results: the rowid of every row
    QString table;              // live results: the one table the rows come from
};

struct Param
{
    QString name; // without the colon; matched without regard to case
    QVariant value;
};
using Params = std::vector<Param>;

struct StatementDeleter
{
    void operator()(sqlite3_stmt *stmt) const;
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// The connection `dbDorv`: a folder of table files, one SQLite file per table. An in-memory
// main database attaches the files a statement names, on demand.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Parameter lines as the program sets them: "PATH=<data path>" and further lines, which
    // are accepted and ignored. A missing data folder is an EngineError.
    void open(const QStringList &parameterLines);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString dataPath() const { return m_dataPath; }

    // Runs one statement without result; returns the number of rows changed.
    int execute(const QString &sql, const Params &params = {});
    // Runs one statement and reads its rows. With `live`, a one-table SELECT * also delivers
    // the rowid of every row so that the rows can be written back.
    ResultSet query(const QString &sql, const Params &params = {}, bool live = false);

    // The parameter names of a statement, each once, in order of first use.
    QStringList parameterNames(const QString &sql) const;
    // The table of a one-table SELECT *, or empty when the statement is not one.
    QString liveTable(const QString &sql);
    qint64 lastInsertRowId() const;
    bool tableExists(const QString &table) const;
    QString tablePath(const QString &table) const;

    // Transactions; nested calls use savepoints. Prefer the Transaction guard.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

private:
    struct Cached
    {
        Translation translation;
        StatementHandle stmt;
        StatementHandle rowidStmt;
        std::vector<QString> paramNames; // index 0 = SQLite parameter 1
        std::vector<std::string> textBuffers; // UTF-8 of the text parameters, alive until the step
        struct Columns
        {
            bool known = false;
            std::vector<ColumnInfo> info; // as declared; an undeclared type follows the values
            std::vector<bool> declared;
        };
        Columns columns[2]; // of the statement, and of its variant with the rowid
        std::vector<QString> tables;     // lower-case names of the table files it names
        quint64 tablesGeneration = 0;    // folder generation the tables were resolved for
    };

    void requireOpen() const;
    void clearStatementCache();
    std::shared_ptr<Cached> cached(const QString &sql);
    sqlite3_stmt *prepared(Cached &c, bool live);
    void attachTablesOf(Cached &c);
    void attach(const QString &lowerName);
    void detach(const QString &lowerName);
    // Detaches a table file and removes it with its journal; false when it could not go.
    bool discardTableFile(const QString &lowerName);
    void scanFolder();
    // These live in FolderRecovery.cpp: what the connection does about files left by a program
    // that was killed, and about damaged ones.
    void openMainDatabase(const QString &folder);
    void recoverFolder();
    // True when a connection, of this process or another, holds an attached file for writing.
    bool isBeingWritten(const QString &lowerName) const;
    // Reads an attached file's tables; a file that is no database is detached and its error,
    // naming the file, thrown.
    void requireReadable(const QString &lowerName);
    // The files of a statement that failed because a file is damaged, for the error; else empty.
    QString damagedFilesOf(const Cached &c, int rc) const;
    static bool isDamage(int code);
    // Looks at a table file through a connection of its own: its error when it is damaged (is
    // no database, or with wholeFile, holds a page that does not read), else code 0.
    struct Damage
    {
        int code = 0;
        QString message;
    };
    static Damage damageOf(const QString &file, bool wholeFile);
    void bind(Cached &c, sqlite3_stmt *stmt, const Params &params);
    const Cached::Columns &columnsOf(Cached &c, sqlite3_stmt *stmt, bool withRowid);
    void exec(const QString &sql);
    void createTable(const Translation &t);
    void dropTable(const Translation &t);
    [[noreturn]] void fail(int rc, const QString &context = {}) const;
    QString aliasFor(const QString &lowerName) const;

    sqlite3 *m_db = nullptr;
    QString m_dataPath;
    QHash<QString, QString> m_tableFiles; // lower-case table name -> file name in the folder
    QHash<QString, quint64> m_attached;  // lower-case name -> last use
    quint64 m_useCounter = 0;
    quint64 m_folderGeneration = 1; // counts changes of the set of table files
    QHash<QString, std::shared_ptr<Cached>> m_cache;
    QString m_lastSql;                    // the text of the statement run last, and its entry:
    std::shared_ptr<Cached> m_lastCached; // a loop running one text skips the lookup
    int m_depth = 0;
    std::vector<std::pair<int, QString>> m_createdInTransaction; // depth, lower-case name
    std::vector<QString> m_droppedInTransaction;
};

} // namespace engine
