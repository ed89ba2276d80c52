// The two print commands over the real queries of an open list.
#include "ListFixtures.h"

#include "controls/ErrorGuard.h"
#include "evaluation/FormZusammenfasssung.h"
#include "evaluation/ListReports.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QDateTime printTime(QDate(2024, 11, 8), QTime(9, 5));

QStringList linesOfPage(const QString &dump, int page)
{
    QStringList found;
    const QString prefix = QStringLiteral("p%1 ").arg(page);
    for (const QString &line : dump.split(u'\n'))
        if (line.startsWith(prefix))
            found << line;
    return found;
}

bool hasText(const QStringList &lines, const QString &text)
{
    const QString quoted = u'"' + text + u'"';
    for (const QString &line : lines)
        if (line.contains(quoted))
            return true;
    return false;
}

std::vector<Log> logs(int count)
{
    std::vector<Log> out;
    for (int i = 1; i <= count; ++i)
        out.push_back({i == count ? 17 : 12, 33, i % 3 == 0 ? "C" : "B", 1.5, "3a"});
    return out;
}

QString dumpOf(report::PreparedReport report)
{
    report.report().setPrintDateTime(printTime);
    return report.report().dump();
}

class ListReports : public ::testing::Test
{
protected:
    ListWindow list;
};

// The print commands of the main window's menu.
class ListReportsInProgram : public ::testing::Test
{
protected:
    ListProgram list;
};

TEST_F(ListReports, LogListCarriesTheListsHeaderTotalsAndPages)
{
    list.addLogs(logs(250));
    const QString dump = dumpOf(evaluation::stammliste(list.dmod(), list.shell()));
    const QStringList first = linesOfPage(dump, 1);

    const data::Dataset &firma = list.dmod().qryFirma;
    ASSERT_TRUE(firma.isOpen());
    EXPECT_TRUE(hasText(first, firma.text("Firma"))) << "company block from the delivered company row";
    for (const char *value : {"12 B", "Fichte", "Stammholz", "am Weg", "250", "375,00 FM", "12,02", "geschält"})
        EXPECT_TRUE(hasText(first, QString::fromUtf8(value))) << value;
    EXPECT_FALSE(dump.contains("gerückt")) << "only geschält is set in the list header";
    EXPECT_TRUE(hasText(first, "Wald")) << "the list name in the page footer";

    // 250 logs in two columns per page run onto a third page: "Seite: 1/3".
    EXPECT_FALSE(linesOfPage(dump, 3).isEmpty());
    EXPECT_TRUE(linesOfPage(dump, 4).isEmpty());
    const int slash = first.indexOf(QRegularExpression(".*\"/\".*"));
    ASSERT_GE(slash, 0);
    EXPECT_TRUE(first.at(slash + 1).contains("\"3\"")) << first.at(slash + 1).toStdString();
    EXPECT_TRUE(hasText(first, "1,50 FM"));
    EXPECT_TRUE(hasText(linesOfPage(dump, 3), "250"));

    EXPECT_EQ(dumpOf(evaluation::stammliste(list.dmod(), list.shell())), dump) << "printing twice gives the same list";
}

TEST_F(ListReports, SummaryGroupsTheQualityClassesWithTheirSums)
{
    list.addLogs({{4, 30, "C", 5.0, "2a"}, {4, 30, "C", 7.5, "3a"}, {6, 40, "Cgw", 1.25, "2a"}});
    const QString dump = dumpOf(evaluation::zusammenfassung(list.dmod(), list.shell()));
    EXPECT_TRUE(dump.contains("\"12,50\"")) << "the sum of group C";
    EXPECT_TRUE(dump.contains("\"1,25\""));
    EXPECT_TRUE(dump.contains("\"13,75 FM\"")) << "the list's total volume";
    EXPECT_TRUE(dump.contains("\"Cgw\""));
    EXPECT_FALSE(dump.contains("\"B\"")) << "no group for a class without logs";
    EXPECT_TRUE(dump.contains("\"geschält:\""));
    EXPECT_FALSE(dump.contains("gerückt"));
}

TEST_F(ListReports, PdfOfAThousandLogsHoldsTheFirstAndLastLog)
{
    list.addLogs(logs(1000));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("Dorvliste.pdf");
    evaluation::stammliste(list.dmod(), list.shell()).report().writePdf(pdf);

    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression("(^|\\s)1\\s+12\\s+35\\s+33\\s+B\\s+1,50 FM\\s+3a"))) << "log 1";
    EXPECT_TRUE(out.contains(QRegularExpression("(^|\\s)1000\\s+17\\s+35\\s+33\\s+B\\s+1,50 FM\\s+3a"))) << "log 1000";
}

TEST_F(ListReports, ScreenShowsThePreviewAndTheCommandGoesOnWhenItCloses)
{
    list.addLogs(logs(3));
    QString previewClass;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *preview = qobject_cast<QPrintPreviewDialog *>(modal)) {
            previewClass = QString::fromLatin1(preview->metaObject()->className());
            preview->reject();
        }
    });
    StammlisteDrucken(list.dmod(), list.shell(), QStringLiteral("Screen"), &list.mainWindow());
    EXPECT_FALSE(previewClass.isEmpty()) << "the preview opened modally";
    EXPECT_TRUE(list.dialogs.messages.empty());
}

TEST_F(ListReportsInProgram, MissingReportFolderIsShownAndTheProgramGoesOn)
{
    list.addLogs(logs(2));
    ASSERT_TRUE(QDir(list.folder.reportPath()).removeRecursively());

    EXPECT_FALSE(controls::guarded(list.dialogs, [&] { StammlisteDrucken(list.dmod(), list.main()); }));
    EXPECT_FALSE(controls::guarded(list.dialogs, [&] { ZusammenfassungDrucken(list.dmod(), list.main()); }));
    const QStringList errors = list.dialogs.textsOf(controls::ScriptedDialogService::Kind::Error);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[0], "File not found: " + list.folder.path() + "/Report/Dorvliste.rtm");
    EXPECT_EQ(errors[1], "File not found: " + list.folder.path() + "/Report/Zusammenfassung.rtm");

    // The menu handlers show the same error; the summary window still works.
    list.main().StammlisteDrucker1Click();
    EXPECT_EQ(list.dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).size(), 3);
    TFormZusammenfasssung &summary = *list.program.windows().FormZusammenfasssung;
    summary.FormActivate();
    EXPECT_EQ(summary.element("stM")->text(), "2 ");
    EXPECT_EQ(list.dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).size(), 3);
}

} // namespace
