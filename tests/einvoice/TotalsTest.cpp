// The invoice's amounts: whole cents, rounded once, halves away from zero.
#include "einvoice/Totals.h"

#include "SampleInvoices.h"

#include <gtest/gtest.h>

TEST(Totals, TheNetAmountIsTheSumOfTheRoundedLineAmounts)
{
    einvoice::Invoice inv = samples::example(einvoice::Profile::FacturX);
    // 0,50 FM at 10,25 is 5,125 and prints as 5,13; three such lines make 15,39, not 15,38.
    inv.lines.assign(3, {QStringLiteral("B"), QStringLiteral("2a"), 0.5, 10.25, samples::lineAmount(0.5, 10.25)});
    inv.vatRate = 19;
    const einvoice::Totals t = einvoice::invoiceTotals(inv);
    EXPECT_EQ(t.net, 1539);
    EXPECT_EQ(t.vat, 292) << "15,39 × 19 % = 2,9241";
    EXPECT_EQ(t.gross, 1831);
    EXPECT_EQ(t.cashDiscount, 37) << "2 % of 18,31 = 0,3662";
    EXPECT_EQ(t.afterCashDiscount, 1794);
}
