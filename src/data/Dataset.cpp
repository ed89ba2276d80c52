#include "data/Dataset.h"

#include "data/ConversionError.h"
#include "data/ScopedValue.h"
#include "engine/EngineError.h"
#include "values/DisplayFormat.h"

#include <QStringList>

namespace data {

namespace {

using engine::EngineError;

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return a == b;
}

} // namespace

Dataset::Dataset(engine::Connection *connection, const QString &name, QObject *parent)
    : QObject(parent), m_db(connection)
{
    setObjectName(name);
}

Dataset::~Dataset() = default;

void Dataset::setSql(const QString &sql)
{
    close();
    m_sql = sql;
}

void Dataset::setParam(const QString &name, const QVariant &value)
{
    for (engine::Param &p : m_params) {
        if (p.name.compare(name, Qt::CaseInsensitive) == 0) {
            p.value = value;
            return;
        }
    }
    m_params.push_back({name, value});
}

QVariant Dataset::param(const QString &name) const
{
    for (const engine::Param &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return p.value;
    return {};
}

void Dataset::setMaster(Dataset *master)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    if (m_master) {
        connect(m_master, &Dataset::reset, this, &Dataset::onMasterChanged);
        connect(m_master, &Dataset::currentChanged, this, &Dataset::onMasterChanged);
    }
}

void Dataset::onMasterChanged()
{
    if (isOpen() && m_master && m_master->isOpen()) {
        close();
        open();
    }
}

void Dataset::setDisplayFormat(const QString &field, const QString &format)
{
    m_formats.insert(field.toUpper(), format);
    applyFieldSettings();
}

void Dataset::setReadOnly(const QString &field, bool readOnly)
{
    m_readOnly.insert(field.toUpper(), readOnly);
    applyFieldSettings();
}

void Dataset::addCalculatedField(const QString &name, FieldType type, const QString &displayFormat)
{
    Field f;
    f.name = name;
    f.type = type;
    f.calculated = true;
    f.readOnly = true;
    f.displayFormat = displayFormat;
    m_calculatedFields.push_back(f);
    if (!displayFormat.isEmpty())
        m_formats.insert(name.toUpper(), displayFormat);
}

void Dataset::addField(const QString &name, FieldType type, int size)
{
    Field f;
    f.name = name;
    f.type = type;
    f.size = size;
    m_memoryFields.push_back(f);
}

void Dataset::applyFieldSettings()
{
    for (Field &f : m_fields) {
        const QString key = f.name.toUpper();
        if (m_formats.contains(key))
            f.displayFormat = m_formats.value(key);
        if (m_readOnly.contains(key))
            f.readOnly = m_readOnly.value(key);
    }
}

engine::Params Dataset::boundParams() const
{
    engine::Params params;
    for (const QString &name : m_db->parameterNames(m_sql)) {
        const auto explicitParam = std::find_if(m_params.begin(), m_params.end(), [&](const engine::Param &p) {
            return p.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (explicitParam != m_params.end())
            params.push_back(*explicitParam);
        else if (m_master && m_master->isOpen() && m_master->hasField(name) && !m_master->isEmpty())
            params.push_back({name, m_master->value(name)});
        else
            params.push_back({name, QVariant()});
    }
    return params;
}

void Dataset::open()
{
    if (isOpen())
        return;
    std::vector<Row> rows;
    if (m_db) {
        engine::ResultSet result = m_db->query(m_sql, boundParams(), m_live);
        m_table = m_live ? result.table : QString();
        m_fields.clear();
        for (const engine::ColumnInfo &c : result.columns) {
            Field f;
            f.name = c.name;
            f.type = c.type;
            f.size = c.size;
            f.readOnly = c.readOnly;
            m_fields.push_back(f);
        }
        rows.reserve(result.rows.size());
        for (std::size_t i = 0; i < result.rows.size(); ++i) {
            Row row;
            row.values = std::move(result.rows[i]);
            if (!result.rowids.empty())
                row.rowid = result.rowids[i];
            rows.push_back(std::move(row));
        }
    } else {
        m_fields = m_memoryFields;
    }
    m_fields.insert(m_fields.end(), m_calculatedFields.begin(), m_calculatedFields.end());
    applyFieldSettings();
    for (Row &row : rows)
        row.values.resize(m_fields.size());

    m_rows = std::move(rows);
    m_state = DatasetState::Browse;
    m_modified = false;
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    for (int i = 0; i < recordCount(); ++i)
        calculate(i);
    emit reset();
    if (events.afterOpen)
        events.afterOpen(*this);
}

void Dataset::close()
{
    if (!isOpen())
        return;
    if (events.beforeClose)
        events.beforeClose(*this);
    m_rows.clear();
    m_current = -1;
    m_bof = m_eof = true;
    m_modified = false;
    m_state = DatasetState::Inactive;
    emit reset();
}

int Dataset::execSql()
{
    if (!m_db)
        throw EngineError(QStringLiteral("%1 has no database").arg(objectName()));
    return m_db->execute(m_sql, boundParams());
}

int Dataset::fieldIndex(const QString &name) const
{
    // Names are mostly written as the table declares them; the exact comparison is cheap.
    for (int i = 0; i < fieldCount(); ++i)
        if (m_fields[i].name == name)
            return i;
    for (int i = 0; i < fieldCount(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Dataset::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw EngineError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
    return i;
}

void Dataset::requireOpen() const
{
    if (!isOpen())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName()));
}

void Dataset::requireLive() const
{
    requireOpen();
    if (m_db && m_table.isEmpty())
        throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
}

const Dataset::Row *Dataset::activeRow() const
{
    if (m_calcRow >= 0 && m_calcRow < recordCount())
        return &m_rows[m_calcRow];
    if (m_current >= 0 && m_current < recordCount())
        return &m_rows[m_current];
    return nullptr;
}

QVariant Dataset::value(const QString &field) const
{
    const int i = requireField(field);
    const Row *row = activeRow();
    return row ? row->values[i] : QVariant();
}

QString Dataset::text(const QString &field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return values::display::formatGeneral(v.toDouble());
    return v.toString();
}

QVariant Dataset::value(int row, int column) const
{
    if (row < 0 || row >= recordCount() || column < 0 || column >= fieldCount())
        return {};
    return m_rows[row].values[column];
}

QString Dataset::displayText(int row, int column) const
{
    const QVariant v = value(row, column);
    if (v.isNull())
        return {};
    const Field &f = m_fields[column];
    switch (f.type) {
    case FieldType::Float:
        return f.displayFormat.isEmpty() ? values::display::formatGeneral(v.toDouble()) : values::display::formatFloat(f.displayFormat, v.toDouble());
    case FieldType::Integer:
        return f.displayFormat.isEmpty() ? v.toString() : values::display::formatFloat(f.displayFormat, v.toDouble());
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        if (v.typeId() == QMetaType::Double)
            return values::display::formatGeneral(v.toDouble());
        return v.toString();
    }
}

QString Dataset::displayText(const QString &field) const
{
    const int i = requireField(field);
    const int row = m_calcRow >= 0 ? m_calcRow : m_current;
    return displayText(row, i);
}

void Dataset::setValue(const QString &field, const QVariant &value)
{
    const int i = requireField(field);
    if (m_fields[i].calculated && m_calcRow >= 0) {
        m_rows[m_calcRow].values[i] = value;
        return;
    }
    if (!isEditing())
        edit();
    m_rows[m_current].values[i] = value;
    if (m_calcRow != -2) // -2: inside the new-record hook, which does not count as a change
        m_modified = true;
    calculate(m_current);
    emit rowChanged(m_current);
}

void Dataset::setText(const QString &field, const QString &text)
{
    const int i = requireField(field);
    const Field &f = m_fields[i];
    const QString t = text.trimmed();
    if (t.isEmpty() && f.type != FieldType::Text && f.type != FieldType::Unknown) {
        setValue(field, QVariant());
        return;
    }
    switch (f.type) {
    case FieldType::Integer: {
        bool ok = false;
        const int v = t.toInt(&ok);
        if (!ok)
            throw ConversionError(QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(text, f.name));
        setValue(field, v);
        return;
    }
    case FieldType::Float: {
        bool ok = false;
        const values::display::Separators sep = values::display::localeSeparators();
        QString normal = t;
        normal.replace(sep.decimal, u'.');
        const double v = normal.toDouble(&ok);
        if (!ok)
            throw ConversionError(QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(text, f.name));
        setValue(field, v);
        return;
    }
    case FieldType::Boolean: {
        const QString u = t.toUpper();
        if (u == u"TRUE" || u == u"T" || u == u"1" || u == u"JA")
            setValue(field, true);
        else if (u == u"FALSE" || u == u"F" || u == u"0" || u == u"NEIN")
            setValue(field, false);
        else
            throw ConversionError(QStringLiteral("'%1' is not a valid boolean value for field '%2'").arg(text, f.name));
        return;
    }
    default:
        setValue(field, text);
    }
}

void Dataset::setCurrent(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    if (events.afterScroll)
        events.afterScroll(*this);
    emit currentChanged(m_current);
}

void Dataset::first()
{
    requireOpen();
    checkBrowseMode();
    setCurrent(m_rows.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void Dataset::last()
{
    requireOpen();
    checkBrowseMode();
    setCurrent(recordCount() - 1);
    m_eof = true;
    m_bof = m_rows.empty();
}

void Dataset::next()
{
    requireOpen();
    checkBrowseMode();
    if (m_current + 1 >= recordCount()) {
        m_eof = true;
        return;
    }
    setCurrent(m_current + 1);
    m_bof = false;
    m_eof = false;
}

void Dataset::prior()
{
    requireOpen();
    checkBrowseMode();
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    setCurrent(m_current - 1);
    m_bof = false;
    m_eof = false;
}

void Dataset::moveTo(int row)
{
    requireOpen();
    if (row == m_current)
        return;
    if (m_state == DatasetState::Insert && !m_modified && row > m_current)
        --row; // the untouched new row above the target disappears
    checkBrowseMode();
    if (m_rows.empty())
        return;
    row = std::clamp(row, 0, recordCount() - 1);
    setCurrent(row);
    m_bof = row == 0;
    m_eof = false;
}

bool Dataset::locate(const QString &field, const QVariant &value)
{
    requireOpen();
    const int i = requireField(field);
    checkBrowseMode();
    for (int r = 0; r < recordCount(); ++r) {
        if (sameValue(m_rows[r].values[i], value)) {
            setCurrent(r);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

void Dataset::refresh()
{
    requireOpen();
    checkBrowseMode();
    if (!m_db)
        return;
    const int keep = m_current;
    engine::ResultSet result = m_db->query(m_sql, boundParams(), m_live);
    std::vector<Row> rows;
    rows.reserve(result.rows.size());
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        Row row;
        row.values = std::move(result.rows[i]);
        row.values.resize(m_fields.size());
        if (!result.rowids.empty())
            row.rowid = result.rowids[i];
        rows.push_back(std::move(row));
    }
    m_rows = std::move(rows);
    m_current = m_rows.empty() ? -1 : std::clamp(keep, 0, recordCount() - 1);
    m_eof = m_rows.empty();
    for (int i = 0; i < recordCount(); ++i)
        calculate(i);
    emit reset();
}

void Dataset::recalculate()
{
    for (int i = 0; i < recordCount(); ++i) {
        calculate(i);
        emit rowChanged(i);
    }
}

void Dataset::calculate(int row)
{
    if (!events.calcFields || m_calculatedFields.empty() || row < 0 || row >= recordCount())
        return;
    const ScopedValue scope(m_calcRow, row);
    events.calcFields(*this);
}

} // namespace data
