#include "values/DisplayFormat.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

using namespace values::display;

namespace {

const Separators german{u',', u'.'};
const Separators english{u'.', u','};

struct FloatCase
{
    const char *pattern;
    double value;
    const char *expected;
};

void expectFloat(const FloatCase &c, const Separators &sep = german)
{
    EXPECT_EQ(formatFloat(QString::fromUtf8(c.pattern), c.value, sep), QString::fromUtf8(c.expected))
        << "pattern \"" << c.pattern << "\" value " << c.value;
}

} // namespace

TEST(FormatFloat, PatternsOfTheProgram)
{
    const FloatCase cases[] = {
        {"###,##0.00 FM", 1234.5, "1.234,50 FM"},
        {"#0.00 FM", 0.5, "0,50 FM"},
        {"#0.00 FM", 12.345, "12,35 FM"},
        {"####0.00 FM", 3, "3,00 FM"},
        {"###,###,##0.00 FM", 1234567.891, "1.234.567,89 FM"},
        {"##0.00", 7, "7,00"},
        {"###0.00", 1234.5, "1234,50"},
        {"####0.00", 0, "0,00"},
        {"###,##0.00", 999.999, "1.000,00"},
        {"###,##0.00 EUR", 1234.5, "1.234,50 EUR"},
        {"##,##0.00", 12345678, "12.345.678,00"},
        {"##0.00 % MwSt", 19, "19,00 % MwSt"},
        {"##0.00 % Skonto", 2.5, "2,50 % Skonto"},
        {"##0.00 %", 7, "7,00 %"},
        {"###,##0.00 ", 5, "5,00 "},
        {"##0.00 m", 4.25, "4,25 m"},
        {"##0.00 cm", 30, "30,00 cm"},
    };
    for (const FloatCase &c : cases)
        expectFloat(c);
}

TEST(FormatFloat, IntegerDigitsBeyondThePlacesAreKept)
{
    // The pattern gives three integer places; a larger number is never cut.
    expectFloat({"##0.00", 123456.5, "123456,50"});
    expectFloat({"#0.00 FM", 98765.4321, "98765,43 FM"});
}

TEST(FormatFloat, ThousandsGrouping)
{
    const FloatCase cases[] = {
        {"###,##0.00", 999, "999,00"},
        {"###,##0.00", 1000, "1.000,00"},
        {"###,##0.00", 100000, "100.000,00"},
        {"###,##0.00", 1000000, "1.000.000,00"},
        {"###,##0.00", 1234567890.12, "1.234.567.890,12"},
        {"###,##0.00", -1234567, "-1.234.567,00"},
        {",0.00", 1234567, "1.234.567,00"},
    };
    for (const FloatCase &c : cases)
        expectFloat(c);
}

TEST(FormatFloat, HalvesRoundAwayFromZero)
{
    const FloatCase cases[] = {
        {"0.00", 1.005, "1,01"},   {"0.00", 0.125, "0,13"},  {"0.00", 2.675, "2,68"},
        {"0.00", -1.005, "-1,01"}, {"0.00", 0.124, "0,12"},  {"0.00", 9.995, "10,00"},
        {"0.00", 99.995, "100,00"}, {"#0", 0.5, "1"},         {"#0", 2.5, "3"},
        {"#0", -2.5, "-3"},        {"0.0", 0.05, "0,1"},     {"0.00", 1e-9, "0,00"},
    };
    for (const FloatCase &c : cases)
        expectFloat(c);
}

TEST(FormatFloat, NegativeValues)
{
    const FloatCase cases[] = {
        // Without a negative section the first one is used with a leading minus.
        {"#0.00 FM", -0.5, "-0,50 FM"},
        {"###,##0.00 EUR", -1234.5, "-1.234,50 EUR"},
        // The negative section writes its own sign.
        {",0.00;-,0.00", -1234.5, "-1.234,50"},
        {",0.00;-,0.00", 1234.5, "1.234,50"},
        {"0.00;(0.00)", -3, "(3,00)"},
        {"0.00;", -3, "-3,00"},
        // A value that shows as zero has no minus.
        {"#0.00 FM", -0.001, "0,00 FM"},
        {",0.00;-,0.00", -0.004, "0,00"},
        {"0.00", -0.0, "0,00"},
        // A third section is the text for zero.
        {"0.00;-0.00;'keine'", 0, "keine"},
        {"0.00;-0.00;'keine'", -0.001, "keine"},
    };
    for (const FloatCase &c : cases)
        expectFloat(c);
}

TEST(FormatFloat, OptionalDecimals)
{
    const FloatCase cases[] = {
        {"###.##", 2, "2"},       {"###.##", 2.5, "2,5"},   {"###.##", 2.25, "2,25"},
        {"###.##", 2.254, "2,25"}, {"###.##", 2.999, "3"},  {"###.##", 0.5, ",5"},
        {"###.##", 1234, "1234"},  {"0.0#", 1, "1,0"},      {"0.0#", 1.25, "1,25"},
        // A zero shows a digit rather than nothing, so it is told apart from an empty field.
        {"###.##", 0, "0"},        {"###.##", 0.001, "0"},
    };
    for (const FloatCase &c : cases)
        expectFloat(c);
}

TEST(FormatFloat, LiteralTextAndOtherSeparators)
{
    expectFloat({"'ca. '0.00 FM", 2.5, "ca. 2,50 FM"});
    expectFloat({"\"Nr; \"0", 7, "Nr; 7"});
    expectFloat({"###,##0.00 FM", 1234.5, "1,234.50 FM"}, english);
    expectFloat({",0.00;-,0.00", -1234567.5, "-1,234,567.50"}, english);
    // No pattern at all is the general number format.
    EXPECT_EQ(formatFloat(QString(), 12.5, german), QStringLiteral("12,5"));
    expectFloat({";'neg'", -2, "neg"});
    expectFloat({";'neg'", 2.5, "2,5"});
    // A section without digit places is its text alone, without a minus.
    expectFloat({"0.00;'negativ'", -2, "negativ"});
    expectFloat({"'nichts'", -2, "nichts"});
}

TEST(FormatFloat, ScientificNotation)
{
    const FloatCase cases[] = {
        {"0.00E+00", 12345.678, "1,23E+04"},  {"0.00E+00", -12345.678, "-1,23E+04"},
        {"0.00E+00", 0.00012345, "1,23E-04"}, {"0.00E-00", 12345.678, "1,23E04"},
        {"0.00E+00", 9.999, "1,00E+01"},      {"0.0e+0", 0, "0,0e+0"},
        {"0.###E+000", 1.5e100, "1,5E+100"},
    };
    for (const FloatCase &c : cases)
        expectFloat(c);
}

TEST(FormatFloat, ValuesThatAreNoNumbersDoNotBreakTheText)
{
    EXPECT_EQ(formatFloat("#0.00 FM", std::numeric_limits<double>::quiet_NaN(), german), QStringLiteral("NAN"));
    EXPECT_EQ(formatFloat("#0.00", -std::numeric_limits<double>::infinity(), german), QStringLiteral("-INF"));
    EXPECT_EQ(formatFloat("#0.00", 1e20, german), QStringLiteral("100000000000000000000,00"));
}

TEST(FormatGeneral, ShortestTextWithFifteenDigits)
{
    const struct
    {
        double value;
        const char *expected;
    } cases[] = {
        {12.5, "12,5"},
        {3, "3"},
        {0, "0"},
        {-0.0, "0"},
        {0.75, "0,75"},
        {12.3456, "12,3456"},
        {-2.5, "-2,5"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {123456789.123456789, "123456789,123457"},
        {1234567.5, "1234567,5"},
        {999999999999999, "999999999999999"},
        {0.00001, "0,00001"},
        {0.000012345, "0,000012345"},
        // Exponent form below 0.00001 and beyond 15 integer digits.
        {0.0000099, "9,9E-6"},
        {1e-6, "1E-6"},
        {-1.5e-7, "-1,5E-7"},
        {1e15, "1E15"},
        {1.5e20, "1,5E20"},
        {9999999999999999.0, "1E16"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatGeneral(c.value, german), QString::fromUtf8(c.expected)) << c.value;
    EXPECT_EQ(formatGeneral(1234.5, english), QStringLiteral("1234.5"));
    EXPECT_EQ(formatGeneral(std::numeric_limits<double>::infinity(), german), QStringLiteral("INF"));
}

TEST(FormatGeneral, ReadsBackAsTheSameShownValue)
{
    // Running totals are read back from their text: the text must parse to the value it shows.
    double sum = 0;
    for (int i = 0; i < 1000; ++i) {
        sum += 0.01 * (i % 7) + 0.333;
        QString text = formatGeneral(sum, english);
        bool ok = false;
        const double back = text.toDouble(&ok);
        ASSERT_TRUE(ok) << text.toStdString();
        EXPECT_EQ(formatGeneral(back, english), text);
    }
}

TEST(FormatFixed2, ExactlyTwoDecimals)
{
    EXPECT_EQ(formatFixed2(6, german), QStringLiteral("6,00"));
    EXPECT_EQ(formatFixed2(-0.5, german), QStringLiteral("-0,50"));
    EXPECT_EQ(formatFixed2(1234567.125, german), QStringLiteral("1234567,13"));
    EXPECT_EQ(formatFixed2(1.005, german), QStringLiteral("1,01"));
    EXPECT_EQ(formatFixed2(0.999, german), QStringLiteral("1,00"));
    EXPECT_EQ(formatFixed2(-0.001, german), QStringLiteral("0,00"));
    EXPECT_EQ(formatFixed2(2.5, english), QStringLiteral("2.50"));
}

TEST(FormatDateTime, DayMonthYearHoursMinutes)
{
    const QDateTime t(QDate(2024, 3, 7), QTime(9, 5, 4));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy", t), QStringLiteral("07.03.2024"));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn", t), QStringLiteral("07.03.2024 09:05"));
    EXPECT_EQ(formatDateTime("yyyy-mm-dd hh:nn:ss", t), QStringLiteral("2024-03-07 09:05:04"));
    EXPECT_EQ(formatDateTime("d.m.yy h:nn", t), QStringLiteral("7.3.24 9:05"));
    EXPECT_EQ(formatDateTime("DD.MM.YYYY", t), QStringLiteral("07.03.2024"));
    EXPECT_EQ(formatDateTime("'am' dd.mm. 'um' hh:nn", t), QStringLiteral("am 07.03. um 09:05"));
    const QDateTime late(QDate(1999, 12, 31), QTime(23, 59));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn", late), QStringLiteral("31.12.1999 23:59"));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy", QDateTime()), QString());
}

class LocaleSeparators : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(saved); }

    QLocale saved;
};

TEST_F(LocaleSeparators, FollowTheUserLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Separators sep = localeSeparators();
    EXPECT_EQ(sep.decimal, u'.');
    EXPECT_EQ(sep.group, u',');

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    sep = localeSeparators();
    EXPECT_EQ(sep.decimal, u',');
    EXPECT_EQ(sep.group, u'.');
    EXPECT_EQ(formatFloat("###,##0.00 FM", 1234.5), QStringLiteral("1.234,50 FM"));
}

TEST_F(LocaleSeparators, GermanWhenTheLocaleIsC)
{
    QLocale::setDefault(QLocale::c());
    const Separators sep = localeSeparators();
    EXPECT_EQ(sep.decimal, u',');
    EXPECT_EQ(sep.group, u'.');
}
