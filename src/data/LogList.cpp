#include "data/LogList.h"

#include "data/Dataset.h"
#include "data/EldatFactsStore.h"
#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"
#include "values/ListColumns.h"

namespace data::loglist {

const QString HeaderTable = QStringLiteral("DORVZUSATZ");

namespace {

const QString offset = QString::fromLatin1(values::headercolumn::Offset);

engine::Params headerParams(const QString &name, const values::ListHeader &h)
{
    namespace col = values::headercolumn;
    return {{offset, name},
            {col::Abteilung, h.department},
            {col::Baumart, h.species},
            {col::Sorte, h.assortment},
            {col::Zusatztext, h.text},
            {col::Geschaelt, h.peeled},
            {col::Gerueckt, h.skidded}};
}

const QVariant &field(const engine::ResultSet &rs, const std::vector<QVariant> &row, const QString &name)
{
    for (std::size_t i = 0; i < rs.columns.size(); ++i)
        if (rs.columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return row[i];
    throw engine::EngineError(QStringLiteral("%1: Field '%2' not found").arg(HeaderTable, name));
}

} // namespace

QString createListSql(const QString &name)
{
    return QStringLiteral("CREATE TABLE ") + name
           + QStringLiteral(" ( ID INT, LAENGE INT, DURCHMEIN INT, DURCHMEFF INT, GUETEKLASSE CHAR(3), "
                            "VOLUMEN NUMERIC(10,4), STAERKEKLASSE CHAR(3), PRIMARY KEY(ID))");
}

QString createHeaderTableSql()
{
    return QStringLiteral("CREATE TABLE DORVZUSATZ ( ID AUTOINC, OFFSET CHAR(25), ABTEILUNG CHAR(50), BAUMART CHAR(50), "
                          "SORTE CHAR(50), ZUSATZTEXT CHAR(100), GESCHAELT BOOLEAN, GERUECKT BOOLEAN, Primary Key(ID))");
}

QString logsSql(const QString &name)
{
    return QStringLiteral("SELECT * FROM ") + name;
}

QString headerSql()
{
    return QStringLiteral("SELECT * FROM DORVZUSATZ WHERE OFFSET = :OFFSET");
}

QString headerAnyCaseSql()
{
    return QStringLiteral("SELECT OFFSET\n"
                          "FROM DORVZUSATZ\n"
                          "WHERE UPPER(OFFSET) = UPPER(:OFFSET)");
}

QString allHeadersSql()
{
    return QStringLiteral("SELECT * FROM DORVZUSATZ ORDER BY OFFSET");
}

QString insertNameSql()
{
    return QStringLiteral("INSERT INTO DORVZUSATZ (OFFSET) VALUES ( :OFFSET )");
}

QString insertHeaderSql()
{
    return QStringLiteral("INSERT INTO DORVZUSATZ ( OFFSET, ABTEILUNG, BAUMART, SORTE, ZUSATZTEXT, GESCHAELT, GERUECKT ) "
                          "VALUES ( :OFFSET, :ABTEILUNG, :BAUMART, :SORTE, :ZUSATZTEXT, :GESCHAELT, :GERUECKT )");
}

QString updateHeaderSql()
{
    return QStringLiteral("UPDATE DORVZUSATZ SET ABTEILUNG = :ABTEILUNG, BAUMART =:BAUMART, SORTE =:SORTE, ZUSATZTEXT =:ZUSATZTEXT, "
                          "GESCHAELT =:GESCHAELT, GERUECKT =:GERUECKT WHERE OFFSET =:OFFSET");
}

QString updateGeschaeltSql()
{
    return QStringLiteral("UPDATE DORVZUSATZ SET GESCHAELT = :GESCHAELT WHERE OFFSET = :OFFSET");
}

QString deleteHeaderSql()
{
    return QStringLiteral("DELETE FROM DORVZUSATZ WHERE OFFSET =:OFFSET");
}

QString insertLogSql(const QString &name)
{
    return QStringLiteral("INSERT INTO ") + name
           + QStringLiteral(" ( ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE ) VALUES "
                            "( :ID, :LAENGE, :DURCHMEIN, :DURCHMEFF, :GUETEKLASSE, :VOLUMEN, :STAERKEKLASSE ) ");
}

LogWriter::LogWriter(engine::Connection &db, const QString &name) : m_db(db), m_sql(insertLogSql(name))
{
    namespace col = values::listcolumn;
    m_params = {{col::Id, {}},          {col::Laenge, {}},  {col::Durchmein, {}},     {col::Durchmeff, {}},
                {col::Gueteklasse, {}}, {col::Volumen, {}}, {col::Staerkeklasse, {}}};
}

void LogWriter::insert(const values::LogRow &row)
{
    m_params[0].value = row.id;
    m_params[1].value = row.laenge;
    m_params[2].value = row.durchmein;
    m_params[3].value = row.durchmeff;
    m_params[4].value = row.gueteklasse;
    m_params[5].value = row.volumen;
    m_params[6].value = row.staerkeklasse;
    m_db.execute(m_sql, m_params);
}

bool hasHeaderTable(engine::Connection &db)
{
    return db.tableExists(HeaderTable);
}

bool headerExistsAnyCase(engine::Connection &db, const QString &name)
{
    if (!hasHeaderTable(db))
        return false;
    return !db.query(headerAnyCaseSql(), {{offset, name}}).rows.empty();
}

void addListTables(engine::Connection &db, const QString &name)
{
    if (!hasHeaderTable(db))
        db.execute(createHeaderTableSql());
    db.execute(createListSql(name));
}

void addHeaderRow(engine::Connection &db, const QString &name, const std::optional<values::ListHeader> &header)
{
    if (header)
        db.execute(insertHeaderSql(), headerParams(name, *header));
    else
        db.execute(insertNameSql(), {{offset, name}});
}

void createList(engine::Connection &db, const QString &name, const std::function<void()> &alsoDo)
{
    engine::Transaction tx(db);
    addListTables(db, name);
    addHeaderRow(db, name);
    if (alsoDo)
        alsoDo();
    tx.commit();
}

void deleteList(engine::Connection &db, const QString &name)
{
    engine::Transaction tx(db);
    // A header row whose table file is gone (lost by hand, say) can still be removed.
    if (db.tableExists(name))
        db.execute(QStringLiteral("DROP TABLE ") + name);
    db.execute(deleteHeaderSql(), {{offset, name}});
    deleteEldatFacts(db, name);
    tx.commit();
}

void openList(Dataset &logs, const QString &name)
{
    logs.close();
    logs.setSql(logsSql(name));
    logs.open();
    logs.last();
}

std::optional<values::ListHeader> readHeader(engine::Connection &db, const QString &name)
{
    const engine::ResultSet rs = db.query(headerSql(), {{offset, name}});
    if (rs.rows.empty())
        return std::nullopt;
    const std::vector<QVariant> &row = rs.rows.front();
    const auto text = [&](const char *column) { return field(rs, row, QString::fromLatin1(column)).toString(); };
    namespace col = values::headercolumn;
    values::ListHeader h;
    h.department = text(col::Abteilung);
    h.species = text(col::Baumart);
    h.assortment = text(col::Sorte);
    h.text = text(col::Zusatztext);
    h.peeled = field(rs, row, QString::fromLatin1(col::Geschaelt)).toBool();
    h.skidded = field(rs, row, QString::fromLatin1(col::Gerueckt)).toBool();
    return h;
}

void writeHeader(engine::Connection &db, const QString &name, const values::ListHeader &header)
{
    db.execute(updateHeaderSql(), headerParams(name, header));
}

void storeGeschaelt(engine::Connection &db, const QString &name, bool geschaelt)
{
    // A list kept without header table has no header to agree with.
    if (!hasHeaderTable(db))
        return;
    db.execute(updateGeschaeltSql(), {{values::headercolumn::Geschaelt, geschaelt}, {offset, name}});
}

} // namespace data::loglist
