#include "entry/EntryCursor.h"
#include "entry/GridPositions.h"

#include <gtest/gtest.h>

using entry::EntryCursor;
namespace pos = entry::position;

TEST(EntryCursor, PassesOverTheColumnsNobodyTypesIn)
{
    EXPECT_EQ(EntryCursor::editable(pos::Indikator), pos::Laenge);
    EXPECT_EQ(EntryCursor::editable(pos::StammNr), pos::Laenge);
    EXPECT_EQ(EntryCursor::editable(pos::Laenge), pos::Laenge);
    EXPECT_EQ(EntryCursor::editable(pos::Durchmesser), pos::Durchmesser);
    EXPECT_EQ(EntryCursor::editable(pos::DurchmEff), pos::Gueteklasse);
    EXPECT_EQ(EntryCursor::editable(pos::Volumen), pos::Gueteklasse);
    EXPECT_EQ(EntryCursor::editable(pos::Staerkeklasse), pos::Gueteklasse);

    // Going left from the quality class over the effective diameter lands on the diameter;
    // going right from the diameter lands on the quality class.
    EXPECT_EQ(EntryCursor::entered(pos::DurchmEff, pos::Gueteklasse), pos::Durchmesser);
    EXPECT_EQ(EntryCursor::entered(pos::DurchmEff, pos::Durchmesser), pos::Gueteklasse);
    EXPECT_EQ(EntryCursor::entered(pos::StammNr, pos::Laenge), pos::Laenge);
}

TEST(EntryCursor, EachColumnNamesWhatToType)
{
    const QString length = QStringLiteral("Bitte die Länge des Stammes eingeben (01-39)");
    const QString quality = QStringLiteral("Bitte die Güteklasse des Stammes eingeben (1->B 2->C 3->CgW)");
    EXPECT_EQ(EntryCursor::enterHint(pos::Laenge, pos::StammNr, 59), length);
    EXPECT_EQ(EntryCursor::enterHint(pos::Durchmesser, pos::Laenge, 61),
              QStringLiteral("Bitte den Durchmesser des Stammes eingeben (01-61)"));
    EXPECT_EQ(EntryCursor::enterHint(pos::Gueteklasse, pos::Durchmesser, 59), quality);
    // After the quality class the next log begins: its length is asked for.
    EXPECT_EQ(EntryCursor::enterHint(pos::Gueteklasse, pos::Gueteklasse, 59), length);
    EXPECT_EQ(EntryCursor::enterHint(pos::Durchmesser, pos::Gueteklasse, 59),
              QStringLiteral("Bitte den Durchmesser des Stammes eingeben (01-59)"));
    EXPECT_TRUE(EntryCursor::enterHint(pos::Volumen, pos::Durchmesser, 59).isEmpty());

    EXPECT_EQ(EntryCursor::clickHint(pos::Laenge), length);
    EXPECT_EQ(EntryCursor::clickHint(pos::Gueteklasse), quality);
    EXPECT_TRUE(EntryCursor::clickHint(pos::Durchmesser).isEmpty());
}

TEST(EntryCursor, RangeCheckTakesWholeFilledValuesFromOneToTheMaximum)
{
    EXPECT_TRUE(EntryCursor::inRange(1, 39));
    EXPECT_TRUE(EntryCursor::inRange(39, 39));
    EXPECT_FALSE(EntryCursor::inRange(0, 39));
    EXPECT_FALSE(EntryCursor::inRange(40, 39));
    EXPECT_FALSE(EntryCursor::inRange(QVariant(), 39));
    EXPECT_FALSE(EntryCursor::inRange(QStringLiteral("x"), 39));
    EXPECT_EQ(EntryCursor::rangeMessage(61), QStringLiteral("Bitte einen Wert zwischen 1 und 61 eingeben!"));
}
