#include "backup/Restore.h"

#include "backup/BackupError.h"
#include "backup/Hold.h"
#include "backup/TableFile.h"
#include "backup/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace backup {

namespace {

// Marks the folder of a restore as complete and checked; only such a folder may become the
// data folder after an interruption.
const QString CompleteMark = QStringLiteral(".vollstaendig");
constexpr qint64 MaxManifestBytes = 1 << 20;

QString stagingFolderOf(const QString &dataFolder)
{
    return dataFolder + QStringLiteral(".wiederherstellen");
}

bool renameFolder(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Makes a rename or a new file in the folder last across a power cut.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString withoutTrailingSlash(const QString &folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

PreparedRestore::PreparedRestore(const QString &backupPath, const QString &dataFolder, const Progress &progress,
                                 const RestoreRules &rules)
    : m_dataFolder(withoutTrailingSlash(dataFolder)), m_staging(stagingFolderOf(m_dataFolder))
{
    ZipReader zip(backupPath);
    if (!zip.entryNames().contains(Manifest::EntryName))
        throw BackupError(QStringLiteral("Die Datei %1 ist keine Datensicherung von Dorv.").arg(backupPath));
    m_manifest = Manifest::fromJson(zip.read(Manifest::EntryName, MaxManifestBytes), backupPath);

    // A folder left by an earlier restore that never got as far as the data folder goes.
    if (Hold::heldElsewhere(m_staging))
        throw BackupError(QStringLiteral("Die Daten werden gerade von einem anderen Programm wiederhergestellt."));
    QDir(m_staging).removeRecursively();
    if (!QDir().mkpath(m_staging))
        throw BackupError(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(m_staging));
    m_hold = std::make_unique<Hold>(m_staging);
    try {
        extractAndCheck(zip, backupPath, progress, rules);
    } catch (...) {
        QDir(m_staging).removeRecursively();
        throw;
    }
}

PreparedRestore::~PreparedRestore()
{
    if (!m_committed)
        QDir(m_staging).removeRecursively();
}

bool restoreInProgress(const QString &dataFolder)
{
    const QString folder = withoutTrailingSlash(dataFolder);
    return Hold::heldElsewhere(stagingFolderOf(folder)) || Hold::heldElsewhere(folder);
}

void PreparedRestore::extractAndCheck(ZipReader &zip, const QString &backupPath, const Progress &progress, const RestoreRules &rules)
{
    const auto damaged = [&](const QString &why) {
        return BackupError(QStringLiteral("Die Datensicherung %1 ist beschädigt: %2 Es wurde nichts verändert.").arg(backupPath, why));
    };
    const auto refused = [&](const QString &why) {
        return BackupError(
            QStringLiteral("Die Datensicherung %1 kann nicht wiederhergestellt werden: %2 Es wurde nichts verändert.").arg(backupPath, why));
    };
    for (const QString &required : rules.requiredTables) {
        if (std::none_of(m_manifest.tables.cbegin(), m_manifest.tables.cend(), [&](const Manifest::Table &t) { return t.name == required; }))
            throw refused(QStringLiteral("Die Tabelle %1 fehlt.").arg(required));
    }

    // Every entry is the manifest or a table file it names, each once.
    QStringList files;
    for (const Manifest::Table &t : m_manifest.tables)
        if (!files.contains(t.file))
            files << t.file;
    if (files.isEmpty())
        throw damaged(QStringLiteral("Sie enthält keine Tabelle."));
    QStringList entries = zip.entryNames();
    entries.removeOne(Manifest::EntryName);
    if (QSet<QString>(entries.cbegin(), entries.cend()).size() != entries.size())
        throw damaged(QStringLiteral("Sie enthält eine Datei zweimal."));
    for (const QString &entry : entries)
        if (!files.contains(entry))
            throw damaged(QStringLiteral("Die Datei %1 gehört nicht dazu.").arg(entry));
    for (const QString &file : files)
        if (!entries.contains(file))
            throw damaged(QStringLiteral("Die Tabellendatei %1 fehlt.").arg(file));

    qint64 total = 0;
    for (const QString &file : files)
        total += zip.entrySize(file);
    qint64 done = 0;
    for (const QString &file : files) {
        zip.extract(file, m_staging + u'/' + file, [&](qint64 written) {
            if (progress)
                progress(done + written, total);
        });
        done += zip.entrySize(file);
    }

    for (const QString &file : files) {
        std::vector<TableCount> found;
        QStringList foreign;
        try {
            // First what the file holds beside its tables: a table of a foreign module cannot
            // even be counted.
            foreign = foreignObjects(m_staging + u'/' + file);
            if (foreign.isEmpty())
                found = checkTableFile(m_staging + u'/' + file);
        } catch (const BackupError &e) {
            throw damaged(e.message() + u'.');
        }
        if (!foreign.isEmpty())
            throw refused(QStringLiteral("Die Tabellendatei %1 enthält, was Dorv nicht anlegt: %2.").arg(file, foreign.join(QStringLiteral(", "))));
        for (const TableCount &c : found) {
            if (std::none_of(m_manifest.tables.cbegin(), m_manifest.tables.cend(),
                             [&](const Manifest::Table &t) { return t.file == file && t.name == c.name; }))
                throw refused(QStringLiteral("Die Tabelle %1 in %2 gehört nicht dazu.").arg(c.name, file));
            const QString why = rules.refusal ? rules.refusal(c.name, c.columns) : QString();
            if (!why.isEmpty())
                throw refused(why);
        }
        for (const Manifest::Table &t : m_manifest.tables) {
            if (t.file != file)
                continue;
            const auto it = std::find_if(found.cbegin(), found.cend(), [&](const TableCount &c) { return c.name == t.name; });
            if (it == found.cend())
                throw damaged(QStringLiteral("Die Tabelle %1 fehlt in %2.").arg(t.name, file));
            if (it->rows != t.rows)
                throw damaged(QStringLiteral("Die Tabelle %1 enthält %2 statt %3 Zeilen.").arg(t.name).arg(it->rows).arg(t.rows));
        }
    }

    QFile mark(m_staging + u'/' + CompleteMark);
    if (!mark.open(QIODevice::WriteOnly) || !mark.flush() || ::fsync(mark.handle()) != 0)
        throw BackupError(QStringLiteral("Im Ordner %1 kann nicht geschrieben werden.").arg(m_staging));
    mark.close();
    syncFolder(m_staging);
}

QString PreparedRestore::commit(const QDateTime &now, const std::function<void()> &oldDataAside)
{
    const QString stamp = m_dataFolder + QStringLiteral(".vorher-") + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString previous = stamp;
    for (int n = 2; QFileInfo::exists(previous); ++n)
        previous = stamp + u'-' + QString::number(n);

    const bool hadData = QFileInfo::exists(m_dataFolder);
    if (hadData && !renameFolder(m_dataFolder, previous))
        throw BackupError(QStringLiteral("Der Datenordner %1 kann nicht umbenannt werden. Es wurde nichts verändert.").arg(m_dataFolder));
    if (oldDataAside)
        oldDataAside();
    if (!renameFolder(m_staging, m_dataFolder)) {
        if (hadData)
            renameFolder(previous, m_dataFolder);
        throw BackupError(QStringLiteral("Der Ordner %1 kann nicht an die Stelle des Datenordners treten. Es wurde nichts verändert.")
                              .arg(m_staging));
    }
    m_committed = true;
    QFile::remove(m_dataFolder + u'/' + CompleteMark);
    syncFolder(QFileInfo(m_dataFolder).path());
    return hadData ? previous : QString();
}

void completeInterruptedRestore(const QString &dataFolder)
{
    const QString folder = withoutTrailingSlash(dataFolder);
    const QString staging = stagingFolderOf(folder);
    if (!QFileInfo::exists(staging) || Hold::heldElsewhere(staging))
        return;
    if (QFileInfo::exists(folder) || !QFileInfo::exists(staging + u'/' + CompleteMark)) {
        if (QFileInfo::exists(folder)) // a check cut short: its copies are of no use
            QDir(staging).removeRecursively();
        return;
    }
    if (renameFolder(staging, folder)) {
        QFile::remove(folder + u'/' + CompleteMark);
        syncFolder(QFileInfo(folder).path());
    }
}

} // namespace backup
