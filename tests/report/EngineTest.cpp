// The engine on small templates of its own: loading errors, the page and column flow, groups
// with sums, scripts and rules, and what a layout dump looks like.
#include "report/Report.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using report::Report;
using report::ReportError;
using report::TablePipeline;

namespace {

const values::display::Separators german{u',', u'.'};

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ReportError &e) {
        return e.message();
    }
    return {};
}

Report reportOf(const QByteArray &json)
{
    Report r;
    r.setSeparators(german);
    r.setPrintDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    r.loadFromData(json, QStringLiteral("test.rtm"));
    return r;
}

TablePipeline numbers(int count)
{
    TablePipeline p({QStringLiteral("ID"), QStringLiteral("VOL")});
    for (int i = 1; i <= count; ++i)
        p.addRow({i, i / 2.0});
    return p;
}

QStringList linesWith(const QString &dump, const QString &part)
{
    QStringList found;
    for (const QString &line : dump.split(u'\n'))
        if (line.contains(part))
            found << line;
    return found;
}

} // namespace

TEST(ReportLoading, MissingFileNamesTheFullPath)
{
    Report r;
    r.setTemplateFileName(QStringLiteral("no/such/Dorvliste.rtm"));
    EXPECT_EQ(errorOf([&] { r.loadFromFile(); }), QStringLiteral("File not found: ") + QDir::current().absoluteFilePath("no/such/Dorvliste.rtm"));
    EXPECT_TRUE(r.layout().isEmpty());
    EXPECT_EQ(errorOf([&] { r.print(); }), QStringLiteral("The report has no layout: load a template first"));
}

TEST(ReportLoading, BrokenJsonNamesLineAndColumn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Broken.rtm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\n  \"pipeline\": \"Dorvliste\",\n  \"detail\": { \"height\": 5 \"items\": [] }\n}\n");
    file.close();
    Report r;
    r.setTemplateFileName(path);
    const QString message = errorOf([&] { r.loadFromFile(); });
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("line 3, column 28"))) << message.toStdString();
    EXPECT_TRUE(r.layout().isEmpty());
}

TEST(ReportLoading, BrokenJsonErrorCarriesItsPlaceAndIsAProgramError)
{
    try {
        reportOf("{\n  \"detail\": { \"height\": 5 \"items\": [] }\n}\n");
        FAIL() << "a broken template is refused";
    } catch (const engine::Error &e) {
        const auto *reportError = dynamic_cast<const ReportError *>(&e);
        ASSERT_NE(reportError, nullptr);
        EXPECT_EQ(reportError->line(), 2);
        EXPECT_EQ(reportError->column(), 28);
        EXPECT_TRUE(e.message().endsWith(QStringLiteral("at line 2, column 28"))) << e.message().toStdString();
    }
}

TEST(ReportLoading, NonsenseContentIsNamed)
{
    EXPECT_TRUE(errorOf([] { reportOf(R"J({"detail": {"items": [{"type": "picture"}]}})J"); }).contains(QStringLiteral("detail, item 1: unknown item type \"picture\"")));
    EXPECT_TRUE(errorOf([] { reportOf(R"J({"detail": {"height": "5"}})J"); }).contains(QStringLiteral("\"height\" must be a number")));
    EXPECT_TRUE(errorOf([] { reportOf(R"J({"detail": {"items": [{"type": "data", "field": "ID"}]}})J"); }).contains(QStringLiteral("needs a pipeline and a field")));
}

TEST(ReportLayout, DetailRowsRunDownColumnsThenOntoTheNextPage)
{
    // Printable height 100 - 10 - 10 = 80; header 10, footer 10: 60 mm of columns, 6 rows of
    // 10 mm each after a column header of 0 mm... 5 rows with a 10 mm column header.
    Report r = reportOf(R"J({
        "page": {"width": 100, "height": 100, "margins": {"top": 10, "bottom": 10, "left": 5, "right": 5}},
        "columns": [{"left": 5, "width": 45}, {"left": 50, "width": 45}],
        "pipeline": "Nums",
        "pageHeader": {"height": 10, "items": [{"type": "label", "text": "Kopf"}]},
        "columnHeader": {"height": 10, "items": [{"type": "label", "text": "Nr", "width": 10, "align": "right"}]},
        "detail": {"height": 10, "items": [{"type": "data", "pipeline": "Nums", "field": "id", "width": 10, "align": "right"}]},
        "pageFooter": {"height": 10, "items": [
            {"type": "system", "value": "pageNumber", "left": 60},
            {"type": "label", "text": "/", "left": 65},
            {"type": "system", "value": "pageCount", "left": 70}]}
    })J");
    const TablePipeline nums = numbers(11);
    r.setPipeline(QStringLiteral("Nums"), &nums);
    const QString dump = r.dump();
    EXPECT_EQ(linesWith(dump, QStringLiteral("\"Kopf\"")).size(), 2);
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 5.0,30.0 \"1\" w10.0 right Arial 10\n")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 5.0,70.0 \"5\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 50.0,20.0 \"Nr\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 50.0,30.0 \"6\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p2 text 5.0,30.0 \"11\"")));
    EXPECT_TRUE(linesWith(dump, QStringLiteral("p2 text 50.0")).isEmpty()) << "an unused column gets no header";
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 65.0,80.0 \"1\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 75.0,80.0 \"2\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p2 text 65.0,80.0 \"2\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p2 text 75.0,80.0 \"2\"")));
    EXPECT_EQ(r.dump(), dump);
}

TEST(ReportLayout, GroupsStartNewColumnsAndRestartTheirSums)
{
    Report r = reportOf(R"J({
        "page": {"width": 200, "height": 100, "margins": {"top": 0, "bottom": 0, "left": 0, "right": 0}},
        "columns": [{"left": 0, "width": 60}, {"left": 70, "width": 60}, {"left": 140, "width": 60}],
        "pipeline": "S",
        "groups": [{"field": "GK", "newColumn": true,
            "header": {"height": 5, "items": [{"type": "data", "pipeline": "S", "field": "GK"}]},
            "footer": {"height": 5, "bottomOffset": 20, "items": [
                {"type": "sum", "pipeline": "S", "field": "Menge", "left": 10},
                {"type": "sum", "pipeline": "S", "field": "Vol", "format": "##0.00", "left": 30},
                {"type": "sum", "pipeline": "S", "field": "Menge", "reset": "report", "left": 50}]}}],
        "detail": {"height": 5, "items": [{"type": "data", "pipeline": "S", "field": "Vol", "left": 30}]},
        "summary": {"height": 5, "items": [{"type": "sum", "pipeline": "S", "field": "Vol"}]}
    })J");
    TablePipeline s({QStringLiteral("GK"), QStringLiteral("Menge"), QStringLiteral("Vol")});
    s.addRow({"C", 2, 10.0});
    s.addRow({"C", 1, 2.5});
    s.addRow({"Cgw", 4, 1.25});
    r.setPipeline(QStringLiteral("S"), &s);
    const QString dump = r.dump();
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 0.0,0.0 \"C\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 30.0,5.0 \"10\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 30.0,10.0 \"2,5\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 10.0,15.0 \"3\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 30.0,15.0 \"12,50\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 70.0,0.0 \"Cgw\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 80.0,10.0 \"4\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 100.0,10.0 \"1,25\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 120.0,10.0 \"7\""))) << "the report sum runs on";
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 70.0,35.0 \"13,75\""))) << "summary after the footer's offset";
    EXPECT_TRUE(linesWith(dump, QStringLiteral("text 140.0")).isEmpty());
}

// What an invoice needs: a title row once, a summary after the last line, rules run in a given
// order that read sums and each other, items hidden by rules, repeated values left out.
TEST(ReportScripts, InvoiceLikeRulesRunInOrderAndHideItems)
{
    const QByteArray json = R"J({
        "page": {"width": 210, "height": 297, "margins": {"top": 15, "bottom": 15, "left": 25, "right": 15}},
        "pipeline": "Lines",
        "title": {"height": 8, "items": [{"type": "label", "text": "Güteklasse", "font": {"bold": true}}]},
        "detail": {"height": 5, "items": [
            {"type": "data", "pipeline": "Lines", "field": "GK", "suppressRepeated": true},
            {"type": "data", "pipeline": "Lines", "field": "SUMME", "format": "###,##0.00 EUR", "left": 100, "width": 30, "align": "right"}]},
        "summary": {"height": 30, "calculationOrder": ["Vat", "Gross", "Terms"], "items": [
            {"type": "sum", "name": "Net", "pipeline": "Lines", "field": "summe", "format": "###,##0.00 EUR", "left": 100},
            {"type": "calc", "name": "Terms", "top": 20, "expression": [
                "if (Kunde.SKONTOTAGE != 0) { show('Discount'); 'Bei Zahlung innerhalb ' + Kunde.SKONTOTAGE + ' Tagen' }",
                "else { if (Kunde.SKONTO == 0) hide('Discount'); '' }"]},
            {"type": "calc", "name": "Gross", "top": 10, "left": 100, "format": "###,##0.00 EUR", "expression": "Net + Vat"},
            {"type": "calc", "name": "Vat", "top": 5, "left": 100, "format": "###,##0.00 EUR", "expression": "Net * Firma.MwSt / 100"},
            {"type": "calc", "name": "Discount", "top": 15, "left": 100, "format": "###,##0.00 EUR", "expression": "Gross * Kunde.SKONTO / 100"},
            {"type": "label", "text": "nie", "top": 25, "visibleIf": "Net < 0"}]}
    })J";
    TablePipeline lines({QStringLiteral("GK"), QStringLiteral("Summe")});
    lines.addRow({"B", 300.0});
    lines.addRow({"B", 150.0});
    lines.addRow({"C", 50.0});
    TablePipeline firma({QStringLiteral("MwSt")});
    firma.addRow({16.0});
    TablePipeline kunde({QStringLiteral("SKONTO"), QStringLiteral("SKONTOTAGE")});
    kunde.addRow({2.0, 10});

    Report r = reportOf(json);
    r.setPipeline(QStringLiteral("Lines"), &lines);
    r.setPipeline(QStringLiteral("Firma"), &firma);
    r.setPipeline(QStringLiteral("Kunde"), &kunde);
    QString dump = r.dump();
    EXPECT_EQ(linesWith(dump, QStringLiteral("\"Güteklasse\"")).size(), 1);
    EXPECT_EQ(linesWith(dump, QStringLiteral("\"B\"")).size(), 1);
    EXPECT_EQ(linesWith(dump, QStringLiteral("\"C\"")).size(), 1);
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 125.0,38.0 \"500,00 EUR\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 125.0,43.0 \"80,00 EUR\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 125.0,48.0 \"580,00 EUR\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("p1 text 125.0,53.0 \"11,60 EUR\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("\"Bei Zahlung innerhalb 10 Tagen\"")));
    EXPECT_FALSE(dump.contains(QStringLiteral("\"nie\"")));

    TablePipeline noDiscount({QStringLiteral("SKONTO"), QStringLiteral("SKONTOTAGE")});
    noDiscount.addRow({0.0, 0});
    r.setPipeline(QStringLiteral("Kunde"), &noDiscount);
    dump = r.dump();
    EXPECT_FALSE(dump.contains(QStringLiteral("125.0,53.0")));
    EXPECT_FALSE(dump.contains(QStringLiteral("Bei Zahlung")));
    EXPECT_TRUE(dump.contains(QStringLiteral("\"580,00 EUR\"")));
}

TEST(ReportScripts, FailuresNameTheirPlace)
{
    Report r = reportOf(R"J({"pipeline": "Nums", "detail": {"height": 5, "items": [
        {"type": "calc", "name": "Bad", "expression": "Nums.ID + nosuchthing"}]}})J");
    const TablePipeline nums = numbers(1);
    r.setPipeline(QStringLiteral("Nums"), &nums);
    QString message = errorOf([&] { r.dump(); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("Script error in detail, item Bad: "))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("nosuchthing")));

    Report field = reportOf(R"J({"pipeline": "Nums", "scripts": {"beforePageHeader": "if (!Nums.GESCHAELT) hide('x')"},
        "pageHeader": {"height": 5, "items": [{"type": "label", "name": "x", "text": "x"}]}})J");
    field.setPipeline(QStringLiteral("Nums"), &nums);
    message = errorOf([&] { field.dump(); });
    EXPECT_TRUE(message.contains(QStringLiteral("Field not found: Nums.GESCHAELT"))) << message.toStdString();

    Report hideUnknown = reportOf(R"J({"scripts": {"beforePageHeader": "hide('gerückt')"}, "pageHeader": {"height": 5}})J");
    EXPECT_TRUE(errorOf([&] { hideUnknown.dump(); }).contains(QStringLiteral("No item named gerückt")));
}

TEST(ReportData, MissingPipelinesAndFieldsAreRefused)
{
    Report r = reportOf(R"J({"pipeline": "Nums", "detail": {"height": 5, "items": [
        {"type": "data", "pipeline": "Firma", "field": "Name1"}]}})J");
    EXPECT_EQ(errorOf([&] { r.dump(); }), QStringLiteral("Pipeline not set: Nums"));
    const TablePipeline nums = numbers(2);
    r.setPipeline(QStringLiteral("Nums"), &nums);
    EXPECT_EQ(errorOf([&] { r.dump(); }), QStringLiteral("Pipeline not set: Firma"));
    r.setPipeline(QStringLiteral("firma"), &nums);
    EXPECT_EQ(errorOf([&] { r.dump(); }), QStringLiteral("Field not found: Firma.Name1"));
    r.reset();
    EXPECT_EQ(errorOf([&] { r.dump(); }), QStringLiteral("Pipeline not set: Nums"));
}

TEST(ReportData, PlainValuesAndEmptyCurrentRecords)
{
    Report r = reportOf(R"J({"pageHeader": {"height": 20, "items": [
        {"type": "data", "pipeline": "V", "field": "i"},
        {"type": "data", "pipeline": "V", "field": "f", "top": 5},
        {"type": "data", "pipeline": "V", "field": "t", "top": 10},
        {"type": "data", "pipeline": "V", "field": "b", "top": 15},
        {"type": "data", "pipeline": "E", "field": "x", "left": 50},
        {"type": "system", "value": "printDateTime", "left": 100}]}})J");
    TablePipeline v({QStringLiteral("I"), QStringLiteral("F"), QStringLiteral("T"), QStringLiteral("B")});
    v.addRow({qlonglong(1234567), 0.1 + 0.2, QStringLiteral("Fi/Ta"), true});
    const TablePipeline empty({QStringLiteral("X")});
    r.setPipeline(QStringLiteral("V"), &v);
    r.setPipeline(QStringLiteral("E"), &empty);
    const QString dump = r.dump();
    EXPECT_TRUE(dump.contains(QStringLiteral("\"1234567\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("\"0,3\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("\"Fi/Ta\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("\"Ja\"")));
    EXPECT_TRUE(dump.contains(QStringLiteral("\"05.03.2024 14:07\"")));
    EXPECT_TRUE(linesWith(dump, QStringLiteral("text 60.0")).isEmpty());
}

TEST(ReportLayout, WrappedTextGrowsItsBandAndPushesTheNextDown)
{
    Report r = reportOf(R"J({"pipeline": "T", "detail": {"height": 5, "items": [
        {"type": "data", "pipeline": "T", "field": "Text", "width": 30, "wordWrap": true}]}})J");
    TablePipeline t({QStringLiteral("Text")});
    t.addRow({QStringLiteral("Es gelten die allgemeinen Verkaufs- und Zahlungsbedingungen für Dorvverkäufe")});
    t.addRow({QStringLiteral("kurz")});
    r.setPipeline(QStringLiteral("T"), &t);
    const QStringList second = linesWith(r.dump(), QStringLiteral("\"kurz\""));
    ASSERT_EQ(second.size(), 1);
    const double y = second[0].section(u' ', 2, 2).section(u',', 1, 1).toDouble();
    EXPECT_GT(y, 10.0 + 10.0) << second[0].toStdString();
}

TEST(ReportLayout, TextsAreCutAtTheirBoxesAndWrappedTextsPushWhatLiesBelow)
{
    Report r = reportOf(R"J({"page": {"margins": {"left": 10, "right": 10}}, "defaultFont": {"family": "Arial", "size": 10},
        "detail": {"height": 20, "items": [
        {"type": "data", "pipeline": "T", "field": "Text", "left": 0, "width": 20},
        {"type": "data", "pipeline": "T", "field": "Text", "left": 30, "width": 20, "align": "right"},
        {"type": "data", "pipeline": "T", "field": "Text", "left": 180, "top": 5},
        {"type": "data", "pipeline": "T", "field": "Text", "left": 0, "top": 10, "width": 30, "height": 4.5, "wordWrap": true},
        {"type": "label", "text": "daneben", "left": 100, "top": 10},
        {"type": "label", "text": "darunter", "left": 100, "top": 15}]}})J");
    const QString full = QStringLiteral("Anfang und viel mehr Text bis zum Ende");
    TablePipeline t({QStringLiteral("Text")});
    t.addRow({full});
    r.setPipeline(QStringLiteral("T"), &t);
    const QString dump = r.dump();
    auto textAt = [&](const QString &place) {
        const QStringList lines = linesWith(dump, QStringLiteral("text ") + place + u' ');
        return lines.size() == 1 ? lines[0].section(u'"', 1, 1) : QString();
    };
    auto yOf = [&](const QString &text) {
        const QStringList lines = linesWith(dump, u'"' + text + u'"');
        return lines.size() == 1 ? lines[0].section(u' ', 2, 2).section(u',', 1, 1).toDouble() : -1.0;
    };

    const QString left = textAt(QStringLiteral("10.0,10.0"));
    EXPECT_TRUE(left.size() > 3 && left.size() < full.size() && full.startsWith(left)) << "keeps its start: " << qPrintable(left);
    const QString right = textAt(QStringLiteral("40.0,10.0"));
    EXPECT_TRUE(right.size() > 3 && right.size() < full.size() && full.endsWith(right)) << "keeps its end: " << qPrintable(right);
    const QString noWidth = textAt(QStringLiteral("190.0,15.0"));
    EXPECT_TRUE(noWidth.size() > 1 && noWidth.size() < left.size() && full.startsWith(noWidth)) << "ends at the margin: " << qPrintable(noWidth);
    EXPECT_EQ(textAt(QStringLiteral("10.0,20.0")), full) << "a wrapped text is never cut";

    EXPECT_DOUBLE_EQ(yOf(QStringLiteral("daneben")), 20.0) << "beside the wrapped text: stays";
    EXPECT_GT(yOf(QStringLiteral("darunter")), 25.0 + 4.0) << "below it: moves down by the lines it grew";
}
