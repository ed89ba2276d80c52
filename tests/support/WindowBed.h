#pragma once

#include "controls/DialogService.h"
#include "data/DataModule.h"
#include "invoiceregister/RegisterTable.h"
#include "support/ProgramFolder.h"
#include "support/TestShell.h"

#include <QWidget>

// What a window needs around it, without the main window: a fresh program folder (data with
// the delivered tables, the shipped templates), a shell that points the list queries at its
// current list as the main window does, the data module and the register of issued invoices
// started as at start-up, and a widget
// in the main window's place as the windows' parent. Declare the windows after it.
class WindowBed
{
public:
    explicit WindowBed(controls::DialogService &dialogs)
    {
        shell.programFolder = folder.path();
        shell.dataModule = &dmod;
        dmod.setConfirmation([&dialogs](const QString &question) { return dialogs.confirm(question); });
        dmod.DataModuleCreate();
        invoiceregister::table::ensure(dmod.dbDorv);
    }

    ProgramFolder folder;
    TestShell shell{folder.dataPath()};
    TDMod dmod{shell};
    QWidget mainWindow;
};

// One window on its bed.
template <class Window>
struct WindowAlone
{
    explicit WindowAlone(controls::DialogService &dialogs) : bed(dialogs), form(bed.dmod, bed.shell, dialogs, &bed.mainWindow) {}

    const ProgramFolder &folder() const { return bed.folder; }
    TDMod &dmod() { return bed.dmod; }

    WindowBed bed;
    Window form;
};
