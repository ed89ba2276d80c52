// The IBAN check and the proposed file name.
#include "einvoice/Files.h"
#include "einvoice/Iban.h"

#include <gtest/gtest.h>

TEST(Iban, ChecksumModulo97)
{
    using einvoice::ibanIsValid;
    EXPECT_TRUE(ibanIsValid("DE89370400440532013000"));
    EXPECT_TRUE(ibanIsValid("de89 3704 0044 0532 0130 00")) << "blanks and lower case as typed";
    EXPECT_TRUE(ibanIsValid("GB82WEST12345698765432"));
    EXPECT_TRUE(ibanIsValid("AT611904300234573201"));
    EXPECT_FALSE(ibanIsValid("DE89370400440532013001")) << "one digit wrong";
    EXPECT_FALSE(ibanIsValid("DE98370400440532013000")) << "check digits swapped";
    EXPECT_FALSE(ibanIsValid(""));
    EXPECT_FALSE(ibanIsValid("DE89"));
    EXPECT_FALSE(ibanIsValid("8937040044DE0532013000"));
    EXPECT_FALSE(ibanIsValid("DE89-3704-0044-0532-0130-00"));
    EXPECT_FALSE(ibanIsValid(QString::fromUtf8("DE89370400440532013ä00")));
    EXPECT_EQ(einvoice::compactIban(" de89 3704\t0044 "), "DE8937040044");
}

TEST(Files, ProposedNameReplacesWhatAFileNameCannotHold)
{
    using einvoice::proposedFileName;
    EXPECT_EQ(proposedFileName("2024-17"), "Rechnung_2024-17");
    EXPECT_EQ(proposedFileName("2024/17"), "Rechnung_2024_17");
    EXPECT_EQ(proposedFileName(R"(a\b:c*d?e"f<g>h|i)"), "Rechnung_a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(proposedFileName(QString::fromUtf8("Müller 7\t")), QString::fromUtf8("Rechnung_Müller 7"));
    EXPECT_EQ(proposedFileName(QStringLiteral("x\ny")), "Rechnung_x_y");
}
