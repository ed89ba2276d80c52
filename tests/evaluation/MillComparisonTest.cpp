#include "MillSamples.h"

#include "evaluation/MillCsv.h"
#include "evaluation/MillIdentity.h"
#include "evaluation/MillTexts.h"

#include <algorithm>

#include <gtest/gtest.h>

using evaluation::Matching;
using evaluation::MillComparison;
using evaluation::MillRow;

namespace {

const MillRow &rowOf(const MillComparison &c, int number)
{
    const auto it = std::find_if(c.rows().begin(), c.rows().end(), [number](const MillRow &r) { return r.number == number; });
    EXPECT_NE(it, c.rows().end()) << number;
    return *it;
}

} // namespace

TEST(MillComparison, AnUnchangedProtocolShowsNoDifference)
{
    const auto list = millSampleList();
    const MillComparison c = compareWith(list, millDocumentOf(list));
    ASSERT_EQ(c.rows().size(), list.size());
    for (const MillRow &r : c.rows()) {
        EXPECT_EQ(r.matching, Matching::ByNumber) << *r.number;
        EXPECT_EQ(r.difference(), 0.0) << *r.number;
        EXPECT_FALSE(r.notable()) << *r.number;
    }
    EXPECT_EQ(c.summaryLine(), QStringLiteral("Liste: 8 Stämme, 3,08 FM – Werk: 8 Stämme, 3,08 FM – Abweichung: 0,00 FM (0,0 %)"));
    EXPECT_EQ(c.totals().difference(), 0.0);
}

// The case the check is for: a protocol made from the list's own logs, with known changes,
// gives exactly those differences in the rows, the class table, the summary and the CSV.
TEST(MillComparison, KnownChangesGiveExactlyTheseDifferences)
{
    const auto list = millSampleList();
    milldocs::Document d = millDocumentOf(list);
    d.logs[1].quality = QStringLiteral("d");    // log 2: C becomes D
    d.logs[3].diameter = 38;                     // log 4: 40 cm becomes 38 cm, class 4 becomes 3b
    d.logs[4].gradeLength = 11.5;                // log 5: half a metre shorter
    d.logs[5].thicknessClass = QStringLiteral("d1b"); // log 6: 1b1 reported as 1b: no lower class
    d.logs.erase(d.logs.begin() + 2);            // log 3 is missing at the mill
    d.logs.push_back(milldocs::log(8, 50));        // a log the list does not have
    std::reverse(d.logs.begin(), d.logs.end());  // in another order

    const MillComparison c = compareWith(list, d);
    ASSERT_EQ(c.rows().size(), 9u);

    const MillRow &lowerQuality = rowOf(c, 2);
    EXPECT_EQ(lowerQuality.matching, Matching::ByNumber);
    EXPECT_EQ(lowerQuality.millQuality, QStringLiteral("D"));
    EXPECT_TRUE(lowerQuality.lowerQuality);
    EXPECT_FALSE(lowerQuality.thinner || lowerQuality.lowerClass);
    EXPECT_EQ(lowerQuality.difference(), 0.0);

    const MillRow &missing = rowOf(c, 3);
    EXPECT_EQ(missing.matching, Matching::ListOnly);
    EXPECT_TRUE(missing.millNumber.isEmpty());
    EXPECT_FALSE(missing.millVolume);
    EXPECT_TRUE(missing.notable());

    const MillRow &thinner = rowOf(c, 4);
    EXPECT_TRUE(thinner.thinner);
    EXPECT_TRUE(thinner.lowerClass);
    EXPECT_EQ(thinner.millClass, QStringLiteral("3b"));
    EXPECT_EQ(thinner.millVolume, 0.68);
    EXPECT_EQ(thinner.difference(), -0.07); // 0.68 − 0.75

    const MillRow &shorter = rowOf(c, 5);
    EXPECT_EQ(shorter.millLength, 11.5);
    EXPECT_EQ(shorter.millVolume, 0.76);
    EXPECT_EQ(shorter.difference(), -0.03); // 0.76 − 0.79
    EXPECT_FALSE(shorter.notable()) << "a shorter log alone is not marked";

    const MillRow &sameClass = rowOf(c, 6);
    EXPECT_EQ(sameClass.millClass, QStringLiteral("1b"));
    EXPECT_FALSE(sameClass.lowerClass);

    const MillRow &added = c.rows().back();
    EXPECT_EQ(added.matching, Matching::MillOnly);
    EXPECT_FALSE(added.number);
    EXPECT_EQ(added.millNumber, QStringLiteral("1")) << "its place in the protocol";
    EXPECT_EQ(added.millVolume, 1.57);

    // 3.08 − 0.20 (log 3) − 0.07 − 0.03 + 1.57
    EXPECT_EQ(c.totals().listCount, 8);
    EXPECT_EQ(c.totals().millCount, 8);
    EXPECT_EQ(c.totals().millVolume, 4.35);
    EXPECT_EQ(c.summaryLine(), QStringLiteral("Liste: 8 Stämme, 3,08 FM – Werk: 8 Stämme, 4,35 FM – Abweichung: +1,27 FM (+41,2 %)"));

    EXPECT_EQ(evaluation::millRowTexts(thinner),
              (QStringList{"4", "4", "Stammnummer", "6", "6", "40", "38", "B", "B", "4", "3b", "0,75", "0,68", "-0,07"}));
    EXPECT_EQ(evaluation::millRowTexts(added),
              (QStringList{"", "1", "nur im Werk", "", "8", "", "50", "", "B", "", "5", "", "1,57", ""}));

    const QByteArray csv = evaluation::millCsv(c);
    const QList<QByteArray> lines = csv.split('\n');
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "Stamm-Nr;Werk-Nr;Zuordnung;Länge;Länge Werk;Durchm. eff;Durchm. Werk;Güteklasse;Güteklasse Werk;"
                               "Stärkeklasse;Stärkeklasse Werk;Volumen;Volumen Werk;Abweichung\r\n"));
    EXPECT_TRUE(csv.contains("\r\n3;;nur in der Liste;4;;25;;Cgw;;2b;;0,2;;\r\n")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n4;4;Stammnummer;6;6;40;38;B;B;4;3b;0,75;0,68;-0,07\r\n")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n5;5;Stammnummer;12;11,5;29;29;B;B;2b;2b;0,79;0,76;-0,03\r\n")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n;1;nur im Werk;;8;;50;;B;;5;;1,57;\r\n")) << csv.toStdString();
    EXPECT_TRUE(csv.endsWith("\r\nSumme;;;;;;;;;;;3,08;4,35;1,27\r\n")) << csv.toStdString();
    EXPECT_EQ(lines.size(), 12) << "title, nine rows, sum, and the empty rest after the last line end";
}

TEST(MillComparison, LogsWithoutNumbersArePairedByTheirMeasures)
{
    const auto list = millSampleList();
    milldocs::Document d = millDocumentOf(list);
    for (milldocs::Log &l : d.logs)
        l.stamId.clear();
    std::rotate(d.logs.begin(), d.logs.begin() + 3, d.logs.end());
    d.logs[0].crosswise = true; // log 4, measured crosswise: 40 and 41 cm give 40

    const MillComparison c = compareWith(list, d);
    ASSERT_EQ(c.rows().size(), list.size());
    for (const MillRow &r : c.rows()) {
        EXPECT_EQ(r.matching, Matching::Presumed) << *r.number;
        EXPECT_EQ(r.millDiameter, r.diameter) << *r.number;
        EXPECT_EQ(r.difference(), 0.0) << *r.number;
    }
    EXPECT_EQ(rowOf(c, 4).millNumber, QStringLiteral("1"));
}

TEST(MillComparison, PresumedPairsTakeTheLeastDifferenceWithinOneMetreAndThreeCentimetres)
{
    using M = evaluation::MillMatcher;
    // Mill log 1 (4 m, 31 cm) is as near to both list logs as can be; mill log 2 (4 m, 30 cm)
    // equals list log 1: that pair goes first, and mill log 1 gets list log 2.
    auto pairs = M::match({{1, 4, 30}, {2, 4, 32}}, {{QString(), 4.0, 31}, {QString(), 4.0, 30}});
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].mill, 1u);
    EXPECT_EQ(pairs[1].mill, 0u);

    // The bounds belong to the tolerance; one step beyond does not.
    pairs = M::match({{1, 4, 30}, {2, 4, 30}, {3, 4, 30}}, {{QString(), 5.0, 33}, {QString(), 5.01, 30}, {QString(), 4.0, 26}});
    ASSERT_EQ(pairs.size(), 5u);
    EXPECT_EQ(pairs[0].matching, Matching::Presumed);
    EXPECT_EQ(pairs[0].mill, 0u);
    EXPECT_EQ(pairs[1].matching, Matching::ListOnly);
    EXPECT_EQ(pairs[2].matching, Matching::ListOnly);
    EXPECT_EQ(pairs[3].matching, Matching::MillOnly);
    EXPECT_EQ(pairs[4].matching, Matching::MillOnly);

    // A log number is taken once; the second mill log with it is paired by measure.
    pairs = M::match({{7, 4, 30}, {8, 4, 30}}, {{QStringLiteral("7"), 4.0, 30}, {QStringLiteral("7"), 4.0, 30}});
    EXPECT_EQ(pairs[0].matching, Matching::ByNumber);
    EXPECT_EQ(pairs[1].matching, Matching::Presumed);
    EXPECT_EQ(pairs[1].mill, 1u);
}

TEST(MillComparison, TheClassTableAddsBothSidesByQualityAndComparingClass)
{
    std::vector<exporting::ExportLog> list{{1, 4, 18, 16, QStringLiteral("B"), 0.08, QStringLiteral("1b1")},
                                           {2, 4, 20, 18, QStringLiteral("B"), 0.1, QStringLiteral("1b2")},
                                           {3, 4, 32, 30, QStringLiteral("C"), 0.28, QStringLiteral("3a")}};
    milldocs::Document d = millDocumentOf(list);
    d.logs[2].quality = QStringLiteral("d");
    const MillComparison c = compareWith(list, d);
    ASSERT_EQ(c.classRows().size(), 3u);
    EXPECT_EQ(evaluation::millClassTexts(c.classRows()[0]),
              (QStringList{"B", "1b", "2", "0,18", "2", "0,18", "0,00", "0,0"}));
    EXPECT_EQ(evaluation::millClassTexts(c.classRows()[1]), (QStringList{"C", "3a", "1", "0,28", "0", "0,00", "-0,28", "-100,0"}));
    EXPECT_EQ(evaluation::millClassTexts(c.classRows()[2]), (QStringList{"D", "3a", "0", "0,00", "1", "0,28", "+0,28", "–"}));
}

TEST(MillComparison, PilesCompareOnlyTheirTotals)
{
    const auto list = millSampleList();
    milldocs::Document photo;
    photo.kind = exporting::MillKind::PhotoOptical;
    photo.count = 9;
    photo.frontArea = 1;
    photo.backArea = 1.5;
    photo.sortLength = 4;
    photo.areaFactor = 0.3;
    MillComparison c = compareWith(list, photo);
    EXPECT_TRUE(c.rows().empty());
    EXPECT_EQ(c.summaryLine(), QStringLiteral("Liste: 8 Stämme, 3,08 FM – Werk: 9 Stämme, 1,50 FM – Abweichung: -1,58 FM (-51,3 %)"));
    EXPECT_EQ(evaluation::millCsv(c).split('\n').size(), 3) << "title and sum";

    milldocs::Document weighed;
    weighed.kind = exporting::MillKind::Gravimetric;
    weighed.weight = 3;
    weighed.weightFactor = 1;
    c = compareWith(list, weighed);
    EXPECT_EQ(c.summaryLine(), QStringLiteral("Liste: 8 Stämme, 3,08 FM – Werk: – Stämme, 3,00 FM – Abweichung: -0,08 FM (-2,6 %)"));
    ASSERT_EQ(c.classRows().size(), 1u);
    EXPECT_EQ(c.classRows()[0].quality, QStringLiteral("Summe"));
}

TEST(MillComparison, HeaderAndWarningsOfAnExpiredCalibration)
{
    const auto list = millSampleList();
    milldocs::Document d = millDocumentOf(list);
    EXPECT_TRUE(compareWith(list, d).warnings().isEmpty());
    d.calibratedUntil = QDate(2026, 2, 2);
    d.screeningValidTo = QDate(2026, 2, 3);
    const MillComparison c = compareWith(list, d);
    EXPECT_EQ(c.warnings(), QStringList{QStringLiteral("Die Eichung war am Tag der Vermessung abgelaufen (geeicht bis 02.02.2026).")})
        << "valid on its last day";
    EXPECT_EQ(c.headerLines(), (QStringList{"Werk: Sägewerk Holzhausen", "Vermesser: Erika Maß", "Protokoll-Nr.: WM-2026-0042",
                                            "Vermessen am: 03.02.2026", "Geeicht bis: 02.02.2026",
                                            "Sortierprüfung gültig bis: 03.02.2026"}));
}

TEST(MillIdentity, AsksOnlyWhenWhatBothSidesNameDiffers)
{
    values::EldatFacts facts;
    facts.pileNumber = QStringLiteral("P-17");
    facts.processId = QStringLiteral("p1");
    facts.moduleId = QStringLiteral("m1");
    exporting::MillReference ref{QStringLiteral("p1"), QStringLiteral("m1"), {QStringLiteral("wald")}, {QStringLiteral("P-17")}};
    EXPECT_EQ(evaluation::otherListQuestion(ref, QStringLiteral("Wald"), facts), QString());
    EXPECT_EQ(evaluation::otherListQuestion({}, QStringLiteral("Wald"), std::nullopt), QString()) << "nothing named";

    ref.lotNumbers = {QStringLiteral("Feld")};
    ref.referenceModuleId = QStringLiteral("m2");
    EXPECT_EQ(evaluation::otherListQuestion(ref, QStringLiteral("Wald"), facts),
              QStringLiteral("Das Werkmaßprotokoll nennt eine andere Liste als „Wald“:\nLos-Nr. „Feld“\n"
                             "Bezug auf das Dokument „m2“\n\nTrotzdem vergleichen?"));
    EXPECT_EQ(evaluation::otherListQuestion({{}, QStringLiteral("m2"), {}, {QStringLiteral("P-9")}}, QStringLiteral("Wald"), std::nullopt),
              QString())
        << "without stored facts only the lot number can tell";
}
