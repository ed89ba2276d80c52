// "Werkmaß prüfen" with a sawmill protocol of 10,000 logs against a list of 10,000: the file
// read, the list's logs read, every log paired (half of them by their number, half by their
// measures, in shuffled order) and the window filled and shown. No raw baseline: SQLite has
// no part in the pairing.
#include "controls/DialogService.h"
#include "data/LogList.h"
#include "data/Shell.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "evaluation/ExportSource.h"
#include "evaluation/FormWerkmass.h"
#include "evaluation/MillComparison.h"
#include "export/FileOutput.h"
#include "export/MillReader.h"
#include "rules/MeasurementRules.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int logCount = 10000;
const QString listName = QStringLiteral("Wald");

class SilentDialogs : public controls::DialogService
{
public:
    void information(const QString &) override {}
    void error(const QString &) override {}
    bool confirm(const QString &) override { return true; }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }
    SaveChoice saveFile(const QString &, const QString &, int, const QString &) override { return {}; }
    void beep() override {}
    void openUrl(const QString &) override {}
};

class ListShell : public data::Shell
{
public:
    QString currentListName() const override { return listName; }
    void setCurrentListName(const QString &) override {}
    QString dataPath() const override { return {}; }
    QString ProgrammVerzeichnis() const override { return {}; }
    void FuelleStatusBar(bool) override {}
    void setListMenus(bool) override {}
    void SQLVorbereiten() override {}
};

// The list "Wald" of 10,000 logs and the mill's protocol of them as a file.
struct MillSetup
{
    MillSetup()
    {
        db.open({QStringLiteral("PATH=") + dir.path()});
        data::loglist::addListTables(db, listName);
        engine::Transaction tx(db);
        const char *qualities[] = {"B", "C", "Cgw"};
        engine::Params params{{"ID", 0}, {"L", 0}, {"D", 0}, {"DE", 0}, {"GK", ""}, {"V", 0.0}, {"SK", ""}};
        std::vector<QJsonObject> logs;
        for (int id = 1; id <= logCount; ++id) {
            const int length = 3 + id % 18;
            const int diameter = 12 + id % 45;
            params[0].value = id;
            params[1].value = length;
            params[2].value = diameter + 2;
            params[3].value = diameter;
            params[4].value = QString::fromLatin1(qualities[id % 3]);
            params[5].value = rules::VolumenBerechnen(diameter, length);
            params[6].value = rules::StaerkeklasseBerechnen(diameter);
            db.execute(QStringLiteral("INSERT INTO Wald VALUES ( :ID, :L, :D, :DE, :GK, :V, :SK )"), params);
            QJsonObject log{{QStringLiteral("species"), QStringLiteral("fi")},
                            {QStringLiteral("grade_length"), length + (id % 7 == 0 ? 0.3 : 0.0)},
                            {QStringLiteral("diameter_length_forest"), diameter - (id % 11 == 0 ? 2 : 0)},
                            {QStringLiteral("grade_diameter_one"), diameter},
                            {QStringLiteral("single_log_thickness_class"), QStringLiteral("d2a")},
                            {QStringLiteral("quality_definition"), QJsonObject{{QStringLiteral("qual_type"), QStringLiteral("b")}}}};
            if (id % 2 == 0)
                log.insert(QStringLiteral("stam_id"), QString::number(id));
            logs.push_back(log);
        }
        tx.commit();
        QRandomGenerator sameEveryRun(7);
        std::shuffle(logs.begin(), logs.end(), sameEveryRun);
        QJsonArray shuffled;
        for (const QJsonObject &log : logs)
            shuffled.append(log);
        const QJsonObject single{{QStringLiteral("measurement_id"), QStringLiteral("WM-1")},
                                 {QStringLiteral("measurement_datetime"), QStringLiteral("2026-02-03T08:00:00Z")},
                                 {QStringLiteral("log_industrie"), shuffled}};
        const QJsonObject journal{
            {QStringLiteral("measurement_data"),
             QJsonObject{{QStringLiteral("industrie_measured"), QJsonObject{{QStringLiteral("measurement_type_single_log_industrie"), single}}}}}};
        const QJsonObject document{{QStringLiteral("meta"), QJsonObject{{QStringLiteral("version"), QJsonObject{{QStringLiteral("code"), QStringLiteral("1.0.3")}}}}},
                                   {QStringLiteral("eldat"), QJsonObject{{QStringLiteral("measurement_journal"), journal}}}};
        exporting::writeWholeFile(protocol(), QJsonDocument(QJsonObject{{QStringLiteral("document"), document}}).toJson());
    }

    QString protocol() const { return dir.filePath(QStringLiteral("werk.json")); }

    QTemporaryDir dir;
    engine::Connection db;
};

void MillCheck_Dorv(benchmark::State &state)
{
    MillSetup setup;
    SilentDialogs dialogs;
    ListShell shell;
    TFormWerkmass form(shell, dialogs);
    for (auto _ : state) {
        const exporting::MillProtocol protocol = exporting::readMillProtocolFile(setup.protocol());
        evaluation::MillComparison comparison(evaluation::exportLogs(setup.db, listName), protocol);
        form.setComparison(std::move(comparison), listName);
        form.show();
        QApplication::processEvents();
        form.hide();
    }
}

} // namespace

BENCHMARK(MillCheck_Dorv)->Name("Werkmaß prüfen: 10,000 mill logs against 10,000")->Unit(benchmark::kMillisecond)->Iterations(5);
