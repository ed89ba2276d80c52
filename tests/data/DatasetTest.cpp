#include "data/ConversionError.h"
#include "data/Dataset.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "engine/EngineError.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using data::Dataset;
using data::DatasetState;

namespace {

class DatasetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        db.open({QStringLiteral("PATH=") + dir.path()});
        db.execute(data::loglist::createListSql(QStringLiteral("Wald")));
        logs.setLive(true);
        logs.setSql(QStringLiteral("SELECT * FROM Wald"));
    }

    void recordEvents()
    {
        auto rec = [this](const char *name) { return [this, name](Dataset &) { events << QString::fromLatin1(name); }; };
        logs.events.newRecord = [this](Dataset &ds) {
            events << QStringLiteral("newRecord");
            ds.setValue(QStringLiteral("ID"), ds.recordCount());
        };
        logs.events.beforePost = rec("beforePost");
        logs.events.afterPost = rec("afterPost");
        logs.events.beforeDelete = rec("beforeDelete");
        logs.events.afterDelete = rec("afterDelete");
        logs.events.afterOpen = rec("afterOpen");
        logs.events.beforeClose = rec("beforeClose");
    }

    int storedCount()
    {
        return db.query(QStringLiteral("SELECT COUNT(ID) FROM Wald")).rows[0][0].toInt();
    }

    QTemporaryDir dir;
    engine::Connection db;
    Dataset logs{&db, QStringLiteral("qryDorvTabelle")};
    QStringList events;
};

TEST_F(DatasetTest, RecordEventsRunInOrderForAppendPostCancelAndDelete)
{
    recordEvents();
    logs.open();
    logs.append();
    logs.setValue(QStringLiteral("LAENGE"), 12);
    logs.post();
    logs.append();
    logs.setValue(QStringLiteral("LAENGE"), 5);
    logs.cancel();
    logs.first();
    logs.remove();
    logs.close();
    EXPECT_EQ(events, QStringList({"afterOpen", "newRecord", "beforePost", "afterPost", "newRecord", "beforeDelete",
                                   "afterDelete", "beforeClose"}));
    EXPECT_EQ(storedCount(), 0);
}

TEST_F(DatasetTest, UntouchedNewRowIsDroppedWhenLeft)
{
    recordEvents();
    logs.open();
    logs.append();
    EXPECT_EQ(logs.state(), DatasetState::Insert);
    EXPECT_EQ(logs.recordCount(), 1);
    EXPECT_FALSE(logs.modified()) << "what the new-record event assigns is no change";
    logs.first();
    EXPECT_EQ(logs.state(), DatasetState::Browse);
    EXPECT_EQ(logs.recordCount(), 0);
    EXPECT_EQ(storedCount(), 0);
}

// The grid counts the new row among its rows: a target below an untouched new row is one
// row further down than the row it shows once the new row is gone.
TEST_F(DatasetTest, MovingAwayFromAnUntouchedNewRowLandsOnTheRowShown)
{
    for (int id = 1; id <= 4; ++id)
        db.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE) VALUES (:ID, :ID)"), {{"ID", id}});
    logs.open();
    const auto currentId = [this] { return logs.value(QStringLiteral("ID")).toInt(); };

    logs.moveTo(1);
    logs.insert(); // rows shown: 1, new, 2, 3, 4
    logs.moveTo(3);
    EXPECT_EQ(logs.state(), DatasetState::Browse);
    EXPECT_EQ(logs.recordCount(), 4);
    EXPECT_EQ(currentId(), 3);

    logs.moveTo(1);
    logs.insert();
    logs.moveTo(0); // above the new row: nothing shifts
    EXPECT_EQ(currentId(), 1);

    logs.append(); // rows shown: 1, 2, 3, 4, new
    logs.moveTo(1);
    EXPECT_EQ(logs.recordCount(), 4);
    EXPECT_EQ(currentId(), 2);

    logs.moveTo(1);
    logs.insert();
    logs.setValue(QStringLiteral("ID"), 10); // typed: posted, and it keeps its place
    logs.moveTo(3);
    EXPECT_EQ(logs.recordCount(), 5);
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(storedCount(), 5);
}

TEST_F(DatasetTest, TypedNewRowIsPostedWhenLeftAndReadAgain)
{
    logs.open();
    logs.append();
    logs.setValue(QStringLiteral("ID"), 1);
    logs.setText(QStringLiteral("LAENGE"), QStringLiteral("12"));
    logs.setText(QStringLiteral("GUETEKLASSE"), QStringLiteral("C  "));
    logs.setText(QStringLiteral("VOLUMEN"), QStringLiteral("1,03"));
    logs.append();
    EXPECT_EQ(storedCount(), 1);
    logs.cancel();

    Dataset again(&db);
    again.setSql(QStringLiteral("SELECT * FROM Wald"));
    again.open();
    ASSERT_EQ(again.recordCount(), 1);
    EXPECT_EQ(again.value(QStringLiteral("laenge")).toInt(), 12);
    EXPECT_EQ(again.value(QStringLiteral("GUETEKLASSE")).toString(), QStringLiteral("C"));
    EXPECT_DOUBLE_EQ(again.floatValue(QStringLiteral("VOLUMEN")), 1.03);
    EXPECT_EQ(logs.value(QStringLiteral("GUETEKLASSE")).toString(), QStringLiteral("C")) << "the stored row is read back";
}

TEST_F(DatasetTest, EditCancelRestoresAndEditPostWritesBack)
{
    db.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE) VALUES (1, 10), (2, 20)"));
    logs.open();
    logs.last();
    logs.edit();
    logs.setValue(QStringLiteral("LAENGE"), 99);
    logs.cancel();
    EXPECT_EQ(logs.intValue(QStringLiteral("LAENGE")), 20);
    logs.setValue(QStringLiteral("LAENGE"), 33);
    logs.post();
    EXPECT_EQ(db.query(QStringLiteral("SELECT LAENGE FROM Wald WHERE ID = 2")).rows[0][0].toInt(), 33);
    EXPECT_EQ(db.query(QStringLiteral("SELECT LAENGE FROM Wald WHERE ID = 1")).rows[0][0].toInt(), 10);
}

TEST_F(DatasetTest, FailingBeforePostLeavesTheRowInEditing)
{
    logs.events.beforePost = [](Dataset &) { throw engine::EngineError(QStringLiteral("refused")); };
    logs.open();
    logs.append();
    logs.setValue(QStringLiteral("ID"), 1);
    EXPECT_THROW(logs.post(), engine::EngineError);
    EXPECT_EQ(logs.state(), DatasetState::Insert);
    EXPECT_EQ(storedCount(), 0);
}

TEST_F(DatasetTest, TextThatIsNoNumberIsAConversionErrorAndChangesNothing)
{
    logs.open();
    logs.append();
    try {
        logs.setText(QStringLiteral("LAENGE"), QStringLiteral("zwölf"));
        FAIL();
    } catch (const data::ConversionError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'zwölf' is not a valid integer value for field 'LAENGE'"));
    }
    EXPECT_TRUE(logs.value(QStringLiteral("LAENGE")).isNull());
    logs.setText(QStringLiteral("LAENGE"), QString());
    EXPECT_TRUE(logs.value(QStringLiteral("LAENGE")).isNull());
}

TEST_F(DatasetTest, CursorAndLocate)
{
    db.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE) VALUES (3, 30), (1, 10), (2, 20)"));
    logs.open();
    EXPECT_EQ(logs.intValue(QStringLiteral("ID")), 1);
    logs.next();
    logs.next();
    EXPECT_FALSE(logs.eof());
    logs.next();
    EXPECT_TRUE(logs.eof());
    EXPECT_EQ(logs.intValue(QStringLiteral("ID")), 3);
    EXPECT_TRUE(logs.locate(QStringLiteral("LAENGE"), 20));
    EXPECT_EQ(logs.recNo(), 1);
    EXPECT_FALSE(logs.locate(QStringLiteral("LAENGE"), 21));
    logs.remove();
    EXPECT_EQ(logs.recordCount(), 2);
    EXPECT_EQ(logs.intValue(QStringLiteral("ID")), 3);
}

TEST_F(DatasetTest, SettingTheTextClosesTheDataset)
{
    logs.open();
    logs.setSql(QStringLiteral("SELECT * FROM Wald WHERE ID > 0"));
    EXPECT_FALSE(logs.isOpen());
    EXPECT_THROW(logs.edit(), engine::EngineError);
}

TEST_F(DatasetTest, NonLiveResultCannotBeEdited)
{
    Dataset sums(&db);
    sums.setSql(QStringLiteral("SELECT COUNT(ID) As Menge FROM Wald"));
    sums.open();
    EXPECT_EQ(sums.intValue(QStringLiteral("MENGE")), 0);
    EXPECT_THROW(sums.edit(), engine::EngineError);
}

TEST_F(DatasetTest, DetailTakesUnboundParameterFromItsMasterAndFollowsIt)
{
    db.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE, VOLUMEN) VALUES (1, 4, 0.5), (2, 8, 1.5)"));
    Dataset total(&db);
    total.setSql(QStringLiteral("SELECT COUNT(ID) As Menge, SUM(Volumen) AS GesVol  FROM Wald"));
    Dataset weighted(&db);
    weighted.setSql(QStringLiteral("SELECT SUM( (100 * Volumen / :GesVol) /100 * Laenge) AS GewLaenge FROM Wald"));
    weighted.setMaster(&total);
    total.open();
    weighted.open();
    EXPECT_NEAR(weighted.floatValue(QStringLiteral("GewLaenge")), 7.0, 1e-9);

    db.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE, VOLUMEN) VALUES (3, 10, 2)"));
    total.close();
    total.open();
    EXPECT_NEAR(weighted.floatValue(QStringLiteral("GewLaenge")), (2.0 + 12.0 + 20.0) / 4.0, 1e-9);
}

TEST_F(DatasetTest, CalculatedFieldsFollowTheRow)
{
    db.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE) VALUES (1, 10)"));
    logs.addCalculatedField(QStringLiteral("DOPPELT"), data::FieldType::Integer);
    logs.events.calcFields = [](Dataset &ds) { ds.setValue(QStringLiteral("DOPPELT"), 2 * ds.intValue(QStringLiteral("LAENGE"))); };
    logs.open();
    EXPECT_EQ(logs.intValue(QStringLiteral("DOPPELT")), 20);
    logs.setValue(QStringLiteral("LAENGE"), 7);
    EXPECT_EQ(logs.intValue(QStringLiteral("DOPPELT")), 14);
    logs.post();
    EXPECT_EQ(logs.intValue(QStringLiteral("DOPPELT")), 14);
}

TEST_F(DatasetTest, DisplayFormatsApplyToTheirFields)
{
    db.execute(QStringLiteral("INSERT INTO Wald (ID, VOLUMEN) VALUES (1, 0.5)"));
    logs.setDisplayFormat(QStringLiteral("volumen"), QStringLiteral("#0.00 FM"));
    logs.open();
    EXPECT_EQ(logs.displayText(QStringLiteral("VOLUMEN")), QStringLiteral("0,50 FM"));
    EXPECT_EQ(logs.displayText(QStringLiteral("LAENGE")), QString());
}

TEST(MemoryDataset, HoldsRowsWithoutADatabase)
{
    Dataset mem(nullptr, QStringLiteral("memRechnungsdaten"));
    mem.addField(QStringLiteral("RECHNUNGSNR"), data::FieldType::Text, 20);
    mem.open();
    EXPECT_TRUE(mem.isEmpty());
    mem.append();
    mem.setValue(QStringLiteral("RECHNUNGSNR"), QStringLiteral("2026-17"));
    mem.post();
    EXPECT_EQ(mem.recordCount(), 1);
    EXPECT_EQ(mem.text(QStringLiteral("rechnungsnr")), QStringLiteral("2026-17"));
    mem.close();
    mem.open();
    EXPECT_TRUE(mem.isEmpty());
}

} // namespace
