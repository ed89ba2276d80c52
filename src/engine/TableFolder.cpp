#include "engine/TableFolder.h"

#include "engine/EngineError.h"
#include "engine/Identifier.h"
#include "engine/SqliteError.h"
#include "engine/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace engine {

namespace {

// SQLite attaches at most ten files at a time.
constexpr int maxAttached = 10;

} // namespace

TableFolder::TableFolder(std::function<void()> beforeDetach) : m_beforeDetach(std::move(beforeDetach)) {}

void TableFolder::open(sqlite3 *db, const QString &dataPath)
{
    m_db = db;
    m_dataPath = dataPath;
    scan();
    recover();
}

void TableFolder::close()
{
    m_db = nullptr;
    m_attached.clear();
    m_tableFiles.clear();
}

QString TableFolder::filePath(const QString &lowerName) const
{
    return m_dataPath + m_tableFiles.value(lowerName, tableFileName(lowerName));
}

void TableFolder::scan()
{
    ++m_generation;
    m_tableFiles.clear();
    const QStringList files = QDir(m_dataPath).entryList({QStringLiteral("*.db")}, QDir::Files);
    for (const QString &file : files)
        m_tableFiles.insert(file.left(file.size() - 3).toLower(), file);
}

void TableFolder::use(const QString &lowerName, bool inTransaction)
{
    auto it = m_attached.find(lowerName);
    if (it != m_attached.end())
        it.value() = ++m_useCounter;
    else
        attach(lowerName, inTransaction);
}

void TableFolder::attach(const QString &lowerName, bool inTransaction)
{
    if (m_attached.size() >= maxAttached) {
        // Make room by detaching the file used least recently.
        auto oldest = std::min_element(m_attached.cbegin(), m_attached.cend());
        detach(oldest.key());
    }
    const QString path = filePath(lowerName);
    if (inTransaction) {
        const Damage damage = damageOf(path, false);
        if (damage.code != 0)
            throw EngineError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), damage.message), damage.code);
    }
    Statement attachStatement;
    int rc = attachStatement.prepare(m_db, "ATTACH DATABASE ?1 AS ?2", false);
    if (rc != SQLITE_OK)
        throwSqliteError(m_db, rc, m_dataPath);
    attachStatement.bindText(1, path);
    attachStatement.bindText(2, aliasFor(lowerName));
    rc = attachStatement.step();
    if (rc != SQLITE_DONE)
        throwSqliteError(m_db, rc, m_dataPath, QDir::toNativeSeparators(path));
    m_attached.insert(lowerName, ++m_useCounter);
    // The file's tables are read now: a file that is no database is detached again at once, so
    // that it cannot break every later statement, and its error names it.
    requireReadable(lowerName);
}

void TableFolder::detach(const QString &lowerName)
{
    m_beforeDetach();
    runSql(m_db, QStringLiteral("DETACH DATABASE \"%1\"").arg(aliasFor(lowerName)), m_dataPath);
    m_attached.remove(lowerName);
}

void TableFolder::add(const QString &lowerName, const QString &fileName)
{
    m_tableFiles.insert(lowerName, fileName);
    ++m_generation;
}

bool TableFolder::discard(const QString &lowerName)
{
    const QString file = filePath(lowerName);
    if (m_attached.contains(lowerName))
        detach(lowerName);
    const bool removed = QFile::remove(file) || !QFileInfo::exists(file);
    QFile::remove(file + QStringLiteral("-journal"));
    m_tableFiles.remove(lowerName);
    ++m_generation;
    m_beforeDetach();
    return removed;
}

} // namespace engine
