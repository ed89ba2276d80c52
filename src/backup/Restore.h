#pragma once

#include "backup/Backup.h"
#include "backup/Manifest.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace backup {

// What the program accepts as its data beyond what the backup itself states: a restore takes in
// only what the program writes.
struct RestoreRules
{
    // Why a table with these columns is not one of the program's; empty when it is.
    std::function<QString(const QString &table, const QStringList &columns)> refusal;
    // The tables every data folder of the program holds.
    QStringList requiredTables;
};

// A restore made ready from a backup file: every table file of the backup lies, checked, in a
// folder beside the data folder ("<data folder>.wiederherstellen"). commit() puts it in place
// of the data folder; a restore never committed removes it again.
//
// At every moment the data folder is either the old one or the new one, complete: the old is
// renamed aside, then the new renamed into place. A program killed between the two renames
// finds the new folder complete beside the missing data folder, and completeInterruptedRestore()
// at the next start finishes the job.
class Hold;

class PreparedRestore
{
public:
    // Reads the whole backup file and checks it: the manifest, every table file present and
    // unharmed, every table with the rows the manifest states, nothing in a file but its
    // tables (no trigger, view, index or foreign table), every table accepted by `rules` and
    // every table they require present. On any fault BackupError with a message for the user
    // naming what is wrong; the data folder is not touched.
    PreparedRestore(const QString &backupPath, const QString &dataFolder, const Progress &progress = {},
                    const RestoreRules &rules = {});
    ~PreparedRestore();
    PreparedRestore(const PreparedRestore &) = delete;
    PreparedRestore &operator=(const PreparedRestore &) = delete;

    const Manifest &manifest() const { return m_manifest; }

    // Replaces the data folder by the restored one. The restored folder stays held (see
    // restoreInProgress) until this object ends: the caller takes its lock of the folder first. The old data folder stays beside it as
    // "<data folder>.vorher-<yyyy-MM-dd-HHmmss>"; its path is returned. Nothing may have the
    // data folder's files open. `oldDataAside` is told when the old folder has been renamed
    // and the new one is about to take its place.
    QString commit(const QDateTime &now = QDateTime::currentDateTime(), const std::function<void()> &oldDataAside = {});

private:
    void extractAndCheck(class ZipReader &zip, const QString &backupPath, const Progress &progress, const RestoreRules &rules);

    QString m_dataFolder;
    QString m_staging;
    Manifest m_manifest;
    bool m_committed = false;
    std::unique_ptr<Hold> m_hold; // the folder of the restore, held until the object ends
};

// Finishes a restore that was cut short after the old data folder was renamed aside and before
// the new one took its place, and removes the folder of a restore check that was cut short.
// Call it before the data folder is used; a restore another program is at is left alone.
void completeInterruptedRestore(const QString &dataFolder);

// True while a running program restores into the data folder: from the check of the backup
// until it holds the restored folder again, across both renames.
bool restoreInProgress(const QString &dataFolder);

} // namespace backup
