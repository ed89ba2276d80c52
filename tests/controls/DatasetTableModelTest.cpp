#include "controls/DatasetTableModel.h"
#include "data/Dataset.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using data::FieldType;

namespace {

TEST(DatasetTableModelTest, AnUntouchedCellEditNeitherMovesTheCursorNorChangesTheRow)
{
    data::Dataset prices(nullptr, QStringLiteral("prices"));
    prices.addField(QStringLiteral("PREIS"), FieldType::Float);
    prices.open();
    for (double p : {10.0, 20.0, 30.0}) {
        prices.append();
        prices.setValue(QStringLiteral("PREIS"), p);
        prices.post();
    }
    prices.moveTo(2);
    controls::GridColumn column;
    column.field = column.title = QStringLiteral("PREIS");
    controls::DatasetTableModel model(prices, {column});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    // A grid commits the old cell's editor when its cursor moves on; that must not pull the
    // cursor back to the old row.
    EXPECT_TRUE(model.setData(model.index(0, 0), QStringLiteral("10")));
    EXPECT_EQ(prices.recNo(), 2);
    EXPECT_FALSE(prices.isEditing());

    EXPECT_TRUE(model.setData(model.index(0, 0), QStringLiteral("15")));
    EXPECT_EQ(prices.recNo(), 0);
    EXPECT_DOUBLE_EQ(prices.floatValue(QStringLiteral("PREIS")), 15.0);
}

} // namespace
