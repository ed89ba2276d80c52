// The print preview: a modal dialog on an A4 portrait printer with the job name "Report" and
// the extra button that writes the report as PDF.
#include "ListData.h"
#include "report/Report.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using report::PreviewDialog;
using report::Report;

namespace {

Report smallReport()
{
    Report r;
    r.loadFromData(R"({"page": {"margins": {"top": 10, "bottom": 10, "left": 10, "right": 10}},
                       "pageHeader": {"height": 10, "items": [{"type": "label", "text": "Kopf"}]}})",
                   "small.rtm");
    return r;
}

} // namespace

TEST(Preview, ScreenShowsAModalA4PreviewWithPdfButton)
{
    Report r = smallReport();
    r.setDeviceType("Screen");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *preview = qobject_cast<PreviewDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        seen = true;
        QPrinter *printer = preview->printer();
        EXPECT_EQ(printer->docName(), "Report");
        EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
        EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
        ASSERT_NE(preview->savePdfAction(), nullptr);
        EXPECT_EQ(preview->savePdfAction()->text(), "Als PDF speichern...");
        const QToolBar *toolBar = preview->findChild<QToolBar *>();
        ASSERT_NE(toolBar, nullptr);
        EXPECT_TRUE(toolBar->actions().contains(preview->savePdfAction()));
        preview->reject();
    });
    r.print();
    EXPECT_TRUE(seen);
}

TEST(Preview, SavesPdfWhereTheUserSaysAndReportsFailures)
{
    QTemporaryDir dir;
    const std::vector<report::Page> pages = smallReport().layOut();
    QPrinter printer;
    QString answer = dir.filePath("Liste");
    QStringList errors;
    report::PreviewHooks hooks{[&](QWidget *) { return answer; }, [&](QWidget *, const QString &m) { errors << m; }};
    PreviewDialog preview(pages, report::PageSetup{}, &printer, nullptr, hooks);
    preview.savePdfAction()->trigger();
    EXPECT_TRUE(QFileInfo(dir.filePath("Liste.pdf")).size() > 0);
    EXPECT_TRUE(errors.isEmpty());

    answer = dir.filePath("missing/folder/Liste.pdf");
    preview.savePdf();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Die Datei " + answer + " konnte nicht geschrieben werden")) << errors[0].toStdString();

    answer.clear(); // cancelled
    preview.savePdf();
    EXPECT_EQ(errors.size(), 1);
}

TEST(Preview, UnknownDeviceIsRefused)
{
    Report r = smallReport();
    r.setDeviceType("Plotter");
    try {
        r.print();
        FAIL() << "no error";
    } catch (const report::ReportError &e) {
        EXPECT_EQ(e.message(), "Unknown device type: Plotter");
    }
    r.reset();
    EXPECT_EQ(r.deviceType(), "Screen");
}

TEST(Preview, PdfOntoAFullDiskFailsAndKeepsTheOldFile)
{
    const std::unique_ptr<FullDisk> disk = FullDisk::mount();
    if (!disk)
        GTEST_SKIP() << FullDisk::SkipMessage;
    const QString old = disk->filePath("Liste.pdf");
    writeFile(old, "%PDF alt");
    disk->fill();
    const std::vector<report::Page> pages = smallReport().layOut();
    QPrinter printer;
    QStringList errors;
    report::PreviewHooks hooks{[&](QWidget *) { return old; }, [&](QWidget *, const QString &m) { errors << m; }};
    PreviewDialog preview(pages, report::PageSetup{}, &printer, nullptr, hooks);
    preview.savePdf();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Die Datei " + old + " konnte nicht geschrieben werden: Der Datenträger ist voll.");
    EXPECT_EQ(readFile(old), QByteArray("%PDF alt"));
}
