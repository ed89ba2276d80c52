#include "ListWindows.h"

#include "data/EldatFactsStore.h"
#include "support/ExportSamples.h"

namespace {

using ListDeletionTest = ListWindowsTest;

values::EldatFacts pile(const QString &number)
{
    values::EldatFacts f = sampleFacts();
    f.pileNumber = number;
    return f;
}

TEST_F(ListDeletionTest, TheExportFactsOfAListGoWithIt)
{
    createList(QStringLiteral("Eiche"));
    createList(QStringLiteral("Wald"));
    data::storeEldatFacts(dmod().dbDorv, QStringLiteral("Eiche"), pile(QStringLiteral("E1")));
    data::storeEldatFacts(dmod().dbDorv, QStringLiteral("Wald"), pile(QStringLiteral("W1")));

    formLaden().FormActivate();
    ASSERT_TRUE(formLaden().selectList(QStringLiteral("Eiche")));
    dialogs.answers = {true};
    formLaden().btnLoeschenClick();

    EXPECT_FALSE(tableFileExists(QStringLiteral("eiche")));
    EXPECT_FALSE(data::loadEldatFacts(dmod().dbDorv, QStringLiteral("Eiche")));
    const auto kept = data::loadEldatFacts(dmod().dbDorv, QStringLiteral("Wald"));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->pileNumber, QStringLiteral("W1"));

    // A new list of the old name starts without the deleted list's facts.
    createList(QStringLiteral("Eiche"));
    EXPECT_FALSE(data::loadEldatFacts(dmod().dbDorv, QStringLiteral("Eiche")));
}

} // namespace
