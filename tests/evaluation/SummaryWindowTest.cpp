// The summary window over the list's queries: its cells after a fill from the list's logs.
#include "ListFixtures.h"

#include "evaluation/FormZusammenfasssung.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const QStringList qualities{"B", "C", "Cgw"};
const QStringList diameters{"0", "1a", "1b1", "1b2", "2a", "2b", "3a", "3b", "4", "5"};

template <class List>
class SummaryWindowOn : public ::testing::Test
{
protected:
    TFormZusammenfasssung &window() { return m_window; }

    QString text(const QString &name)
    {
        QLabel *cell = window().element(name);
        return cell ? cell->text() : QStringLiteral("<no cell %1>").arg(name);
    }
    bool shown(const QString &name) { return !window().element(name)->isHidden(); }

    // Every matrix cell but the given pairs is hidden.
    void expectOnlyPairsShown(const QStringList &pairs)
    {
        for (const QString &q : qualities)
            for (const QString &d : diameters) {
                const bool expected = pairs.contains(q + d);
                EXPECT_EQ(shown("stM" + q + d), expected) << q.toStdString() << d.toStdString();
                EXPECT_EQ(shown("stV" + q + d), expected) << q.toStdString() << d.toStdString();
            }
    }

    List list;

private:
    TFormZusammenfasssung m_window{list.dmod(), list.shell(), list.dialogs, &list.mainWindow()};
};

using SummaryWindow = SummaryWindowOn<ListWindow>;
// With the main window, whose status bar shows the same figures.
using SummaryWindowInProgram = SummaryWindowOn<ListProgram>;

TEST_F(SummaryWindow, HasItsCaptionCellsAndTags)
{
    EXPECT_EQ(window().windowTitle(), "Zusammenfasssung Bildschirm");
    int counts = 0, volumes = 0;
    for (QLabel *label : window().findChildren<QLabel *>()) {
        const int tag = label->property("tag").toInt();
        counts += tag == 1;
        volumes += tag == 2;
        if (tag == 1) {
            EXPECT_TRUE(label->objectName().startsWith("stM")) << label->objectName().toStdString();
        }
    }
    EXPECT_EQ(counts, 30);
    EXPECT_EQ(volumes, 30);
    for (const char *total : {"stM", "stV", "stM5", "StV5", "stMCgw", "stVCgw", "stGewLaenge", "stDLaenge", "stDDruchmeff", "stDVolumen"})
        ASSERT_NE(window().element(total), nullptr) << total;
    EXPECT_EQ(window().element("stv5"), window().element("StV5"));
    EXPECT_EQ(window().element("StV5")->property("tag").toInt(), 0);
    QStringList captions;
    for (QLabel *label : window().findChildren<QLabel *>())
        captions << label->text();
    for (const char *caption : {"Güteklasse B", "Güteklasse C", "Güteklasse Cgw", "Summe Stärkeklasse", "Menge:", "Volumen:", "Summe:",
                                "gew. Länge:", "∅", "- Länge:", "- Durchmesser:", "- Volumen:"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
    auto *ok = window().findChild<QPushButton *>("btnOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_TRUE(ok->isDefault());
}

TEST_F(SummaryWindow, EmptyListShowsZerosAndNoMatrixCell)
{
    window().FormActivate();
    expectOnlyPairsShown({});
    for (const QString &d : diameters) {
        EXPECT_EQ(text("stM" + d), "0 ");
        EXPECT_EQ(text("stV" + d), "0,00 ");
    }
    for (const QString &q : qualities) {
        EXPECT_EQ(text("stM" + q), "0 ");
        EXPECT_EQ(text("stV" + q), "0,00 ");
    }
    EXPECT_EQ(text("stM"), "0 ");
    EXPECT_EQ(text("stV"), "0,00 ");
    for (const char *statistic : {"stGewLaenge", "stDLaenge", "stDDruchmeff", "stDVolumen"})
        EXPECT_EQ(text(statistic), "0,00 ") << statistic;
    EXPECT_TRUE(list.dialogs.messages.empty());
}

TEST_F(SummaryWindow, PairCountsInItsQualityDiameterAndListTotals)
{
    list.addLogs({{4, 30, "B", 0.5, "1a"}, {5, 31, "B", 0.25, "1a"}});
    window().FormActivate();
    expectOnlyPairsShown({"B1a"});
    EXPECT_EQ(text("stMB1a"), "2 ");
    EXPECT_EQ(text("stVB1a"), "0,75 ");
    for (const char *cell : {"stMB", "stM1a", "stM"})
        EXPECT_EQ(text(cell), "2 ") << cell;
    for (const char *cell : {"stVB", "stV1a", "stV"})
        EXPECT_EQ(text(cell), "0,75 ") << cell;
    for (const char *cell : {"stMC", "stMCgw", "stM0", "stM1b1", "stM5"})
        EXPECT_EQ(text(cell), "0 ") << cell;
    for (const char *cell : {"stVC", "stVCgw", "stV0", "stV1b1", "StV5"})
        EXPECT_EQ(text(cell), "0,00 ") << cell;
}

TEST_F(SummaryWindow, TotalsRunOverThePairsInGeneralFormat)
{
    list.addLogs({{4, 30, "B", 1.25, "2a"}, {4, 30, "C", 1.75, "2a"}, {4, 50, "C", 0.5, "4"}, {4, 12, "Cgw", 0.1, "1a"}});
    window().FormActivate();
    expectOnlyPairsShown({"B2a", "C2a", "C4", "Cgw1a"});
    EXPECT_EQ(text("stM2a"), "2 ");
    EXPECT_EQ(text("stV2a"), "3 ") << "exactly 3 FM shows without decimals";
    EXPECT_EQ(text("stVC"), "2,25 ");
    EXPECT_EQ(text("stMC"), "2 ");
    EXPECT_EQ(text("stVCgw"), "0,1 ");
    EXPECT_EQ(text("stM"), "4 ");
    EXPECT_EQ(text("stV"), "3,6 ");
    EXPECT_EQ(text("stV3a"), "0,00 ") << "a total without logs keeps its zero text";
}

TEST_F(SummaryWindow, WeightedLengthAndAveragesInTwoDecimals)
{
    list.addLogs({{4, 30, "B", 0.5, "1b1"}, {8, 40, "C", 1.5, "2a"}});
    window().FormActivate();
    EXPECT_EQ(text("stGewLaenge"), "7,00 ");
    EXPECT_EQ(text("stDLaenge"), "6,00 ");
    EXPECT_EQ(text("stDDruchmeff"), "35,00 ");
    EXPECT_EQ(text("stDVolumen"), "1,00 ");
}

TEST_F(SummaryWindow, AllVolumesZeroGiveWeightedLengthZero)
{
    list.addLogs({{4, 0, "B", 0.0, "0"}, {6, 0, "B", 0.0, "0"}});
    window().FormActivate();
    EXPECT_EQ(text("stGewLaenge"), "0,00 ");
    EXPECT_EQ(text("stMB0"), "2 ");
    EXPECT_EQ(text("stVB0"), "0 ");
    EXPECT_EQ(text("stV"), "0 ");
    EXPECT_TRUE(list.dialogs.messages.empty()) << list.dialogs.texts().join("; ").toStdString();
}

TEST_F(SummaryWindow, UnknownClassCodesCountInTheTotalsThatExist)
{
    list.addLogs({{4, 30, "X", 0.5, "1a"}, {4, 70, "B", 1.5, "7"}, {4, 30, "B", 0.25, "1a"}});
    window().FormActivate();
    expectOnlyPairsShown({"B1a"});
    EXPECT_EQ(text("stM1a"), "2 ");
    EXPECT_EQ(text("stV1a"), "0,75 ");
    EXPECT_EQ(text("stMB"), "2 ");
    EXPECT_EQ(text("stVB"), "1,75 ");
    EXPECT_EQ(text("stM"), "3 ");
    EXPECT_EQ(text("stV"), "2,25 ");
}

// An empty code would compose the name of a total; such logs only add to the totals of the
// codes they have.
TEST_F(SummaryWindow, EmptyClassCodesNeverOverwriteATotal)
{
    list.addLogs({{4, 30, "B", 0.25, "1a"},
                  {4, 70, "B", 1.5, QVariant()},
                  {4, 30, "", 0.5, "1a"},
                  {4, 30, QVariant(), 2.0, QVariant()},
                  {4, 30, "C", 0.125, "1a"}});
    window().FormActivate();
    expectOnlyPairsShown({"B1a", "C1a"});
    EXPECT_EQ(text("stMB"), "2 ");
    EXPECT_EQ(text("stVB"), "1,75 ");
    EXPECT_EQ(text("stM1a"), "3 ");
    EXPECT_EQ(text("stV1a"), "0,875 ");
    EXPECT_EQ(text("stMC"), "1 ");
    EXPECT_EQ(text("stM"), "5 ");
    EXPECT_EQ(text("stV"), "4,375 ");
}

TEST_F(SummaryWindow, EachActivationFillsAfreshFromTheList)
{
    list.addLogs({{4, 30, "B", 0.5, "1a"}, {4, 30, "B", 0.25, "1a"}});
    window().FormActivate();
    window().FormActivate();
    EXPECT_EQ(text("stMB1a"), "2 ");
    EXPECT_EQ(text("stV"), "0,75 ");
    EXPECT_EQ(text("stM1a"), "2 ");

    // The list changes while the window is closed: the next fill forgets the old pair.
    list.dmod().dbDorv.execute("UPDATE Wald SET GUETEKLASSE = 'C'");
    window().FormActivate();
    expectOnlyPairsShown({"C1a"});
    EXPECT_EQ(text("stMB"), "0 ");
    EXPECT_EQ(text("stMC"), "2 ");
    EXPECT_EQ(text("stM"), "2 ");
}

TEST_F(SummaryWindow, ShowingAndReactivatingTheWindowFillsIt)
{
    list.addLogs({{4, 30, "B", 0.5, "1a"}});
    window().show();
    QApplication::processEvents();
    EXPECT_EQ(text("stMB1a"), "1 ");

    list.addLogs({{4, 30, "B", 0.5, "1a"}});
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    QApplication::setActiveWindow(&window());
    QApplication::processEvents();
    EXPECT_EQ(text("stMB1a"), "2 ");

    window().findChild<QPushButton *>("btnOK")->click();
    EXPECT_FALSE(window().isVisible());
}

TEST_F(SummaryWindow, EngineErrorIsShownAndTheWindowGoesOn)
{
    list.dmod().dbDorv.execute("DROP TABLE Wald");
    window().FormActivate();
    ASSERT_EQ(list.dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).size(), 1u);
    EXPECT_EQ(text("stM"), "0 ") << "the totals were reset before the queries failed";
}

} // namespace

namespace {

TEST_F(SummaryWindowInProgram, AThousandLogsOfSeventyOneHundredthsShow710Everywhere)
{
    list.addLogs(std::vector<Log>(1000, Log{10, 30, "B", 0.71, "1a"}));
    list.addLogs({{10, 30, "C", 0.71, "1a"}});
    window().FormActivate();
    EXPECT_EQ(text("stVB1a"), "710 ");
    EXPECT_EQ(text("stVB"), "710 ");
    EXPECT_EQ(text("stV1a"), "710,71 ") << "a running total over two pairs";
    EXPECT_EQ(text("stV"), "710,71 ");
    list.main().FuelleStatusBar(true);
    EXPECT_EQ(list.main().statusPanelText(1), "Summe FM: 710,71");
}

// A list of 100,000 logs with the volumes of imported lists, all in one pair: every cell and
// the status bar show their figures whole.
TEST_F(SummaryWindowInProgram, FiguresOfAHundredThousandLogsShowWhole)
{
    std::vector<Log> logs(99999, Log{39, 59, "Cgw", 10.66, "3b"});
    logs.push_back({39, 59, "Cgw", 0.0001, "3b"});
    list.addLogs(logs);
    window().show();
    QApplication::processEvents();
    EXPECT_EQ(text("stMCgw3b"), "100000 ");
    EXPECT_EQ(text("stVCgw3b"), "1065989,3401 ");
    for (QLabel *label : window().findChildren<QLabel *>()) {
        if (label->isVisible()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString() << " cuts "
                                                                 << label->text().toStdString();
        }
    }
    window().hide();

    list.main().FuelleStatusBar(true);
    for (const char *panel : {"sbDorvPanel1", "sbDorvPanel2"}) {
        const QLabel *label = list.main().findChild<QLabel *>(panel);
        ASSERT_NE(label, nullptr);
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
}

} // namespace
