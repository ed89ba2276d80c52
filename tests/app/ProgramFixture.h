#pragma once

#include "ListWindows.h"

#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "support/ProgramFolder.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>

#include <gtest/gtest.h>

// The whole program on a fresh program folder, with scripted message boxes.
class ProgramTest : public ::testing::Test
{
protected:
    controls::ScriptedDialogService dialogs;
    ProgramFolder folder;
    app::DorvProgram program{dialogs, folder.path()};

    TFormDorv &main() { return program.FormDorv(); }
    TDMod &dmod() { return program.DMod(); }
    TFormNeu &formNeu() { return *program.windows().FormNeu; }
    TFormLaden &formLaden() { return *program.windows().FormLaden; }
    QLineEdit *nameField() { return listwindows::nameField(formNeu()); }
    void createList(const QString &name) { listwindows::createList(formNeu(), name); }
    void openList(const QString &name) { listwindows::openList(formLaden(), name); }

    bool enabled(const char *item) { return main().menuItem(QString::fromLatin1(item))->isEnabled(); }
    bool tableFileExists(const QString &lowerName) { return QFileInfo::exists(folder.dataPath() + lowerName + QStringLiteral(".db")); }
};
