#include "backup/Backup.h"

#include "backup/BackupError.h"
#include "backup/Hold.h"
#include "backup/TableFile.h"
#include "backup/ZipArchive.h"
#include "export/FileOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>

namespace backup {

namespace {

// Copying the files is the small part of the work; compressing them the large one.
constexpr qint64 ProgressSteps = 100;
constexpr qint64 CopySteps = 20;

const QString CopiesPrefix = QStringLiteral(".Dorv-Sicherung-");

// Removes the hidden copies of backups that were killed, and the temporary files their archives
// was written to under this name ("<name>.zip.XXXXXX"), unless a backup into the folder is
// running.
void removeLeftovers(const QString &targetFolder, const QString &zipName)
{
    const QDir dir(targetFolder);
    const QFileInfoList copies = dir.entryInfoList({CopiesPrefix + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &c : copies)
        if (!c.isSymLink() && Hold::heldElsewhere(c.filePath()))
            return; // a backup at work: its files stay
    for (const QFileInfo &c : copies)
        if (!c.isSymLink())
            QDir(c.filePath()).removeRecursively();
    const QRegularExpression archiveTemp(QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(zipName)));
    for (const QFileInfo &f : dir.entryInfoList(QDir::Files | QDir::Hidden))
        if (archiveTemp.match(f.fileName()).hasMatch())
            QFile::remove(f.filePath());
}

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

    // The copies lie beside the target until the archive is written, in a folder this backup
    // holds locked: one that nobody holds is left over from a backup that was killed.
    const QString targetFolder = QFileInfo(zipPath).absolutePath();
    removeLeftovers(targetFolder, QFileInfo(zipPath).fileName());
    errno = 0;
    QTemporaryDir copies(targetFolder + u'/' + CopiesPrefix + QStringLiteral("XXXXXX"));
    if (!copies.isValid())
        throw BackupError(QStringLiteral("Im Ordner %1 kann nicht geschrieben werden: %2")
                              .arg(targetFolder, exporting::writeFailureReason(errno, copies.errorString())));
    const Hold hold(copies.path());

    Manifest manifest;
    manifest.programVersion = programVersion;
    manifest.created = QDateTime::currentDateTime();
    ZipWriter zip(zipPath);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString copy = copies.filePath(files[i]);
        std::vector<TableCount> tables;
        try {
            copyTableFile(folder.filePath(files[i]), copy);
            tables = checkTableFile(copy);
        } catch (const TableUnreadable &) {
            manifest.leftOut << files[i];
            QFile::remove(copy);
            report(CopySteps * (i + 1) / files.size());
            continue;
        }
        bool used = false;
        for (const TableCount &t : tables) {
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
