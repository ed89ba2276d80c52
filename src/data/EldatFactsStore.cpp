#include "data/EldatFactsStore.h"

#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"

namespace data {

const QString EldatFactsTable = QStringLiteral("DORVZUSATZ_ELDATSMART");

namespace {

const QString dateFormat = QStringLiteral("yyyy-MM-dd");

QVariant optionalValue(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant();
}

std::optional<double> optionalDouble(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

engine::Params paramsOf(const QString &listName, const values::EldatFacts &f)
{
    return {{QStringLiteral("OFFSET"), listName},
            {QStringLiteral("HIEBSDATUM"), f.fellingDate.toString(dateFormat)},
            {QStringLiteral("POLTERNR"), f.pileNumber},
            {QStringLiteral("BREITENGRAD"), optionalValue(f.latitude)},
            {QStringLiteral("LAENGENGRAD"), optionalValue(f.longitude)},
            {QStringLiteral("HOLZART"), f.species},
            {QStringLiteral("BAUMART"), f.speciesFor},
            {QStringLiteral("SORTE"), f.grade},
            {QStringLiteral("VERWENDUNG"), f.use},
            {QStringLiteral("PROZESSID"), f.processId},
            {QStringLiteral("MODULID"), f.moduleId}};
}

// The module id came after the table's first layout: tables of older data folders get the
// column when facts are next stored.
bool hasModuleIdColumn(engine::Connection &db)
{
    try {
        db.query(QStringLiteral("SELECT MODULID FROM ") + EldatFactsTable + QStringLiteral(" WHERE 0 = 1"));
        return true;
    } catch (const engine::EngineError &) {
        return false;
    }
}

} // namespace

std::optional<values::EldatFacts> loadEldatFacts(engine::Connection &db, const QString &listName)
{
    if (!db.tableExists(EldatFactsTable))
        return std::nullopt;
    const engine::ResultSet rs = db.query(
        QStringLiteral("SELECT HIEBSDATUM, POLTERNR, BREITENGRAD, LAENGENGRAD, HOLZART, BAUMART, SORTE, VERWENDUNG, PROZESSID")
            + (hasModuleIdColumn(db) ? QStringLiteral(", MODULID FROM ") : QStringLiteral(" FROM ")) + EldatFactsTable + QStringLiteral(" WHERE OFFSET = :OFFSET"),
        {{QStringLiteral("OFFSET"), listName}});
    if (rs.rows.empty())
        return std::nullopt;
    const std::vector<QVariant> &row = rs.rows.front();
    values::EldatFacts f;
    f.fellingDate = QDate::fromString(row[0].toString(), dateFormat);
    f.pileNumber = row[1].toString();
    f.latitude = optionalDouble(row[2]);
    f.longitude = optionalDouble(row[3]);
    f.species = row[4].toString();
    f.speciesFor = row[5].toString();
    f.grade = row[6].toString();
    f.use = row[7].toString();
    f.processId = row[8].toString();
    if (row.size() > 9)
        f.moduleId = row[9].toString();
    return f;
}

void storeEldatFacts(engine::Connection &db, const QString &listName, const values::EldatFacts &facts)
{
    const engine::Params params = paramsOf(listName, facts);
    engine::Transaction tx(db);
    if (!db.tableExists(EldatFactsTable))
        db.execute(QStringLiteral("CREATE TABLE ") + EldatFactsTable
                   + QStringLiteral(" ( OFFSET CHAR(25), HIEBSDATUM CHAR(10), POLTERNR CHAR(36), BREITENGRAD FLOAT,"
                                    " LAENGENGRAD FLOAT, HOLZART CHAR(10), BAUMART CHAR(50), SORTE CHAR(10), VERWENDUNG CHAR(10),"
                                    " PROZESSID CHAR(36), MODULID CHAR(36) )"));
    else if (!hasModuleIdColumn(db))
        db.execute(QStringLiteral("ALTER TABLE ") + EldatFactsTable + QStringLiteral(" ADD COLUMN MODULID CHAR(36)"));
    const int changed = db.execute(QStringLiteral("UPDATE ") + EldatFactsTable
                                       + QStringLiteral(" SET HIEBSDATUM = :HIEBSDATUM, POLTERNR = :POLTERNR, BREITENGRAD = :BREITENGRAD,"
                                                        " LAENGENGRAD = :LAENGENGRAD, HOLZART = :HOLZART, BAUMART = :BAUMART,"
                                                        " SORTE = :SORTE, VERWENDUNG = :VERWENDUNG, PROZESSID = :PROZESSID,"
                                                        " MODULID = :MODULID"
                                                        " WHERE OFFSET = :OFFSET"),
                                   params);
    if (changed == 0)
        db.execute(QStringLiteral("INSERT INTO ") + EldatFactsTable
                       + QStringLiteral(" ( OFFSET, HIEBSDATUM, POLTERNR, BREITENGRAD, LAENGENGRAD, HOLZART, BAUMART, SORTE,"
                                        " VERWENDUNG, PROZESSID, MODULID ) VALUES ( :OFFSET, :HIEBSDATUM, :POLTERNR, :BREITENGRAD,"
                                        " :LAENGENGRAD, :HOLZART, :BAUMART, :SORTE, :VERWENDUNG, :PROZESSID, :MODULID )"),
                   params);
    tx.commit();
}

void deleteEldatFacts(engine::Connection &db, const QString &listName)
{
    if (db.tableExists(EldatFactsTable))
        db.execute(QStringLiteral("DELETE FROM ") + EldatFactsTable + QStringLiteral(" WHERE OFFSET = :OFFSET"),
                   {{QStringLiteral("OFFSET"), listName}});
}

} // namespace data
