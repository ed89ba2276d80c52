#pragma once

#include "backup/Manifest.h"

#include <QDate>
#include <QString>

#include <functional>

namespace backup {

// Progress of a long piece of work: `done` of `total` steps.
using Progress = std::function<void(qint64 done, qint64 total)>;

// The name a backup taken on `date` is offered under: Dorv-Sicherung-<yyyy-mm-dd>.zip.
QString backupFileName(const QDate &date);

// Writes one zip file holding a consistent copy of every table file of the data folder and the
// manifest. The caller makes sure that nothing writes to the folder meanwhile. A table file that
// cannot be read (a damaged list) is left out and named in the manifest's `leftOut`; the rest
// is backed up. The file appears only when it is complete; on failure BackupError, and no file
// is left behind. What a backup killed before it ended left in the target folder (its hidden
// copies, the archive's temporary file) is removed first.
Manifest writeBackup(const QString &dataFolder, const QString &zipPath, const QString &programVersion,
                     const Progress &progress = {});

} // namespace backup
