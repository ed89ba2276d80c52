// The named columns are the columns the tables have, spelt as they declare them: a name that
// drifts from its table would find no field where the exact name is looked up.
#include "data/InvoiceColumns.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "support/DataFolder.h"
#include "values/CompanyColumns.h"
#include "values/ListColumns.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QStringList columnsOf(engine::Connection &db, const QString &table)
{
    QStringList names;
    for (const engine::ColumnInfo &c : db.query(QStringLiteral("SELECT * FROM ") + table).columns)
        names << c.name;
    return names;
}

std::string joined(const QStringList &names)
{
    return names.join(u' ').toStdString();
}

TEST(ColumnNames, AreTheColumnsOfTheListTheHeaderAndTheCompanyTable)
{
    DataFolder folder;
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + folder.path()});
    data::loglist::createList(db, QStringLiteral("Wald"));

    namespace list = values::listcolumn;
    EXPECT_EQ(joined(columnsOf(db, QStringLiteral("Wald"))),
              joined({list::Id, list::Laenge, list::Durchmein, list::Durchmeff, list::Gueteklasse, list::Volumen,
                      list::Staerkeklasse}));
    namespace header = values::headercolumn;
    EXPECT_EQ(joined(columnsOf(db, data::loglist::HeaderTable)),
              joined({QStringLiteral("ID"), header::Offset, header::Abteilung, header::Baumart, header::Sorte, header::Zusatztext,
                      header::Geschaelt, header::Gerueckt}));

    data::invoicecolumns::addMissing(db);
    namespace company = values::companycolumn;
    const QStringList firma = columnsOf(db, QStringLiteral("Firma"));
    for (const char *name : {company::Firma, company::Name1, company::Strasse, company::Plz, company::Ort, company::Telefon,
                             company::Fax, company::EMail, company::Blz, company::Kto, company::Bank, company::SteuerNr,
                             company::MwSt, company::FaSatz, company::Iban, company::Bic, company::UStIdNr, company::Land,
                             company::Ansprechpartner, company::Steuerbefreiung, company::Verkaufsbedingungen,
                             company::Durchschnittssatz})
        EXPECT_TRUE(firma.contains(QString::fromLatin1(name))) << name;
}

} // namespace
