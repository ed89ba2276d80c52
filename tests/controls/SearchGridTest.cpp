#include "controls/DatasetTableModel.h"
#include "controls/ScriptedDialogService.h"
#include "controls/SearchGrid.h"
#include "data/Dataset.h"
#include "engine/Connection.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SearchGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.open({QStringLiteral("PATH=") + dir.path()});
        db.execute(QStringLiteral("CREATE TABLE Kunden (ID INT, NRKD CHAR(13), SUCHNAME CHAR(40))"));
        db.execute(QStringLiteral("INSERT INTO Kunden VALUES (1, '10', 'MEIER'), (2, '20', 'MAIER'), (3, '30', 'HUBER')"));
        grid.setDataset(query);
    }

    QTemporaryDir dir;
    engine::Connection db;
    data::Dataset query{&db, QStringLiteral("qryMatchcode")};
    controls::ScriptedDialogService dialogs;
    controls::SearchGrid grid{dialogs};
};

TEST_F(SearchGridTest, ColumnsAreTheFieldsOfEachStatementTitledWithTheirNames)
{
    query.setSql(QStringLiteral("SELECT SUCHNAME, NRKD FROM Kunden ORDER BY SUCHNAME"));
    query.open();
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(grid.model()->columnCount(), 2);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("SUCHNAME"));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("NRKD"));
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable);

    query.setSql(QStringLiteral("SELECT ID, NRKD, SUCHNAME FROM Kunden WHERE SUCHNAME LIKE :M"));
    query.setParam(QStringLiteral("M"), QStringLiteral("M%"));
    query.open();
    QAbstractItemModelTester tester2(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(grid.model()->columnCount(), 3);
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("SUCHNAME"));
    EXPECT_EQ(grid.model()->rowCount(), 2);
    query.close();
    EXPECT_EQ(grid.model()->rowCount(), 0);
}

TEST_F(SearchGridTest, TheCurrentRowIsTheCurrentRecordBothWays)
{
    query.setSql(QStringLiteral("SELECT SUCHNAME, NRKD FROM Kunden ORDER BY SUCHNAME"));
    query.open();
    EXPECT_EQ(grid.currentIndex().row(), 0);
    grid.setCurrentIndex(grid.model()->index(2, 1));
    EXPECT_EQ(query.recNo(), 2);
    EXPECT_EQ(query.text(QStringLiteral("NRKD")), QStringLiteral("10"));
    query.first();
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(grid.selectionBehavior(), QAbstractItemView::SelectRows);
}

} // namespace
