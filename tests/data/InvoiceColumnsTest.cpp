// Data folders of earlier versions get the e-invoice columns at start, behind the columns
// they have, with nothing lost.
#include "data/DataModule.h"
#include "data/InvoiceColumns.h"
#include "support/DataFolder.h"
#include "support/TestShell.h"
#include "engine/EngineError.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList columnsOf(engine::Connection &db, const char *table)
{
    QStringList names;
    for (const engine::ColumnInfo &c : db.query(QStringLiteral("SELECT * FROM ") + QString::fromLatin1(table)).columns)
        names << c.name;
    return names;
}

TEST(InvoiceColumns, AreAddedBehindTheStoredColumnsOnceAndKeepEveryRow)
{
    DataFolder folder;
    QStringList firmaBefore, kundenBefore, preiseBefore, rechnungBefore;
    {
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + folder.path()});
        db.execute(QStringLiteral("INSERT INTO Kunden (ID, NRKD, SUCHNAME, LAND) VALUES (1, '4711', 'SÄGEWERK', 'D')"));
        firmaBefore = columnsOf(db, "Firma");
        kundenBefore = columnsOf(db, "Kunden");
        preiseBefore = columnsOf(db, "Preise");
        rechnungBefore = columnsOf(db, "Rechnung");
    }
    TestShell shell{folder.path()};
    TDMod dmod{shell};
    dmod.DataModuleCreate();
    dmod.DataModuleCreate(); // a second start finds them there

    engine::Connection &db = dmod.dbDorv;
    const QStringList firmaAdded{"IBAN", "BIC", "UStIdNr", "Land", "Ansprechpartner", "Steuerbefreiung", "Verkaufsbedingungen",
                                 "Durchschnittssatz"};
    const QStringList kundenAdded{"EMAIL", "USTIDNR", "KAEUFERREFERENZ", "LIEFERANTENNR"};
    EXPECT_EQ(columnsOf(db, "Firma"), firmaBefore + firmaAdded);
    EXPECT_EQ(columnsOf(db, "Kunden"), kundenBefore + kundenAdded);
    EXPECT_EQ(columnsOf(db, "Preise"), preiseBefore);
    EXPECT_EQ(columnsOf(db, "Rechnung"), rechnungBefore);

    // The stored company keeps its data and gets its country and the exemption text.
    EXPECT_EQ(dmod.qryFirma.text(QStringLiteral("Firma")), QStringLiteral("Forstbetrieb Muster"));
    EXPECT_EQ(dmod.qryFirma.text(QStringLiteral("Land")), QStringLiteral("DE"));
    EXPECT_EQ(dmod.qryFirma.text(QStringLiteral("Steuerbefreiung")),
              QStringLiteral("Kein Ausweis von Umsatzsteuer, da Kleinunternehmer gemäß § 19 UStG"));
    EXPECT_EQ(db.query(QStringLiteral("SELECT COUNT(*) FROM Kunden")).rows.at(0).at(0).toInt(), 2);
    const auto kunde = db.query(QStringLiteral("SELECT SUCHNAME, LAND, EMAIL FROM Kunden WHERE ID = 1")).rows.at(0);
    EXPECT_EQ(kunde.at(0).toString(), QStringLiteral("SÄGEWERK"));
    EXPECT_EQ(kunde.at(1).toString(), QStringLiteral("D"));
    EXPECT_TRUE(kunde.at(2).isNull());

    // The statements written for the delivered layouts still work, and the new columns have
    // the width of their contents.
    db.execute(QStringLiteral("INSERT INTO PREISE SELECT GUETEKLASSE, STAERKEKLASSE, ABZUG, PREIS, 100, PREIS FROM GRUNDPREISE"));
    EXPECT_THROW(db.execute(QStringLiteral("UPDATE Firma SET BIC = 'ABCDEFGHIJKL'")), engine::EngineError);
}

TEST(InvoiceColumns, AFolderWithoutCompanyTableStillStartsWithoutIt)
{
    DataFolder folder;
    QFile::remove(folder.file(QStringLiteral("firma.db")));
    TestShell shell{folder.path()};
    TDMod dmod{shell};
    EXPECT_THROW(dmod.DataModuleCreate(), engine::EngineError); // the engine's missing-table error, as before
    EXPECT_EQ(columnsOf(dmod.dbDorv, "Kunden").last(), QStringLiteral("LIEFERANTENNR"));
}

} // namespace
