#include "data/EldatFactsStore.h"
#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"
#include "support/DataFolder.h"
#include "support/ExportSamples.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class EldatFactsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { db.open({QStringLiteral("PATH=") + folder.path()}); }

    static values::EldatFacts facts(const QString &pile)
    {
        values::EldatFacts f = sampleFacts();
        f.pileNumber = pile;
        f.latitude = 49.86861816524657;
        f.longitude = -8.5;
        f.moduleId = QStringLiteral("6f1c2a9e-0000-4000-8000-000000000003");
        return f;
    }
    static void expectSame(const values::EldatFacts &a, const values::EldatFacts &b)
    {
        EXPECT_EQ(a.fellingDate, b.fellingDate);
        EXPECT_EQ(a.pileNumber, b.pileNumber);
        EXPECT_EQ(a.latitude, b.latitude);
        EXPECT_EQ(a.longitude, b.longitude);
        EXPECT_EQ(a.species, b.species);
        EXPECT_EQ(a.speciesFor, b.speciesFor);
        EXPECT_EQ(a.grade, b.grade);
        EXPECT_EQ(a.use, b.use);
        EXPECT_EQ(a.processId, b.processId);
        EXPECT_EQ(a.moduleId, b.moduleId);
    }

    DataFolder folder;
    engine::Connection db;
};

TEST_F(EldatFactsStoreTest, FactsAreKeptPerListAndReplacedWhenStoredAgain)
{
    EXPECT_FALSE(data::loadEldatFacts(db, QStringLiteral("Wald"))) << "no table yet";
    EXPECT_NO_THROW(data::deleteEldatFacts(db, QStringLiteral("Wald")));

    data::storeEldatFacts(db, QStringLiteral("Wald"), facts(QStringLiteral("P1")));
    data::storeEldatFacts(db, QStringLiteral("Eiche"), facts(QStringLiteral("E9")));
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("dorvzusatz_eldatsmart.db"))));
    expectSame(*data::loadEldatFacts(db, QStringLiteral("Wald")), facts(QStringLiteral("P1")));

    values::EldatFacts changed = facts(QStringLiteral("P2"));
    changed.latitude.reset();
    changed.longitude.reset();
    data::storeEldatFacts(db, QStringLiteral("Wald"), changed);
    expectSame(*data::loadEldatFacts(db, QStringLiteral("Wald")), changed);
    EXPECT_EQ(db.query(QStringLiteral("SELECT COUNT(*) FROM DORVZUSATZ_ELDATSMART WHERE OFFSET = 'Wald'")).rows[0][0].toInt(), 1);

    data::deleteEldatFacts(db, QStringLiteral("Wald"));
    EXPECT_FALSE(data::loadEldatFacts(db, QStringLiteral("Wald")));
    expectSame(*data::loadEldatFacts(db, QStringLiteral("Eiche")), facts(QStringLiteral("E9")));
}

TEST_F(EldatFactsStoreTest, AFailedStoreLeavesTheFactsStoredBefore)
{
    data::storeEldatFacts(db, QStringLiteral("Wald"), facts(QStringLiteral("P1")));
    values::EldatFacts tooLong = facts(QString(40, u'9'));
    EXPECT_THROW(data::storeEldatFacts(db, QStringLiteral("Wald"), tooLong), engine::EngineError);
    expectSame(*data::loadEldatFacts(db, QStringLiteral("Wald")), facts(QStringLiteral("P1")));
}

TEST_F(EldatFactsStoreTest, DeletingTakesPartInTheListsTransaction)
{
    data::storeEldatFacts(db, QStringLiteral("Wald"), facts(QStringLiteral("P1")));
    {
        engine::Transaction tx(db);
        data::deleteEldatFacts(db, QStringLiteral("Wald"));
        // The deletion of the list fails later: nothing of it may remain.
    }
    EXPECT_TRUE(data::loadEldatFacts(db, QStringLiteral("Wald")));
}

} // namespace

TEST_F(EldatFactsStoreTest, ATableWithoutTheModuleIdGetsItWhenFactsAreNextStored)
{
    // The table as data folders kept it before the module id was stored.
    db.execute(QStringLiteral("CREATE TABLE DORVZUSATZ_ELDATSMART ( OFFSET CHAR(25), HIEBSDATUM CHAR(10), POLTERNR CHAR(36),"
                              " BREITENGRAD FLOAT, LAENGENGRAD FLOAT, HOLZART CHAR(10), BAUMART CHAR(50), SORTE CHAR(10),"
                              " VERWENDUNG CHAR(10), PROZESSID CHAR(36) )"));
    db.execute(QStringLiteral("INSERT INTO DORVZUSATZ_ELDATSMART ( OFFSET, POLTERNR, PROZESSID ) VALUES ( 'Wald', 'P1', 'p' )"));
    const auto old = data::loadEldatFacts(db, QStringLiteral("Wald"));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->pileNumber, QStringLiteral("P1"));
    EXPECT_TRUE(old->moduleId.isEmpty());

    data::storeEldatFacts(db, QStringLiteral("Eiche"), facts(QStringLiteral("E9")));
    expectSame(*data::loadEldatFacts(db, QStringLiteral("Eiche")), facts(QStringLiteral("E9")));
    EXPECT_EQ(data::loadEldatFacts(db, QStringLiteral("Wald"))->processId, QStringLiteral("p")) << "the older row is kept";
}
