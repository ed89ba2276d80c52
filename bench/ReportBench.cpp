// The printed log list of 10,000 logs (about 100 pages): laying it out, and laying it out and
// writing the PDF, from the shipped template. Goal: the PDF in under 3 s.
#include "report/Report.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int logCount = 10000;

struct LogList
{
    report::TablePipeline logs{{"ID", "LAENGE", "DURCHMEIN", "DURCHMEFF", "GUETEKLASSE", "VOLUMEN", "STAERKEKLASSE"}};
    report::TablePipeline zusatz{{"ID", "OFFSET", "ABTEILUNG", "BAUMART", "SORTE", "ZUSATZTEXT", "GESCHAELT", "GERUECKT"}};
    report::TablePipeline firma{{"Firma", "Name1", "Strasse", "Plz", "Ort", "Telefon"}};
    report::TablePipeline gesVol{{"GesVol", "Menge"}};
    report::TablePipeline gewLaenge{{"GewLaenge"}};
    report::Report report;

    LogList()
    {
        for (int i = 1; i <= logCount; ++i)
            logs.addRow({i, 10 + i % 15, 20 + i % 40, 18 + i % 40, i % 4 == 0 ? "C" : "B", 0.25 + (i % 100) / 50.0, "2a"});
        zusatz.addRow({1, "Bench", "12 B", "Fichte", "Stammholz", "", true, false});
        firma.addRow({"Forstbetrieb", "Name", "Weg 1", "12345", "Ort", "0123"});
        gesVol.addRow({12345.6, logCount});
        gewLaenge.addRow({14.2});
        // The template as it lies in the sources, beside this folder.
        report.setTemplateFileName(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../report/Dorvliste.rtm");
        report.loadFromFile();
        report.setPipeline("Dorvliste", &logs);
        report.setPipeline("Zusatzdaten", &zusatz);
        report.setPipeline("Firma", &firma);
        report.setPipeline("gesVol", &gesVol);
        report.setPipeline("GewLaenge", &gewLaenge);
    }
};

void LayOutLogList_Dorv(benchmark::State &state)
{
    LogList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.report.layOut());
}

void LogListPdf_Dorv(benchmark::State &state)
{
    LogList list;
    QTemporaryDir dir;
    const QString path = dir.filePath("Dorvliste.pdf");
    for (auto _ : state)
        list.report.writePdf(path);
}

} // namespace

BENCHMARK(LayOutLogList_Dorv)->Name("Lay out 10,000 logs/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LogListPdf_Dorv)->Name("Lay out and write PDF of 10,000 logs/Dorv")->Unit(benchmark::kMillisecond)->Iterations(3);
