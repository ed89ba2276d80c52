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
// manifest. The caller makes sure that nothing writes to the folder meanwhile. The file
// appears only when it is complete; on failure BackupError, and no file is left behind.
Manifest writeBackup(const QString &dataFolder, const QString &zipPath, const QString &programVersion,
                     const Progress &progress = {});

} // namespace backup
