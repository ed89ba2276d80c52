#include "evaluation/ExportSource.h"

#include "data/Dataset.h"
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

exporting::ListHeader exportHeader(engine::Connection &db, const QString &listName)
{
    exporting::ListHeader header;
    header.name = listName;
    if (!data::loglist::hasHeaderTable(db))
        return header;
    if (const std::optional<data::loglist::ListHeader> h = data::loglist::readHeader(db, listName)) {
        header.department = h->abteilung;
        header.species = h->baumart;
        header.assortment = h->sorte;
        header.text = h->zusatztext;
    }
    return header;
}

exporting::Company exportCompany(const data::Dataset &qryFirma)
{
    exporting::Company c;
    if (!qryFirma.isOpen() || qryFirma.isEmpty())
        return c;
    const auto text = [&qryFirma](const char *field) {
        const int column = qryFirma.fieldIndex(QString::fromLatin1(field));
        return column < 0 ? QString() : qryFirma.value(0, column).toString();
    };
    namespace col = values::companycolumn;
    c.name = text(col::Firma);
    c.name1 = text(col::Name1);
    c.street = text(col::Strasse);
    c.postcode = text(col::Plz);
    c.city = text(col::Ort);
    c.country = text(col::Land);
    c.phone = text(col::Telefon);
    c.email = text(col::EMail);
    c.contactPerson = text(col::Ansprechpartner);
    c.iban = text(col::Iban);
    c.bic = text(col::Bic);
    c.taxNumber = text(col::SteuerNr);
    return c;
}

} // namespace evaluation
