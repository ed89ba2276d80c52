// A backup holds every table of the data folder; restoring it gives back exactly those tables,
// and a file that is not a whole backup of the program changes nothing.
#include "BackupFixture.h"

#include "backup/Backup.h"
#include "backup/BackupError.h"
#include "backup/Restore.h"

#include "backup/ZipArchive.h"
#include "backup/Hold.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"

#include <QTemporaryDir>

#include <algorithm>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using namespace backuptest;

class BackupTest : public ::testing::Test
{
protected:
    BackupTest()
    {
        addList(folder.dataPath(), QStringLiteral("Wald"), 500);
        addList(folder.dataPath(), QStringLiteral("Hang_2"), 3);
        execute(folder.dataPath(), QStringLiteral("UPDATE Grundpreise SET PREIS = 123.45 WHERE STAERKEKLASSE = '2a' AND GUETEKLASSE = 'B'"));
        execute(folder.dataPath(), QStringLiteral("INSERT INTO Kunden (ID, NRKD, SUCHNAME, ORT) VALUES (1, '4711', 'SÄGEWERK', 'Groß Tann')"));
        zipPath = backups.filePath(backup::backupFileName(QDate(2024, 3, 5)));
    }

    // Writes a zip file with the given entries, as another program might.
    static void writeZip(const QString &path, const std::vector<std::pair<QString, QByteArray>> &entries)
    {
        backup::ZipWriter zip(path);
        for (const auto &[name, bytes] : entries)
            zip.addBytes(name, bytes);
        zip.close();
    }

    ProgramFolder folder;
    QTemporaryDir backups;
    QString zipPath;
};

// Restoring must fail with a message, leave the program folder exactly as it was and leave no
// folder of the attempt behind.
void expectRefused(const QString &backupPath, const ProgramFolder &folder, const QString &messageStart)
{
    const auto before = snapshot(folder.path());
    try {
        backup::PreparedRestore restore(backupPath, folder.dataPath());
        ADD_FAILURE() << "restored " << backupPath.toStdString();
    } catch (const backup::BackupError &e) {
        EXPECT_TRUE(e.message().startsWith(messageStart)) << e.message().toStdString();
    }
    EXPECT_EQ(snapshot(folder.path()), before);
}

TEST_F(BackupTest, RestoringABackupGivesBackEveryTableAsItWasAndKeepsThePreviousData)
{
    const QString backedUp = contents(folder.dataPath());
    std::vector<qint64> progress;
    const backup::Manifest written = backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"),
                                                         [&](qint64 done, qint64 total) { progress.push_back(done * 100 / total); });
    EXPECT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.cbegin(), progress.cend()));
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Dorv-Sicherung-2024-03-05.zip")})
        << "the copies taken on the way are gone";
    EXPECT_EQ(written.programVersion, QStringLiteral("3.0d"));
    const auto wald = std::find_if(written.tables.cbegin(), written.tables.cend(), [](const auto &t) { return t.name == u"Wald"; });
    ASSERT_NE(wald, written.tables.cend());
    EXPECT_EQ(wald->rows, 500);
    EXPECT_EQ(wald->file, QStringLiteral("wald.db"));
    EXPECT_EQ(written.tables.size(), 8u) << "five delivered tables, the list header and two lists";

    // Later work: a list deleted, another added, a customer changed.
    execute(folder.dataPath(), QStringLiteral("DROP TABLE Wald"));
    addList(folder.dataPath(), QStringLiteral("Neu"), 10);
    execute(folder.dataPath(), QStringLiteral("UPDATE Kunden SET ORT = 'Anderswo'"));
    const QString changed = contents(folder.dataPath());

    backup::PreparedRestore restore(zipPath, folder.dataPath());
    EXPECT_EQ(restore.manifest().tables, written.tables);
    EXPECT_EQ(contents(folder.dataPath()), changed) << "nothing changes before the restore is committed";
    const QString previous = restore.commit(QDateTime(QDate(2024, 3, 6), QTime(14, 30, 5)));

    EXPECT_EQ(previous, folder.path() + QStringLiteral("/Daten.vorher-2024-03-06-143005"));
    EXPECT_EQ(contents(folder.dataPath()), backedUp);
    EXPECT_EQ(contents(previous + u'/'), changed);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("Daten"), QStringLiteral("Daten.vorher-2024-03-06-143005"), QStringLiteral("Report")}));
}

TEST_F(BackupTest, TwoRestoresInOneSecondKeepBothPreviousFolders)
{
    backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    const QDateTime now(QDate(2024, 3, 6), QTime(9, 0));
    const QString first = backup::PreparedRestore(zipPath, folder.dataPath()).commit(now);
    const QString second = backup::PreparedRestore(zipPath, folder.dataPath()).commit(now);
    EXPECT_NE(first, second);
    EXPECT_TRUE(QFileInfo(first).isDir());
    EXPECT_TRUE(QFileInfo(second).isDir());
}

TEST_F(BackupTest, ARestoreNotCommittedLeavesNothingBehind)
{
    backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    const auto before = snapshot(folder.path());
    {
        backup::PreparedRestore restore(zipPath, folder.dataPath());
        EXPECT_TRUE(QFileInfo::exists(folder.path() + QStringLiteral("/Daten.wiederherstellen")));
    }
    EXPECT_EQ(snapshot(folder.path()), before);
}

TEST_F(BackupTest, AFileThatIsNoBackupOfTheProgramIsRefused)
{
    const QString text = backups.filePath(QStringLiteral("brief.zip"));
    QFile out(text);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Sehr geehrte Damen und Herren,\n");
    out.close();
    expectRefused(text, folder, QStringLiteral("Die Datei ") + text + QStringLiteral(" ist beschädigt oder keine Datensicherung"));

    const QString empty = backups.filePath(QStringLiteral("leer.zip"));
    QFile(empty).open(QIODevice::WriteOnly);
    expectRefused(empty, folder, QStringLiteral("Die Datei ") + empty);

    expectRefused(backups.filePath(QStringLiteral("fehlt.zip")), folder, QStringLiteral("Die Datei "));

    const QString photos = backups.filePath(QStringLiteral("fotos.zip"));
    writeZip(photos, {{QStringLiteral("bild.jpg"), QByteArray("\xff\xd8\xff", 3)}});
    expectRefused(photos, folder, QStringLiteral("Die Datei ") + photos + QStringLiteral(" ist keine Datensicherung von Dorv."));

    const QString otherManifest = backups.filePath(QStringLiteral("anders.zip"));
    writeZip(otherManifest, {{QStringLiteral("dorv-sicherung.json"), QByteArray(R"({"format": "etwas anderes"})")}});
    expectRefused(otherManifest, folder, QStringLiteral("Die Datei ") + otherManifest + QStringLiteral(" ist keine Datensicherung von Dorv."));
}

TEST_F(BackupTest, ADamagedBackupIsRefusedAndNothingChanges)
{
    backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    QFile file(zipPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

    // Bytes changed in the middle of the compressed data: the checksum no longer matches.
    QByteArray flipped = good;
    for (qsizetype i = good.size() / 3; i < good.size() / 3 + 16; ++i)
        flipped[i] = char(~flipped[i]);
    const QString damaged = backups.filePath(QStringLiteral("kaputt.zip"));
    QFile out(damaged);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(flipped);
    out.close();
    expectRefused(damaged, folder, QStringLiteral("Die Datei ") + damaged);

    // Cut off, as by a full stick.
    const QString cut = backups.filePath(QStringLiteral("halb.zip"));
    QFile half(cut);
    ASSERT_TRUE(half.open(QIODevice::WriteOnly));
    half.write(good.left(good.size() / 2));
    half.close();
    expectRefused(cut, folder, QStringLiteral("Die Datei ") + cut);
}

TEST_F(BackupTest, ABackupWhoseTablesDoNotMatchItsManifestIsRefused)
{
    const backup::Manifest manifest = backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    const auto tableBytes = [&](const QString &file) {
        QFile f(folder.dataPath() + file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    };
    std::vector<std::pair<QString, QByteArray>> entries;
    for (const auto &t : manifest.tables)
        entries.push_back({t.file, tableBytes(t.file)});

    // A row count that differs from what the table holds.
    backup::Manifest counted = manifest;
    for (auto &t : counted.tables)
        if (t.name == u"Wald")
            t.rows = 499;
    const QString wrongCount = backups.filePath(QStringLiteral("zaehlung.zip"));
    auto withManifest = entries;
    withManifest.push_back({backup::Manifest::EntryName, counted.toJson()});
    writeZip(wrongCount, withManifest);
    expectRefused(wrongCount, folder, QStringLiteral("Die Datensicherung ") + wrongCount + QStringLiteral(" ist beschädigt: Die Tabelle Wald enthält 500 statt 499 Zeilen."));

    // A table file missing.
    auto missing = entries;
    missing.erase(std::find_if(missing.begin(), missing.end(), [](const auto &e) { return e.first == u"kunden.db"; }));
    missing.push_back({backup::Manifest::EntryName, manifest.toJson()});
    const QString withoutKunden = backups.filePath(QStringLiteral("ohne.zip"));
    writeZip(withoutKunden, missing);
    expectRefused(withoutKunden, folder, QStringLiteral("Die Datensicherung ") + withoutKunden + QStringLiteral(" ist beschädigt: Die Tabellendatei kunden.db fehlt."));

    // A table file that is no database.
    auto garbage = entries;
    for (auto &e : garbage)
        if (e.first == u"wald.db")
            e.second = QByteArray(8192, 'x');
    garbage.push_back({backup::Manifest::EntryName, manifest.toJson()});
    const QString notADatabase = backups.filePath(QStringLiteral("muell.zip"));
    writeZip(notADatabase, garbage);
    expectRefused(notADatabase, folder, QStringLiteral("Die Datensicherung ") + notADatabase + QStringLiteral(" ist beschädigt: Die Tabellendatei"));

    // No table at all: restored, it would leave an empty data folder.
    backup::Manifest none = manifest;
    none.tables.clear();
    const QString nothing = backups.filePath(QStringLiteral("leer.zip"));
    writeZip(nothing, {{backup::Manifest::EntryName, none.toJson()}});
    expectRefused(nothing, folder, QStringLiteral("Die Datensicherung ") + nothing + QStringLiteral(" ist beschädigt: Sie enthält keine Tabelle."));

    // A file that would land outside the data folder.
    auto escaping = entries;
    escaping.push_back({QStringLiteral("../Report/Rechnung.rtm"), QByteArray("{}")});
    escaping.push_back({backup::Manifest::EntryName, manifest.toJson()});
    const QString outside = backups.filePath(QStringLiteral("ausserhalb.zip"));
    writeZip(outside, escaping);
    expectRefused(outside, folder, QStringLiteral("Die Datensicherung ") + outside + QStringLiteral(" ist beschädigt: Die Datei ../Report/Rechnung.rtm gehört nicht dazu."));

    // A manifest naming a table under a path.
    QByteArray json = manifest.toJson();
    json.replace("\"wald.db\"", "\"../wald.db\"");
    auto renamed = entries;
    renamed.push_back({backup::Manifest::EntryName, json});
    const QString pathInManifest = backups.filePath(QStringLiteral("pfad.zip"));
    writeZip(pathInManifest, renamed);
    expectRefused(pathInManifest, folder, QStringLiteral("Die Datei ") + pathInManifest + QStringLiteral(" ist keine Datensicherung von Dorv."));
}

TEST_F(BackupTest, ADamagedTableFileIsLeftOutAndNamedAndTheRestIsBackedUp)
{
    QFile garbage(folder.dataPath() + QStringLiteral("kaputt.db"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    const backup::Manifest written = backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    EXPECT_EQ(written.leftOut, QStringList{QStringLiteral("kaputt.db")});
    EXPECT_TRUE(std::any_of(written.tables.cbegin(), written.tables.cend(), [](const auto &t) { return t.name == u"Wald"; }));
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QFileInfo(zipPath).fileName()});
    backup::PreparedRestore restore(zipPath, folder.dataPath());
    EXPECT_EQ(restore.manifest().tables.size(), written.tables.size());
}

TEST_F(BackupTest, ABackupIntoAFolderThatCannotBeWrittenSaysSo)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into every folder";
    QFile::setPermissions(backups.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_THROW(backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d")), backup::BackupError);
    QFile::setPermissions(backups.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QDir(backups.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(BackupTest, AFullDiskIsNamedAsTheReasonAndLeavesNothingBehind)
{
    const std::unique_ptr<FullDisk> disk = FullDisk::mount();
    if (!disk)
        GTEST_SKIP() << FullDisk::SkipMessage;
    // The backup: its copies do not fit.
    const QString onDisk = disk->filePath(QStringLiteral("sicherung.zip"));
    disk->fill();
    try {
        backup::writeBackup(folder.dataPath(), onDisk, QStringLiteral("3.0d"));
        ADD_FAILURE() << "a backup onto a full disk";
    } catch (const backup::BackupError &e) {
        EXPECT_TRUE(e.message().endsWith(QStringLiteral("Der Datenträger ist voll."))) << e.message().toStdString();
        EXPECT_FALSE(e.message().contains(QStringLiteral("gelesen"))) << "the user's data is readable";
    }
    EXPECT_EQ(QDir(disk->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{".filler"});

    // The restore: a data folder on a full disk.
    disk->empty();
    backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    const QString data = disk->filePath(QStringLiteral("Daten"));
    QDir().mkpath(data);
    disk->fill();
    try {
        backup::PreparedRestore restore(zipPath, data);
        ADD_FAILURE() << "a restore onto a full disk";
    } catch (const backup::BackupError &e) {
        EXPECT_TRUE(e.message().endsWith(QStringLiteral("Der Datenträger ist voll."))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral(".wiederherstellen")));
}

TEST_F(BackupTest, WhatAKilledBackupLeftIsRemovedByTheNextButNotWhatARunningOneUses)
{
    const QString copies = backups.filePath(QStringLiteral(".Dorv-Sicherung-AbC123"));
    QDir().mkpath(copies);
    writeFile(copies + QStringLiteral("/kunden.db"), "copy");
    const QString archiveTemp = zipPath + QStringLiteral(".Xy12Z9");
    writeFile(archiveTemp, "half an archive");
    const QString foreign = backups.filePath(QStringLiteral("Brief.zip.backup"));
    writeFile(foreign, "not ours");
    {
        const backup::Hold running(copies); // another backup at work
        backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
        EXPECT_TRUE(QFileInfo::exists(copies + QStringLiteral("/kunden.db")));
        EXPECT_TRUE(QFileInfo::exists(archiveTemp));
    }
    backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{QStringLiteral("Brief.zip.backup"), QFileInfo(zipPath).fileName()}));
}

TEST_F(BackupTest, ARestoreCheckCutShortIsRemovedAtTheNextStartUnlessItIsAtWork)
{
    const QString data = QDir::cleanPath(folder.dataPath());
    const QString staging = data + QStringLiteral(".wiederherstellen");
    QDir().mkpath(staging);
    writeFile(staging + QStringLiteral("/wald.db"), "half");
    {
        const backup::Hold atWork(staging);
        EXPECT_TRUE(backup::restoreInProgress(data));
        backup::completeInterruptedRestore(data);
        EXPECT_TRUE(QFileInfo::exists(staging + QStringLiteral("/wald.db")));
    }
    EXPECT_FALSE(backup::restoreInProgress(data));
    backup::completeInterruptedRestore(data);
    EXPECT_FALSE(QFileInfo::exists(staging));

    // From the check until the restored folder is in place and the object ends, the restore is
    // at work: a second program must not take the folder over between the renames.
    backup::writeBackup(folder.dataPath(), zipPath, QStringLiteral("3.0d"));
    {
        backup::PreparedRestore restore(zipPath, folder.dataPath());
        EXPECT_TRUE(backup::restoreInProgress(data));
        restore.commit();
        EXPECT_TRUE(backup::restoreInProgress(data));
    }
    EXPECT_FALSE(backup::restoreInProgress(data));
}

} // namespace
