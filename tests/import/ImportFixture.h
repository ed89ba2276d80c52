#pragma once

#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "import/FormImport.h"
#include "support/LegacyFiles.h"
#include "support/ProgramWindow.h"
#include "support/WindowBed.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// The import window shown, a folder for version 2.0 files, and the scripted dialogs that
// answer the file dialog.
template <class Surroundings>
class ImportWindowOn : public ::testing::Test
{
protected:
    ImportWindowOn() : around(dialogs), folder(around.folder()), form(around.form), db(around.dmod().dbDorv) {}

    void SetUp() override
    {
        ASSERT_TRUE(oldFiles.isValid());
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'\n').toStdString();
        form.show();
    }

    QString write(const QString &name, const QByteArray &bytes) { return legacyfiles::write(oldFiles.path(), name, bytes); }

    // Chooses the file in the file dialog, optionally types another list name, and presses
    // "&Import".
    void importFile(const QString &path, const QString &listName = {})
    {
        if (!form.isVisible())
            form.show();
        dialogs.files.push_back(path);
        form.btnDateiOeffnenClick();
        if (!listName.isNull())
            form.edtNeueDatei()->setText(listName);
        form.btnImportClick();
    }

    bool tableFileExists(const QString &table) const { return QFileInfo::exists(folder.dataPath() + table.toLower() + ".db"); }

    engine::ResultSet logs(const QString &list)
    {
        return db.query(QStringLiteral("SELECT * FROM ") + list + QStringLiteral(" ORDER BY ID"));
    }

    engine::ResultSet headers()
    {
        return db.query(QStringLiteral("SELECT OFFSET, ABTEILUNG, BAUMART, SORTE, ZUSATZTEXT, GESCHAELT, GERUECKT "
                                       "FROM DORVZUSATZ ORDER BY ID"));
    }

    static QString success() { return QStringLiteral("Die Daten wurden erfolgreich importiert!"); }

    controls::ScriptedDialogService dialogs;
    Surroundings around;
    const ProgramFolder &folder;
    TFormImport &form;
    engine::Connection &db;
    QTemporaryDir oldFiles;
};

using ImportWindowTest = ImportWindowOn<WindowAlone<TFormImport>>;
// For what the main window shows after an import.
using ImportWindowInProgramTest = ImportWindowOn<ProgramWindow<TFormImport, &app::DorvWindows::FormImport>>;
