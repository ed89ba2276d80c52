#pragma once

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace controls {

// Every message box, the file-open dialog, the beep and opening a web or mail address go
// through here, so that tests can answer them and read their exact texts.
class DialogService
{
public:
    virtual ~DialogService() = default;

    virtual void information(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    // A question with the buttons Yes and No; true for Yes.
    virtual bool confirm(const QString &text) = 0;
    // The file-open dialog. `filter` is a list of description|pattern pairs separated by "|"
    // ("Dorvlisten|*.dvz|alle Dateien|*.*"). Returns the chosen path, empty when cancelled.
    virtual QString openFile(const QString &title, const QString &filter, const QString &folder) = 0;
    // The file-save dialog, opened on `proposedPath` (folder and name) with the pair at index
    // `chosenFilter` of `filter` (pairs as for openFile) chosen; it asks before an existing
    // file is replaced. Choosing another pair changes the extension of the name shown, and a
    // name typed without extension gets the chosen pair's. Returns the path and the index of
    // the pair chosen; an empty path when cancelled.
    struct SaveChoice
    {
        QString path;
        int filter = 0;
    };
    virtual SaveChoice saveFile(const QString &title, const QString &filter, int chosenFilter, const QString &proposedPath) = 0;
    virtual void beep() = 0;
    // Asks the desktop to open a web or mail address; a failure is not reported.
    virtual void openUrl(const QString &url) = 0;
};

// Where a file dialog opens: the folder the user last chose there, else the user's documents,
// else the home folder.
inline QString dialogFolder(const QString &lastFolder)
{
    if (!lastFolder.isEmpty())
        return lastFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

} // namespace controls
