#pragma once

#include "app/FormLaden.h"
#include "app/FormNeu.h"
#include "controls/ScriptedDialogService.h"
#include "support/WindowBed.h"

#include <QFileInfo>
#include <QLineEdit>

#include <gtest/gtest.h>

// What the user does in the windows "new list" and "open list".
namespace listwindows {

inline QLineEdit *nameField(TFormNeu &form) { return form.findChild<QLineEdit *>(QStringLiteral("edtTabellenname")); }

// Types a name into the new-list window and presses "&OK".
inline void createList(TFormNeu &form, const QString &name)
{
    nameField(form)->setText(name);
    form.btnOkClick();
}

// Fills the list window, selects the list and presses "&Öffnen".
inline void openList(TFormLaden &form, const QString &name)
{
    form.FormActivate();
    ASSERT_TRUE(form.selectList(name)) << name.toStdString();
    form.btnOeffnenClick();
}

} // namespace listwindows

// The two list windows on the data module, without the main window.
class ListWindowsTest : public ::testing::Test
{
protected:
    TDMod &dmod() { return bed.dmod; }
    TFormNeu &formNeu() { return m_neu; }
    TFormLaden &formLaden() { return m_laden; }
    QLineEdit *nameField() { return listwindows::nameField(m_neu); }
    void createList(const QString &name) { listwindows::createList(m_neu, name); }
    bool tableFileExists(const QString &lowerName) { return QFileInfo::exists(bed.folder.dataPath() + lowerName + QStringLiteral(".db")); }

    controls::ScriptedDialogService dialogs;
    WindowBed bed{dialogs};

private:
    TFormNeu m_neu{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
    TFormLaden m_laden{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
};
