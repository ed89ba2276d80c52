#include "rules/MeasurementRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace rules;

namespace {

struct Log
{
    int laenge;
    int durchmein;
    bool geschaelt;
    int durchmeff;
    const char *staerkeklasse;
    double volumen;
};

// Each side of each threshold of length, diameter, bark deduction and diameter class.
const Log thresholdLogs[] = {
    {1, 1, true, 1, "0", 0.00},      {4, 9, true, 9, "0", 0.03},       {4, 10, true, 10, "1a", 0.03},
    {5, 14, true, 14, "1a", 0.08},   {5, 15, true, 15, "1b1", 0.09},   {6, 16, true, 16, "1b1", 0.12},
    {6, 17, true, 17, "1b2", 0.14},  {8, 19, true, 19, "1b2", 0.23},   {8, 20, true, 20, "2a", 0.25},
    {10, 24, true, 24, "2a", 0.45},  {10, 25, true, 25, "2b", 0.49},   {12, 29, true, 29, "2b", 0.79},
    {12, 30, true, 30, "3a", 0.85},  {15, 34, true, 34, "3a", 1.36},   {15, 35, true, 35, "3b", 1.44},
    {18, 39, true, 39, "3b", 2.15},  {18, 40, true, 40, "4", 2.26},    {20, 49, true, 49, "4", 3.77},
    {20, 50, true, 50, "5", 3.93},   {39, 59, true, 59, "5", 10.66},   {3, 10, false, 9, "0", 0.02},
    {10, 11, false, 10, "1a", 0.08}, {10, 29, false, 28, "2b", 0.62},  {10, 30, false, 28, "2b", 0.62},
    {10, 31, false, 29, "2b", 0.66}, {10, 32, false, 30, "3a", 0.71},  {10, 52, false, 50, "5", 1.96},
    {20, 61, false, 59, "5", 5.47},
};

} // namespace

TEST(MeasurementRules, ThresholdLogsGetTheirDiameterClassAndVolume)
{
    for (const Log &log : thresholdLogs) {
        SCOPED_TRACE(testing::Message() << "LAENGE " << log.laenge << ", DURCHMEIN " << log.durchmein
                                        << (log.geschaelt ? ", geschält" : ", mit Rinde"));
        const int durchmeff = DurchmeffBerechnen(log.durchmein, log.geschaelt);
        EXPECT_EQ(durchmeff, log.durchmeff);
        EXPECT_EQ(StaerkeklasseBerechnen(durchmeff), QString::fromLatin1(log.staerkeklasse));
        EXPECT_EQ(VolumenBerechnen(durchmeff, log.laenge), log.volumen);
    }
}

TEST(MeasurementRules, LimitsOfTheAcceptedRangesMeetTheTopDiameterClass)
{
    EXPECT_EQ(MaxLaenge, 39);
    EXPECT_EQ(MaxDurchmesserGeschaelt, 59);
    EXPECT_EQ(RindenabzugAb, 30);
    EXPECT_EQ(DurchmeffBerechnen(MaxDurchmesserGeschaelt, true), 59);
    EXPECT_EQ(DurchmeffBerechnen(MaxDurchmesserUngeschaelt, false), 59);
    // Only 31 cm over bark gives 29 cm.
    for (int durchmein = 0; durchmein <= MaxDurchmesserUngeschaelt; ++durchmein)
        EXPECT_EQ(DurchmeffBerechnen(durchmein, false) == 29, durchmein == 31) << durchmein;
}

TEST(MeasurementRules, ExtremeDiametersDoNotOverflow)
{
    constexpr int smallest = std::numeric_limits<int>::min();
    constexpr int largest = std::numeric_limits<int>::max();
    EXPECT_EQ(DurchmeffBerechnen(smallest, false), smallest);
    EXPECT_EQ(DurchmeffBerechnen(smallest + 1, false), smallest);
    EXPECT_EQ(DurchmeffBerechnen(largest, false), largest - 2);
    EXPECT_EQ(DurchmeffBerechnen(smallest, true), smallest);
    EXPECT_TRUE(std::isfinite(VolumenBerechnen(largest, largest)));
}

// Every log the entry window lets through, and the diameters a change of geschält or a
// diameter of 0 can give, against the cylinder volume computed here in extended precision.
TEST(MeasurementRules, VolumeOfEveryAcceptedLengthAndDiameter)
{
    const long double pi = 3.141592653589793238462643383279502884L;
    for (int laenge = 0; laenge <= MaxLaenge; ++laenge) {
        for (int durchmeff = -1; durchmeff <= MaxDurchmesserUngeschaelt; ++durchmeff) {
            // Hundredths of a cubic metre: pi/4 * (d/100)^2 * L * 100.
            const long double hundredths = pi * durchmeff * durchmeff * laenge / 400.0L;
            const long double fraction = hundredths - std::floor(hundredths);
            ASSERT_GT(std::fabs(fraction - 0.5L), 0.001L) << "no clear rounding for " << laenge << " m, " << durchmeff
                                                          << " cm";
            const double expected = static_cast<double>(std::round(hundredths)) / 100.0;
            EXPECT_EQ(VolumenBerechnen(durchmeff, laenge), expected) << laenge << " m, " << durchmeff << " cm";
        }
    }
}

TEST(MeasurementRules, EveryDiameterGetsOneOfTheTenClasses)
{
    EXPECT_EQ(StaerkeklasseBerechnen(-1), "0");
    EXPECT_EQ(StaerkeklasseBerechnen(std::numeric_limits<int>::min()), "0");
    EXPECT_EQ(StaerkeklasseBerechnen(0), "0");
    EXPECT_EQ(StaerkeklasseBerechnen(59), "5");
    EXPECT_EQ(StaerkeklasseBerechnen(60), "5");
    EXPECT_EQ(StaerkeklasseBerechnen(61), "5");
    EXPECT_EQ(StaerkeklasseBerechnen(std::numeric_limits<int>::max()), "5");

    // A list measured over bark with 60 and 61 cm, switched to geschält, keeps class 5; a
    // diameter of 0 over bark gives -1 cm and class 0.
    EXPECT_EQ(StaerkeklasseBerechnen(DurchmeffBerechnen(61, true)), "5");
    EXPECT_EQ(StaerkeklasseBerechnen(DurchmeffBerechnen(0, false)), "0");
}

TEST(MeasurementRules, QualityInput)
{
    struct Case
    {
        const char *input;
        const char *gueteklasse;
        bool accepted;
    };
    const Case cases[] = {
        {"1", "B", true},      {"2", "C", true},       {"3", "Cgw", true},   {"0", "B", true},
        {"7", "B", true},      {"-1", "B", true},      {"", "B", true},      {"   ", "B", true},
        {"+", "C", true},      {"-", "Cgw", true},     {"B", "B", true},     {"C", "C", true},
        {"Cgw", "Cgw", true},  {"b", "b", false},      {"cgw", "cgw", false}, {"x", "x", false},
        // Leading blanks and a sign still read as a number, however many digits follow.
        {" 2", "C", true},     {"+3", "Cgw", true},    {"003", "Cgw", true}, {"-3", "B", true},
        {"12345678901234567893", "B", true},
        // Trailing blanks make it text, as with the program's whole-number reading: "12 " is
        // not a number, so it is kept as typed and not accepted.
        {"12 ", "12 ", false}, {"2 ", "2 ", false},
        // Blanks around a sign are removed; a class with blanks is kept as typed and refused.
        {" + ", "C", true},    {" -", "Cgw", true},    {"B ", "B ", false},  {"+ 1", "+ 1", false},
    };
    for (const Case &c : cases) {
        bool accepted = !c.accepted;
        EXPECT_EQ(GueteklasseUmsetzen(QString::fromLatin1(c.input), accepted), QString::fromLatin1(c.gueteklasse))
            << '"' << c.input << '"';
        EXPECT_EQ(accepted, c.accepted) << '"' << c.input << '"';
    }

    // A stored class converts to itself when all logs are stored again.
    for (QStringView klasse : Gueteklassen) {
        bool accepted = false;
        EXPECT_EQ(GueteklasseUmsetzen(klasse.toString(), accepted), klasse);
        EXPECT_TRUE(accepted);
    }
}
