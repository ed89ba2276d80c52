#include "controls/DatasetTableModel.h"
#include "controls/ErrorGuard.h"
#include "controls/QtDialogService.h"
#include "controls/ScriptedDialogService.h"
#include "data/ConversionError.h"
#include "engine/Connection.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DatasetTableModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        db.open({QStringLiteral("PATH=") + dir.path()});
        db.execute(QStringLiteral("CREATE TABLE Wald ( ID INT, LAENGE INT, VOLUMEN NUMERIC(10,4), PRIMARY KEY(ID))"));
        db.execute(QStringLiteral("INSERT INTO Wald VALUES (1, 10, 0.5), (2, 20, 1.25)"));
        logs.setLive(true);
        logs.setSql(QStringLiteral("SELECT * FROM Wald"));
        logs.setDisplayFormat(QStringLiteral("VOLUMEN"), QStringLiteral("#0.00 FM"));
        logs.events.newRecord = [](data::Dataset &ds) { ds.setValue(QStringLiteral("ID"), ds.recordCount()); };
    }

    QTemporaryDir dir;
    engine::Connection db;
    data::Dataset logs{&db, QStringLiteral("logs")};
};

TEST_F(DatasetTableModelTest, FollowsTheDatasetUnderTheModelTester)
{
    DatasetTableModel model(logs, {{"ID", "Stamm-Nr", 50, Qt::AlignRight, true, {}, {}},
                                   {"LAENGE", "Länge", 75, Qt::AlignRight, false, {}, {}},
                                   {"VOLUMEN", "Volumen", 50, Qt::AlignRight, true, {}, {}}});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    logs.open();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), QStringLiteral("1,25 FM"));
    EXPECT_EQ(model.data(model.index(1, 2), Qt::EditRole).toString(), QStringLiteral("1,25"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Länge"));
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);

    logs.append();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_TRUE(model.setData(model.index(2, 1), QStringLiteral("7")));
    logs.post();
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), QStringLiteral("7"));
    logs.append();
    logs.cancel();
    EXPECT_EQ(model.rowCount(), 3);
    logs.first();
    logs.remove();
    EXPECT_EQ(model.rowCount(), 2);
    logs.close();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(DatasetTableModelTest, TextThatIsNoNumberReachesTheErrorHandlerAndChangesNothing)
{
    DatasetTableModel model(logs, {{"LAENGE", "Länge", 75, Qt::AlignRight, false, {}, {}}});
    QString error;
    model.onError = [&error](const std::exception &e) { error = errorText(e); };
    logs.open();
    EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("zehn")));
    EXPECT_EQ(error, QStringLiteral("'zehn' is not a valid integer value for field 'LAENGE'"));
    EXPECT_EQ(logs.value(0, 1).toInt(), 10);
    EXPECT_FALSE(logs.modified());
}

TEST_F(DatasetTableModelTest, UnchangedTextLeavesANewRowUntouched)
{
    DatasetTableModel model(logs, {{"LAENGE", "Länge", 75, Qt::AlignRight, false, {}, {}}});
    logs.open();
    logs.append();
    EXPECT_TRUE(model.setData(model.index(2, 0), QString()));
    EXPECT_FALSE(logs.modified()) << "an editor closed without typing is no change";
    logs.first();
    EXPECT_EQ(logs.recordCount(), 2);
}

TEST(ErrorGuard, ShowsTheErrorsOwnTextAndGoesOn)
{
    ScriptedDialogService dialogs;
    EXPECT_FALSE(guarded(dialogs, [] { throw data::ConversionError(QStringLiteral("'x' ist keine Zahl")); }));
    EXPECT_TRUE(guarded(dialogs, [] {}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, ScriptedDialogService::Kind::Error);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("'x' ist keine Zahl"));
}

TEST(QtNameFilter, TurnsPipeSeparatedPairsIntoQtFilters)
{
    EXPECT_EQ(qtNameFilter(QStringLiteral("Dorvlisten aus Versionen bis Dorv V2.0|*.dvz|alle Dateien|*.*")),
              QStringLiteral("Dorvlisten aus Versionen bis Dorv V2.0 (*.dvz);;alle Dateien (*)"));
}

} // namespace
