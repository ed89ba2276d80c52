// Backup and restore of a data folder holding a list of 100,000 logs beside the delivered
// tables. Dorv writes the zip file with its manifest, and restores by unpacking, checking every
// table and exchanging the folders; the raw work is the SQLite online backup of the same files
// into a folder, without compression and checks. Goal: each under 3 s.
#include "data/LogList.h"
#include "backup/Backup.h"
#include "backup/Restore.h"
#include "data/DeliveredTables.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

namespace {

constexpr int LogCount = 100000;

// A program folder whose Daten/ holds the delivered tables and the list "Wald".
struct LargeData
{
    QTemporaryDir dir;
    QString dataPath = dir.path() + QStringLiteral("/Daten/");
    QString backupPath = dir.path() + QStringLiteral("/Dorv-Sicherung.zip");

    LargeData()
    {
        QDir(dir.path()).mkdir(QStringLiteral("Daten"));
        data::createDeliveredTables(dataPath, QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../data"));
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + dataPath});
        engine::Transaction tx(db);
        db.execute(data::loglist::createListSql(QStringLiteral("Wald")));
        engine::Params params{{QStringLiteral("ID"), 0}, {QStringLiteral("L"), 0}, {QStringLiteral("D"), 0}, {QStringLiteral("V"), 0.0}};
        for (int id = 1; id <= LogCount; ++id) {
            params[0].value = id;
            params[1].value = 5 + id % 20;
            params[2].value = 20 + id % 40;
            params[3].value = 0.25 + id % 97 * 0.0125;
            db.execute(QStringLiteral("INSERT INTO Wald VALUES (:ID, :L, :D, :D, 'B', :V, '2a')"), params);
        }
        tx.commit();
    }
};

LargeData &data()
{
    static LargeData d;
    return d;
}

void Backup_Dorv(benchmark::State &state)
{
    LargeData &d = data();
    for (auto _ : state) {
        backup::writeBackup(d.dataPath, d.backupPath, QStringLiteral("bench"));
        state.PauseTiming();
        QFile::remove(d.backupPath);
        state.ResumeTiming();
    }
}

void Backup_Raw(benchmark::State &state)
{
    LargeData &d = data();
    for (auto _ : state) {
        QTemporaryDir copies;
        for (const QString &file : QDir(d.dataPath).entryList({QStringLiteral("*.db")}, QDir::Files)) {
            sqlite3 *source = nullptr;
            sqlite3 *target = nullptr;
            sqlite3_open_v2(QFile::encodeName(d.dataPath + file).constData(), &source, SQLITE_OPEN_READONLY, nullptr);
            sqlite3_open(QFile::encodeName(copies.filePath(file)).constData(), &target);
            sqlite3_backup *copy = sqlite3_backup_init(target, "main", source, "main");
            sqlite3_backup_step(copy, -1);
            sqlite3_backup_finish(copy);
            sqlite3_close(target);
            sqlite3_close(source);
        }
    }
}

void Restore_Dorv(benchmark::State &state)
{
    LargeData &d = data();
    backup::writeBackup(d.dataPath, d.backupPath, QStringLiteral("bench"));
    for (auto _ : state) {
        const QString previous = backup::PreparedRestore(d.backupPath, d.dataPath).commit();
        state.PauseTiming();
        QDir(previous).removeRecursively();
        state.ResumeTiming();
    }
    QFile::remove(d.backupPath);
}

} // namespace

BENCHMARK(Backup_Dorv)->Name("Backup of 100,000 logs/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Backup_Raw)->Name("Backup of 100,000 logs/Raw")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Restore_Dorv)->Name("Restore of 100,000 logs/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
