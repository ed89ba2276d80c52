#include "app/DataLocation.h"

#include "backup/Restore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace app {

namespace {

const QString DataFolderName = QStringLiteral("Daten");
const QString ReportFolderName = QStringLiteral("Report");

bool isFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}

} // namespace

DataLocation::Folders DataLocation::Folders::of(const QString &programFolder)
{
    return {programFolder, QDir::cleanPath(programFolder + QStringLiteral("/../share/dorv")),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
}

QString DataLocation::dataPath() const
{
    const QString besideProgram = m_folders.program + u'/' + DataFolderName;
    backup::completeInterruptedRestore(besideProgram);
    // A folder a running program is restoring counts as there: its start then ends.
    if (isFolder(besideProgram) || backup::restoreInProgress(besideProgram))
        return besideProgram + u'/';

    const QString own = m_folders.user + u'/' + DataFolderName;
    backup::completeInterruptedRestore(own);
    if (!isFolder(own))
        createUserDataFolder(own);
    return own + u'/';
}

// The delivered tables are copied into a new folder beside the data folder, which takes its
// name only when it is complete: a first start cut short leaves no half-filled data folder.
void DataLocation::createUserDataFolder(const QString &dataFolder) const
{
    const QDir delivered(m_folders.installed + u'/' + DataFolderName);
    if (!delivered.exists())
        return;
    const QString filling = dataFolder + QStringLiteral(".neu");
    QDir(filling).removeRecursively();
    bool complete = QDir().mkpath(filling);
    for (const QString &file : delivered.entryList(QDir::Files)) {
        if (!complete)
            break;
        complete = QFile::copy(delivered.filePath(file), filling + u'/' + file);
        // Installed files may be read-only; the user's copies are the user's to change.
        QFile::setPermissions(filling + u'/' + file, QFile::permissions(filling + u'/' + file) | QFile::WriteOwner);
    }
    if (!complete || std::rename(QFile::encodeName(filling).constData(), QFile::encodeName(dataFolder).constData()) != 0)
        QDir(filling).removeRecursively();
}

QString DataLocation::reportPath() const
{
    const QString besideProgram = m_folders.program + u'/' + ReportFolderName;
    const QString installed = m_folders.installed + u'/' + ReportFolderName;
    if (!isFolder(besideProgram) && isFolder(installed))
        return installed + u'/';
    return besideProgram + u'/';
}

} // namespace app
