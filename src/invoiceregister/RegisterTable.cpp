#include "invoiceregister/RegisterTable.h"

#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"

#include <QStringList>

namespace invoiceregister::table {

const QString Name = QStringLiteral("RECHNUNGSAUSGANG");

const QString CreateSql = QStringLiteral(
    "CREATE TABLE RECHNUNGSAUSGANG ( ID AUTOINC, RECHNUNGSNR CHAR(40), RECHNUNGSDATUM CHAR(10), LIEFERDATUM CHAR(10), "
    "NRKD CHAR(13), KUNDE CHAR(100), LISTE CHAR(64), NETTO NUMERIC(15,2), MWSTSATZ NUMERIC(15,4), MWST NUMERIC(15,2), "
    "BRUTTO NUMERIC(15,2), SKONTO NUMERIC(15,4), SKONTOTAGE INT, NETTOTAGE INT, ART CHAR(10), KOPIE BOOLEAN, "
    "AUSGESTELLT CHAR(19), ABTEILUNG CHAR(50), BAUMART CHAR(50), SORTE CHAR(50), GESCHAELT BOOLEAN, GERUECKT BOOLEAN, "
    "XML TEXT, NAME1 CHAR(40), BANK CHAR(50), BLZ CHAR(8), KTO CHAR(10), Primary Key(ID))");

namespace {

// Every column but the document, in the order rowOf() reads them.
const QString columns = QStringLiteral(
    "ID, RECHNUNGSNR, RECHNUNGSDATUM, LIEFERDATUM, NRKD, KUNDE, LISTE, NETTO, MWSTSATZ, MWST, BRUTTO, SKONTO, "
    "SKONTOTAGE, NETTOTAGE, ART, KOPIE, AUSGESTELLT, ABTEILUNG, BAUMART, SORTE, GESCHAELT, GERUECKT, NAME1, BANK, BLZ, KTO");

// The columns of the seller's printed data, added behind the others in registers made before
// they were kept.
const QStringList printedSellerColumns{QStringLiteral("NAME1 CHAR(40)"), QStringLiteral("BANK CHAR(50)"), QStringLiteral("BLZ CHAR(8)"),
                                       QStringLiteral("KTO CHAR(10)")};

// Dates as "2026-03-02", times as "2026-03-02T09:15:00": ISO 8601, which Qt reads fast.
QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QString timeText(const QDateTime &time)
{
    return time.toString(Qt::ISODate);
}

// Whether the table has the column. Asked by naming it: a statement that fails is not kept,
// while one over "SELECT *" would keep the columns it saw first.
bool hasColumn(engine::Connection &db, const QString &name)
{
    try {
        db.query(QStringLiteral("SELECT %1 FROM RECHNUNGSAUSGANG WHERE 0 = 1").arg(name));
        return true;
    } catch (const engine::EngineError &) {
        return false;
    }
}

Entry rowOf(const std::vector<QVariant> &v)
{
    Entry e;
    e.id = v[0].toLongLong();
    e.number = v[1].toString();
    e.invoiceDate = QDate::fromString(v[2].toString(), Qt::ISODate);
    e.deliveryDate = QDate::fromString(v[3].toString(), Qt::ISODate);
    e.customerNumber = v[4].toString();
    e.customerName = v[5].toString();
    e.listName = v[6].toString();
    e.net = values::toCents(v[7].toDouble());
    e.vatRate = v[8].toDouble();
    e.vat = values::toCents(v[9].toDouble());
    e.gross = values::toCents(v[10].toDouble());
    e.terms.cashDiscountPercent = v[11].toDouble();
    e.terms.cashDiscountDays = v[12].toInt();
    e.terms.netDays = v[13].toInt();
    e.kind = kindOf(v[14].toString());
    e.copy = v[15].toBool();
    e.issuedAt = QDateTime::fromString(v[16].toString(), Qt::ISODate);
    e.header.department = v[17].toString();
    e.header.species = v[18].toString();
    e.header.assortment = v[19].toString();
    e.header.peeled = v[20].toBool();
    e.header.skidded = v[21].toBool();
    e.seller = {v[22].toString(), v[23].toString(), v[24].toString(), v[25].toString()};
    return e;
}

std::vector<Entry> entriesOf(const engine::ResultSet &rs)
{
    std::vector<Entry> out;
    out.reserve(rs.rows.size());
    for (const auto &row : rs.rows)
        out.push_back(rowOf(row));
    return out;
}

} // namespace

void ensure(engine::Connection &db)
{
    if (!db.tableExists(Name)) {
        db.execute(CreateSql);
        return;
    }
    engine::Transaction tx(db);
    for (const QString &column : printedSellerColumns) {
        const QString name = column.section(u' ', 0, 0);
        if (!hasColumn(db, name))
            db.execute(QStringLiteral("ALTER TABLE RECHNUNGSAUSGANG ADD COLUMN ") + column);
    }
    tx.commit();
}

std::vector<Entry> entries(engine::Connection &db)
{
    return entriesOf(db.query(QStringLiteral("SELECT %1 FROM RECHNUNGSAUSGANG ORDER BY ID DESC").arg(columns)));
}

qint64 newestId(engine::Connection &db)
{
    const engine::ResultSet rs = db.query(QStringLiteral("SELECT MAX(ID) AS NEWEST FROM RECHNUNGSAUSGANG"));
    return rs.rows.empty() ? 0 : rs.rows.front().front().toLongLong();
}

std::optional<Entry> entry(engine::Connection &db, qint64 id)
{
    const std::vector<Entry> found =
        entriesOf(db.query(QStringLiteral("SELECT %1 FROM RECHNUNGSAUSGANG WHERE ID = :ID").arg(columns), {{QStringLiteral("ID"), id}}));
    if (found.empty())
        return std::nullopt;
    return found.front();
}

std::vector<Entry> entriesWithNumber(engine::Connection &db, const QString &number)
{
    return entriesOf(db.query(QStringLiteral("SELECT %1 FROM RECHNUNGSAUSGANG WHERE RECHNUNGSNR = :NR ORDER BY ID").arg(columns),
                              {{QStringLiteral("NR"), number}}));
}

QByteArray xml(engine::Connection &db, qint64 id)
{
    const engine::ResultSet rs = db.query(QStringLiteral("SELECT XML FROM RECHNUNGSAUSGANG WHERE ID = :ID"), {{QStringLiteral("ID"), id}});
    return rs.rows.empty() ? QByteArray() : rs.rows.front().front().toString().toUtf8();
}

qint64 insert(engine::Connection &db, const Entry &e, const QByteArray &xml)
{
    db.execute(QStringLiteral("INSERT INTO RECHNUNGSAUSGANG ( RECHNUNGSNR, RECHNUNGSDATUM, LIEFERDATUM, NRKD, KUNDE, LISTE, NETTO, "
                              "MWSTSATZ, MWST, BRUTTO, SKONTO, SKONTOTAGE, NETTOTAGE, ART, KOPIE, AUSGESTELLT, ABTEILUNG, BAUMART, "
                              "SORTE, GESCHAELT, GERUECKT, XML, NAME1, BANK, BLZ, KTO ) VALUES ( :RECHNUNGSNR, :RECHNUNGSDATUM, :LIEFERDATUM, "
                              ":NRKD, :KUNDE, :LISTE, :NETTO, :MWSTSATZ, :MWST, :BRUTTO, :SKONTO, :SKONTOTAGE, :NETTOTAGE, :ART, "
                              ":KOPIE, :AUSGESTELLT, :ABTEILUNG, :BAUMART, :SORTE, :GESCHAELT, :GERUECKT, :XML, :NAME1, :BANK, :BLZ, "
                              ":KTO )"),
               {
                   {QStringLiteral("RECHNUNGSNR"), e.number},
                   {QStringLiteral("RECHNUNGSDATUM"), dateText(e.invoiceDate)},
                   {QStringLiteral("LIEFERDATUM"), dateText(e.deliveryDate)},
                   {QStringLiteral("NRKD"), e.customerNumber},
                   {QStringLiteral("KUNDE"), e.customerName},
                   {QStringLiteral("LISTE"), e.listName},
                   {QStringLiteral("NETTO"), values::toAmount(e.net)},
                   {QStringLiteral("MWSTSATZ"), e.vatRate},
                   {QStringLiteral("MWST"), values::toAmount(e.vat)},
                   {QStringLiteral("BRUTTO"), values::toAmount(e.gross)},
                   {QStringLiteral("SKONTO"), e.terms.cashDiscountPercent},
                   {QStringLiteral("SKONTOTAGE"), e.terms.cashDiscountDays},
                   {QStringLiteral("NETTOTAGE"), e.terms.netDays},
                   {QStringLiteral("ART"), kindText(e.kind)},
                   {QStringLiteral("KOPIE"), e.copy},
                   {QStringLiteral("AUSGESTELLT"), timeText(e.issuedAt)},
                   {QStringLiteral("ABTEILUNG"), e.header.department},
                   {QStringLiteral("BAUMART"), e.header.species},
                   {QStringLiteral("SORTE"), e.header.assortment},
                   {QStringLiteral("GESCHAELT"), e.header.peeled},
                   {QStringLiteral("GERUECKT"), e.header.skidded},
                   {QStringLiteral("XML"), QString::fromUtf8(xml)},
                   {QStringLiteral("NAME1"), e.seller.name},
                   {QStringLiteral("BANK"), e.seller.bank},
                   {QStringLiteral("BLZ"), e.seller.bankCode},
                   {QStringLiteral("KTO"), e.seller.accountNumber},
               });
    return db.lastInsertRowId();
}

} // namespace invoiceregister::table
