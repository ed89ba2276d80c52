#include "ListFixtures.h"
#include "MillSamples.h"

#include "controls/ErrorGuard.h"
#include "evaluation/ExportSource.h"
#include "evaluation/FormWerkmass.h"
#include "evaluation/MillCheck.h"
#include "evaluation/MillCsv.h"
#include "evaluation/MillReport.h"
#include "export/FileOutput.h"
#include "report/Golden.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Kind = controls::ScriptedDialogService::Kind;

class MillCheckOnList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list.addLogs({{4, 32, QStringLiteral("B"), 0.32, QStringLiteral("3a")},
                      {5, 17, QStringLiteral("C"), 0.11, QStringLiteral("1b2")},
                      {4, 25, QStringLiteral("Cgw"), 0.2, QStringLiteral("2b")}});
        stored = evaluation::exportLogs(list.dmod().dbDorv, QStringLiteral("Wald"));
        list.dialogs.clear();
    }

    // Writes the document and lets the command read it.
    void choose(const milldocs::Document &d)
    {
        const QString path = dir.filePath(QStringLiteral("werk.json"));
        exporting::writeWholeFile(path, milldocs::json(d));
        list.dialogs.files.push_back(path);
    }

    void run()
    {
        evaluation::MillCheck check(list.dmod(), list.shell(), list.dialogs,
                                    [this](evaluation::MillComparison &&c, const QString &name) {
                                        shown.emplace_back(std::move(c));
                                        shownFor << name;
                                    });
        controls::guarded(list.dialogs, [&] { check.WerkmassPruefen(); });
    }

    ListWindow list;
    QTemporaryDir dir;
    std::vector<exporting::ExportLog> stored;
    std::vector<evaluation::MillComparison> shown;
    QStringList shownFor;
};

} // namespace

TEST_F(MillCheckOnList, ComparesTheChosenProtocolWithTheOpenListAndChangesNothing)
{
    milldocs::Document d = millDocumentOf(stored);
    d.logs[0].diameter = 29;
    choose(d);
    run();

    ASSERT_EQ(list.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(list.dialogs.fileDialogs[0].title, QStringLiteral("Werkmaß prüfen"));
    EXPECT_EQ(list.dialogs.fileDialogs[0].filter, QStringLiteral("ELDATsmart-Werkmaßprotokoll|*.json|Alle Dateien|*"));
    EXPECT_TRUE(list.dialogs.messages.empty()) << list.dialogs.texts().join(u'\n').toStdString();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shownFor, QStringList{QStringLiteral("Wald")});
    ASSERT_EQ(shown[0].rows().size(), 3u);
    EXPECT_TRUE(shown[0].rows()[0].thinner);
    EXPECT_FALSE(shown[0].rows()[1].notable());

    const auto after = evaluation::exportLogs(list.dmod().dbDorv, QStringLiteral("Wald"));
    ASSERT_EQ(after.size(), stored.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].effectiveDiameter, stored[i].effectiveDiameter);
        EXPECT_EQ(after[i].volume, stored[i].volume);
    }
}

TEST_F(MillCheckOnList, RefusesAWrongDocumentAndAsksBeforeComparingAnotherList)
{
    const QString broken = dir.filePath(QStringLiteral("kaputt.json"));
    exporting::writeWholeFile(broken, "{\"document\": {");
    list.dialogs.files.push_back(broken);
    run();
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(list.dialogs.textsOf(Kind::Error).size(), 1u);
    EXPECT_TRUE(list.dialogs.textsOf(Kind::Error)[0].startsWith(
        QStringLiteral("Die Datei „kaputt.json“ kann nicht als Werkmaßprotokoll gelesen werden: Sie enthält kein gültiges JSON")));

    milldocs::Document other = millDocumentOf(stored);
    other.lot = QStringLiteral("Feld");
    list.dialogs.clear();
    list.dialogs.answers = {false, true};
    choose(other);
    run();
    EXPECT_TRUE(shown.empty()) << "answered No";
    choose(other);
    run();
    EXPECT_EQ(shown.size(), 1u) << "answered Yes";
    EXPECT_EQ(list.dialogs.textsOf(Kind::Confirmation),
              QStringList(2, QStringLiteral("Das Werkmaßprotokoll nennt eine andere Liste als „Wald“:\nLos-Nr. „Feld“\n\nTrotzdem vergleichen?")));

    list.dialogs.clear();
    run(); // the file dialog cancelled
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(list.dialogs.messages.empty());
}

TEST_F(MillCheckOnList, TheWindowShowsMarksAndWritesTheCsv)
{
    milldocs::Document d = millDocumentOf(stored);
    d.logs[1].quality = QStringLiteral("d");
    d.calibratedUntil = QDate(2026, 1, 1);
    TFormWerkmass form(list.shell(), list.dialogs, &list.mainWindow());
    form.setComparison(compareWith(stored, d), QStringLiteral("Wald"));

    EXPECT_EQ(form.lblSumme->text(), QStringLiteral("Liste: 3 Stämme, 0,63 FM – Werk: 3 Stämme, 0,63 FM – Abweichung: 0,00 FM (0,0 %)"));
    EXPECT_EQ(form.lblWarnung->text(), QStringLiteral("Die Eichung war am Tag der Vermessung abgelaufen (geeicht bis 01.01.2026)."));
    EXPECT_TRUE(form.lblKopf->text().startsWith(QStringLiteral("Werk: Sägewerk Holzhausen")));
    const QAbstractItemModel *logs = form.grdStaemme->model();
    ASSERT_EQ(logs->rowCount(), 3);
    ASSERT_EQ(logs->columnCount(), 14);
    EXPECT_EQ(logs->headerData(13, Qt::Horizontal).toString(), QStringLiteral("Abweichung"));
    EXPECT_EQ(logs->index(1, 8).data().toString(), QStringLiteral("D"));
    EXPECT_FALSE(logs->index(0, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_TRUE(logs->index(1, 0).data(Qt::BackgroundRole).isValid()) << "the lower quality is marked";
    EXPECT_EQ(form.grdKlassen->model()->rowCount(), 4);
    EXPECT_EQ(form.btnDrucken->text(), QStringLiteral("&Drucken"));
    EXPECT_EQ(form.btnCsv->text(), QStringLiteral("&CSV..."));
    EXPECT_EQ(form.btnSchliessen->text(), QStringLiteral("&Schliessen"));

    const QString path = dir.filePath(QStringLiteral("vergleich.csv"));
    list.dialogs.files.push_back(path);
    form.btnCsv->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), evaluation::millCsv(compareWith(stored, d)));
    EXPECT_EQ(list.dialogs.textsOf(Kind::Information),
              QStringList{QStringLiteral("Der Vergleich wurde in die Datei\n%1\ngeschrieben.").arg(QDir::toNativeSeparators(path))});
}

TEST(MillReport, PrintsHeaderSummaryClassesAndMarkedLogs)
{
    const auto list = millSampleList();
    milldocs::Document d = millDocumentOf(list);
    d.logs[1].quality = QStringLiteral("d");
    d.logs[3].diameter = 38;
    d.logs.erase(d.logs.begin() + 2);
    d.logs.push_back(milldocs::log(8, 50));
    d.screeningValidTo = QDate(2026, 1, 31);
    report::PreparedReport r =
        evaluation::werkmassReport(QStringLiteral(DORV_REPORT_DIR "/Werkmass.rtm"), compareWith(list, d), QStringLiteral("Wald"));
    const QString dump = r.report().dump();
    EXPECT_TRUE(dump.contains(QStringLiteral("Liste: 8 Stämme, 3,08 FM – Werk: 8 Stämme, 4,38 FM – Abweichung: +1,30 FM (+42,2 %)")))
        << dump.toStdString();
    EXPECT_TRUE(matchesGolden(dump, "Werkmass-known-changes.txt"));
}

// The menu item of the main window: the window shows the comparison of the open list.
TEST(MillCheckMenu, ListenWerkmassPruefenShowsTheWindowOfTheOpenList)
{
    ListProgram list;
    list.addLogs({{4, 32, QStringLiteral("B"), 0.32, QStringLiteral("3a")}, {5, 17, QStringLiteral("C"), 0.11, QStringLiteral("1b2")}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("werk.json"));
    exporting::writeWholeFile(path, milldocs::json(millDocumentOf(evaluation::exportLogs(list.dmod().dbDorv, QStringLiteral("Wald")))));
    list.dialogs.files.push_back(path);

    QAction *item = list.main().menuItem(QStringLiteral("mnuListenWerkmass"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->parent()->objectName(), QStringLiteral("mnuListen")) << "enabled with the menu Listen";
    QString title;
    QString summary;
    QTimer::singleShot(0, [&] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window)
            return;
        title = window->windowTitle();
        summary = window->findChild<QLabel *>(QStringLiteral("lblSumme"))->text();
        window->close();
    });
    item->trigger();
    EXPECT_TRUE(list.dialogs.messages.empty()) << list.dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(title, QStringLiteral("Werkmaß prüfen – Wald"));
    EXPECT_EQ(summary, QStringLiteral("Liste: 2 Stämme, 0,43 FM – Werk: 2 Stämme, 0,43 FM – Abweichung: 0,00 FM (0,0 %)"));
}
