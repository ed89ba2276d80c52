// Start-up of the whole program to its main window shown, on the offscreen platform: the
// main window, the data module opening the data folder and every other window created
// hidden, as the program starts. Goal: under 0.5 s.
#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DeliveredTables.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

// A program folder as the build lays it out: Daten/ with the delivered tables, Report/ with
// the shipped templates, both from the sources beside this folder.
struct ProgramFolder
{
    QTemporaryDir dir;

    ProgramFolder()
    {
        const QString sources = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/..");
        QDir root(dir.path());
        root.mkdir(QStringLiteral("Daten"));
        root.mkdir(QStringLiteral("Report"));
        createDeliveredTables(dir.path() + QStringLiteral("/Daten/"), sources + QStringLiteral("/data"));
        const QDir templates(sources + QStringLiteral("/report"));
        for (const QString &file : templates.entryList({QStringLiteral("*.rtm")}, QDir::Files))
            QFile::copy(templates.filePath(file), dir.path() + QStringLiteral("/Report/") + file);
    }
};

void StartUp_Dorv(benchmark::State &state)
{
    ProgramFolder folder;
    for (auto _ : state) {
        // Messages would stop a real start-up; here they are recorded, and any is a failure.
        ScriptedDialogService dialogs;
        std::optional<DorvProgram> program;
        program.emplace(dialogs, folder.dir.path());
        program->FormDorv().showMaximized();
        QApplication::processEvents();
        state.PauseTiming();
        if (!dialogs.messages.empty() || !program->FormDorv().isVisible())
            state.SkipWithError("start-up showed a message or no main window");
        program.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(StartUp_Dorv)->Name("Start-up to main window shown/Dorv")->Unit(benchmark::kMillisecond)->Iterations(5);
