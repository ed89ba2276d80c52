#include "evaluation/Summary.h"

#include <gtest/gtest.h>

using evaluation::Summary;

TEST(Summary, TotalsAreExactSumsOfTheShownFigures)
{
    Summary s;
    for (int i = 0; i < 1000; ++i)
        s.add(QStringLiteral("B"), QString::number(i), 1, 0.71);
    EXPECT_EQ(s.listTotal().volume.toDouble(), 710.0);
    EXPECT_EQ(s.qualityTotal(QStringLiteral("B"))->volume.toDouble(), 710.0);
    qint64 count = 0;
    ASSERT_TRUE(s.listTotal().count.toInteger(count));
    EXPECT_EQ(count, 1000);

    // A volume beyond 15 significant digits counts as it shows.
    Summary rounded;
    rounded.add(QStringLiteral("C"), QStringLiteral("2a"), 1, 0.1 + 0.2);
    rounded.add(QStringLiteral("C"), QStringLiteral("2b"), 1, 0.7);
    EXPECT_EQ(rounded.qualityTotal(QStringLiteral("C"))->volume.toDouble(), 1.0);
}

TEST(Summary, ClassesMatchWithoutCaseAndUnknownCodesCountOnlyWhereTheyExist)
{
    Summary s;
    s.add(QStringLiteral("b"), QStringLiteral("1A"), 2, 0.75);
    s.add(QStringLiteral("X"), QStringLiteral("1a"), 1, 0.5);
    s.add(QString(), QString(), 1, 0.25);

    const Summary::Pair *pair = s.pair(QStringLiteral("B"), QStringLiteral("1a"));
    ASSERT_NE(pair, nullptr);
    EXPECT_EQ(pair->count, 2);
    EXPECT_EQ(pair->volume, 0.75);
    EXPECT_EQ(s.pair(QStringLiteral("C"), QStringLiteral("1a")), nullptr);

    EXPECT_EQ(s.qualityTotal(QStringLiteral("B"))->volume.toDouble(), 0.75);
    EXPECT_EQ(s.qualityTotal(QStringLiteral("C")), nullptr);
    EXPECT_EQ(s.diameterTotal(QStringLiteral("1a"))->volume.toDouble(), 1.25);
    EXPECT_EQ(s.listTotal().volume.toDouble(), 1.5);
}

TEST(Summary, AnEmptyFigureCountsInNoTotal)
{
    Summary s;
    s.add(QStringLiteral("B"), QStringLiteral("2a"), std::nullopt, std::nullopt);
    const Summary::Pair *pair = s.pair(QStringLiteral("B"), QStringLiteral("2a"));
    ASSERT_NE(pair, nullptr);
    EXPECT_FALSE(pair->count.has_value());
    EXPECT_TRUE(s.listTotal().count.isEmpty());
    EXPECT_TRUE(s.listTotal().volume.isEmpty());
}
