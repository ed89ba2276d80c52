#pragma once

#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "app/FormLaden.h"
#include "app/FormNeu.h"
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
    ScriptedDialogService dialogs;
    ProgramFolder folder;
    DorvProgram program{dialogs, folder.path()};

    TFormDorv &main() { return program.FormDorv(); }
    TDMod &dmod() { return program.DMod(); }
    TFormNeu &formNeu() { return *program.windows().FormNeu; }
    TFormLaden &formLaden() { return *program.windows().FormLaden; }
    QLineEdit *nameField() { return formNeu().findChild<QLineEdit *>(QStringLiteral("edtTabellenname")); }

    // Types a name into the new-list window and presses "&OK".
    void createList(const QString &name)
    {
        nameField()->setText(name);
        formNeu().btnOkClick();
    }
    // Fills the list window, selects the list and presses "&Öffnen".
    void openList(const QString &name)
    {
        formLaden().FormActivate();
        ASSERT_TRUE(formLaden().selectList(name)) << name.toStdString();
        formLaden().btnOeffnenClick();
    }

    bool enabled(const char *item) { return main().menuItem(QString::fromLatin1(item))->isEnabled(); }
    bool tableFileExists(const QString &lowerName) { return QFileInfo::exists(folder.dataPath() + lowerName + QStringLiteral(".db")); }
};
