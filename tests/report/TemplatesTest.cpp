// The shipped templates of the log list and the summary over the pipelines of a list.
#include "Golden.h"
#include "ListData.h"
#include "report/Report.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using report::Report;
using report::TablePipeline;

namespace {

QString templatePath(const char *name)
{
    return QStringLiteral(DORV_REPORT_DIR "/") + QString::fromLatin1(name);
}

QStringList linesWith(const QString &dump, const QString &part)
{
    QStringList found;
    for (const QString &line : dump.split(u'\n'))
        if (line.contains(part))
            found << line;
    return found;
}

// The data of one list; the report keeps pointers to it.
struct ListPipelines
{
    TablePipeline logs = listdata::logs(3);
    TablePipeline zusatz = listdata::zusatzdaten(true, false);
    TablePipeline firma = listdata::firma();
    TablePipeline gesVol = listdata::gesVol(3, 1234.5);
    TablePipeline gewLaenge = listdata::gewLaenge(12.25);
    TablePipeline zusZusatz = listdata::zusZusatz(12.0, 33.5, 1.03);
    TablePipeline summary{{"Menge", "Volumen", "Staerkeklasse", "Gueteklasse"}};
};

void printAs(Report &r, const char *file, const ListPipelines &data)
{
    r.clear();
    r.setTemplateFileName(templatePath(file));
    r.loadFromFile();
    r.setSeparators({u',', u'.'});
    r.setPrintDateTime(QDateTime(QDate(2024, 11, 8), QTime(9, 5)));
    r.setPipeline("Dorvliste", &data.logs);
    r.setPipeline("Zusatzdaten", &data.zusatz);
    r.setPipeline("Firma", &data.firma);
    r.setPipeline("gesVol", &data.gesVol);
    r.setPipeline("GewLaenge", &data.gewLaenge);
    r.setPipeline("ZusZusatz", &data.zusZusatz);
    r.setPipeline("Zusammenfassung", &data.summary);
}

} // namespace

TEST(LogListTemplate, PageHeaderShowsCompanyListAndTotals)
{
    ListPipelines data;
    Report r;
    printAs(r, "Dorvliste.rtm", data);
    const QString dump = r.dump();
    for (const char *value : {"\"Forstbetrieb Muster\"", "\"Hans Muster\"", "\"Waldweg 3\"", "\"57392 Schmallenberg\"", "\"02972 1234\""})
        EXPECT_EQ(linesWith(dump, QString::fromUtf8(value)).size(), 1) << value;
    EXPECT_TRUE(matchesGolden(dump, "Dorvliste-3-logs.txt"));
}

TEST(LogListTemplate, IndicatorsFollowTheListFlags)
{
    ListPipelines data;
    Report r;
    printAs(r, "Dorvliste.rtm", data);
    QString dump = r.dump();
    EXPECT_TRUE(dump.contains("\"geschält\" left default 10\n"));
    EXPECT_FALSE(dump.contains("gerückt"));

    data.zusatz = listdata::zusatzdaten(false, true);
    dump = r.dump();
    EXPECT_FALSE(dump.contains("geschält"));
    EXPECT_TRUE(dump.contains("\"gerückt\" left default 10"));

    printAs(r, "Zusammenfassung.rtm", data);
    data.zusatz = listdata::zusatzdaten(true, false);
    dump = r.dump();
    EXPECT_TRUE(dump.contains("\"geschält:\" left Arial 10 bold"));
    EXPECT_FALSE(dump.contains("gerückt"));
    data.zusatz = listdata::zusatzdaten(true, true);
    EXPECT_TRUE(r.dump().contains("\"gerückt:\" left Arial 10 bold"));
}

TEST(LogListTemplate, LogsFillTwoColumnsPerPage)
{
    ListPipelines data;
    data.logs = listdata::logs(250);
    Report r;
    printAs(r, "Dorvliste.rtm", data);
    const QString dump = r.dump();
    // 47 rows per column: 1-47 and 48-94 on page 1, 95-188 on page 2, the rest on page 3.
    EXPECT_TRUE(dump.contains("\"250\" w12.0"));
    EXPECT_FALSE(dump.contains("p4 "));
    EXPECT_EQ(linesWith(dump, "\"Dorvliste:\"").size(), 3);
    EXPECT_TRUE(matchesGolden(dump, "Dorvliste-250-logs.txt"));
}

TEST(SummaryTemplate, EachQualityClassHasItsColumnWithItsOwnSums)
{
    ListPipelines data;
    data.summary.addRow({2, 10.0, "2a", "C"});
    data.summary.addRow({1, 2.5, "3a", "C"});
    data.summary.addRow({4, 1.25, "1b", "Cgw"});
    Report r;
    printAs(r, "Zusammenfassung.rtm", data);
    const QString dump = r.dump();
    EXPECT_TRUE(linesWith(dump, "text 141.").isEmpty()) << "the third column stays empty";
    EXPECT_FALSE(dump.contains("p2 "));
    EXPECT_TRUE(matchesGolden(dump, "Zusammenfassung-3-pairs.txt"));
}

TEST(Templates, PrintingTwiceGivesTheSameOutput)
{
    ListPipelines data;
    data.logs = listdata::logs(120);
    data.summary.addRow({2, 10.0, "2a", "B"});
    for (const char *file : {"Dorvliste.rtm", "Zusammenfassung.rtm"}) {
        Report r;
        printAs(r, file, data);
        const QString first = r.dump();
        r.reset();
        printAs(r, file, data);
        EXPECT_EQ(r.dump(), first) << file;
    }
}

TEST(Templates, PdfOfAThousandLogsCarriesTheirNumbers)
{
    ListPipelines data;
    data.logs = listdata::logs(1000);
    Report r;
    printAs(r, "Dorvliste.rtm", data);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("Dorvliste.pdf");
    r.writePdf(pdf);
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression("(^|\\n)\\s*1\\s+12\\s+35\\s+33\\s+B\\s+1,03 FM\\s+3a"))) << qPrintable(out.left(3000));
    EXPECT_TRUE(out.contains(QRegularExpression("\\b1000\\s+12\\s+35\\s+33\\s+B\\s+1,03 FM")));
    EXPECT_TRUE(out.contains("Seite: 11/11") || out.contains(QRegularExpression("Seite:\\s+11\\s*/\\s*11")));
}
