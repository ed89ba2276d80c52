#pragma once

#include <QString>

namespace app {

// Where the program keeps its data and finds its report templates.
//
// A program folder that holds a folder Daten keeps its data there (the build folder, a copy
// carried on a stick). Otherwise, as for an installed program, the data lives in the user's
// own folder for the program's data; on the first start that folder is created and the
// delivered tables are copied into it from the installed copy. A data folder that exists is
// never overwritten. The templates are read from the folder Report beside the program when it
// is there, else from the installed copy.
class DataLocation
{
public:
    struct Folders
    {
        QString program;   // the folder of the program file
        QString installed; // the installed copy of Daten and Report: <program>/../share/dorv
        QString user;      // the user's folder for the program's data, e.g. ~/.local/share/Dorv

        // The folders of the program in programFolder, for the user running it. The program's
        // name must be set (it names the user's folder).
        static Folders of(const QString &programFolder);
    };

    explicit DataLocation(Folders folders) : m_folders(std::move(folders)) {}

    const Folders &folders() const { return m_folders; }

    // The data path, with a trailing "/". A data folder whose restore was cut short is
    // completed first; the user's data folder is created and filled on its first use. When
    // that is impossible, the path of the missing folder is returned all the same.
    QString dataPath() const;
    // The folder of the report templates, with a trailing "/".
    QString reportPath() const;

private:
    void createUserDataFolder(const QString &dataFolder) const;

    Folders m_folders;
};

} // namespace app
