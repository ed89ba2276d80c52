#include "engine/Connection.h"

#include "engine/DecimalSum.h"
#include "engine/EngineError.h"
#include "engine/Identifier.h"
#include "engine/SqliteError.h"
#include "engine/Tokenizer.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace engine {

namespace {

constexpr qsizetype maxCachedStatements = 256;

QString savepointName(int level)
{
    return QStringLiteral("dorv_%1").arg(level);
}

} // namespace

// Cached statements may refer to a file that is detached: they are prepared again when next used.
Connection::Connection() : m_folder([this] { clearStatementCache(); }) {}

Connection::~Connection()
{
    close();
}

void Connection::open(const QStringList &parameterLines)
{
    close();
    QString path;
    for (const QString &line : parameterLines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (line.left(eq).trimmed().compare(QLatin1String("PATH"), Qt::CaseInsensitive) == 0)
            path = line.mid(eq + 1).trimmed();
    }
    if (path.isEmpty() || !QFileInfo(path).isDir())
        throw EngineError(QStringLiteral("Data folder not found: %1").arg(path));
    if (!path.endsWith(u'/'))
        path += u'/';

    m_db = TableFolder::openMainDatabase(path);
    registerDecimalSum(m_db);
    runSql(m_db, QStringLiteral("PRAGMA case_sensitive_like = ON"), path);
    m_folder.open(m_db, path);
}

void Connection::close()
{
    if (!m_db)
        return;
    clearStatementCache();
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_folder.close();
    m_depth = 0;
    m_created.clear();
    m_dropped.clear();
    m_undoneCreations.clear();
}

void Connection::clearStatementCache()
{
    m_cache.clear();
    m_lastCached.reset();
    m_lastSql.clear();
}

void Connection::requireOpen() const
{
    if (!m_db)
        throw EngineError(QStringLiteral("The database DORV is not open"));
}

QString Connection::tablePath(const QString &table) const
{
    return m_folder.filePath(table.toLower());
}

bool Connection::tableExists(const QString &table) const
{
    return QFileInfo::exists(tablePath(table));
}

void Connection::attachTablesOf(Cached &c)
{
    if (c.tablesGeneration != m_folder.generation()) {
        c.tables.clear();
        for (const QString &word : c.translation.words) {
            const QString lower = word.toLower();
            if (m_folder.contains(lower))
                c.tables.push_back(lower);
        }
        c.tablesGeneration = m_folder.generation();
    }
    for (const QString &lower : c.tables)
        m_folder.use(lower, inTransaction());
}

// Callers hold the returned entry: detaching a file clears the cache under them.
std::shared_ptr<Connection::Cached> Connection::cached(const QString &sql)
{
    // The same shared text as last time (we hold a reference, so it cannot have changed).
    if (m_lastCached && sql.constData() == m_lastSql.constData() && sql.size() == m_lastSql.size())
        return m_lastCached;
    auto it = m_cache.find(sql);
    if (it != m_cache.end()) {
        m_lastSql = sql;
        m_lastCached = it.value();
        return it.value();
    }
    if (m_cache.size() >= maxCachedStatements)
        clearStatementCache();
    auto entry = std::make_shared<Cached>();
    entry->translation = translate(sql);
    m_cache.insert(sql, entry);
    m_lastSql = sql;
    m_lastCached = entry;
    return entry;
}

Statement &Connection::prepared(Cached &c, bool live)
{
    attachTablesOf(c);
    Statement &stmt = live ? c.rowidStmt : c.stmt;
    if (stmt.isPrepared())
        return stmt;
    const QByteArray sql = (live ? c.translation.rowidSql : c.translation.sql).toUtf8();
    for (int attempt = 0;; ++attempt) {
        QByteArray rest;
        const int rc = stmt.prepare(m_db, sql, true, &rest);
        if (rc == SQLITE_OK) {
            if (rest.trimmed().size() > 0) {
                stmt = Statement();
                throw EngineError(QStringLiteral("Only one statement can be run at a time"));
            }
            return stmt;
        }
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        if (attempt == 0 && message.startsWith(QLatin1String("no such table"))) {
            // A table file may have been added to the folder since it was last read.
            m_folder.scan();
            attachTablesOf(c);
            continue;
        }
        fail(rc);
    }
}

int Connection::execute(const QString &sql, const Params &params)
{
    requireOpen();
    const std::shared_ptr<Cached> entry = cached(sql);
    Cached &c = *entry;
    if (c.translation.kind == StatementKind::CreateTable) {
        createTable(c.translation);
        return 0;
    }
    if (c.translation.kind == StatementKind::DropTable) {
        dropTable(c.translation);
        return 0;
    }
    Statement &stmt = prepared(c, false);
    stmt.bind(params);
    int rc;
    while ((rc = stmt.step()) == SQLITE_ROW) {
    }
    stmt.reset();
    if (rc != SQLITE_DONE)
        fail(rc, m_folder.damagedFiles(c.tables, rc));
    return sqlite3_changes(m_db);
}

ResultSet Connection::query(const QString &sql, const Params &params, bool live)
{
    requireOpen();
    const std::shared_ptr<Cached> entry = cached(sql);
    Cached &c = *entry;
    if (c.translation.kind == StatementKind::CreateTable || c.translation.kind == StatementKind::DropTable) {
        execute(sql, params);
        return {};
    }
    const bool withRowid = live && !c.translation.rowidSql.isEmpty();
    Statement &stmt = prepared(c, withRowid);
    stmt.bind(params);

    ResultSet result;
    if (withRowid)
        result.table = c.translation.table;
    const int first = withRowid ? 1 : 0;
    const int count = stmt.columnCount();
    const Cached::Columns &columns = columnsOf(c, stmt, withRowid);
    result.columns = columns.info;
    const std::vector<bool> &declared = columns.declared;

    int rc;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        if (withRowid)
            result.rowids.push_back(stmt.int64(0));
        std::vector<QVariant> row;
        row.reserve(count - first);
        for (int i = first; i < count; ++i)
            row.push_back(stmt.value(i, result.columns[i - first], declared[i - first]));
        result.rows.push_back(std::move(row));
    }
    stmt.reset();
    if (rc != SQLITE_DONE)
        fail(rc, m_folder.damagedFiles(c.tables, rc));
    return result;
}

// What a statement's columns are does not change between its runs: read once per statement.
const Connection::Cached::Columns &Connection::columnsOf(Cached &c, const Statement &stmt, bool withRowid)
{
    Cached::Columns &columns = c.columns[withRowid ? 1 : 0];
    if (columns.known)
        return columns;
    const int count = stmt.columnCount();
    for (int i = withRowid ? 1 : 0; i < count; ++i) {
        bool declared = false;
        columns.info.push_back(stmt.columnInfo(i, declared));
        columns.declared.push_back(declared);
    }
    columns.known = true;
    return columns;
}

QStringList Connection::parameterNames(const QString &sql) const
{
    QStringList names;
    for (const Token &t : tokenize(sql)) {
        if (t.kind != TokenKind::Parameter)
            continue;
        const QString name = t.text.mid(1);
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    return names;
}

QString Connection::liveTable(const QString &sql)
{
    return cached(sql)->translation.table;
}

qint64 Connection::lastInsertRowId() const
{
    requireOpen();
    return sqlite3_last_insert_rowid(m_db);
}

void Connection::createTable(const Translation &t)
{
    const QString lower = t.table.toLower();
    if (m_folder.contains(lower) || QFileInfo::exists(dataPath() + tableFileName(t.table)))
        throw EngineError(QStringLiteral("Table %1 already exists").arg(t.table));
    m_folder.add(lower, tableFileName(t.table));
    bool rollbackRemovesIt = false;
    try {
        m_folder.use(lower, inTransaction());
        if (inTransaction()) {
            m_created.push_back({m_depth, lower});
            rollbackRemovesIt = true;
        }
        for (const QString &statement : createTableStatements(t, TableFolder::aliasFor(lower)))
            exec(statement);
    } catch (const EngineError &) {
        // Nothing of a table that could not be made stays in the folder.
        if (!rollbackRemovesIt)
            m_folder.discard(lower);
        throw;
    }
}

void Connection::dropTable(const Translation &t)
{
    const QString lower = t.table.toLower();
    if (!m_folder.contains(lower))
        m_folder.scan();
    if (!m_folder.contains(lower))
        throw EngineError(QStringLiteral("no such table: %1").arg(t.table));
    if (inTransaction()) {
        // Inside a transaction the table goes with it; the file follows at the commit. A
        // damaged file holds nothing that could be dropped: it, too, goes at the commit.
        if (TableFolder::damageOf(m_folder.filePath(lower), true).code != 0) {
            if (m_folder.isAttached(lower))
                m_folder.detach(lower);
        } else {
            m_folder.use(lower, true);
            exec(QStringLiteral("DROP TABLE \"%1\".%2").arg(TableFolder::aliasFor(lower), t.table));
        }
        m_dropped.push_back({m_depth, lower});
        return;
    }
    const QString file = m_folder.filePath(lower);
    if (!m_folder.discard(lower))
        throw EngineError(QStringLiteral("Table %1 could not be deleted: %2").arg(t.table, file));
}

void Connection::begin()
{
    requireOpen();
    Q_ASSERT_X(!inTransaction(), "Connection::begin", "a transaction inside a transaction is a Savepoint");
    exec(QStringLiteral("BEGIN"));
    m_depth = 1;
}

void Connection::commit()
{
    requireOpen();
    if (!inTransaction())
        throw EngineError(QStringLiteral("No transaction is active"));
    Q_ASSERT_X(m_depth == 1, "Connection::commit", "a savepoint is still open");
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (const EngineError &) {
        rollback();
        throw;
    }
    m_depth = 0;
    finishTableChanges(true);
}

void Connection::rollback()
{
    requireOpen();
    if (!inTransaction())
        return;
    m_depth = 0;
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    finishTableChanges(false);
}

void Connection::finishTableChanges(bool committed)
{
    std::vector<QString> discarded = std::move(m_undoneCreations);
    for (const TableChange &change : committed ? m_dropped : m_created)
        discarded.push_back(change.lowerName);
    m_created.clear();
    m_dropped.clear();
    m_undoneCreations.clear();
    for (const QString &lower : discarded)
        m_folder.discard(lower);
}

void Connection::savepoint()
{
    requireOpen();
    if (!inTransaction())
        throw EngineError(QStringLiteral("No transaction is active"));
    exec(QStringLiteral("SAVEPOINT ") + savepointName(m_depth));
    ++m_depth;
}

void Connection::releaseSavepoint()
{
    requireOpen();
    Q_ASSERT_X(m_depth > 1, "Connection::releaseSavepoint", "no savepoint is open");
    exec(QStringLiteral("RELEASE ") + savepointName(m_depth - 1));
    --m_depth;
    // What the savepoint did now belongs to the level around it.
    for (std::vector<TableChange> *changes : {&m_created, &m_dropped})
        for (TableChange &change : *changes)
            change.depth = std::min(change.depth, m_depth);
}

void Connection::rollbackToSavepoint()
{
    requireOpen();
    Q_ASSERT_X(m_depth > 1, "Connection::rollbackToSavepoint", "no savepoint is open");
    exec(QStringLiteral("ROLLBACK TO ") + savepointName(m_depth - 1));
    exec(QStringLiteral("RELEASE ") + savepointName(m_depth - 1));
    --m_depth;
    // A table dropped since the savepoint is back and keeps its file; one created since is
    // gone, and its file goes when the transaction ends.
    const auto undone = [this](const TableChange &change) { return change.depth > m_depth; };
    for (const TableChange &change : m_created)
        if (undone(change))
            m_undoneCreations.push_back(change.lowerName);
    std::erase_if(m_created, undone);
    std::erase_if(m_dropped, undone);
}

void Connection::exec(const QString &sql)
{
    runSql(m_db, sql, dataPath());
}

void Connection::fail(int rc, const QString &context) const
{
    throwSqliteError(m_db, rc, dataPath(), context);
}

} // namespace engine
