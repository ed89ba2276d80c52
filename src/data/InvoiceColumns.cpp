#include "data/InvoiceColumns.h"

#include "engine/Connection.h"
#include "engine/Dialect.h"
#include "engine/Transaction.h"
#include "values/CompanyColumns.h"

#include <vector>

namespace data::invoicecolumns {

namespace {

struct Column
{
    QString name;
    int size;
    QString initial; // written into the rows present when the column is added
};

void addMissingTo(engine::Connection &db, const QString &table, const std::vector<Column> &columns)
{
    if (!db.tableExists(table))
        return;
    // A text of its own: the statement cache must not keep the old columns of "SELECT *".
    const engine::ResultSet present = db.query(QStringLiteral("SELECT * FROM %1 WHERE 0 = 1").arg(table));
    const auto has = [&present](const QString &name) {
        for (const engine::ColumnInfo &c : present.columns)
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    engine::Transaction tx(db);
    for (const Column &c : columns) {
        if (has(c.name))
            continue;
        const QString constraint = engine::charConstraintName({c.name, c.size});
        db.execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 CHAR(%3) CONSTRAINT \"%4\" CHECK (length(%2) <= %3)")
                       .arg(table, c.name)
                       .arg(c.size)
                       .arg(constraint));
        if (!c.initial.isEmpty())
            db.execute(QStringLiteral("UPDATE %1 SET %2 = :V").arg(table, c.name), {{QStringLiteral("V"), c.initial}});
    }
    tx.commit();
}

} // namespace

QString defaultSteuerbefreiung()
{
    return QStringLiteral("Kein Ausweis von Umsatzsteuer, da Kleinunternehmer gemäß § 19 UStG");
}

void addMissing(engine::Connection &db)
{
    namespace firma = values::companycolumn;
    addMissingTo(db, QStringLiteral("Firma"),
                 {{firma::Iban, 42, {}}, // 34 characters at most, in groups of four
                  {firma::Bic, 11, {}},
                  {firma::UStIdNr, 20, {}},
                  {firma::Land, 2, DefaultLand},
                  {firma::Ansprechpartner, 50, {}},
                  {firma::Steuerbefreiung, 100, defaultSteuerbefreiung()},
                  {firma::Verkaufsbedingungen, 250, {}},
                  {firma::Durchschnittssatz, 1, {}}});
    addMissingTo(db, QStringLiteral("Kunden"),
                 {{EMail, 50, {}}, {KundeUStIdNr, 20, {}}, {Kaeuferreferenz, 50, {}}, {LieferantenNr, 20, {}}});
}

} // namespace data::invoicecolumns
