#include "rules/ListNames.h"

#include "support/DataFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using rules::checkNewListName;
using rules::isWholeNumber64;
using Rule = rules::ListNameRefusal::Rule;
using Kind = rules::ListNameRefusal::Kind;

TEST(WholeNumber64Test, ReadsDecimalAndHexWithBlanksAndSign)
{
    for (const char *number : {"123", " 42", "   7", "+7", "-1", "0", "-0", "$1F", "$ff", "0x10", "0X1a", "-$10", "+0x7F",
                               "9223372036854775807", "-9223372036854775808", "$7FFFFFFFFFFFFFFF", "007"})
        EXPECT_TRUE(isWholeNumber64(QString::fromLatin1(number))) << number;
}

TEST(WholeNumber64Test, RefusesPartialEmptyAndOutOfRangeTexts)
{
    for (const char *text : {"", " ", "+", "-", "$", "0x", "A123", "123A", "12 ", "1 2", "\t5", "--1", "+-1", "1.5", "1,5", "$G",
                             "0x1G", "x10", "9223372036854775808", "-9223372036854775809", "$8000000000000000",
                             "99999999999999999999"})
        EXPECT_FALSE(isWholeNumber64(QString::fromLatin1(text))) << text;
    EXPECT_FALSE(isWholeNumber64(QStringLiteral("١٢٣"))) << "only the digits 0 to 9 count";
}

TEST(ListNameRulesTest, EachRuleHasItsMessageKindAndText)
{
    DataFolder folder;

    auto refusal = checkNewListName(QStringLiteral("123"), folder.path());
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->rule, Rule::Number);
    EXPECT_EQ(refusal->kind, Kind::Information);
    EXPECT_EQ(refusal->text, QStringLiteral("Der Listenname darf nicht nur aus Zahlen bestehen!\n\rBitte stellen Sie ggf. einen "
                                            "Buchstaben voran."));

    refusal = checkNewListName(QString(), folder.path());
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->rule, Rule::Empty);
    EXPECT_EQ(refusal->kind, Kind::Error);
    EXPECT_EQ(refusal->text, QStringLiteral("Sie müssen einen gültigen Listennamen eingeben!"));

    for (const char *name : {"123A", "12 ", " Wald", "a;DROP TABLE Firma", "../x", "Wald-1", "_x", "Wald x"}) {
        refusal = checkNewListName(QString::fromLatin1(name), folder.path());
        ASSERT_TRUE(refusal) << name;
        EXPECT_EQ(refusal->rule, Rule::Identifier) << name;
        EXPECT_EQ(refusal->kind, Kind::Information);
        EXPECT_EQ(refusal->text,
                  QStringLiteral("Der Listenname darf nur Buchstaben, Ziffern und _ enthalten und muss mit einem Buchstaben beginnen!"));
    }

    for (const QString &name : {QStringLiteral("A123"), QStringLiteral("Wald_2024"), QStringLiteral("Fichtenstämme"),
                                QStringLiteral("Straße"), QStringLiteral("abcdefghijklmnopqrstuvwxy")})
        EXPECT_FALSE(checkNewListName(name, folder.path())) << name.toStdString();
}

TEST(ListNameRulesTest, AnExistingTableFileIsFoundInAnyCaseAndNamedAsTyped)
{
    DataFolder folder;
    QFile file(folder.file(QStringLiteral("wald.db")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    for (const QString &name : {QStringLiteral("wald"), QStringLiteral("Wald"), QStringLiteral("WALD")}) {
        const auto refusal = checkNewListName(name, folder.path());
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->rule, Rule::Exists);
        EXPECT_EQ(refusal->kind, Kind::Information);
        EXPECT_EQ(refusal->text, QStringLiteral("Die Liste \"") + name + QStringLiteral("\" ist bereits vorhanden!\r\nBitte wählen Sie "
                                                                                        "einen anderen Namen."));
    }
    EXPECT_FALSE(checkNewListName(QStringLiteral("Wald2"), folder.path()));
}

TEST(ListNameRulesTest, LengthRuleOnlyWhenAskedForAndBeforeTheFileTest)
{
    DataFolder folder;
    const QString eighteen = QStringLiteral("A").repeated(18);
    const QString nineteen = QStringLiteral("A").repeated(19);
    EXPECT_FALSE(checkNewListName(nineteen, folder.path()));
    EXPECT_FALSE(checkNewListName(eighteen, folder.path(), {true}));

    QFile file(folder.file(nineteen.toLower() + QStringLiteral(".db")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const auto refusal = checkNewListName(nineteen, folder.path(), {true});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->rule, Rule::Length);
    EXPECT_EQ(refusal->text, QStringLiteral("Der Listenname darf höchstens 18 Zeichen lang sein!"));

    // The number rule comes first, whatever the length.
    const auto number = checkNewListName(QStringLiteral("1234567890123456789"), folder.path(), {true});
    ASSERT_TRUE(number);
    EXPECT_EQ(number->rule, Rule::Number);
}

} // namespace
