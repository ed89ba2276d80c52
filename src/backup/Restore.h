#pragma once

#include "backup/Backup.h"
#include "backup/Manifest.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace backup {

// A restore made ready from a backup file: every table file of the backup lies, checked, in a
// folder beside the data folder ("<data folder>.wiederherstellen"). commit() puts it in place
// of the data folder; a restore never committed removes it again.
//
// At every moment the data folder is either the old one or the new one, complete: the old is
// renamed aside, then the new renamed into place. A program killed between the two renames
// finds the new folder complete beside the missing data folder, and completeInterruptedRestore()
// at the next start finishes the job.
class PreparedRestore
{
public:
    // Reads the whole backup file and checks it: the manifest, every table file present and
    // unharmed, every table with the rows the manifest states. On any fault BackupError with
    // a message for the user; the data folder is not touched.
    PreparedRestore(const QString &backupPath, const QString &dataFolder, const Progress &progress = {});
    ~PreparedRestore();
    PreparedRestore(const PreparedRestore &) = delete;
    PreparedRestore &operator=(const PreparedRestore &) = delete;

    const Manifest &manifest() const { return m_manifest; }

    // Replaces the data folder by the restored one. The old data folder stays beside it as
    // "<data folder>.vorher-<yyyy-MM-dd-HHmmss>"; its path is returned. Nothing may have the
    // data folder's files open. `oldDataAside` is told when the old folder has been renamed
    // and the new one is about to take its place.
    QString commit(const QDateTime &now = QDateTime::currentDateTime(), const std::function<void()> &oldDataAside = {});

private:
    void extractAndCheck(class ZipReader &zip, const QString &backupPath, const Progress &progress);

    QString m_dataFolder;
    QString m_staging;
    Manifest m_manifest;
    bool m_committed = false;
};

// Finishes a restore that was cut short after the old data folder was renamed aside and before
// the new one took its place. Call it before the data folder is used; otherwise it does nothing.
void completeInterruptedRestore(const QString &dataFolder);

} // namespace backup
