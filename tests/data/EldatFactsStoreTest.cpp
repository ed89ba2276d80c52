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

    static exporting::EldatFacts facts(const QString &pile)
    {
        exporting::EldatFacts f = sampleFacts();
        f.pileNumber = pile;
        f.latitude = 49.86861816524657;
        f.longitude = -8.5;
        return f;
    }
    static void expectSame(const exporting::EldatFacts &a, const exporting::EldatFacts &b)
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

    exporting::EldatFacts changed = facts(QStringLiteral("P2"));
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
    exporting::EldatFacts tooLong = facts(QString(40, u'9'));
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
