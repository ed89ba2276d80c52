// A restore killed at any point (SIGKILL, power cut) leaves, once the program starts again,
// either the whole old data or the whole restored data: never a mix, never no data.
#include "BackupFixture.h"

#include "backup/Backup.h"
#include "backup/Restore.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace backuptest;

class KilledRestoreTest : public ::testing::TestWithParam<const char *>
{
protected:
    KilledRestoreTest()
    {
        // The backup: a large list and a customer the old data does not have.
        ProgramFolder saved;
        addList(saved.dataPath(), QStringLiteral("Gesichert"), 20000);
        execute(saved.dataPath(), QStringLiteral("INSERT INTO Kunden (ID, NRKD, SUCHNAME) VALUES (1, '4711', 'SÄGEWERK')"));
        backupPath = backups.filePath(QStringLiteral("Dorv-Sicherung.zip"));
        backup::writeBackup(saved.dataPath(), backupPath, QStringLiteral("3.0d"));
        restored = contents(saved.dataPath());

        addList(folder.dataPath(), QStringLiteral("Alt"), 3);
        old = contents(folder.dataPath());
    }

    // Runs the child up to the point, kills it there, and reports whether it got there.
    bool killAt(const QString &point)
    {
        QProcess child;
        child.start(QStringLiteral(RESTORE_CHILD), {backupPath, folder.dataPath(), point});
        if (!child.waitForStarted(10000))
            return false;
        QByteArray output;
        while (!output.contains("half\n") && child.state() == QProcess::Running) {
            child.waitForReadyRead(1000);
            output += child.readAllStandardOutput();
        }
        child.kill();
        child.waitForFinished(10000);
        if (!output.contains("half\n"))
            ADD_FAILURE() << child.readAllStandardError().toStdString();
        return output.contains("half\n");
    }

    QTemporaryDir backups;
    ProgramFolder folder;
    QString backupPath;
    QString old;
    QString restored;
};

TEST_P(KilledRestoreTest, TheNextStartFindsTheOldOrTheRestoredDataWhole)
{
    const QString point = QString::fromLatin1(GetParam());
    ASSERT_TRUE(killAt(point));

    // What the program does first when it starts again.
    backup::completeInterruptedRestore(folder.dataPath());

    const QString now = contents(folder.dataPath());
    if (point == u"extracting" || point == u"checked")
        EXPECT_EQ(now, old);
    else
        EXPECT_EQ(now, restored);

    // Whatever was left of the killed attempt does not stand in the way of the next restore.
    backup::PreparedRestore(backupPath, folder.dataPath()).commit();
    EXPECT_EQ(contents(folder.dataPath()), restored);
}

INSTANTIATE_TEST_SUITE_P(KilledAt, KilledRestoreTest, ::testing::Values("extracting", "checked", "aside", "done"));

} // namespace
