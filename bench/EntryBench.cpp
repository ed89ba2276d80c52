// The log entry window's heavy moments: storing every log again when geschält changes, a
// deletion with its renumbering, opening a long list in the window and typing one log into it.
// Each against raw SQLite doing the same work on a table of its own.
#include "data/LogList.h"
#include "controls/DialogService.h"
#include "data/DataModule.h"
#include "data/Shell.h"
#include "engine/Transaction.h"
#include "entry/FormStammeingabe.h"
#include "rules/MeasurementRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

class BenchShell : public data::Shell
{
public:
    explicit BenchShell(QString dataPath) : m_dataPath(std::move(dataPath)) {}
    QString currentListName() const override { return QStringLiteral("Wald"); }
    void setCurrentListName(const QString &) override {}
    QString dataPath() const override { return m_dataPath; }
    QString ProgrammVerzeichnis() const override { return {}; }
    void SQLVorbereiten() override {}
    void FuelleStatusBar(bool) override {}
    void setListMenus(bool) override {}

private:
    QString m_dataPath;
};

// Answers every question with Yes; an error would spoil the measurement, so it is printed.
class BenchDialogs : public controls::DialogService
{
public:
    void information(const QString &) override {}
    void error(const QString &text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    bool confirm(const QString &) override { return true; }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }
    SaveChoice saveFile(const QString &, const QString &, int, const QString &) override { return {}; }
    void beep() override {}
    void openUrl(const QString &) override {}
};

// A data folder with the list "Wald" of n logs and its header, the data module on it and the
// log entry window supplying the rules.
struct EntrySetup
{
    explicit EntrySetup(int logs)
        : shell(dir.path() + QStringLiteral("/")), dmod(shell), form(dmod, shell, dialogs)
    {
        dmod.setLogRowRules(&form);
        dmod.dbDorv.open({QStringLiteral("PATH=") + shell.dataPath()});
        data::loglist::addListTables(dmod.dbDorv, QStringLiteral("Wald"));
        data::loglist::addHeaderRow(dmod.dbDorv, QStringLiteral("Wald"),
                                    values::ListHeader{QStringLiteral("1"), QStringLiteral("Fichte"),
                                                              QStringLiteral("Langdorv"), QStringLiteral("Hieb"), true, true});
        engine::Transaction tx(dmod.dbDorv);
        engine::Params params{{"ID", 0}, {"D", 0}};
        for (int i = 1; i <= logs; ++i) {
            params[0].value = i;
            params[1].value = 10 + i % 50;
            dmod.dbDorv.execute(QStringLiteral("INSERT INTO Wald VALUES (:ID, 12, :D, :D, 'C', 1.03, '3a')"), params);
        }
        tx.commit();
        dmod.qryDorvTabelle.setSql(QStringLiteral("SELECT * FROM Wald"));
        dmod.qryDorvTabelle.open();
    }

    QCheckBox &geschaelt() { return *form.findChild<QCheckBox *>(QStringLiteral("chkgeschaelt")); }

    QTemporaryDir dir;
    BenchShell shell;
    BenchDialogs dialogs;
    TDMod dmod;
    TFormStammeingabe form;
};

// A raw SQLite table like a list, with n logs.
struct RawList
{
    explicit RawList(int logs)
    {
        sqlite3_open((dir.path() + QStringLiteral("/wald.db")).toUtf8().constData(), &db);
        sqlite3_exec(db, "CREATE TABLE Wald ( ID INTEGER PRIMARY KEY, LAENGE INTEGER, DURCHMEIN INTEGER, DURCHMEFF INTEGER,"
                         " GUETEKLASSE TEXT, VOLUMEN REAL, STAERKEKLASSE TEXT)",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Wald VALUES (?1, 12, ?2, ?2, 'C', 1.03, '3a')", -1, &stmt, nullptr);
        for (int i = 1; i <= logs; ++i) {
            sqlite3_bind_int(stmt, 1, i);
            sqlite3_bind_int(stmt, 2, 10 + i % 50);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    ~RawList() { sqlite3_close(db); }
    RawList(const RawList &) = delete;
    RawList &operator=(const RawList &) = delete;

    // Reads every row, as a query showing the list does.
    std::size_t readAll() const
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid, * FROM Wald", -1, &stmt, nullptr);
        std::vector<std::vector<QVariant>> rows;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::vector<QVariant> row;
            row.reserve(8);
            for (int c = 0; c < 8; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    row.emplace_back(sqlite3_column_int64(stmt, c));
                    break;
                case SQLITE_FLOAT:
                    row.emplace_back(sqlite3_column_double(stmt, c));
                    break;
                case SQLITE_TEXT:
                    row.emplace_back(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c))));
                    break;
                default:
                    row.emplace_back();
                }
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(stmt);
        return rows.size();
    }

    QTemporaryDir dir;
    sqlite3 *db = nullptr;
};

void StoreAllAgain_Dorv(benchmark::State &state)
{
    EntrySetup setup(10000);
    QCheckBox &box = setup.geschaelt();
    for (auto _ : state)
        box.setChecked(!box.isChecked());
}

void StoreAllAgain_Raw(benchmark::State &state)
{
    RawList list(10000);
    bool geschaelt = true;
    for (auto _ : state) {
        geschaelt = !geschaelt;
        sqlite3_exec(list.db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *read = nullptr;
        sqlite3_stmt *write = nullptr;
        sqlite3_prepare_v2(list.db, "SELECT rowid, LAENGE, DURCHMEIN, GUETEKLASSE FROM Wald", -1, &read, nullptr);
        sqlite3_prepare_v2(list.db, "UPDATE Wald SET DURCHMEFF = ?1, VOLUMEN = ?2, GUETEKLASSE = ?3, STAERKEKLASSE = ?4 WHERE rowid = ?5",
                           -1, &write, nullptr);
        while (sqlite3_step(read) == SQLITE_ROW) {
            const int laenge = sqlite3_column_int(read, 1);
            const int durchmeff = rules::DurchmeffBerechnen(sqlite3_column_int(read, 2), geschaelt);
            bool accepted = false;
            const QByteArray guete =
                rules::GueteklasseUmsetzen(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(read, 3))), accepted).toUtf8();
            const QByteArray staerke = rules::StaerkeklasseBerechnen(durchmeff).toUtf8();
            sqlite3_bind_int(write, 1, durchmeff);
            sqlite3_bind_double(write, 2, rules::VolumenBerechnen(durchmeff, laenge));
            sqlite3_bind_text(write, 3, guete.constData(), int(guete.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(write, 4, staerke.constData(), int(staerke.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(write, 5, sqlite3_column_int64(read, 0));
            sqlite3_step(write);
            sqlite3_reset(write);
        }
        sqlite3_finalize(read);
        sqlite3_finalize(write);
        sqlite3_exec(list.db, "COMMIT", nullptr, nullptr, nullptr);
    }
}

void DeleteRenumber_Dorv(benchmark::State &state)
{
    EntrySetup setup(100000);
    data::Dataset &logs = setup.dmod.qryDorvTabelle;
    for (auto _ : state) {
        logs.moveTo(logs.recordCount() / 2);
        setup.dmod.deleteCurrentLog();
    }
}

// Delete, close the gap and read the list again, in one transaction.
void DeleteRenumber_Raw(benchmark::State &state)
{
    RawList list(100000);
    int count = 100000;
    for (auto _ : state) {
        const int id = count / 2 + 1;
        sqlite3_exec(list.db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(list.db, "DELETE FROM Wald WHERE ID = ?1", -1, &stmt, nullptr);
        sqlite3_bind_int(stmt, 1, id);
        sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        sqlite3_prepare_v2(list.db, "UPDATE Wald SET ID = ID - 1 WHERE ID > ?1", -1, &stmt, nullptr);
        sqlite3_bind_int(stmt, 1, id);
        sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        sqlite3_exec(list.db, "COMMIT", nullptr, nullptr, nullptr);
        benchmark::DoNotOptimize(list.readAll());
        --count;
    }
}

void OpenList_Dorv(benchmark::State &state)
{
    EntrySetup setup(100000);
    setup.form.setMode(StammeingabeMode::Uebersicht);
    setup.form.show();
    QCoreApplication::processEvents();
    data::Dataset &logs = setup.dmod.qryDorvTabelle;
    for (auto _ : state) {
        logs.close();
        logs.open();
        logs.last();
        QCoreApplication::processEvents();
    }
    setup.form.hide();
}

void OpenList_Raw(benchmark::State &state)
{
    RawList list(100000);
    for (auto _ : state)
        benchmark::DoNotOptimize(list.readAll());
}

void sendKey(int key, const QString &text = {})
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    target = QApplication::focusWidget();
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    if (target)
        QCoreApplication::sendEvent(target, &release);
    QCoreApplication::processEvents();
}

void typeText(const QString &text)
{
    for (const QChar c : text)
        sendKey(c.unicode(), QString(c));
}

// Length, Enter, diameter, Enter, quality, Enter at the end of a list of 100,000 logs.
void TypeOneLog_Dorv(benchmark::State &state)
{
    EntrySetup setup(100000);
    setup.form.setMode(StammeingabeMode::Eingabe);
    setup.form.show();
    QApplication::setActiveWindow(&setup.form);
    QCoreApplication::processEvents();
    const int before = setup.dmod.qryDorvTabelle.recordCount();
    for (auto _ : state) {
        typeText(QStringLiteral("12"));
        sendKey(Qt::Key_Return);
        typeText(QStringLiteral("35"));
        sendKey(Qt::Key_Return);
        typeText(QStringLiteral("2"));
        sendKey(Qt::Key_Return);
    }
    // Every typed log is stored, and a new row waits.
    if (setup.dmod.qryDorvTabelle.recordCount() != before + int(state.iterations()))
        state.SkipWithError("the typed logs were not stored");
    setup.form.hide();
}

// The same log stored with raw SQLite: one INSERT.
void TypeOneLog_Raw(benchmark::State &state)
{
    RawList list(100000);
    int id = 100000;
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(list.db, "INSERT INTO Wald VALUES (?1, 12, 35, 33, 'C', 1.03, '3a')", -1, &stmt, nullptr);
        sqlite3_bind_int(stmt, 1, ++id);
        sqlite3_step(stmt);
        sqlite3_finalize(stmt);
    }
}

} // namespace

BENCHMARK(StoreAllAgain_Dorv)->Name("Store all logs again (10,000)/Dorv")->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(StoreAllAgain_Raw)->Name("Store all logs again (10,000)/Raw")->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(DeleteRenumber_Dorv)->Name("Delete with renumbering (100,000)/Dorv")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(DeleteRenumber_Raw)->Name("Delete with renumbering (100,000)/Raw")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(OpenList_Dorv)->Name("Open a list of 100,000 logs in the window/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenList_Raw)->Name("Open a list of 100,000 logs in the window/Raw")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TypeOneLog_Dorv)->Name("Type one log (100,000)/Dorv")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(TypeOneLog_Raw)->Name("Type one log (100,000)/Raw")->Unit(benchmark::kMillisecond)->Iterations(10);
