// A dataset handed to a report: all rows, or only the row it stands on.
#include "data/Dataset.h"
#include "report/DatasetPipeline.h"

#include <gtest/gtest.h>

using report::DatasetPipeline;

TEST(DatasetPipeline, AllRowsOrTheCurrentRecord)
{
    data::Dataset logs(nullptr, "qryDorvTabelle");
    logs.addField("ID", data::FieldType::Integer);
    logs.addField("GUETEKLASSE", data::FieldType::Text, 3);
    const DatasetPipeline closed(logs, DatasetPipeline::Range::CurrentRecord);
    EXPECT_EQ(closed.rowCount(), 0);
    logs.open();
    for (int i = 1; i <= 3; ++i) {
        logs.append();
        logs.setValue("ID", i);
        logs.setValue("GUETEKLASSE", i == 2 ? "C" : "B");
        logs.post();
    }
    logs.moveTo(1);

    const DatasetPipeline all(logs);
    EXPECT_EQ(all.rowCount(), 3);
    EXPECT_EQ(all.fieldNames(), QStringList({"ID", "GUETEKLASSE"}));
    EXPECT_EQ(all.value(2, "id").toInt(), 3);
    EXPECT_FALSE(all.value(3, "ID").isValid());
    EXPECT_FALSE(all.value(0, "NOPE").isValid());
    EXPECT_TRUE(all.hasField("GueteKlasse"));

    const DatasetPipeline current(logs, DatasetPipeline::Range::CurrentRecord);
    EXPECT_EQ(current.rowCount(), 1);
    EXPECT_EQ(current.value(0, "Gueteklasse").toString(), "C");
    EXPECT_FALSE(current.value(1, "ID").isValid());
}
