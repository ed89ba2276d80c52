#include "data/DataModule.h"
#include "data/DeliveredTables.h"
#include "data/LogList.h"
#include "engine/EngineError.h"
#include "support/DataFolder.h"
#include "support/TestShell.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class DataModuleTest : public ::testing::Test
{
protected:
    void SetUp() override { dmod.DataModuleCreate(); }

    DataFolder folder;
    TestShell shell{folder.path()};
    TDMod dmod{shell};
};

TEST_F(DataModuleTest, DeliveredTablesAreThere)
{
    for (const char *table : {"firma", "kunden", "grundpreise", "preise", "rechnung"})
        EXPECT_TRUE(QFileInfo::exists(folder.file(QString::fromLatin1(table) + ".db"))) << table;
    EXPECT_TRUE(dmod.qryFirma.isOpen());
    EXPECT_EQ(dmod.qryFirma.recordCount(), 1);
    EXPECT_EQ(dmod.qryFirma.displayText(QStringLiteral("MwSt")), QStringLiteral("19,00"));

    dmod.qryTmp.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM Grundpreise"));
    dmod.qryTmp.open();
    EXPECT_EQ(dmod.qryTmp.intValue(QStringLiteral("N")), 30);
    dmod.qryKunden.open();
    EXPECT_TRUE(dmod.qryKunden.locate(QStringLiteral("NRKD"), QStringLiteral("99999")));
}

TEST_F(DataModuleTest, FillingPreiseByPositionPutsHundredAndThePriceTwice)
{
    dmod.qryTmp.setSql(QStringLiteral("INSERT INTO PREISE SELECT GUETEKLASSE, STAERKEKLASSE, ABZUG, PREIS, 100, PREIS FROM GRUNDPREISE"));
    dmod.qryTmp.execSql();
    dmod.qryTmp.setSql(QStringLiteral("SELECT * FROM PREISE WHERE GUETEKLASSE = :GK ORDER BY  GUETEKLASSE, STAERKEKLASSE"));
    dmod.qryTmp.setParam(QStringLiteral("GK"), QStringLiteral("C"));
    dmod.qryTmp.open();
    ASSERT_EQ(dmod.qryTmp.recordCount(), 10);
    for (dmod.qryTmp.first(); !dmod.qryTmp.eof(); dmod.qryTmp.next()) {
        EXPECT_DOUBLE_EQ(dmod.qryTmp.floatValue(QStringLiteral("PROZENT")), 100.0);
        EXPECT_DOUBLE_EQ(dmod.qryTmp.floatValue(QStringLiteral("PREIS")), dmod.qryTmp.floatValue(QStringLiteral("PREISSAVE")));
        EXPECT_GT(dmod.qryTmp.floatValue(QStringLiteral("PREIS")), 0.0);
    }
}

TEST_F(DataModuleTest, MissingHeaderTableFailsWithTheEnginesError)
{
    dmod.qryDorvZusatz.setSql(QStringLiteral("SELECT * FROM DORVZUSATZ WHERE OFFSET = :OFFSET"));
    dmod.qryDorvZusatz.setParam(QStringLiteral("OFFSET"), QStringLiteral("Wald"));
    try {
        dmod.qryDorvZusatz.open();
        FAIL();
    } catch (const engine::EngineError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table: DORVZUSATZ"))) << e.message().toStdString();
    }
}

TEST_F(DataModuleTest, InvoiceLineSumRoundsHalfCentsUp)
{
    dmod.qryTmp.setSql(QStringLiteral("INSERT INTO Rechnung VALUES ('B', '2a', 0.5, 10.25)"));
    dmod.qryTmp.execSql();
    dmod.qryRechnung.open();
    ASSERT_EQ(dmod.qryRechnung.recordCount(), 1);
    EXPECT_DOUBLE_EQ(dmod.qryRechnung.floatValue(QStringLiteral("Summe")), 5.13);
    EXPECT_EQ(dmod.qryRechnung.displayText(QStringLiteral("VOLUMEN")), QStringLiteral("0,50 FM"));
}

TEST_F(DataModuleTest, LogsAreNumberedAndRenumberedAfterADeletion)
{
    dmod.dbDorv.execute(data::loglist::createListSql(QStringLiteral("Wald")));
    shell.setCurrentListName(QStringLiteral("Wald"));
    dmod.qryDorvTabelle.setSql(QStringLiteral("SELECT * FROM Wald"));
    dmod.qryDorvTabelle.open();
    for (int i = 1; i <= 5; ++i) {
        dmod.qryDorvTabelle.append();
        EXPECT_EQ(dmod.qryDorvTabelle.intValue(QStringLiteral("ID")), i);
        dmod.qryDorvTabelle.setValue(QStringLiteral("LAENGE"), 10 * i);
        dmod.qryDorvTabelle.post();
    }
    dmod.qryDorvTabelle.append();
    dmod.qryDorvTabelle.cancel();
    dmod.qryDorvTabelle.append();
    EXPECT_EQ(dmod.qryDorvTabelle.intValue(QStringLiteral("ID")), 6) << "a dropped row leaves no trace";
    dmod.qryDorvTabelle.cancel();

    dmod.qryDorvTabelle.moveTo(2);
    dmod.deleteCurrentLog();
    EXPECT_EQ(dmod.GeloeschteID, 3);
    ASSERT_EQ(dmod.qryDorvTabelle.recordCount(), 4);
    QList<int> ids, lengths;
    for (dmod.qryDorvTabelle.first(); !dmod.qryDorvTabelle.eof(); dmod.qryDorvTabelle.next()) {
        ids << dmod.qryDorvTabelle.intValue(QStringLiteral("ID"));
        lengths << dmod.qryDorvTabelle.intValue(QStringLiteral("LAENGE"));
    }
    EXPECT_EQ(ids, QList<int>({1, 2, 3, 4}));
    EXPECT_EQ(lengths, QList<int>({10, 20, 40, 50}));

    dmod.qryDorvTabelle.moveTo(1);
    EXPECT_TRUE(dmod.CheckDatensatz() == false) << "a log without diameter is not complete";
}

TEST_F(DataModuleTest, FirstCustomerGetsNumberZeroAfterTheTableIsEmptied)
{
    dmod.qryTmp.setSql(QStringLiteral("DELETE FROM Kunden"));
    dmod.qryTmp.execSql();
    dmod.qryKunden.open();
    dmod.qryKunden.append();
    EXPECT_EQ(dmod.qryKunden.intValue(QStringLiteral("ID")), 0);
    dmod.qryKunden.setValue(QStringLiteral("NRKD"), QStringLiteral("1"));
    dmod.qryKunden.post();
    dmod.qryKunden.append();
    EXPECT_EQ(dmod.qryKunden.intValue(QStringLiteral("ID")), 1);
}

TEST(DeliveredTables, ASecondRunLeavesAChangedRowAsItWas)
{
    DataFolder folder;
    {
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + folder.path()});
        db.execute(QStringLiteral("UPDATE Firma SET Ort = :ORT"), {{"ORT", "Waldhausen"}});
    }
    EXPECT_TRUE(data::createDeliveredTables(folder.path(), QStringLiteral(DORV_DATA_SQL_DIR)).isEmpty());
    QFile::remove(folder.file(QStringLiteral("preise.db")));
    EXPECT_EQ(data::createDeliveredTables(folder.path(), QStringLiteral(DORV_DATA_SQL_DIR)), QStringList{QStringLiteral("preise")})
        << "only a missing table file is written";
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + folder.path()});
    EXPECT_EQ(db.query(QStringLiteral("SELECT Ort FROM Firma")).rows.at(0).at(0).toString(), QStringLiteral("Waldhausen"));
}

TEST(DataModuleStart, MissingDataFolderIsAnEngineError)
{
    TestShell shell(QStringLiteral("/nonexistent/Daten/"));
    TDMod dmod(shell);
    EXPECT_THROW(dmod.DataModuleCreate(), engine::EngineError);
    EXPECT_FALSE(dmod.qryFirma.isOpen());
}

} // namespace
