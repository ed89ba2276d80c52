// Importing a harvester production file of 100,000 logs (about 40 MB): reading the file as a
// stream, the figures of the window, and creating four lists with their headers, ELDAT facts
// and every log in one transaction, against raw SQLite inserting the same rows in one
// transaction; the reading alone, and the import of the chosen lists alone.
#include "ImportFiles.h"
#include "harvester/ImportPlan.h"
#include "harvester/ListImport.h"
#include "harvester/ProductionReader.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cmath>
#include <vector>

namespace {

constexpr int logCount = 100000;
constexpr int logsPerStem = 4;
constexpr int speciesCount = 4;

int lengthCm(int i) { return 250 + (i * 37) % 300; }
int midOb(int i) { return 120 + (i * 53) % 400; }

// The file as a harvester writes it, with the measurements the import does not use as well.
QByteArray productionFile()
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<HarvestedProduction xmlns=\"urn:skogforsk:stanford2010\" "
                     "version=\"3.2\">\n <HarvestedProductionHeader><SenderApplication>Bench 1.0</SenderApplication>"
                     "<CreationDate>2024-01-17T11:33:41+01:00</CreationDate></HarvestedProductionHeader>\n <Machine>\n"
                     "  <MachineBaseManufacturer>Ponsse</MachineBaseManufacturer><MachineBaseModel>Ergo</MachineBaseModel>\n";
    for (int s = 1; s <= speciesCount; ++s)
        out += "  <SpeciesGroupDefinition><SpeciesGroupKey>" + QByteArray::number(s) + "</SpeciesGroupKey><SpeciesGroupName>Art"
               + QByteArray::number(s) + "</SpeciesGroupName></SpeciesGroupDefinition>\n";
    out += "  <ProductDefinition><ProductKey>1</ProductKey><ClassifiedProductDefinition><ProductName>Stamm</ProductName>"
           "</ClassifiedProductDefinition></ProductDefinition>\n"
           "  <ObjectDefinition><ObjectKey>1</ObjectKey><ObjectName>Schlag</ObjectName></ObjectDefinition>\n";
    out.reserve(45 * 1000 * 1000);
    for (int i = 0; i < logCount; ++i) {
        const int stemIndex = i / logsPerStem;
        if (i % logsPerStem == 0) {
            out += "  <Stem>\n   <StemKey>" + QByteArray::number(stemIndex) + "</StemKey><ObjectKey>1</ObjectKey><SpeciesGroupKey>"
                   + QByteArray::number(1 + stemIndex % speciesCount)
                   + "</SpeciesGroupKey>\n   <HarvestDate>2024-01-15T09:44:23.205+01:00</HarvestDate>\n"
                     "   <StemCoordinates receiverPosition=\"Base machine position\" coordinateReferenceSystem=\"WGS84\">"
                     "<Latitude latitudeCategory=\"North\">48."
                   + QByteArray::number(10000 + stemIndex % 5000) + "</Latitude><Longitude longitudeCategory=\"East\">11."
                   + QByteArray::number(20000 + stemIndex % 7000)
                   + "</Longitude><Altitude>401</Altitude></StemCoordinates>\n   <SingleTreeProcessedStem><DBH>326</DBH>\n";
        }
        const int ob = midOb(i);
        out += "    <Log><LogKey>" + QByteArray::number(i % logsPerStem + 1)
               + "</LogKey><ProductKey>1</ProductKey>\n"
                 "     <LogVolume logVolumeCategory=\"m3 (price)\">0.226</LogVolume><LogVolume logVolumeCategory=\"m3sob\">0.248"
                 "</LogVolume><LogVolume logVolumeCategory=\"m3sub\">0.226</LogVolume>\n"
                 "     <LogMeasurement><LogDiameter logDiameterCategory=\"Mid ob\">"
               + QByteArray::number(ob) + "</LogDiameter><LogDiameter logDiameterCategory=\"Mid ub\">" + QByteArray::number(ob - 14)
               + "</LogDiameter><LogDiameter logDiameterCategory=\"Top ob\">295</LogDiameter>"
                 "<LogDiameter logDiameterCategory=\"Top ub\">281</LogDiameter><LogLength>"
               + QByteArray::number(lengthCm(i)) + "</LogLength></LogMeasurement></Log>\n";
        if (i % logsPerStem == logsPerStem - 1)
            out += "   </SingleTreeProcessedStem>\n  </Stem>\n";
    }
    out += " </Machine>\n</HarvestedProduction>\n";
    return out;
}

// One list per species, as the window proposes them.
harvester::ImportChoice everySpecies(const harvester::Production &production)
{
    const harvester::ImportPlan plan(production, harvester::Bark::With);
    harvester::ImportChoice choice;
    for (const harvester::GroupFigures &g : plan.groups())
        choice.lists.push_back({g.speciesKey, QStringLiteral("Art") + g.speciesKey});
    return choice;
}

// The whole way: the file read, the window's figures, the lists written.
void ImportHarvesterFile_Dorv(benchmark::State &state)
{
    const ImportSource source(QStringLiteral("Schlag.hpr"), productionFile());
    for (auto _ : state) {
        state.PauseTiming();
        EmptyDataFolder data;
        state.ResumeTiming();
        const harvester::Production production = harvester::readProductionFile(source.path);
        if (harvester::importLists(data.db, production, everySpecies(production)).logs != logCount)
            state.SkipWithError("not every log was imported");
    }
}

// "Importieren" alone: the file was read and the window shown before.
void ImportChosenLists_Dorv(benchmark::State &state)
{
    const ImportSource source(QStringLiteral("Schlag.hpr"), productionFile());
    const harvester::Production production = harvester::readProductionFile(source.path);
    const harvester::ImportChoice choice = everySpecies(production);
    for (auto _ : state) {
        state.PauseTiming();
        EmptyDataFolder data;
        state.ResumeTiming();
        if (harvester::importLists(data.db, production, choice).logs != logCount)
            state.SkipWithError("not every log was imported");
    }
}

// The reading alone, for where the time of the import goes.
void ReadHarvesterFile(benchmark::State &state)
{
    const ImportSource source(QStringLiteral("Schlag.hpr"), productionFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(harvester::readProductionFile(source.path).stems.size());
}

void ImportHarvesterFile_Raw(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        sqlite3 *db = nullptr;
        sqlite3_open((dir.path() + "/art.db").toUtf8().constData(), &db);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt[speciesCount] = {};
        for (int s = 0; s < speciesCount; ++s)
            stmt[s] = rawListTable(db, "Art" + QByteArray::number(s + 1));
        int ids[speciesCount] = {};
        for (int i = 0; i < logCount; ++i) {
            const int s = (i / logsPerStem) % speciesCount;
            const int durchmein = midOb(i) / 10;
            const int durchmeff = durchmein - (durchmein >= 30 ? 2 : 1);
            const int laenge = lengthCm(i) / 100;
            sqlite3_bind_int(stmt[s], 1, ++ids[s]);
            sqlite3_bind_int(stmt[s], 2, laenge);
            sqlite3_bind_int(stmt[s], 3, durchmein);
            sqlite3_bind_int(stmt[s], 4, durchmeff);
            sqlite3_bind_text(stmt[s], 5, "B", -1, SQLITE_STATIC);
            sqlite3_bind_double(stmt[s], 6, std::round(M_PI / 4 * durchmeff * durchmeff / 1e4 * laenge * 100) / 100);
            sqlite3_bind_text(stmt[s], 7, "2a", -1, SQLITE_STATIC);
            sqlite3_step(stmt[s]);
            sqlite3_reset(stmt[s]);
        }
        for (sqlite3_stmt *st : stmt)
            sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ImportHarvesterFile_Dorv)->Name("Import 100,000-log harvester file/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadHarvesterFile)->Name("Read 100,000-log harvester file")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportHarvesterFile_Raw)->Name("Import 100,000-log harvester file/Raw")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportChosenLists_Dorv)->Name("Import the chosen lists of 100,000 harvester logs/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportHarvesterFile_Raw)->Name("Import the chosen lists of 100,000 harvester logs/Raw")->Unit(benchmark::kMillisecond)->Iterations(3);
