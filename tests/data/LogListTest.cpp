#include "data/EldatFactsStore.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "support/DataFolder.h"
#include "support/ExportSamples.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace data::loglist;
using values::ListHeader;

class LogListTest : public ::testing::Test
{
protected:
    void SetUp() override { db.open({QStringLiteral("PATH=") + folder.path()}); }

    int headerRows(const QString &name)
    {
        return db.query(QStringLiteral("SELECT COUNT(*) FROM DORVZUSATZ WHERE OFFSET = :OFFSET"), {{QStringLiteral("OFFSET"), name}})
            .rows[0][0]
            .toInt();
    }

    DataFolder folder;
    engine::Connection db;
};

TEST_F(LogListTest, ACreationThatFailsLeavesNothingBehind)
{
    EXPECT_THROW(createList(db, QStringLiteral("Wald"), [] { throw std::runtime_error("disk full"); }), std::runtime_error);
    EXPECT_FALSE(db.tableExists(QStringLiteral("Wald")));
    EXPECT_FALSE(hasHeaderTable(db)) << "the header table came with the failed list and goes with it";

    createList(db, QStringLiteral("Wald"));
    EXPECT_THROW(createList(db, QStringLiteral("Eiche"), [] { throw std::runtime_error("disk full"); }), std::runtime_error);
    EXPECT_FALSE(db.tableExists(QStringLiteral("Eiche")));
    EXPECT_EQ(headerRows(QStringLiteral("Eiche")), 0);
    EXPECT_EQ(headerRows(QStringLiteral("Wald")), 1) << "the list made before stays";

    // A second list of a name that exists (in another case) is refused and changes nothing.
    EXPECT_ANY_THROW(createList(db, QStringLiteral("WALD")));
    EXPECT_EQ(headerRows(QStringLiteral("WALD")), 0);
    EXPECT_TRUE(headerExistsAnyCase(db, QStringLiteral("wALd")));
}

TEST_F(LogListTest, TheHeaderIsWrittenAndReadBackWholeAndOnlyForItsList)
{
    createList(db, QStringLiteral("Wald"));
    createList(db, QStringLiteral("Eiche"));
    const ListHeader fresh = readHeader(db, QStringLiteral("Wald")).value();
    EXPECT_TRUE(fresh.department.isEmpty());
    EXPECT_FALSE(fresh.peeled);

    const ListHeader typed{QStringLiteral("12 B"), QStringLiteral("Fichte"), QStringLiteral("Stammholz"),
                           QStringLiteral("Hieb am Weg, Ölzeug nötig"), true, true};
    writeHeader(db, QStringLiteral("Wald"), typed);
    const ListHeader back = readHeader(db, QStringLiteral("Wald")).value();
    EXPECT_EQ(back.department, typed.department);
    EXPECT_EQ(back.species, typed.species);
    EXPECT_EQ(back.assortment, typed.assortment);
    EXPECT_EQ(back.text, typed.text);
    EXPECT_TRUE(back.peeled);
    EXPECT_TRUE(back.skidded);
    EXPECT_TRUE(readHeader(db, QStringLiteral("Eiche")).value().species.isEmpty());

    storeGeschaelt(db, QStringLiteral("Wald"), false);
    EXPECT_FALSE(readHeader(db, QStringLiteral("Wald")).value().peeled);
    EXPECT_FALSE(readHeader(db, QStringLiteral("Buche")).has_value());

    // A text longer than its field is refused; the stored header stays as it was.
    ListHeader tooLong = typed;
    tooLong.department = QString(51, QLatin1Char('x'));
    EXPECT_ANY_THROW(writeHeader(db, QStringLiteral("Wald"), tooLong));
    EXPECT_EQ(readHeader(db, QStringLiteral("Wald")).value().department, typed.department);
}

TEST_F(LogListTest, DeletingAListTakesItsTableHeaderRowAndExportFacts)
{
    createList(db, QStringLiteral("Wald"));
    createList(db, QStringLiteral("Eiche"));
    data::storeEldatFacts(db, QStringLiteral("Wald"), sampleFacts());
    deleteList(db, QStringLiteral("Wald"));
    EXPECT_FALSE(db.tableExists(QStringLiteral("Wald")));
    EXPECT_EQ(headerRows(QStringLiteral("Wald")), 0);
    EXPECT_FALSE(data::loadEldatFacts(db, QStringLiteral("Wald")));
    EXPECT_TRUE(db.tableExists(QStringLiteral("Eiche")));

    // A header row whose table file was lost is still removed.
    db.execute(QStringLiteral("DROP TABLE Eiche"));
    deleteList(db, QStringLiteral("Eiche"));
    EXPECT_EQ(headerRows(QStringLiteral("Eiche")), 0);
}

} // namespace
