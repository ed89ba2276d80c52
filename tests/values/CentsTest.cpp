// Amounts in whole cents: a percentage is rounded once, halves away from zero.
#include "values/Cents.h"

#include <gtest/gtest.h>

using values::percentOf;

TEST(Cents, PercentagesRoundHalvesAwayFromZeroOnTheExactAmount)
{
    EXPECT_EQ(percentOf(10050, 19), 1910) << "100,50 × 19 % = 19,095";
    EXPECT_EQ(percentOf(10049, 19), 1909);
    EXPECT_EQ(percentOf(-10050, 19), -1910);
    EXPECT_EQ(percentOf(50000, 0.2), 100);
    EXPECT_EQ(percentOf(1000, 5.5), 55);
    EXPECT_EQ(percentOf(1, 50), 1) << "half a cent rounds up";
    EXPECT_EQ(percentOf(123456789, 0), 0);
    EXPECT_EQ(percentOf(58000, 2), 1160);
    EXPECT_EQ(percentOf(999999999999, 19), 190000000000) << "189.999.999.999,81 cents: large amounts stay exact";
}
