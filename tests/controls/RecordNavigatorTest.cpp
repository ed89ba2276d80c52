#include "controls/RecordNavigator.h"
#include "controls/ScriptedDialogService.h"
#include "data/Dataset.h"

#include <QToolButton>

#include <gtest/gtest.h>

using data::Dataset;
using data::DatasetState;
using data::FieldType;

namespace {

class RecordNavigatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        names.addField(QStringLiteral("NAME"), FieldType::Text, 10);
        navigator.setDataset(names);
    }

    void fill(std::initializer_list<const char *> rows)
    {
        names.open();
        for (const char *n : rows) {
            names.append();
            names.setValue(QStringLiteral("NAME"), QString::fromLatin1(n));
            names.post();
        }
        names.first();
    }

    bool enabled(controls::RecordNavigator::Button b) const { return navigator.button(b)->isEnabled(); }

    controls::ScriptedDialogService dialogs;
    Dataset names{nullptr, QStringLiteral("names")};
    controls::RecordNavigator navigator{dialogs};
};

TEST_F(RecordNavigatorTest, ButtonsFollowThePositionAndTheState)
{
    for (int b = 0; b < controls::RecordNavigator::buttonCount; ++b)
        EXPECT_FALSE(enabled(controls::RecordNavigator::Button(b))) << "closed dataset, button " << b;
    fill({"a", "b", "c"});
    EXPECT_FALSE(enabled(controls::RecordNavigator::First));
    EXPECT_FALSE(enabled(controls::RecordNavigator::Prior));
    EXPECT_TRUE(enabled(controls::RecordNavigator::Next));
    EXPECT_TRUE(enabled(controls::RecordNavigator::Edit));
    EXPECT_FALSE(enabled(controls::RecordNavigator::Post));

    navigator.click(controls::RecordNavigator::Last);
    EXPECT_EQ(names.text(QStringLiteral("NAME")), QStringLiteral("c"));
    EXPECT_FALSE(enabled(controls::RecordNavigator::Next));
    EXPECT_TRUE(enabled(controls::RecordNavigator::Prior));

    navigator.click(controls::RecordNavigator::Edit);
    EXPECT_EQ(names.state(), DatasetState::Edit);
    EXPECT_TRUE(enabled(controls::RecordNavigator::Post));
    EXPECT_TRUE(enabled(controls::RecordNavigator::Cancel));
    EXPECT_FALSE(enabled(controls::RecordNavigator::Edit));
    names.setValue(QStringLiteral("NAME"), QStringLiteral("z"));
    navigator.click(controls::RecordNavigator::Cancel);
    EXPECT_EQ(names.text(QStringLiteral("NAME")), QStringLiteral("c"));

    navigator.click(controls::RecordNavigator::Insert);
    EXPECT_EQ(names.state(), DatasetState::Insert);
    names.setValue(QStringLiteral("NAME"), QStringLiteral("d"));
    navigator.click(controls::RecordNavigator::Post);
    EXPECT_EQ(names.recordCount(), 4);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RecordNavigatorTest, DeleteAsksFirstAndNoKeepsTheRecord)
{
    fill({"a", "b"});
    dialogs.answers = {false, true};
    navigator.click(controls::RecordNavigator::Delete);
    EXPECT_EQ(names.recordCount(), 2);
    navigator.click(controls::RecordNavigator::Delete);
    EXPECT_EQ(names.recordCount(), 1);
    EXPECT_EQ(names.text(QStringLiteral("NAME")), QStringLiteral("b"));
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Delete record?"), QStringLiteral("Delete record?")}));
}

TEST_F(RecordNavigatorTest, AnErrorOfTheDatasetGoesToTheErrorBox)
{
    navigator.click(controls::RecordNavigator::Insert); // the dataset is closed: it refuses
    ASSERT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).size(), 1);
    EXPECT_FALSE(names.isOpen());
}

} // namespace
