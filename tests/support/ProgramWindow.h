#pragma once

#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "data/DataModule.h"
#include "support/ProgramFolder.h"

namespace controls { class DialogService; }

// One window of the whole program on a fresh program folder, for tests of what the main window
// does with it; `WindowAlone` (WindowBed.h) is the same without the main window.
template <class Window, Window *app::DorvWindows::*member>
struct ProgramWindow
{
    explicit ProgramWindow(controls::DialogService &dialogs) : program(dialogs, programFolder.path()), form(*(program.windows().*member)) {}

    const ProgramFolder &folder() const { return programFolder; }
    TDMod &dmod() { return program.DMod(); }

    ProgramFolder programFolder;
    app::DorvProgram program;
    Window &form;
};
