#include "rules/MeasurementRules.h"
#include "rules/MillRules.h"

#include <gtest/gtest.h>

using namespace rules;

TEST(MillRules, TheMillsDiameterIsTheForestOneElseTheCrosswiseMeanRoundedDown)
{
    EXPECT_EQ(WerkDurchmesser(31, {40, 41}), 31);
    EXPECT_EQ(WerkDurchmesser(std::nullopt, {30, 31}), 30) << "30.5 rounded down";
    EXPECT_EQ(WerkDurchmesser(std::nullopt, {30, 31, 31, 31}), 30) << "30.75 rounded down";
    EXPECT_EQ(WerkDurchmesser(std::nullopt, {29.9}), 29);
    EXPECT_FALSE(WerkDurchmesser(std::nullopt, {}));
}

TEST(MillRules, TheMillsVolumeIsTheListsRuleOnADecimalLength)
{
    // π/4 · 0.30² · 4.5 = 0.31809 m³
    EXPECT_EQ(WerkVolumen(30, 4.5), 0.32);
    EXPECT_EQ(WerkVolumen(30, 4.0), VolumenBerechnen(30, 4)) << "a whole length gives the list's figure";
    // π/4 · 0.17² · 12.25 = 0.27806
    EXPECT_EQ(WerkVolumen(17, 12.25), 0.28);
    EXPECT_FALSE(WerkVolumen(std::nullopt, 4.0));
    EXPECT_FALSE(WerkVolumen(30, std::nullopt));
}

TEST(MillRules, ClassesCompareInOneSpellingAndOrder)
{
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("1b1")), QStringLiteral("1b"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("1b2")), QStringLiteral("1b"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("d1b")), QStringLiteral("1b"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("d2a")), QStringLiteral("2a"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("d4b")), QStringLiteral("4"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("d5a")), QStringLiteral("5"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("ch_3a")), QStringLiteral("3a"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("d0")), QStringLiteral("0"));
    EXPECT_EQ(Vergleichsklasse(QStringLiteral("d8")), QStringLiteral("8"));
    EXPECT_EQ(Vergleichsklasse(QString()), QString());

    EXPECT_EQ(KlassenUntergrenze(QStringLiteral("0")), 0);
    EXPECT_EQ(KlassenUntergrenze(QStringLiteral("1a")), 10);
    EXPECT_EQ(KlassenUntergrenze(QStringLiteral("1b")), 15);
    EXPECT_EQ(KlassenUntergrenze(QStringLiteral("1")), 10);
    EXPECT_EQ(KlassenUntergrenze(QStringLiteral("4")), 40);
    EXPECT_EQ(KlassenUntergrenze(QStringLiteral("6")), 60);
    EXPECT_FALSE(KlassenUntergrenze(QStringLiteral("o")));
    EXPECT_FALSE(KlassenUntergrenze(QStringLiteral("1b1"))) << "only the comparing spelling";
}

TEST(MillRules, TheMillsQualityInTheListsSpellingAndRank)
{
    EXPECT_EQ(WerkGueteklasse(QStringLiteral("b"), {}), QStringLiteral("B"));
    EXPECT_EQ(WerkGueteklasse(QStringLiteral("c"), {}), QStringLiteral("C"));
    EXPECT_EQ(WerkGueteklasse(QStringLiteral("c"), QStringLiteral("gw")), QStringLiteral("Cgw"));
    EXPECT_EQ(WerkGueteklasse(QStringLiteral("d"), {}), QStringLiteral("D"));
    EXPECT_EQ(WerkGueteklasse(QStringLiteral("ch_k"), {}), QStringLiteral("CH_K"));
    EXPECT_EQ(WerkGueteklasse({}, {}), QString());

    EXPECT_LT(*GueteRang(QStringLiteral("B")), *GueteRang(QStringLiteral("C")));
    EXPECT_LT(*GueteRang(QStringLiteral("C")), *GueteRang(QStringLiteral("Cgw")));
    EXPECT_LT(*GueteRang(QStringLiteral("Cgw")), *GueteRang(QStringLiteral("D")));
    EXPECT_FALSE(GueteRang(QStringLiteral("x")));
}

TEST(MillRules, PileVolumes)
{
    // Mean area 11 m² · 4 m · factor 0.7
    EXPECT_EQ(PolterVolumenFotooptisch(10.0, 12.0, 4.0, {{100, 0.7}}), 30.8);
    EXPECT_EQ(PolterVolumenFotooptisch(10.0, std::nullopt, 4.0, {}), 40.0) << "the face alone, factor 1";
    // Shares weighted: 60 % at 0.6, 40 % at 0.8 give 0.68.
    EXPECT_EQ(PolterVolumenFotooptisch(10.0, 10.0, 1.0, {{60, 0.6}, {40, 0.8}}), 6.8);
    EXPECT_FALSE(PolterVolumenFotooptisch(std::nullopt, 10.0, 4.0, {}));
    EXPECT_EQ(PolterVolumenGewicht(20.0, 1.25), 25.0);
    EXPECT_FALSE(PolterVolumenGewicht(20.0, std::nullopt));
}
