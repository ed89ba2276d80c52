// Start-up of the whole program to its main window shown, on the offscreen platform: the
// main window, the data module opening the data folder and every other window created
// hidden, as the program starts. Goal: under 0.5 s.
#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"

#include "ProgramFolder.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

void StartUp_Dorv(benchmark::State &state)
{
    ProgramFolder folder;
    for (auto _ : state) {
        // Messages would stop a real start-up; here they are recorded, and any is a failure.
        controls::ScriptedDialogService dialogs;
        std::optional<app::DorvProgram> program;
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
