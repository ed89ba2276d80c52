#include "controls/Buttons.h"
#include "controls/ShowHide.h"
#include "controls/TabOrder.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>

#include <memory>

#include <gtest/gtest.h>

namespace {

// The work of a window runs once for each showing and each hiding by the program.
TEST(ShowHideTest, RunsOnEveryShowingAndHiding)
{
    int shown = 0;
    int hidden = 0;
    QDialog window;
    controls::ShowHide watch(&window, [&] { ++shown; }, [&] { ++hidden; });
    window.show();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(hidden, 0);
    window.hide();
    window.show();
    window.hide();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(hidden, 2);

    // A child shown or hidden is not the window.
    auto *child = new QLineEdit(&window);
    window.show();
    child->hide();
    child->show();
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(hidden, 2);
}

// A window taken down while shown runs no work of its own: what the work uses is gone.
TEST(ShowHideTest, RunsNothingOnceGone)
{
    int hidden = 0;
    {
        QDialog window;
        auto watch = std::make_unique<controls::ShowHide>(&window, [] {}, [&] { ++hidden; });
        window.show();
        watch.reset();
    }
    EXPECT_EQ(hidden, 0);
}

// Enter presses the confirming button of the row, never "&Abbruch"; the buttons stand after
// the space at the right edge.
TEST(ButtonsTest, ConfirmRowHasOneDefaultButton)
{
    QDialog window;
    const controls::ConfirmRow row = controls::confirmRow("&OK", "btnOK", &window);
    EXPECT_EQ(row.confirm->text(), QStringLiteral("&OK"));
    EXPECT_EQ(row.confirm->objectName(), QStringLiteral("btnOK"));
    EXPECT_TRUE(row.confirm->isDefault());
    EXPECT_EQ(row.cancel->text(), QStringLiteral("&Abbruch"));
    EXPECT_EQ(row.cancel->objectName(), QStringLiteral("btnAbbruch"));
    EXPECT_FALSE(row.cancel->isDefault());
    EXPECT_FALSE(row.cancel->autoDefault());
    ASSERT_EQ(row.row->count(), 3);
    EXPECT_NE(row.row->itemAt(0)->spacerItem(), nullptr);
    EXPECT_EQ(row.row->itemAt(1)->widget(), row.confirm);
    EXPECT_EQ(row.row->itemAt(2)->widget(), row.cancel);
    delete row.row;
}

TEST(ButtonsTest, RowKeepsLeftAndRightButtonsApart)
{
    QDialog window;
    QPushButton *open = controls::defaultButton("&Öffnen", "btnOeffnen", &window);
    QPushButton *cancel = controls::button("&Abbruch", "btnAbbruch", &window);
    EXPECT_EQ(open->text(), QStringLiteral("&Öffnen"));
    QHBoxLayout *row = controls::buttonRow({open}, {cancel});
    ASSERT_EQ(row->count(), 3);
    EXPECT_EQ(row->itemAt(0)->widget(), open);
    EXPECT_NE(row->itemAt(1)->spacerItem(), nullptr);
    EXPECT_EQ(row->itemAt(2)->widget(), cancel);
    delete row;
}

TEST(TabOrderTest, FollowsTheList)
{
    QDialog window;
    auto *first = new QLineEdit(&window);
    auto *second = new QLineEdit(&window);
    auto *third = new QLineEdit(&window);
    auto *last = new QLineEdit(&window);
    controls::tabOrder({first, third, second, last});
    EXPECT_EQ(first->nextInFocusChain(), third);
    EXPECT_EQ(third->nextInFocusChain(), second);
    EXPECT_EQ(second->nextInFocusChain(), last);
}

} // namespace
