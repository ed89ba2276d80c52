#include "evaluation/ExportSource.h"

#include "data/LogList.h"
#include "engine/Connection.h"
#include "values/CompanyColumns.h"

namespace evaluation {

namespace {

std::optional<int> optionalInt(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

} // namespace

std::vector<exporting::ExportLog> exportLogs(engine::Connection &db, const QString &listName)
{
    const engine::ResultSet rs = db.query(
        QStringLiteral("SELECT ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE FROM ") + listName
        + QStringLiteral(" ORDER BY ID"));
    std::vector<exporting::ExportLog> logs;
    logs.reserve(rs.rows.size());
    for (const std::vector<QVariant> &row : rs.rows) {
        exporting::ExportLog log;
        log.id = row[0].toInt();
        log.length = optionalInt(row[1]);
        log.diameter = optionalInt(row[2]);
        log.effectiveDiameter = optionalInt(row[3]);
        log.quality = row[4].toString();
        if (!row[5].isNull())
            log.volume = row[5].toDouble();
        log.diameterClass = row[6].toString();
        logs.push_back(std::move(log));
    }
    return logs;
}

values::ListHeader exportHeader(engine::Connection &db, const QString &listName)
{
    values::ListHeader header;
    if (data::loglist::hasHeaderTable(db))
        header = data::loglist::readHeader(db, listName).value_or(values::ListHeader{});
    header.name = listName;
    return header;
}

} // namespace evaluation
