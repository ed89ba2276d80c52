// The IBAN rule and the country codes every address of the program goes through.
#include "values/Country.h"
#include "values/Iban.h"

#include <gtest/gtest.h>

TEST(Iban, ChecksumModulo97)
{
    using values::ibanIsValid;
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
    EXPECT_EQ(values::compactIban(" de89 3704\t0044 "), "DE8937040044");
}

TEST(Country, LegacyVehicleCodesBecomeIsoCodes)
{
    using values::countryCode;
    EXPECT_EQ(countryCode("D", "DE"), "DE");
    EXPECT_EQ(countryCode(" d ", "DE"), "DE");
    EXPECT_EQ(countryCode("A", "DE"), "AT");
    EXPECT_EQ(countryCode("FL", "DE"), "LI");
    EXPECT_EQ(countryCode("CH", "DE"), "CH");
    EXPECT_EQ(countryCode("nl", "DE"), "NL");
    EXPECT_EQ(countryCode("", "AT"), "AT") << "empty: the company's country";
    EXPECT_EQ(countryCode("", ""), "");
    EXPECT_EQ(countryCode("XY", "DE"), "") << "no country";
    EXPECT_EQ(countryCode("Deutschland", "DE"), "");
}
