// Importing a version 2.0 list of 100,000 logs: reading the file, creating the list and its
// header row and storing every log in one transaction, against raw SQLite inserting the same
// rows in one transaction.
#include "ImportFiles.h"
#include "import/ListImporter.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

namespace {

constexpr int logCount = 100000;

struct Row
{
    int id, laenge, durchmein, durchmeff;
    const char *gueteklasse;
    double volumen;
    const char *staerkeklasse;
};

Row rowOf(int id)
{
    const int durchmein = 20 + id % 30;
    // Measured over bark: the deduction of 1 cm, or 2 cm from 30 cm on.
    const int durchmeff = durchmein - (durchmein >= 30 ? 2 : 1);
    return {id, 8 + id % 10, durchmein, durchmeff, id % 3 == 0 ? "Cgw" : "B", 0.1 + (id % 97) * 0.0125,
            id % 2 == 0 ? "2a" : "3b"};
}

QByteArray legacyFile()
{
    QByteArray bytes;
    for (int id = 1; id <= logCount; ++id) {
        const Row r = rowOf(id);
        bytes += QByteArray::number(r.id) + "\r\n" + QByteArray::number(r.laenge) + "\r\n" + QByteArray::number(r.durchmein)
                 + "\r\n" + r.gueteklasse + "\r\n" + QByteArray::number(r.volumen, 'f', 4).replace('.', ',') + "\r\n"
                 + r.staerkeklasse + "\r\n\r\n";
    }
    return bytes;
}

void ImportLegacyList_Dorv(benchmark::State &state)
{
    const ImportSource source(QStringLiteral("Wald.dvz"), legacyFile());
    for (auto _ : state) {
        state.PauseTiming();
        EmptyDataFolder data;
        state.ResumeTiming();
        importing::ListeImportieren(data.db, source.path, QStringLiteral("Wald"));
    }
}

void ImportLegacyList_Raw(benchmark::State &state)
{
    std::vector<Row> rows;
    rows.reserve(logCount);
    for (int id = 1; id <= logCount; ++id)
        rows.push_back(rowOf(id));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        sqlite3 *db = nullptr;
        sqlite3_open((dir.path() + "/wald.db").toUtf8().constData(), &db);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt = rawListTable(db, "Wald");
        for (const Row &r : rows) {
            sqlite3_bind_int(stmt, 1, r.id);
            sqlite3_bind_int(stmt, 2, r.laenge);
            sqlite3_bind_int(stmt, 3, r.durchmein);
            sqlite3_bind_int(stmt, 4, r.durchmeff);
            sqlite3_bind_text(stmt, 5, r.gueteklasse, -1, SQLITE_STATIC);
            sqlite3_bind_double(stmt, 6, r.volumen);
            sqlite3_bind_text(stmt, 7, r.staerkeklasse, -1, SQLITE_STATIC);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ImportLegacyList_Dorv)->Name("Import 100,000-log legacy file/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportLegacyList_Raw)->Name("Import 100,000-log legacy file/Raw")->Unit(benchmark::kMillisecond)->Iterations(3);
