// The summary window's fill over a list of 100,000 logs: the five evaluation queries reopened
// and every cell written, against the same five queries run with raw SQLite on the same files.
#include "data/LogList.h"
#include "controls/DialogService.h"
#include "data/DataModule.h"
#include "data/Shell.h"
#include "engine/Transaction.h"
#include "evaluation/FormZusammenfasssung.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int logCount = 100000;
const QString listName = QStringLiteral("Wald");

class SilentDialogs : public controls::DialogService
{
public:
    void information(const QString &) override {}
    void error(const QString &text) override { errors << text; }
    bool confirm(const QString &) override { return false; }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }
    SaveChoice saveFile(const QString &, const QString &, int, const QString &) override { return {}; }
    void beep() override {}
    void openUrl(const QString &) override {}
    QStringList errors;
};

// The main window's part: the current list and the statements it points the evaluation
// queries at (the main window is not linked into the benchmarks).
class ListShell : public data::Shell
{
public:
    ListShell(TDMod *&dmod, QString dataPath) : m_dmod(dmod), m_dataPath(std::move(dataPath)) {}
    QString currentListName() const override { return listName; }
    void setCurrentListName(const QString &) override {}
    QString dataPath() const override { return m_dataPath; }
    QString ProgrammVerzeichnis() const override { return {}; }
    void FuelleStatusBar(bool) override {}
    void setListMenus(bool) override {}
    void SQLVorbereiten() override
    {
        TDMod &d = *m_dmod;
        const QString &n = listName;
        d.qryZusammenfasssung.setSql("SELECT COUNT( ID) As Menge, SUM( VOLUMEN) As Volumen, Staerkeklasse, Gueteklasse FROM " + n
                                     + " GROUP BY Gueteklasse, Staerkeklasse");
        d.qryZusZusatz.setSql("SELECT AVG(Laenge) AS DLaenge, AVG(Durchmeff) AS DDurchmeff, AVG(Volumen) AS DVolumen FROM " + n);
        d.qryDorvZusatz.setSql(data::loglist::headerSql());
        d.qryGesamtVolumen.setSql("SELECT COUNT(ID) As Menge, SUM(Volumen) AS GesVol  FROM " + n);
        d.qryGewogeneLaenge.setSql("SELECT SUM( (100 * Volumen / :GesVol) /100 * Laenge) AS GewLaenge FROM " + n);
        d.qryZusammenfasssung.open();
        d.qryZusZusatz.open();
        d.qryDorvZusatz.setParam("OFFSET", n);
        d.qryDorvZusatz.open();
        d.qryGesamtVolumen.open();
        d.qryGewogeneLaenge.open();
    }

private:
    TDMod *&m_dmod;
    QString m_dataPath;
};

// A data folder with the list and its header, written through the engine before timing.
struct ListFolder
{
    ListFolder()
    {
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + dir.path()});
        data::loglist::addListTables(db, listName);
        values::ListHeader header;
        header.department = QStringLiteral("12 B");
        data::loglist::addHeaderRow(db, listName, header);
        const char *qualities[] = {"B", "C", "Cgw"};
        const char *diameters[] = {"0", "1a", "1b1", "1b2", "2a", "2b", "3a", "3b", "4", "5"};
        engine::Transaction tx(db);
        for (int i = 1; i <= logCount; ++i)
            db.execute("INSERT INTO " + listName
                           + " ( ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE )"
                             " VALUES ( :ID, :L, :D, :DE, :GK, :V, :SK )",
                       {{"ID", i},
                        {"L", 4 + i % 12},
                        {"D", 20 + i % 40},
                        {"DE", 18 + i % 40},
                        {"GK", qualities[i % 3]},
                        {"V", 0.1 + (i % 50) * 0.05},
                        {"SK", diameters[(i / 3) % 10]}});
        tx.commit();
    }
    QString path() const { return dir.path() + u'/'; }

    QTemporaryDir dir;
};

void SummaryFill_Dorv(benchmark::State &state)
{
    const ListFolder folder;
    TDMod *dmodPtr = nullptr;
    ListShell shell(dmodPtr, folder.path());
    TDMod dmod(shell);
    dmodPtr = &dmod;
    dmod.dbDorv.open({QStringLiteral("PATH=") + folder.path()});
    SilentDialogs dialogs;
    TFormZusammenfasssung window(dmod, shell, dialogs);
    for (auto _ : state)
        window.FormActivate();
    if (!dialogs.errors.isEmpty())
        state.SkipWithError(dialogs.errors.front().toStdString().c_str());
}

// Runs a query to its end and returns the last column of the last row; a failure is thrown.
double stepAll(sqlite3 *db, const char *sql, double param = 0)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    if (sqlite3_bind_parameter_count(stmt) > 0)
        sqlite3_bind_double(stmt, 1, param);
    double last = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            last = sqlite3_column_double(stmt, c);
    sqlite3_finalize(stmt);
    return last;
}

void SummaryFill_Raw(benchmark::State &state)
{
    // The files as the engine wrote them, read with SQLite directly.
    const ListFolder folder;
    for (auto _ : state) {
        sqlite3 *db = nullptr;
        sqlite3_open((folder.path() + "wald.db").toUtf8().constData(), &db);
        sqlite3_exec(db, ("ATTACH '" + folder.path() + "dorvzusatz.db' AS z").toUtf8().constData(), nullptr, nullptr, nullptr);
        try {
            stepAll(db, "SELECT COUNT(ID), SUM(VOLUMEN), STAERKEKLASSE, GUETEKLASSE FROM Wald GROUP BY GUETEKLASSE, STAERKEKLASSE");
            stepAll(db, "SELECT AVG(LAENGE), AVG(DURCHMEFF), AVG(VOLUMEN) FROM Wald");
            stepAll(db, "SELECT * FROM z.DORVZUSATZ WHERE OFFSET = 'Wald'");
            const double total = stepAll(db, "SELECT COUNT(ID), SUM(VOLUMEN) FROM Wald");
            benchmark::DoNotOptimize(stepAll(db, "SELECT SUM((100 * VOLUMEN / ?1) / 100 * LAENGE) FROM Wald", total));
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
        }
        sqlite3_close(db);
    }
}

} // namespace

BENCHMARK(SummaryFill_Dorv)->Name("SQLVorbereiten + summary fill (100,000 logs)/Dorv")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SummaryFill_Raw)->Name("SQLVorbereiten + summary fill (100,000 logs)/Raw")->Unit(benchmark::kMillisecond)->Iterations(10);
