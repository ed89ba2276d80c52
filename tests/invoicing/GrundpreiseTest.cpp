#include "controls/CurrencyEdit.h"
#include "controls/DataGrid.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "invoicing/FormGrundpreise.h"
#include "support/WindowBed.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Model columns of the price grid: GUETEKLASSE and ABZUG are hidden.
constexpr int colStaerkeklasse = 1, colPreis = 3, colPreisC = 4, colPreisCgw = 5;

class GrundpreiseTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    QVariant stored(const char *gk, const char *sk, const char *column = "PREIS")
    {
        const auto r = dmod().dbDorv.query(QStringLiteral("SELECT %1 FROM Grundpreise WHERE GUETEKLASSE = :G AND STAERKEKLASSE = :S")
                                               .arg(QString::fromLatin1(column)),
                                           {{QStringLiteral("G"), QString::fromLatin1(gk)}, {QStringLiteral("S"), QString::fromLatin1(sk)}});
        return r.rows.empty() ? QVariant(QStringLiteral("no row")) : r.rows[0][0];
    }
    double price(const char *gk, const char *sk) { return stored(gk, sk).toDouble(); }

    TDMod &dmod() { return bed.dmod; }
    QAbstractItemModel &grid() { return *form.dxDBGrid1->model(); }
    QString cell(int row, int column) { return grid().index(row, column).data().toString(); }
    void typeIntoCell(int row, int column, const QString &text)
    {
        ASSERT_TRUE(grid().setData(grid().index(row, column), text));
        QCoreApplication::processEvents();
    }

    controls::ScriptedDialogService dialogs;
    WindowBed bed{dialogs};
    TFormGrundpreise form{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
};

TEST_F(GrundpreiseTest, ShowingLoadsTheDeductionsAndTheBPricesInDiameterClassOrder)
{
    form.show();
    EXPECT_DOUBLE_EQ(form.cedtAbzugC->value(), 20.0);
    EXPECT_DOUBLE_EQ(form.cedtAbzugCgW->value(), 40.0);
    EXPECT_EQ(form.cedtAbzugC->text(), QStringLiteral("20,00"));
    QAbstractItemModelTester tester(&grid(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    QStringList classes;
    for (int r = 0; r < grid().rowCount(); ++r)
        classes << cell(r, colStaerkeklasse);
    EXPECT_EQ(classes, QStringList({"0", "1a", "1b1", "1b2", "2a", "2b", "3a", "3b", "4", "5"}));
    EXPECT_EQ(grid().headerData(colPreisCgw, Qt::Horizontal).toString(), QStringLiteral("PREISCGW"));
    EXPECT_EQ(cell(4, colPreis), QStringLiteral("72,00"));
    EXPECT_EQ(cell(4, colPreisC), QStringLiteral("57,60"));
    EXPECT_EQ(cell(4, colPreisCgw), QStringLiteral("43,20"));
    EXPECT_EQ(form.focusedVisibleColumn(), TFormGrundpreise::PreisSpalte);

    // Only PREIS is editable, and the focus stays in it.
    EXPECT_TRUE(grid().flags(grid().index(0, colPreis)) & Qt::ItemIsEditable);
    for (int c : {colStaerkeklasse, colPreisC, colPreisCgw})
        EXPECT_FALSE(grid().flags(grid().index(0, c)) & Qt::ItemIsEditable) << c;
    form.dxDBGrid1->setCurrentIndex(grid().index(3, colPreisCgw));
    EXPECT_EQ(form.focusedVisibleColumn(), TFormGrundpreise::PreisSpalte);
    EXPECT_EQ(form.dxDBGrid1->currentIndex().row(), 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GrundpreiseTest, DeductionsAreAppliedUnchangedWhateverTheirSize)
{
    form.show();
    form.cedtAbzugC->setValue(0);
    form.cedtAbzugCgW->setValue(100);
    form.cedtAbzugCExit();
    EXPECT_DOUBLE_EQ(price("C", "2a"), 72.0) << "0 % gives the B price";
    EXPECT_DOUBLE_EQ(price("Cgw", "2a"), 0.0) << "100 % gives 0";

    form.cedtAbzugC->setValue(150);
    form.cedtAbzugCgW->setValue(-10);
    form.cedtAbzugCExit();
    EXPECT_DOUBLE_EQ(price("C", "2a"), -36.0) << "more than 100 % is not refused";
    EXPECT_DOUBLE_EQ(price("Cgw", "2a"), 72.0 * 1.1) << "a negative deduction raises the price";
    EXPECT_DOUBLE_EQ(price("Cgw", "5"), 94.0 * 1.1);

    const auto distinct = dmod().dbDorv.query(QStringLiteral("SELECT DISTINCT GUETEKLASSE, ABZUG FROM Grundpreise WHERE GUETEKLASSE <> 'B'"));
    EXPECT_EQ(distinct.rows.size(), 2u) << "one deduction per class in every row";
    EXPECT_DOUBLE_EQ(stored("B", "2a").toDouble(), 72.0) << "the B rows stay";
    EXPECT_DOUBLE_EQ(stored("B", "2a", "ABZUG").toDouble(), 0.0);
    EXPECT_EQ(cell(0, colPreisCgw), QStringLiteral("22,00")) << "the grid shows the new values";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GrundpreiseTest, CalculatedColumnsFollowAtOnceButStoredPricesOnlyOnOK)
{
    form.show();
    typeIntoCell(0, colPreis, QStringLiteral("50"));
    EXPECT_EQ(cell(0, colPreisC), QStringLiteral("40,00")) << "follows the B price edit at once";
    EXPECT_EQ(cell(0, colPreisCgw), QStringLiteral("30,00"));
    form.cedtAbzugC->setValue(10);
    EXPECT_EQ(cell(0, colPreisC), QStringLiteral("45,00")) << "and the deduction as typed";
    EXPECT_DOUBLE_EQ(price("C", "0"), 16.0) << "nothing stored yet";
    EXPECT_DOUBLE_EQ(price("B", "0"), 20.0);

    form.btnOKClick();
    EXPECT_FALSE(form.isVisible());
    EXPECT_DOUBLE_EQ(price("B", "0"), 50.0);
    EXPECT_DOUBLE_EQ(price("C", "0"), 45.0);
    EXPECT_DOUBLE_EQ(price("Cgw", "0"), 30.0);
    EXPECT_DOUBLE_EQ(price("C", "1a"), 31.5);
    EXPECT_FALSE(form.qryGrundpreise.isOpen());
}

TEST_F(GrundpreiseTest, OKTakesTheTextOfAnOpenCellEditor)
{
    form.show();
    const QModelIndex preis = grid().index(2, colPreis);
    form.dxDBGrid1->setCurrentIndex(preis);
    auto *editor = form.dxDBGrid1->indexWidget(preis);
    ASSERT_NE(editor, nullptr) << "the editor opens at once";
    editor->setProperty("text", QStringLiteral("60"));
    form.btnOKClick();
    EXPECT_DOUBLE_EQ(price("B", "1b1"), 60.0);
    EXPECT_DOUBLE_EQ(price("C", "1b1"), 48.0);
}

TEST_F(GrundpreiseTest, LeavingADeductionPostsTheBPriceEditToo)
{
    form.show();
    typeIntoCell(1, colPreis, QStringLiteral("40"));
    form.cedtAbzugCExit();
    EXPECT_DOUBLE_EQ(price("B", "1a"), 40.0);
    EXPECT_DOUBLE_EQ(price("C", "1a"), 32.0);
    EXPECT_EQ(form.dxDBGrid1->currentIndex().row(), 0) << "the grid shows the first row again";
}

TEST_F(GrundpreiseTest, TheCloseBoxLeavesEveryStoredPriceAsItWas)
{
    form.show();
    typeIntoCell(0, colPreis, QStringLiteral("50"));
    form.cedtAbzugC->setValue(50);
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_DOUBLE_EQ(price("B", "0"), 20.0) << "an unposted grid edit is dropped";
    EXPECT_DOUBLE_EQ(price("C", "0"), 16.0);
    EXPECT_DOUBLE_EQ(price("Cgw", "0"), 12.0);

    form.show();
    EXPECT_DOUBLE_EQ(form.cedtAbzugC->value(), 20.0) << "each showing reloads the deductions";
    EXPECT_EQ(cell(0, colPreis), QStringLiteral("20,00"));
}

TEST_F(GrundpreiseTest, LeavingADeductionEditWritesButClosingTheWindowFromItDoesNot)
{
    form.show();
    QApplication::setActiveWindow(&form);
    if (!QTest::qWaitForWindowActive(&form))
        GTEST_SKIP() << "no window activation on this platform";
    form.cedtAbzugCgW->setFocus();
    form.cedtAbzugCgW->selectAll();
    QTest::keyClicks(form.cedtAbzugCgW, QStringLiteral("50"));
    form.dxDBGrid1->setFocus();
    EXPECT_DOUBLE_EQ(price("Cgw", "0"), 10.0) << "leaving the edit writes";
    EXPECT_EQ(form.focusedVisibleColumn(), TFormGrundpreise::PreisSpalte) << "entering the grid focuses the price";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form.dxDBGrid1->currentIndex().row(), 1) << "Tab goes to the next price";
    EXPECT_EQ(form.focusedVisibleColumn(), TFormGrundpreise::PreisSpalte);

    form.cedtAbzugC->setFocus();
    form.cedtAbzugC->selectAll();
    QTest::keyClicks(form.cedtAbzugC, QStringLiteral("75"));
    form.close();
    EXPECT_DOUBLE_EQ(price("C", "0"), 16.0) << "closing is not leaving the edit";
}

TEST_F(GrundpreiseTest, EnterInTheEditsOrTheGridDoesNotPressOK)
{
    // "&OK" is no default button: Enter closes nothing and writes nothing.
    form.show();
    EXPECT_FALSE(form.btnOK->isDefault());
    form.cedtAbzugC->setValue(50);
    QTest::keyClick(form.cedtAbzugC, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(form.dxDBGrid1, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_DOUBLE_EQ(price("C", "0"), 16.0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GrundpreiseTest, MissingRowsOfAClassChangeNothingAndRaiseNoError)
{
    dmod().dbDorv.execute(QStringLiteral("DELETE FROM Grundpreise WHERE GUETEKLASSE = 'C' AND STAERKEKLASSE = '2a'"));
    dmod().dbDorv.execute(QStringLiteral("UPDATE Grundpreise SET PREIS = NULL WHERE GUETEKLASSE = 'B' AND STAERKEKLASSE = '0'"));
    form.show();
    EXPECT_EQ(cell(0, colPreisC), QStringLiteral("0,00")) << "an empty B price counts as 0";
    form.cedtAbzugC->setValue(25);
    form.cedtAbzugCExit();
    EXPECT_EQ(stored("C", "2a"), QVariant(QStringLiteral("no row")));
    EXPECT_DOUBLE_EQ(price("C", "2b"), 63.0);
    EXPECT_TRUE(stored("C", "0").isNull()) << "an empty B price leaves the derived prices empty";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GrundpreiseTest, ATableWithoutCRowsShowsNoDeduction)
{
    dmod().dbDorv.execute(QStringLiteral("DELETE FROM Grundpreise WHERE GUETEKLASSE = 'C'"));
    form.show();
    EXPECT_EQ(form.cedtAbzugC->text(), QStringLiteral("0,00"));
    EXPECT_DOUBLE_EQ(form.cedtAbzugCgW->value(), 40.0);
    form.close();

    dmod().dbDorv.execute(QStringLiteral("DELETE FROM Grundpreise"));
    form.show();
    EXPECT_DOUBLE_EQ(form.cedtAbzugCgW->value(), 0.0) << "no row at all reads as 0 too";
    EXPECT_EQ(grid().rowCount(), 0);
    form.btnOKClick();
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace

namespace {

TEST_F(GrundpreiseTest, PricesStandRightAlignedAndNoTitleOrPriceIsCut)
{
    form.show();
    typeIntoCell(0, colPreis, QStringLiteral("99999,99"));
    controls::DataGrid &view = *form.dxDBGrid1;
    for (int column : {colPreis, colPreisC, colPreisCgw})
        EXPECT_TRUE(grid().index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight) << column;
    QStyleOptionViewItem option;
    option.initFrom(&view);
    for (int column : {colStaerkeklasse, colPreis, colPreisC, colPreisCgw}) {
        EXPECT_GE(view.columnWidth(column), view.horizontalHeader()->sectionSizeHint(column))
            << grid().headerData(column, Qt::Horizontal).toString().toStdString();
        EXPECT_GE(view.columnWidth(column), view.itemDelegate()->sizeHint(option, grid().index(0, column)).width()) << column;
    }
    // The grid does not scroll sideways: every column lies inside it.
    const int lastRight = view.columnViewportPosition(colPreisCgw) + view.columnWidth(colPreisCgw);
    EXPECT_LE(lastRight, view.viewport()->width());
}

} // namespace
