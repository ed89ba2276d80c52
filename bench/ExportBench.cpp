// Exporting a list of 100,000 logs as CSV and as ELDATsmart document: reading the logs,
// building the file and writing it, against raw SQLite reading the same rows and printing
// the same lines (CSV) or the same log objects (JSON) with snprintf.
#include "data/LogList.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "evaluation/ExportSource.h"
#include "export/CsvWriter.h"
#include "export/EldatChecks.h"
#include "export/EldatWriter.h"
#include "export/FileOutput.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace {

constexpr int logCount = 100000;
const QString listName = QStringLiteral("Wald");

// A data folder with the list "Wald" of 100,000 logs and its header row.
struct ExportSetup
{
    ExportSetup()
    {
        db.open({QStringLiteral("PATH=") + dir.path()});
        data::loglist::addListTables(db, QStringLiteral("Wald"));
        values::ListHeader header;
        header.species = QStringLiteral("Fichte");
        header.assortment = QStringLiteral("Stammholz");
        data::loglist::addHeaderRow(db, QStringLiteral("Wald"), header);
        engine::Transaction tx(db);
        const char *qualities[] = {"B", "C", "Cgw"};
        const char *classes[] = {"2a", "2b", "3a", "3b", "4"};
        engine::Params params{{"ID", 0}, {"L", 0}, {"D", 0}, {"DE", 0}, {"GK", ""}, {"V", 0.0}, {"SK", ""}};
        for (int id = 1; id <= logCount; ++id) {
            params[0].value = id;
            params[1].value = 4 + id % 20;
            params[2].value = 22 + id % 25;
            params[3].value = 20 + id % 25;
            params[4].value = QString::fromLatin1(qualities[id % 3]);
            params[5].value = (id % 400) / 100.0 + 0.0125 * (id % 2);
            params[6].value = QString::fromLatin1(classes[id % 5]);
            db.execute(QStringLiteral("INSERT INTO Wald VALUES ( :ID, :L, :D, :DE, :GK, :V, :SK )"), params);
        }
        tx.commit();
    }

    QString target(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    engine::Connection db;
};

exporting::EldatInput eldatFrame()
{
    exporting::EldatInput in;
    values::Seller c;
    c.company = QStringLiteral("Forstbetrieb Muster");
    c.street = QStringLiteral("Waldweg 1");
    c.postcode = QStringLiteral("12345");
    c.city = QStringLiteral("Musterstadt");
    c.phone = QStringLiteral("01234 5678");
    c.email = QStringLiteral("info@forst-muster.example");
    in.company = exporting::eldatCompany(c);
    in.facts.fellingDate = QDate(2026, 1, 15);
    in.facts.pileNumber = QStringLiteral("P1");
    in.facts.latitude = 49.87;
    in.facts.longitude = 8.91;
    in.facts.species = QStringLiteral("fi");
    in.facts.grade = QStringLiteral("st");
    in.facts.use = QStringLiteral("sg");
    in.facts.processId = QStringLiteral("6f1c2a9e-0000-4000-8000-000000000002");
    in.envelope = {QStringLiteral("6f1c2a9e-0000-4000-8000-000000000001"), QStringLiteral("6f1c2a9e-0000-4000-8000-000000000003"),
                   QDateTime::currentDateTimeUtc(), QStringLiteral("3.0d")};
    return in;
}

// Raw SQLite: every row of the list, in log-number order, handed to `line`.
template <typename Line>
void eachRawRow(const ExportSetup &setup, Line &&line)
{
    sqlite3 *db = nullptr;
    sqlite3_open((setup.dir.path() + "/wald.db").toUtf8().constData(), &db);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE FROM Wald ORDER BY ID", -1,
                       &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        line(stmt);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void writeRaw(const QString &path, const std::string &bytes)
{
    FILE *f = std::fopen(path.toUtf8().constData(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void ExportCsv_Dorv(benchmark::State &state)
{
    ExportSetup setup;
    for (auto _ : state)
        exporting::writeWholeFile(setup.target("Wald.csv"), exporting::csvDocument(evaluation::exportLogs(setup.db, listName)));
}

void ExportCsv_Raw(benchmark::State &state)
{
    ExportSetup setup;
    for (auto _ : state) {
        std::string out = "\xEF\xBB\xBFStamm-Nr;L\xC3\xA4nge;Durchmesser;Durchm. eff;G\xC3\xBCteklasse;Volumen;St\xC3\xA4rkeklasse\r\n";
        char line[160];
        eachRawRow(setup, [&](sqlite3_stmt *s) {
            std::snprintf(line, sizeof line, "%d;%d;%d;%d;%s;%.15g;%s\r\n", sqlite3_column_int(s, 0), sqlite3_column_int(s, 1),
                          sqlite3_column_int(s, 2), sqlite3_column_int(s, 3), sqlite3_column_text(s, 4),
                          sqlite3_column_double(s, 5), sqlite3_column_text(s, 6));
            out += line;
        });
        writeRaw(setup.target("raw.csv"), out);
    }
}

void ExportEldat_Dorv(benchmark::State &state)
{
    ExportSetup setup;
    exporting::EldatInput in = eldatFrame();
    for (auto _ : state) {
        in.logs = evaluation::exportLogs(setup.db, listName);
        in.header = evaluation::exportHeader(setup.db, listName);
        exporting::writeWholeFile(setup.target("Wald.json"), exporting::eldatDocument(in));
    }
}

void ExportEldat_Raw(benchmark::State &state)
{
    ExportSetup setup;
    for (auto _ : state) {
        std::string out = "{\"log\":[";
        char line[320];
        eachRawRow(setup, [&](sqlite3_stmt *s) {
            std::snprintf(line, sizeof line,
                          "{\"amount\":{\"amount_unit\":\"fmo\",\"amount_value\":%.15g},\"diameter\":%d,"
                          "\"quality_definition\":{\"qual_type\":\"%s\"},\"species\":\"fi\",\"stam_id\":\"%d\","
                          "\"stem_length\":%d,\"thickness_class\":\"d%s\"},",
                          sqlite3_column_double(s, 5), sqlite3_column_int(s, 3), sqlite3_column_text(s, 4),
                          sqlite3_column_int(s, 0), sqlite3_column_int(s, 1), sqlite3_column_text(s, 6));
            out += line;
        });
        out.back() = ']';
        out += '}';
        writeRaw(setup.target("raw.json"), out);
    }
}

} // namespace

BENCHMARK(ExportCsv_Dorv)->Name("Export 100,000 logs as CSV/Dorv")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExportCsv_Raw)->Name("Export 100,000 logs as CSV/Raw")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExportEldat_Dorv)->Name("Export 100,000 logs as ELDATsmart/Dorv")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExportEldat_Raw)->Name("Export 100,000 logs as ELDATsmart/Raw")->Unit(benchmark::kMillisecond)->Iterations(5);
