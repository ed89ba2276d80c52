#include "controls/DbEdit.h"
#include "controls/ScriptedDialogService.h"
#include "data/Dataset.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

using data::Dataset;
using data::DatasetState;
using data::FieldType;

namespace {

class DbEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        rates.addField(QStringLiteral("NAME"), FieldType::Text, 5);
        rates.addField(QStringLiteral("SATZ"), FieldType::Float);
        rates.setDisplayFormat(QStringLiteral("SATZ"), QStringLiteral("##0.00"));
        name.setDataField(rates, QStringLiteral("NAME"));
        rate.setDataField(rates, QStringLiteral("SATZ"));
    }

    void addRow(const QString &n, double r)
    {
        rates.append();
        rates.setValue(QStringLiteral("NAME"), n);
        rates.setValue(QStringLiteral("SATZ"), r);
        rates.post();
    }

    controls::ScriptedDialogService dialogs;
    Dataset rates{nullptr, QStringLiteral("rates")};
    controls::DbEdit name{dialogs};
    controls::DbEdit rate{dialogs};
};

TEST_F(DbEditTest, FollowsTheCurrentRecordAndIsReadOnlyWhileClosed)
{
    EXPECT_TRUE(rate.isReadOnly());
    rates.open();
    addRow(QStringLiteral("voll"), 19);
    addRow(QStringLiteral("halb"), 7.5);
    EXPECT_EQ(name.text(), QStringLiteral("halb"));
    EXPECT_EQ(rate.text(), QStringLiteral("7,50"));
    rates.first();
    EXPECT_EQ(rate.text(), QStringLiteral("19,00"));
    EXPECT_FALSE(rate.isReadOnly());
    EXPECT_EQ(name.maxLength(), 5) << "a text field takes no more than it can store";
    rates.close();
    EXPECT_TRUE(rate.text().isEmpty());
}

TEST_F(DbEditTest, TypingPutsTheRecordIntoEditingAndWritesTheField)
{
    rates.open();
    addRow(QStringLiteral("voll"), 19);
    rate.clear();
    QTest::keyClicks(&rate, QStringLiteral("16,5"));
    EXPECT_EQ(rates.state(), DatasetState::Edit);
    EXPECT_DOUBLE_EQ(rates.floatValue(QStringLiteral("SATZ")), 16.5);
    EXPECT_EQ(rate.text(), QStringLiteral("16,5")) << "the text stays as typed while typing";
    rates.cancel();
    EXPECT_EQ(rate.text(), QStringLiteral("19,00"));
}

TEST_F(DbEditTest, TypingIntoAnEmptyDatasetBeginsANewRecord)
{
    rates.open();
    QTest::keyClicks(&name, QStringLiteral("neu"));
    EXPECT_EQ(rates.state(), DatasetState::Insert);
    rates.post();
    EXPECT_EQ(rates.recordCount(), 1);
    EXPECT_EQ(rates.text(QStringLiteral("NAME")), QStringLiteral("neu"));
}

TEST_F(DbEditTest, ATextThatDoesNotConvertIsReportedOnceAndTheStoredValueIsShownAgain)
{
    rates.open();
    addRow(QStringLiteral("voll"), 19);
    rate.clear();
    QTest::keyClicks(&rate, QStringLiteral("1x"));
    EXPECT_TRUE(dialogs.messages.empty()) << "nothing is reported while typing";
    EXPECT_DOUBLE_EQ(rates.floatValue(QStringLiteral("SATZ")), 1.0) << "the last text that converted";
    EXPECT_FALSE(rate.commit());
    ASSERT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).size(), 1);
    EXPECT_EQ(dialogs.messages.front().text, QStringLiteral("'1x' is not a valid floating point value for field 'SATZ'"));
    EXPECT_EQ(rate.text(), QStringLiteral("1,00"));
    EXPECT_TRUE(rate.commit()) << "nothing pending any more";
}

} // namespace
