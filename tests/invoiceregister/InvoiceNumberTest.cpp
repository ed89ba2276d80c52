// The next invoice number counts the trailing digits up and keeps everything else.
#include "invoiceregister/InvoiceNumber.h"

#include <gtest/gtest.h>

TEST(InvoiceNumber, CountsTheTrailingDigitsUp)
{
    using invoiceregister::nextInvoiceNumber;
    EXPECT_EQ(nextInvoiceNumber("R-2026-0041"), "R-2026-0042");
    EXPECT_EQ(nextInvoiceNumber("R-2026-0099"), "R-2026-0100") << "leading zeros give way, the width stays";
    EXPECT_EQ(nextInvoiceNumber("2024/17"), "2024/18");
    EXPECT_EQ(nextInvoiceNumber("99"), "100");
    EXPECT_EQ(nextInvoiceNumber("0"), "1");
    EXPECT_EQ(nextInvoiceNumber(" 41 "), "42");
    EXPECT_EQ(nextInvoiceNumber("99999999999999999999"), "100000000000000000000") << "no overflow";
    EXPECT_EQ(nextInvoiceNumber("R-2026-A"), "") << "nothing to count";
    EXPECT_EQ(nextInvoiceNumber(""), "");
    EXPECT_EQ(nextInvoiceNumber(QString::fromUtf8("R-٣")), "") << "only the digits 0 to 9 count";
}
