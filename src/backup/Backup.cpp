#include "backup/Backup.h"

#include "backup/BackupError.h"
#include "backup/TableFile.h"
#include "backup/ZipArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace backup {

namespace {

// Copying the files is the small part of the work; compressing them the large one.
constexpr qint64 ProgressSteps = 100;
constexpr qint64 CopySteps = 20;

} // namespace

QString backupFileName(const QDate &date)
{
    return QStringLiteral("Dorv-Sicherung-%1.zip").arg(date.toString(Qt::ISODate));
}

Manifest writeBackup(const QString &dataFolder, const QString &zipPath, const QString &programVersion, const Progress &progress)
{
    const auto report = [&](qint64 done) {
        if (progress)
            progress(done, ProgressSteps);
    };
    const QDir folder(dataFolder);
    if (!folder.exists())
        throw BackupError(QStringLiteral("Der Datenordner %1 fehlt.").arg(dataFolder));
    const QStringList files = folder.entryList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);

    // The copies lie beside the target until the archive is written.
    const QString targetFolder = QFileInfo(zipPath).absolutePath();
    QTemporaryDir copies(targetFolder + QStringLiteral("/.Dorv-Sicherung-XXXXXX"));
    if (!copies.isValid())
        throw BackupError(QStringLiteral("Im Ordner %1 kann nicht geschrieben werden: %2").arg(targetFolder, copies.errorString()));

    Manifest manifest;
    manifest.programVersion = programVersion;
    manifest.created = QDateTime::currentDateTime();
    ZipWriter zip(zipPath);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString copy = copies.filePath(files[i]);
        copyTableFile(folder.filePath(files[i]), copy);
        bool used = false;
        for (const TableCount &t : checkTableFile(copy)) {
            const Manifest::Table table{t.name, files[i], t.rows};
            if (table.isProgramTable()) {
                manifest.tables.push_back(table);
                used = true;
            }
        }
        // A file without a table of the program (an empty one left behind, a stranger's) is
        // not the program's data.
        if (used)
            zip.addFile(files[i], copy);
        report(CopySteps * (i + 1) / files.size());
    }
    zip.addBytes(Manifest::EntryName, manifest.toJson());
    zip.close([&](double share) { report(CopySteps + qint64(share * (ProgressSteps - CopySteps))); });
    report(ProgressSteps);
    return manifest;
}

} // namespace backup
