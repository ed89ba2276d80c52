#include "engine/Statement.h"

#include "engine/EngineError.h"

#include <sqlite3.h>

namespace engine {

namespace {

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

// UTF-8 of a text without its trailing blanks, into a buffer that keeps its capacity.
void encodeText(const QString &text, std::string &out)
{
    const QStringView kept = withoutTrailingBlanks(text);
    out.clear();
    const QChar *p = kept.data();
    const qsizetype n = kept.size();
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

QStringView withoutTrailingBlanks(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.first(n);
}

void StatementDeleter::operator()(sqlite3_stmt *stmt) const
{
    sqlite3_finalize(stmt);
}

int Statement::prepare(sqlite3 *db, const QByteArray &sql, bool persistent, QByteArray *rest)
{
    m_stmt.reset();
    m_paramNames.clear();
    sqlite3_stmt *raw = nullptr;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), persistent ? SQLITE_PREPARE_PERSISTENT : 0,
                                      &raw, &tail);
    m_stmt.reset(raw);
    if (rc != SQLITE_OK)
        return rc;
    if (rest)
        *rest = tail ? QByteArray(tail) : QByteArray();
    const int n = sqlite3_bind_parameter_count(raw);
    for (int i = 1; i <= n; ++i) {
        const char *name = sqlite3_bind_parameter_name(raw, i);
        m_paramNames.push_back(name ? QString::fromUtf8(name + 1) : QString());
    }
    m_textBuffers.resize(m_paramNames.size());
    return rc;
}

void Statement::bind(const Params &params)
{
    sqlite3_stmt *stmt = m_stmt.get();
    const std::vector<QString> &names = m_paramNames;
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
            std::string &buffer = m_textBuffers[i];
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

void Statement::bindText(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt.get(), index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int Statement::step()
{
    return sqlite3_step(m_stmt.get());
}

void Statement::reset()
{
    sqlite3_reset(m_stmt.get());
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt.get());
}

qint64 Statement::int64(int column) const
{
    return sqlite3_column_int64(m_stmt.get(), column);
}

QString Statement::text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt.get(), column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt.get(), column));
}

ColumnInfo Statement::columnInfo(int column, bool &declared) const
{
    sqlite3_stmt *stmt = m_stmt.get();
    ColumnInfo col;
    col.name = QString::fromUtf8(sqlite3_column_name(stmt, column));
    col.type = typeFromDeclaration(sqlite3_column_decltype(stmt, column), col.size);
    declared = col.type != FieldType::Unknown;
    const char *db = sqlite3_column_database_name(stmt, column);
    const char *table = sqlite3_column_table_name(stmt, column);
    const char *origin = sqlite3_column_origin_name(stmt, column);
    int autoinc = 0;
    if (db && table && origin)
        sqlite3_table_column_metadata(sqlite3_db_handle(stmt), db, table, origin, nullptr, nullptr, nullptr, nullptr,
                                      &autoinc);
    col.readOnly = autoinc != 0;
    return col;
}

QVariant Statement::value(int column, ColumnInfo &info, bool declared) const
{
    sqlite3_stmt *stmt = m_stmt.get();
    const int t = sqlite3_column_type(stmt, column);
    if (t == SQLITE_NULL)
        return {};
    if (info.type == FieldType::Unknown)
        info.type = typeFromValue(t);
    switch (info.type) {
    case FieldType::Integer: {
        const qint64 v = sqlite3_column_int64(stmt, column);
        if (declared || (v >= INT32_MIN && v <= INT32_MAX))
            return QVariant(int(v));
        return QVariant(qlonglong(v));
    }
    case FieldType::Float:
        return QVariant(sqlite3_column_double(stmt, column));
    case FieldType::Boolean:
        return QVariant(sqlite3_column_int64(stmt, column) != 0);
    case FieldType::Text:
    case FieldType::Unknown: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        const QString s = QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
        if (info.size == 0)
            return QVariant(s);
        const qsizetype kept = withoutTrailingBlanks(s).size();
        return QVariant(kept == s.size() ? s : s.first(kept));
    }
    }
    return {};
}

} // namespace engine
