#pragma once

#include <QString>

namespace data {

// What the main window owns and the other windows use: the current list, the data path, the
// program folder and the folder of the report templates, and the operations that point the queries at the list and refresh the
// status bar and menus. The main window implements it; start-up hands it down.
class Shell
{
public:
    virtual ~Shell() = default;

    virtual QString currentListName() const = 0;
    virtual void setCurrentListName(const QString &name) = 0;
    virtual QString dataPath() const = 0;
    virtual QString ProgrammVerzeichnis() const = 0;
    // The folder of the report templates, with a trailing "/": Report beside the program.
    virtual QString reportPath() const { return ProgrammVerzeichnis() + QStringLiteral("/Report/"); }
    virtual void SQLVorbereiten() = 0;
    virtual void FuelleStatusBar(bool listOpen) = 0;
    // Enables the menu items that need a list (and disables the import), or the reverse.
    virtual void setListMenus(bool listOpen) = 0;
};

} // namespace data
