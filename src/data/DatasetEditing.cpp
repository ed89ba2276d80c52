// Editing a live dataset: new rows, posting, which writes the row back to its table by its
// rowid, cancelling and deleting.
#include "data/Dataset.h"

#include "data/ScopedValue.h"
#include "engine/EngineError.h"

#include <QStringList>

namespace data {

namespace {

using engine::EngineError;

const QString rowidParam = QStringLiteral("DORV_ROWID");

// A value read back by RETURNING carries SQLite's own type; the field's type decides.
QVariant asFieldType(const QVariant &v, FieldType type)
{
    if (v.isNull())
        return {};
    switch (type) {
    case FieldType::Integer:
        return v.toInt();
    case FieldType::Float:
        return v.toDouble();
    case FieldType::Boolean:
        return v.toLongLong() != 0;
    case FieldType::Text:
        return v.toString();
    default:
        return v;
    }
}

} // namespace

void Dataset::edit()
{
    requireLive();
    if (isEditing())
        return;
    if (m_rows.empty()) {
        append();
        return;
    }
    m_backup = m_rows[m_current];
    m_state = DatasetState::Edit;
    m_modified = false;
    emit stateChanged();
}

void Dataset::append()
{
    requireLive();
    checkBrowseMode();
    beginNewRow(recordCount());
}

void Dataset::insert()
{
    requireLive();
    checkBrowseMode();
    beginNewRow(std::max(m_current, 0));
}

void Dataset::beginNewRow(int at)
{
    m_insertFrom = m_current;
    emit rowAboutToBeInserted(at);
    Row row;
    row.values.resize(m_fields.size());
    m_rows.insert(m_rows.begin() + at, std::move(row));
    m_current = at;
    m_state = DatasetState::Insert;
    m_modified = false;
    m_eof = m_bof = false;
    emit rowInserted(at);
    try {
        const ScopedValue inNewRecord(m_calcRow, -2);
        if (events.newRecord)
            events.newRecord(*this);
    } catch (...) {
        // A row that cannot be numbered is not begun.
        emit rowAboutToBeRemoved(at);
        m_rows.erase(m_rows.begin() + at);
        m_state = DatasetState::Browse;
        m_current = m_rows.empty() ? -1 : std::clamp(m_insertFrom, 0, recordCount() - 1);
        emit rowRemoved(at);
        throw;
    }
    m_modified = false;
    calculate(at);
    emit stateChanged();
    emit currentChanged(m_current);
}

void Dataset::post()
{
    requireOpen();
    if (!isEditing())
        return;
    if (events.beforePost)
        events.beforePost(*this);
    if (m_db)
        writeBack(m_rows[m_current]);
    m_state = DatasetState::Browse;
    m_modified = false;
    calculate(m_current);
    emit rowChanged(m_current);
    emit stateChanged();
    if (events.afterPost)
        events.afterPost(*this);
}

void Dataset::writeBack(Row &row)
{
    QStringList columns;
    engine::Params params;
    for (int i = 0; i < fieldCount(); ++i) {
        const Field &f = m_fields[i];
        if (f.calculated || f.readOnly)
            continue;
        columns << f.name;
        params.push_back({f.name, row.values[i]});
    }
    // RETURNING hands back the row as stored (engine-assigned key, trimmed texts, and the
    // rowid, which changes with an INTEGER key), so no second statement reads it again.
    QString sql;
    if (m_state == DatasetState::Insert) {
        QStringList names;
        for (const QString &c : columns)
            names << u':' + c;
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING _rowid_, *")
                  .arg(m_table, columns.join(QStringLiteral(", ")), names.join(QStringLiteral(", ")));
    } else {
        QStringList assignments;
        for (const QString &c : columns)
            assignments << QStringLiteral("%1 = :%1").arg(c);
        params.push_back({rowidParam, row.rowid});
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE _rowid_ = :%3 RETURNING _rowid_, *")
                  .arg(m_table, assignments.join(QStringLiteral(", ")), rowidParam);
    }
    const engine::ResultSet stored = m_db->query(sql, params);
    if (stored.rows.empty())
        return; // the row is gone: nothing was written
    const std::vector<QVariant> &values = stored.rows.front();
    row.rowid = values.front().toLongLong();
    for (int i = 0; i + 1 < int(values.size()) && i < fieldCount(); ++i) {
        if (!m_fields[i].calculated)
            row.values[i] = asFieldType(values[i + 1], m_fields[i].type);
    }
}

void Dataset::cancel()
{
    requireOpen();
    if (m_state == DatasetState::Insert) {
        const int removed = m_current;
        emit rowAboutToBeRemoved(removed);
        m_rows.erase(m_rows.begin() + removed);
        m_state = DatasetState::Browse;
        m_modified = false;
        m_current = m_rows.empty() ? -1 : std::clamp(m_insertFrom, 0, recordCount() - 1);
        m_eof = m_rows.empty();
        emit rowRemoved(removed);
        emit stateChanged();
        emit currentChanged(m_current);
    } else if (m_state == DatasetState::Edit) {
        m_rows[m_current] = m_backup;
        m_state = DatasetState::Browse;
        m_modified = false;
        emit rowChanged(m_current);
        emit stateChanged();
    }
}

void Dataset::remove()
{
    requireLive();
    if (m_state == DatasetState::Insert) {
        cancel();
        return;
    }
    if (m_rows.empty())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(objectName()));
    if (m_state == DatasetState::Edit)
        cancel();
    if (events.beforeDelete)
        events.beforeDelete(*this);
    const int removed = m_current;
    if (m_db)
        m_db->execute(QStringLiteral("DELETE FROM %1 WHERE _rowid_ = :%2").arg(m_table, rowidParam), {{rowidParam, m_rows[removed].rowid}});
    emit rowAboutToBeRemoved(removed);
    m_rows.erase(m_rows.begin() + removed);
    m_current = m_rows.empty() ? -1 : std::min(removed, recordCount() - 1);
    m_eof = m_rows.empty();
    emit rowRemoved(removed);
    if (events.afterDelete)
        events.afterDelete(*this);
    emit currentChanged(m_current);
}

void Dataset::checkBrowseMode()
{
    if (!isEditing())
        return;
    if (m_modified)
        post();
    else
        cancel();
}

} // namespace data
