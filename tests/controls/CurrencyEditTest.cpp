#include "controls/CurrencyEdit.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CurrencyEditTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
};

TEST_F(CurrencyEditTest, ShowsItsValueInTheDisplayFormatWithoutBounds)
{
    controls::CurrencyEdit edit;
    edit.setValue(1234.5);
    EXPECT_EQ(edit.text(), QStringLiteral("1.234,50"));
    edit.setValue(-20);
    EXPECT_EQ(edit.text(), QStringLiteral("-20,00"));
    edit.setValue(250);
    EXPECT_DOUBLE_EQ(edit.value(), 250.0);
    edit.setDisplayFormat(QStringLiteral("##0.00"));
    EXPECT_EQ(edit.text(), QStringLiteral("250,00"));
}

TEST_F(CurrencyEditTest, TypedNumbersBecomeTheValueAndNothingElseCanBeTyped)
{
    controls::CurrencyEdit edit;
    QSignalSpy changed(&edit, &controls::CurrencyEdit::valueChanged);
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("-12,5"));
    EXPECT_DOUBLE_EQ(edit.value(), -12.5);
    EXPECT_EQ(changed.last().at(0).toDouble(), -12.5);

    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), QStringLiteral("-12,5")) << "letters are refused";

    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_DOUBLE_EQ(edit.value(), 0.0) << "an empty edit is 0";
}

TEST_F(CurrencyEditTest, ParseIgnoresGroupSeparatorsAndReadsALoneSignAsZero)
{
    EXPECT_DOUBLE_EQ(controls::CurrencyEdit::parse(QStringLiteral("1.234,5")), 1234.5);
    EXPECT_DOUBLE_EQ(controls::CurrencyEdit::parse(QStringLiteral("-")), 0.0);
    EXPECT_DOUBLE_EQ(controls::CurrencyEdit::parse(QStringLiteral(",5")), 0.5);
}

} // namespace
