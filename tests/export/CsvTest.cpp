#include "export/CsvWriter.h"
#include "engine/DecimalSum.h"
#include "export/DecimalText.h"

#include <gtest/gtest.h>

using exporting::csvDocument;
using exporting::decimalText;
using exporting::ExportLog;

namespace {

QStringList lines(const QByteArray &csv)
{
    QStringList out = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(out.takeLast(), QString()) << "every line ends with CRLF";
    return out;
}

} // namespace

TEST(DecimalText, WritesStoredFiguresWithTheirOwnDecimalsAndNoExponent)
{
    EXPECT_EQ(decimalText(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(decimalText(0.1234), QStringLiteral("0.1234"));
    EXPECT_EQ(decimalText(12), QStringLiteral("12"));
    EXPECT_EQ(decimalText(0.97), QStringLiteral("0.97"));
    EXPECT_EQ(decimalText(0.00005), QStringLiteral("0.00005"));
    EXPECT_EQ(decimalText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(decimalText(-1.25, u','), QStringLiteral("-1,25"));
    EXPECT_EQ(decimalText(1234567.5, u','), QStringLiteral("1234567,5")) << "no thousands separator";
}

TEST(DecimalText, SumsAreTheSumsOfTheWrittenFigures)
{
    const auto sumText = [](std::initializer_list<double> values, int times = 1) {
        engine::DecimalSum sum;
        for (int i = 0; i < times; ++i)
            for (double v : values)
                sum.add(v);
        return decimalText(sum.toDouble());
    };
    EXPECT_EQ(sumText({0.1, 0.2}), QStringLiteral("0.3"));

    double plain = 0;
    for (int i = 0; i < 100000; ++i)
        plain += 0.01;
    EXPECT_EQ(sumText({0.01}, 100000), QStringLiteral("1000"));
    EXPECT_NE(plain, 1000.0) << "a double sum drifts; the decimal sum does not";

    EXPECT_EQ(sumText({0.5, 0.1234, 12.0, -0.25, 0.0}), QStringLiteral("12.3734"));
    EXPECT_EQ(sumText({}), QStringLiteral("0"));
}

TEST(Csv, OpensInAGermanSpreadsheet)
{
    const QByteArray csv = csvDocument({
        {1, 12, 36, 34, QStringLiteral("B"), 1.09, QStringLiteral("3a")},
        {2, 4, 20, 19, QStringLiteral("Cgw"), 0.5, QStringLiteral("1b2")},
        {3, 5, 10, 9, QStringLiteral("C"), 0.1234, QStringLiteral("0")},
        {4, 39, 61, 59, QStringLiteral("B"), 107.9, QStringLiteral("5")},
    });
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF")) << "UTF-8 byte order mark";
    EXPECT_EQ(lines(csv), (QStringList{QStringLiteral("Stamm-Nr;Länge;Durchmesser;Durchm. eff;Güteklasse;Volumen;Stärkeklasse"),
                                       QStringLiteral("1;12;36;34;B;1,09;3a"), QStringLiteral("2;4;20;19;Cgw;0,5;1b2"),
                                       QStringLiteral("3;5;10;9;C;0,1234;0"), QStringLiteral("4;39;61;59;B;107,9;5")}));
    EXPECT_FALSE(csv.contains("\n\n")) << "no bare line feeds";
}

TEST(Csv, QuotesTextsAsASpreadsheetExpectsAndLeavesEmptyColumnsEmpty)
{
    ExportLog odd{7, std::nullopt, 30, std::nullopt, QStringLiteral("a;b"), std::nullopt, QStringLiteral("x\"y")};
    ExportLog broken{8, 3, 12, 11, QStringLiteral("1\n2"), 0.0, QString()};
    EXPECT_EQ(lines(csvDocument({odd, broken})).mid(1),
              (QStringList{QStringLiteral("7;;30;;\"a;b\";;\"x\"\"y\""), QStringLiteral("8;3;12;11;\"1\n2\";0;")}));
    EXPECT_EQ(lines(csvDocument({})).size(), 1) << "an empty list is the title line alone";
}

TEST(Csv, ATextASpreadsheetWouldRunAsAFormulaStaysText)
{
    ExportLog formula{9, 4, 30, 29, QStringLiteral("=A1"), 0.25, QStringLiteral("-2")};
    EXPECT_EQ(lines(csvDocument({formula})).at(1), QStringLiteral("9;4;30;29;'=A1;0,25;'-2")) << "numbers stay numbers";
    EXPECT_EQ(exporting::csvField(QStringLiteral("=HYPERLINK(\"//x.de\";\"Nord\")")),
              QStringLiteral("\"'=HYPERLINK(\"\"//x.de\"\";\"\"Nord\"\")\""));
    for (const char *start : {"+", "@", "\t", "\r"})
        EXPECT_TRUE(exporting::csvField(QString::fromLatin1(start) + "1").contains(QStringLiteral("'") + QString::fromLatin1(start)));
    EXPECT_EQ(exporting::csvField(QStringLiteral("B=1")), QStringLiteral("B=1"));
}
