// Rows of the log grid: new rows and their numbers, deletion, texts the fields refuse, clicks
// and moves between columns.
#include "EntryWindowFixture.h"

#include <QAbstractItemModelTester>

namespace {

using RowsTest = EntryWindowTest;

QList<int> ids(const std::vector<TestLog> &logs)
{
    QList<int> out;
    for (const TestLog &log : logs)
        out << log.id;
    return out;
}

TEST_F(RowsTest, UntouchedNewRowIsDroppedAndTheNextNewRowGetsTheSameNumber)
{
    createList(TestHeader{}, someLogs(1));
    show();
    data::Dataset &logs = dmod().qryDorvTabelle;
    ASSERT_EQ(logs.state(), data::DatasetState::Insert);
    EXPECT_EQ(logs.intValue(QStringLiteral("ID")), 2);

    key(Qt::Key_Up);
    EXPECT_EQ(logs.recordCount(), 1) << "leaving the untouched row drops it";
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(cursorColumn(), col::Gueteklasse) << "the effective diameter is skipped";
    key(Qt::Key_Down);
    ASSERT_EQ(logs.state(), data::DatasetState::Insert) << "Down on the last log begins a new row";
    EXPECT_EQ(logs.intValue(QStringLiteral("ID")), 2);

    enter(); // on the quality column of the untouched row
    EXPECT_EQ(logs.recordCount(), 2);
    EXPECT_EQ(logs.state(), data::DatasetState::Insert);
    EXPECT_EQ(logs.intValue(QStringLiteral("ID")), 2);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(cursorColumn(), col::Laenge);
    EXPECT_EQ(storedLogs().size(), 1u);

    // Leaving the grid drops it as well.
    QTest::mouseClick(&control<QLineEdit>("edtSorte"), Qt::LeftButton);
    settle();
    EXPECT_EQ(logs.recordCount(), 1);
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte die Sorte (z.B. Langholz) eingeben"));
}

TEST_F(RowsTest, EnterOnTheQualityColumnOfAStoredLogStoresItAndGoesToTheNextLog)
{
    createList(TestHeader{}, someLogs(3));
    show();
    clickCell(0, col::Durchmesser);
    type(QStringLiteral("40"));
    enter();
    type(QStringLiteral("3"));
    enter();
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(cursorColumn(), col::Laenge);
    const std::vector<TestLog> logs = storedLogs();
    ASSERT_EQ(logs.size(), 3u);
    EXPECT_EQ(logs[0].durchmeff, 38);
    EXPECT_EQ(logs[0].gueteklasse, QStringLiteral("Cgw"));
    EXPECT_DOUBLE_EQ(logs[0].volumen, 1.13);
    EXPECT_EQ(logs[0].staerkeklasse, QStringLiteral("3b"));
    EXPECT_EQ(dmod().qryDorvTabelle.recordCount(), 3) << "no new row in the middle of the list";
}

TEST_F(RowsTest, AfterTheLargestLogNumberNoRowIsBegun)
{
    // An imported list may end at the largest number a log number holds: the next one
    // would overflow.
    std::vector<TestLog> logs = someLogs(2);
    logs.back().id = 2147483647;
    createList(TestHeader{}, logs);
    show();
    data::Dataset &query = dmod().qryDorvTabelle;
    EXPECT_EQ(query.state(), data::DatasetState::Browse) << "the window opens without a new row";
    EXPECT_EQ(query.recordCount(), 2);

    clickCell(1, col::Laenge);
    key(Qt::Key_Down);
    EXPECT_EQ(query.state(), data::DatasetState::Browse);
    EXPECT_EQ(query.recordCount(), 2);
    ASSERT_EQ(errors().size(), 1);
    EXPECT_EQ(errors().front(),
              QStringLiteral("Die Liste kann keinen weiteren Stamm aufnehmen: die größte Stammnummer 2147483647 ist erreicht."));
    EXPECT_EQ(storedLogs().size(), 2u);
}

TEST_F(RowsTest, CtrlDelAsksAndDeletesAndTheLaterLogsMoveUp)
{
    createList(TestHeader{}, someLogs(5));
    show();
    clickCell(2, col::Laenge);
    dialogs.answers = {false};
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Confirmation), QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(storedLogs().size(), 5u) << "No keeps the log";

    dialogs.answers = {true};
    key(Qt::Key_Delete, Qt::ControlModifier);
    const std::vector<TestLog> logs = storedLogs();
    EXPECT_EQ(ids(logs), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(logs[2].durchmein, 23) << "former log 4 is now log 3";
    EXPECT_EQ(logs[3].durchmein, 24);
    EXPECT_EQ(grid().model()->index(2, col::StammNr).data().toString(), QStringLiteral("3"));
    EXPECT_EQ(grid().model()->index(2, col::Durchmesser).data().toString(), QStringLiteral("23"));
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_TRUE(errors().isEmpty()) << errors().join(u'\n').toStdString();
}

TEST_F(RowsTest, DeletingTheOnlyLogLeavesAnEmptyList)
{
    createList(TestHeader{}, someLogs(1));
    show();
    key(Qt::Key_Up); // from the new row to the log
    dialogs.defaultAnswer = true;
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(storedLogs().empty());
    EXPECT_TRUE(dmod().qryDorvTabelle.isEmpty());
    EXPECT_TRUE(errors().isEmpty()) << errors().join(u'\n').toStdString();
}

TEST_F(RowsTest, TextInANumberCellIsRefusedAndStaysForCorrection)
{
    createList(TestHeader{}, someLogs(1));
    show();
    type(QStringLiteral("ab"));
    enter();
    EXPECT_EQ(errors(), QStringList{QStringLiteral("'ab' is not a valid integer value for field 'LAENGE'")});
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "the editor stays open";
    EXPECT_EQ(editor->text(), QStringLiteral("ab"));
    EXPECT_EQ(cursorColumn(), col::Laenge);

    // Moving away does not lose the text either.
    key(Qt::Key_Up);
    EXPECT_EQ(errors().size(), 2);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(cursorColumn(), col::Laenge);
    ASSERT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(editor->text(), QStringLiteral("ab"));

    editor->selectAll();
    type(QStringLiteral("12"));
    enter();
    EXPECT_EQ(cursorColumn(), col::Durchmesser);
    EXPECT_EQ(dmod().qryDorvTabelle.intValue(QStringLiteral("LAENGE")), 12);
}

TEST_F(RowsTest, UnacceptedQualityIsStoredAsTypedAndMarksTheReturnToTheLength)
{
    createList(TestHeader{});
    show();
    type(QStringLiteral("12"));
    enter();
    type(QStringLiteral("35"));
    enter();
    type(QStringLiteral("x"));
    enter();
    ASSERT_EQ(storedLogs().size(), 1u);
    EXPECT_EQ(storedLogs()[0].gueteklasse, QStringLiteral("x"));
    EXPECT_EQ(form().Ruecksprungspalte, 2);
    EXPECT_EQ(cursorColumn(), col::Laenge);

    type(QStringLiteral("5"));
    enter();
    EXPECT_EQ(form().Ruecksprungspalte, -1);
    EXPECT_EQ(cursorColumn(), col::Durchmesser);
}

TEST_F(RowsTest, ClicksIntoComputedColumnsLandInTheInputColumns)
{
    createList(TestHeader{}, someLogs(2));
    show();
    for (int column : {col::DurchmEff, col::Volumen, col::Staerkeklasse}) {
        clickCell(0, col::Laenge);
        clickCell(0, column);
        EXPECT_EQ(cursorColumn(), col::Gueteklasse) << column;
    }
    clickCell(0, col::StammNr);
    EXPECT_EQ(cursorColumn(), col::Laenge);

    // From the quality column, too, and the hint names the column reached.
    clickCell(0, col::Gueteklasse);
    clickCell(1, col::DurchmEff);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(cursorColumn(), col::Gueteklasse);
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte die Güteklasse des Stammes eingeben (1->B 2->C 3->CgW)"));

    // Moving left from the quality column skips the effective diameter.
    key(Qt::Key_Left);
    EXPECT_EQ(cursorColumn(), col::Durchmesser);
    key(Qt::Key_Right);
    EXPECT_EQ(cursorColumn(), col::Gueteklasse);
}

TEST_F(RowsTest, GridModelKeepsItsContractWhileLogsAreTypedAndDeleted)
{
    createList(TestHeader{}, someLogs(3));
    QAbstractItemModelTester tester(grid().model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    show();
    type(QStringLiteral("12"));
    enter();
    type(QStringLiteral("35"));
    enter();
    enter();
    dialogs.defaultAnswer = true;
    key(Qt::Key_Up);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ids(storedLogs()), (QList<int>{1, 2, 3}));
    const QAbstractItemModel &model = *grid().model();
    EXPECT_EQ(model.headerData(col::Durchmesser, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_EQ(model.headerData(col::Laenge, Qt::Horizontal).toString(), QStringLiteral("Länge"));
    EXPECT_FALSE(model.flags(model.index(0, col::DurchmEff)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, col::Gueteklasse)) & Qt::ItemIsEditable);
}

} // namespace

namespace {

// The quality cell's drop-down stores what was typed: Up and Down leave the row as in every
// other column, and nothing completes a typed class.
TEST_F(RowsTest, QualityEditorStoresWhatWasTypedAndUpOrDownLeaveTheRow)
{
    createList(TestHeader{}, someLogs(3));
    show();
    clickCell(0, col::Gueteklasse);
    type(QStringLiteral("3"));
    key(Qt::Key_Down);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(storedLogs()[0].gueteklasse, QStringLiteral("Cgw")) << "the typed 3, not a class of the pick list";

    // F2, Down, Enter on a stored B changes no class.
    key(Qt::Key_F2);
    key(Qt::Key_Down);
    EXPECT_EQ(cursorRow(), 2);
    enter();
    EXPECT_EQ(storedLogs()[1].gueteklasse, QStringLiteral("B"));
    EXPECT_EQ(storedLogs()[2].gueteklasse, QStringLiteral("B"));

    clickCell(2, col::Gueteklasse);
    key(Qt::Key_F2);
    key(Qt::Key_Up);
    EXPECT_EQ(cursorRow(), 1);
    EXPECT_EQ(storedLogs()[2].gueteklasse, QStringLiteral("B"));

    // "Cg" is no class; it is stored as typed, never completed to "Cgw".
    clickCell(0, col::Gueteklasse);
    type(QStringLiteral("Cg"));
    enter();
    EXPECT_EQ(storedLogs()[0].gueteklasse, QStringLiteral("Cg"));
    EXPECT_EQ(form().Ruecksprungspalte, 2);
    EXPECT_TRUE(errors().isEmpty()) << errors().join(u'\n').toStdString();
}

// The widest figures of a long list fit their columns: the number of the 100,000th log and
// the largest volume.
TEST_F(RowsTest, LogGridColumnsHoldTheirWidestFigures)
{
    createList(TestHeader{}, {{100000, 39, 61, 59, QStringLiteral("Cgw"), 10.66, QStringLiteral("1b2")}});
    show(StammeingabeMode::Uebersicht);
    QStyleOptionViewItem option;
    option.initFrom(&grid());
    for (int column = col::StammNr; column <= col::Staerkeklasse; ++column) {
        const QModelIndex cell = grid().model()->index(0, column);
        EXPECT_GE(grid().columnWidth(column), grid().itemDelegate()->sizeHint(option, cell).width()) << cell.data().toString().toStdString();
        EXPECT_GE(grid().columnWidth(column), grid().horizontalHeader()->sectionSizeHint(column)) << column;
    }
}

} // namespace
