#include "engine/Connection.h"

#include "engine/DecimalSum.h"
#include "engine/EngineError.h"
#include "engine/Identifier.h"
#include "engine/Tokenizer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace engine {

namespace {

// SQLite attaches at most ten files at a time.
constexpr int maxAttached = 10;
constexpr qsizetype maxCachedStatements = 256;

FieldType typeFromDeclaration(const char *decl, int &size)
{
    size = 0;
    if (!decl)
        return FieldType::Unknown;
    const QString d = QString::fromUtf8(decl).toUpper();
    if (d.contains(u"BOOL"))
        return FieldType::Boolean;
    if (d.contains(u"INT"))
        return FieldType::Integer;
    if (d.contains(u"CHAR") || d.contains(u"TEXT") || d.contains(u"CLOB")) {
        const qsizetype open = d.indexOf(u'(');
        if (open >= 0)
            size = d.mid(open + 1, d.indexOf(u')') - open - 1).trimmed().toInt();
        return FieldType::Text;
    }
    if (d.contains(u"REAL") || d.contains(u"FLOA") || d.contains(u"DOUB") || d.contains(u"NUM") || d.contains(u"DEC"))
        return FieldType::Float;
    return FieldType::Unknown;
}

FieldType typeFromValue(int sqliteType)
{
    switch (sqliteType) {
    case SQLITE_INTEGER: return FieldType::Integer;
    case SQLITE_FLOAT: return FieldType::Float;
    case SQLITE_TEXT: return FieldType::Text;
    default: return FieldType::Unknown;
    }
}

QString trimTrailingBlanks(QString s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    s.truncate(n);
    return s;
}

QVariant readValue(sqlite3_stmt *stmt, int i, ColumnInfo &col, bool declared)
{
    const int t = sqlite3_column_type(stmt, i);
    if (t == SQLITE_NULL)
        return {};
    if (col.type == FieldType::Unknown)
        col.type = typeFromValue(t);
    switch (col.type) {
    case FieldType::Integer: {
        const qint64 v = sqlite3_column_int64(stmt, i);
        if (declared || (v >= INT32_MIN && v <= INT32_MAX))
            return QVariant(int(v));
        return QVariant(qlonglong(v));
    }
    case FieldType::Float:
        return QVariant(sqlite3_column_double(stmt, i));
    case FieldType::Boolean:
        return QVariant(sqlite3_column_int64(stmt, i) != 0);
    case FieldType::Text:
    case FieldType::Unknown: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
        const QString s = QString::fromUtf8(text, sqlite3_column_bytes(stmt, i));
        return col.size > 0 ? QVariant(trimTrailingBlanks(s)) : QVariant(s);
    }
    }
    return {};
}

} // namespace

void StatementDeleter::operator()(sqlite3_stmt *stmt) const
{
    sqlite3_finalize(stmt);
}

Connection::Connection() = default;

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

    openMainDatabase(path);
    registerDecimalSum(m_db);
    m_dataPath = path;
    exec(QStringLiteral("PRAGMA case_sensitive_like = ON"));
    scanFolder();
    recoverFolder();
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
    m_attached.clear();
    m_tableFiles.clear();
    m_depth = 0;
    m_createdInTransaction.clear();
    m_droppedInTransaction.clear();
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

QString Connection::aliasFor(const QString &lowerName) const
{
    return QStringLiteral("t_") + lowerName;
}

QString Connection::tablePath(const QString &table) const
{
    const QString lower = table.toLower();
    const auto it = m_tableFiles.constFind(lower);
    return m_dataPath + (it != m_tableFiles.cend() ? it.value() : tableFileName(table));
}

bool Connection::tableExists(const QString &table) const
{
    return QFileInfo::exists(tablePath(table));
}

void Connection::scanFolder()
{
    ++m_folderGeneration;
    m_tableFiles.clear();
    const QStringList files = QDir(m_dataPath).entryList({QStringLiteral("*.db")}, QDir::Files);
    for (const QString &file : files)
        m_tableFiles.insert(file.left(file.size() - 3).toLower(), file);
}

void Connection::attach(const QString &lowerName)
{
    if (m_attached.size() >= maxAttached) {
        // Make room by detaching the file used least recently.
        auto oldest = std::min_element(m_attached.cbegin(), m_attached.cend());
        detach(oldest.key());
    }
    const QString path = m_dataPath + m_tableFiles.value(lowerName, tableFileName(lowerName));
    // Inside a transaction a damaged file would break the whole transaction as it is attached:
    // it is looked at on its own first.
    if (m_depth > 0) {
        const Damage damage = damageOf(path, false);
        if (damage.code != 0)
            throw EngineError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), damage.message), damage.code);
    }
    const QString alias = aliasFor(lowerName);
    StatementHandle stmt;
    sqlite3_stmt *raw = nullptr;
    int rc = sqlite3_prepare_v2(m_db, "ATTACH DATABASE ?1 AS ?2", -1, &raw, nullptr);
    stmt.reset(raw);
    if (rc != SQLITE_OK)
        fail(rc);
    const QByteArray file = path.toUtf8();
    const QByteArray aliasUtf8 = alias.toUtf8();
    sqlite3_bind_text(raw, 1, file.constData(), int(file.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 2, aliasUtf8.constData(), int(aliasUtf8.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(raw);
    if (rc != SQLITE_DONE)
        fail(rc, QDir::toNativeSeparators(path));
    m_attached.insert(lowerName, ++m_useCounter);
    // The file's tables are read now: a file that is no database is detached again at once, so
    // that it cannot break every later statement, and its error names it.
    requireReadable(lowerName);
}

void Connection::detach(const QString &lowerName)
{
    // Cached statements may refer to the file; they are prepared again when next used.
    clearStatementCache();
    exec(QStringLiteral("DETACH DATABASE \"%1\"").arg(aliasFor(lowerName)));
    m_attached.remove(lowerName);
}

void Connection::attachTablesOf(Cached &c)
{
    if (c.tablesGeneration != m_folderGeneration) {
        c.tables.clear();
        for (const QString &word : c.translation.words) {
            const QString lower = word.toLower();
            if (m_tableFiles.contains(lower))
                c.tables.push_back(lower);
        }
        c.tablesGeneration = m_folderGeneration;
    }
    for (const QString &lower : c.tables) {
        auto it = m_attached.find(lower);
        if (it != m_attached.end())
            it.value() = ++m_useCounter;
        else
            attach(lower);
    }
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

sqlite3_stmt *Connection::prepared(Cached &c, bool live)
{
    attachTablesOf(c);
    StatementHandle &handle = live ? c.rowidStmt : c.stmt;
    if (handle)
        return handle.get();
    const QByteArray sql = (live ? c.translation.rowidSql : c.translation.sql).toUtf8();
    for (int attempt = 0;; ++attempt) {
        sqlite3_stmt *raw = nullptr;
        const char *tail = nullptr;
        const int rc = sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &raw, &tail);
        if (rc == SQLITE_OK) {
            handle.reset(raw);
            if (tail && QByteArray(tail).trimmed().size() > 0)
                throw EngineError(QStringLiteral("Only one statement can be run at a time"));
            break;
        }
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        if (attempt == 0 && message.startsWith(QLatin1String("no such table"))) {
            // A table file may have been added to the folder since it was last read.
            scanFolder();
            attachTablesOf(c);
            continue;
        }
        fail(rc);
    }
    if (c.paramNames.empty()) {
        const int n = sqlite3_bind_parameter_count(handle.get());
        for (int i = 1; i <= n; ++i) {
            const char *name = sqlite3_bind_parameter_name(handle.get(), i);
            c.paramNames.push_back(name ? QString::fromUtf8(name + 1) : QString());
        }
    }
    return handle.get();
}

namespace {

// UTF-8 of a text without its trailing blanks, into a buffer that keeps its capacity: every
// text column of the program is CHAR(n), whose trailing blanks are not part of the value.
void encodeText(const QString &text, std::string &out)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    out.clear();
    const QChar *p = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c < 0x80) {
            out.push_back(char(c));
            continue;
        }
        const QByteArray rest = QStringView(p + i, n - i).toUtf8();
        out.append(rest.constData(), std::size_t(rest.size()));
        return;
    }
}

} // namespace

void Connection::bind(Cached &c, sqlite3_stmt *stmt, const Params &params)
{
    const std::vector<QString> &names = c.paramNames;
    c.textBuffers.resize(names.size());
    for (int i = 0; i < int(names.size()); ++i) {
        // Callers usually pass the parameters in the statement's order.
        const Param *found = nullptr;
        if (i < int(params.size()) && params[i].name == names[i]) {
            found = &params[i];
        } else {
            for (const Param &p : params) {
                if (p.name.compare(names[i], Qt::CaseInsensitive) == 0) {
                    found = &p;
                    break;
                }
            }
        }
        const int index = i + 1;
        if (!found || found->value.isNull()) {
            sqlite3_bind_null(stmt, index); // unbound: NULL
            continue;
        }
        const QVariant &v = found->value;
        switch (v.typeId()) {
        case QMetaType::Bool:
            sqlite3_bind_int64(stmt, index, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
            sqlite3_bind_int64(stmt, index, *static_cast<const int *>(v.constData()));
            break;
        case QMetaType::Double:
            sqlite3_bind_double(stmt, index, *static_cast<const double *>(v.constData()));
            break;
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            sqlite3_bind_int64(stmt, index, v.toLongLong());
            break;
        case QMetaType::Float:
            sqlite3_bind_double(stmt, index, v.toDouble());
            break;
        default: {
            std::string &buffer = c.textBuffers[i];
            if (v.typeId() == QMetaType::QString)
                encodeText(*static_cast<const QString *>(v.constData()), buffer);
            else
                encodeText(v.toString(), buffer);
            // The engine's text functions end a text at a NUL: its length check would pass a
            // text that does not fit.
            if (buffer.find('\0') != std::string::npos)
                throw EngineError(QStringLiteral("The text for field %1 contains a NUL character").arg(names[i]));
            sqlite3_bind_text(stmt, index, buffer.data(), int(buffer.size()), SQLITE_STATIC);
        }
        }
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
    sqlite3_stmt *stmt = prepared(c, false);
    bind(c, stmt, params);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        fail(rc, damagedFilesOf(c, rc));
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
    sqlite3_stmt *stmt = prepared(c, withRowid);
    bind(c, stmt, params);

    ResultSet result;
    if (withRowid)
        result.table = c.translation.table;
    const int first = withRowid ? 1 : 0;
    const int count = sqlite3_column_count(stmt);
    const Cached::Columns &columns = columnsOf(c, stmt, withRowid);
    result.columns = columns.info;
    const std::vector<bool> &declared = columns.declared;

    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (withRowid)
            result.rowids.push_back(sqlite3_column_int64(stmt, 0));
        std::vector<QVariant> row;
        row.reserve(count - first);
        for (int i = first; i < count; ++i)
            row.push_back(readValue(stmt, i, result.columns[i - first], declared[i - first]));
        result.rows.push_back(std::move(row));
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        fail(rc, damagedFilesOf(c, rc));
    return result;
}

// What a statement's columns are does not change between its runs: read once per statement.
const Connection::Cached::Columns &Connection::columnsOf(Cached &c, sqlite3_stmt *stmt, bool withRowid)
{
    Cached::Columns &columns = c.columns[withRowid ? 1 : 0];
    if (columns.known)
        return columns;
    const int first = withRowid ? 1 : 0;
    const int count = sqlite3_column_count(stmt);
    for (int i = first; i < count; ++i) {
        ColumnInfo col;
        col.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        col.type = typeFromDeclaration(sqlite3_column_decltype(stmt, i), col.size);
        columns.declared.push_back(col.type != FieldType::Unknown);
        const char *db = sqlite3_column_database_name(stmt, i);
        const char *table = sqlite3_column_table_name(stmt, i);
        const char *origin = sqlite3_column_origin_name(stmt, i);
        int autoinc = 0;
        if (db && table && origin)
            sqlite3_table_column_metadata(m_db, db, table, origin, nullptr, nullptr, nullptr, nullptr, &autoinc);
        col.readOnly = autoinc != 0;
        columns.info.push_back(col);
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
    if (m_tableFiles.contains(lower) || QFileInfo::exists(m_dataPath + tableFileName(t.table)))
        throw EngineError(QStringLiteral("Table %1 already exists").arg(t.table));
    m_tableFiles.insert(lower, tableFileName(t.table));
    ++m_folderGeneration;
    bool rollbackRemovesIt = false;
    try {
        attach(lower);
        if (m_depth > 0) {
            m_createdInTransaction.push_back({m_depth, lower});
            rollbackRemovesIt = true;
        }
        for (const QString &statement : createTableStatements(t, aliasFor(lower)))
            exec(statement);
    } catch (const EngineError &) {
        // Nothing of a table that could not be made stays in the folder.
        if (!rollbackRemovesIt)
            discardTableFile(lower);
        throw;
    }
}

void Connection::dropTable(const Translation &t)
{
    const QString lower = t.table.toLower();
    if (!m_tableFiles.contains(lower))
        scanFolder();
    if (!m_tableFiles.contains(lower))
        throw EngineError(QStringLiteral("no such table: %1").arg(t.table));
    if (m_depth > 0) {
        // Inside a transaction the table goes with it; the file follows at the commit. A
        // damaged file holds nothing that could be dropped: it, too, goes at the commit.
        if (damageOf(m_dataPath + m_tableFiles.value(lower), true).code != 0) {
            if (m_attached.contains(lower))
                detach(lower);
        } else {
            if (!m_attached.contains(lower))
                attach(lower);
            exec(QStringLiteral("DROP TABLE \"%1\".%2").arg(aliasFor(lower), t.table));
        }
        m_droppedInTransaction.push_back(lower);
        return;
    }
    const QString file = m_dataPath + m_tableFiles.value(lower);
    if (!discardTableFile(lower))
        throw EngineError(QStringLiteral("Table %1 could not be deleted: %2").arg(t.table, file));
}

bool Connection::discardTableFile(const QString &lowerName)
{
    const QString file = m_dataPath + m_tableFiles.value(lowerName, tableFileName(lowerName));
    if (m_attached.contains(lowerName))
        detach(lowerName);
    const bool removed = QFile::remove(file) || !QFileInfo::exists(file);
    QFile::remove(file + QStringLiteral("-journal"));
    m_tableFiles.remove(lowerName);
    ++m_folderGeneration;
    clearStatementCache();
    return removed;
}

void Connection::begin()
{
    requireOpen();
    exec(m_depth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT dorv_%1").arg(m_depth));
    ++m_depth;
}

void Connection::commit()
{
    requireOpen();
    if (m_depth == 0)
        throw EngineError(QStringLiteral("No transaction is active"));
    if (m_depth > 1) {
        exec(QStringLiteral("RELEASE dorv_%1").arg(m_depth - 1));
        --m_depth;
        return;
    }
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (const EngineError &) {
        rollback();
        throw;
    }
    m_depth = 0;
    m_createdInTransaction.clear();
    const std::vector<QString> dropped = std::move(m_droppedInTransaction);
    m_droppedInTransaction.clear();
    for (const QString &lower : dropped)
        discardTableFile(lower);
}

void Connection::rollback()
{
    requireOpen();
    if (m_depth == 0)
        return;
    if (m_depth > 1) {
        --m_depth;
        exec(QStringLiteral("ROLLBACK TO dorv_%1").arg(m_depth));
        exec(QStringLiteral("RELEASE dorv_%1").arg(m_depth));
        return;
    }
    m_depth = 0;
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_droppedInTransaction.clear();
    const auto created = std::move(m_createdInTransaction);
    m_createdInTransaction.clear();
    for (const auto &[depth, lower] : created)
        discardTableFile(lower);
}

void Connection::exec(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        sqlite3_free(error);
        fail(rc);
    }
}

void Connection::fail(int rc, const QString &context) const
{
    QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    const int code = sqlite3_extended_errcode(m_db);
    CharColumn column;
    NumberColumn number;
    if (code == SQLITE_CONSTRAINT_CHECK && parseCharConstraint(message, column))
        message = QStringLiteral("The text for field %1 is too long: at most %2 characters").arg(column.name).arg(column.size);
    else if (code == SQLITE_CONSTRAINT_CHECK && parseNumberConstraint(message, number))
        message = numberRangeMessage(number);
    else if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE)
        message = QStringLiteral("Key violation: %1").arg(message);
    else if ((code & 0xff) == SQLITE_READONLY || ((code & 0xff) == SQLITE_CANTOPEN && !QFileInfo(m_dataPath).isWritable()))
        message = QStringLiteral("%1 (the data folder %2 cannot be written to)").arg(message, m_dataPath);
    if (!context.isEmpty())
        message = context + QStringLiteral(": ") + message;
    throw EngineError(message, code ? code : rc);
}

} // namespace engine
