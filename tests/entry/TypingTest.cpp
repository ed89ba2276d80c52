// The keyboard rhythm of typing logs, the range checks on leaving a column and the cursor
// moves of the grid.
#include "EntryWindowFixture.h"

namespace {

const QString lengthHint = QStringLiteral("Info: Bitte die Länge des Stammes eingeben (01-39)");
const QString lengthRange = QStringLiteral("Fehler: Bitte einen Wert zwischen 1 und 39 eingeben!");

using TypingTest = EntryWindowTest;

TEST_F(TypingTest, LengthEnterDiameterEnterQualityEnterStoresTheLogAndOpensTheNextRow)
{
    createList(TestHeader{});
    show();
    ASSERT_EQ(focus(), &grid());
    EXPECT_EQ(cursorColumn(), col::Laenge);
    EXPECT_EQ(status(), lengthHint);

    type(QStringLiteral("12"));
    enter();
    EXPECT_EQ(cursorColumn(), col::Durchmesser);
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte den Durchmesser des Stammes eingeben (01-61)"));
    type(QStringLiteral("35"));
    enter();
    EXPECT_EQ(cursorColumn(), col::Gueteklasse) << "the effective diameter is skipped";
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte die Güteklasse des Stammes eingeben (1->B 2->C 3->CgW)"));
    type(QStringLiteral("2"));
    enter();

    const std::vector<TestLog> logs = storedLogs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].id, 1);
    EXPECT_EQ(logs[0].laenge, 12);
    EXPECT_EQ(logs[0].durchmein, 35);
    EXPECT_EQ(logs[0].durchmeff, 33);
    EXPECT_DOUBLE_EQ(logs[0].volumen, 1.03);
    EXPECT_EQ(logs[0].gueteklasse, QStringLiteral("C"));
    EXPECT_EQ(logs[0].staerkeklasse, QStringLiteral("3a"));

    EXPECT_EQ(dmod().qryDorvTabelle.state(), data::DatasetState::Insert);
    EXPECT_EQ(dmod().qryDorvTabelle.intValue(QStringLiteral("ID")), 2);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(cursorColumn(), col::Laenge);
    EXPECT_EQ(status(), lengthHint);
    EXPECT_EQ(grid().model()->index(0, col::Volumen).data().toString(), QStringLiteral("1,03 FM"));
    EXPECT_TRUE(errors().isEmpty());
}

} // namespace

namespace {

TEST_F(TypingTest, LengthOutOfRangeOrEmptyKeepsTheCursorInTheLengthCell)
{
    createList(TestHeader{});
    show();
    // Typing into a cell replaces its text.
    for (const QString &typed : {QString(), QStringLiteral("0"), QStringLiteral("40"), QStringLiteral("-1")}) {
        SCOPED_TRACE(typed.toStdString());
        dialogs.clear();
        if (!typed.isEmpty())
            type(typed);
        enter();
        EXPECT_EQ(status(), lengthRange);
        EXPECT_EQ(dialogs.beeps, 2);
        EXPECT_EQ(cursorColumn(), col::Laenge);
        EXPECT_EQ(form().Ruecksprungspalte, 2);
    }
    // Also moving right is brought back.
    dialogs.clear();
    key(Qt::Key_Right);
    EXPECT_EQ(cursorColumn(), col::Laenge);
    EXPECT_EQ(status(), lengthRange);
    EXPECT_EQ(dialogs.beeps, 2);

    type(QStringLiteral("39"));
    enter();
    EXPECT_EQ(cursorColumn(), col::Durchmesser);
    EXPECT_EQ(form().Ruecksprungspalte, -1);
    EXPECT_TRUE(storedLogs().empty()) << "nothing is stored before the quality column";
}

// With geschält the largest diameter is 59, without it 61; both give an effective 59 cm.
class DiameterLimitTest : public EntryWindowTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(DiameterLimitTest, LargestDiameterIsAcceptedTheNextIsRefused)
{
    const bool geschaelt = GetParam();
    const QString max = geschaelt ? QStringLiteral("59") : QStringLiteral("61");
    const QString tooLarge = geschaelt ? QStringLiteral("60") : QStringLiteral("62");
    TestHeader header;
    header.geschaelt = geschaelt;
    createList(header);
    show();
    EXPECT_EQ(form().MaxDurchmesser, max.toInt());

    type(QStringLiteral("10"));
    enter();
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte den Durchmesser des Stammes eingeben (01-%1)").arg(max));
    type(tooLarge);
    enter();
    EXPECT_EQ(status(), QStringLiteral("Fehler: Bitte einen Wert zwischen 1 und %1 eingeben!").arg(max));
    EXPECT_EQ(cursorColumn(), col::Durchmesser);
    type(max);
    enter();
    EXPECT_EQ(cursorColumn(), col::Gueteklasse);
    enter();
    const std::vector<TestLog> logs = storedLogs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].durchmein, max.toInt());
    EXPECT_EQ(logs[0].durchmeff, 59);
    EXPECT_EQ(logs[0].staerkeklasse, QStringLiteral("5"));
    EXPECT_EQ(logs[0].gueteklasse, QStringLiteral("B")) << "no quality input gives B";
}

INSTANTIATE_TEST_SUITE_P(Geschaelt, DiameterLimitTest, ::testing::Bool());

} // namespace
