#pragma once

#include "engine/Dialect.h"
#include "engine/Params.h"
#include "engine/Statement.h"
#include "engine/TableFolder.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3;

namespace engine {

// A result read in full: statements never stay open between calls, so a live query never
// blocks an UPDATE or DROP of its table.
struct ResultSet
{
    std::vector<ColumnInfo> columns;
    std::vector<std::vector<QVariant>> rows;
    std::vector<qint64> rowids; // live results: the rowid of every row
    QString table;              // live results: the one table the rows come from
};

// The connection `dbDorv` to a folder of table files, one SQLite file per table
// (`TableFolder`). Its main database is the file `.dorv-connection` in the folder, which holds
// no table; a statement's text is translated once into SQLite's dialect, prepared once
// (`Statement`) and kept, and the table files it names are attached before it runs.
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
    QString dataPath() const { return m_folder.path(); }

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

    // A transaction over every table file the work touches. A table created in it is removed
    // again by its rollback; a dropped table's file goes at its commit. Prefer the Transaction
    // guard, which inside a transaction takes a Savepoint instead.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }
    // Savepoints inside a transaction, innermost first; prefer the Savepoint guard.
    void savepoint();
    void releaseSavepoint();
    void rollbackToSavepoint();
    // 0 outside a transaction, 1 in one, one more for each savepoint.
    int transactionDepth() const { return m_depth; }

private:
    struct Cached
    {
        Translation translation;
        Statement stmt;
        Statement rowidStmt;
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
    // A table created or dropped inside the transaction, at the depth it happened.
    struct TableChange
    {
        int depth;
        QString lowerName;
    };

    void requireOpen() const;
    void clearStatementCache();
    std::shared_ptr<Cached> cached(const QString &sql);
    Statement &prepared(Cached &c, bool live);
    void attachTablesOf(Cached &c);
    const Cached::Columns &columnsOf(Cached &c, const Statement &stmt, bool withRowid);
    void exec(const QString &sql);
    void createTable(const Translation &t);
    void dropTable(const Translation &t);
    // Ends the transaction's bookkeeping of created and dropped tables.
    void finishTableChanges(bool committed);
    [[noreturn]] void fail(int rc, const QString &context = {}) const;

    sqlite3 *m_db = nullptr;
    TableFolder m_folder;
    QHash<QString, std::shared_ptr<Cached>> m_cache;
    QString m_lastSql;                    // the text of the statement run last, and its entry:
    std::shared_ptr<Cached> m_lastCached; // a loop running one text skips the lookup
    int m_depth = 0;
    std::vector<TableChange> m_created;
    std::vector<TableChange> m_dropped;
    std::vector<QString> m_undoneCreations; // created, then rolled back to a savepoint
};

} // namespace engine
