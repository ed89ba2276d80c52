// 100,000 log rows inserted in one transaction: through the engine (dialect, statement
// cache, named parameters, CHAR checks) against raw SQLite doing the same inserts.
#include "data/LogList.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int logCount = 100000;

void InsertLogs_Dorv(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + dir.path()});
        db.execute(data::loglist::createListSql(QStringLiteral("Wald")));
        const QString sql = data::loglist::insertLogSql(QStringLiteral("Wald"));
        state.ResumeTiming();
        engine::Transaction tx(db);
        // The parameters are built once and their values set per row, as the import does.
        engine::Params params{{"ID", 0}, {"LAENGE", 12}, {"DURCHMEIN", 35}, {"DURCHMEFF", 33}, {"GUETEKLASSE", "C"},
                              {"VOLUMEN", 1.03}, {"STAERKEKLASSE", "3a"}};
        for (int i = 1; i <= logCount; ++i) {
            params[0].value = i;
            db.execute(sql, params);
        }
        tx.commit();
    }
}

void InsertLogs_Raw(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        sqlite3 *db = nullptr;
        sqlite3_open((dir.path() + "/wald.db").toUtf8().constData(), &db);
        sqlite3_exec(db, "CREATE TABLE Wald ( ID INTEGER, LAENGE INTEGER, DURCHMEIN INTEGER, DURCHMEFF INTEGER, GUETEKLASSE TEXT,"
                         " VOLUMEN REAL, STAERKEKLASSE TEXT, PRIMARY KEY(ID))",
                     nullptr, nullptr, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Wald VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)", -1, &stmt, nullptr);
        for (int i = 1; i <= logCount; ++i) {
            sqlite3_bind_int(stmt, 1, i);
            sqlite3_bind_int(stmt, 2, 12);
            sqlite3_bind_int(stmt, 3, 35);
            sqlite3_bind_int(stmt, 4, 33);
            sqlite3_bind_text(stmt, 5, "C", 1, SQLITE_STATIC);
            sqlite3_bind_double(stmt, 6, 1.03);
            sqlite3_bind_text(stmt, 7, "3a", 2, SQLITE_STATIC);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}

} // namespace

BENCHMARK(InsertLogs_Dorv)->Name("Insert 100,000 logs/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(InsertLogs_Raw)->Name("Insert 100,000 logs/Raw")->Unit(benchmark::kMillisecond)->Iterations(3);
