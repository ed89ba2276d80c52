// The lock of the data folder: only a lock that a running program holds stops a start; whatever
// else lies in its place (a power cut's empty file, garbage, a folder, a dangling link) is taken
// over.
#include "app/DataFolderLock.h"
#include "app/DorvProgram.h"
#include "backup/Hold.h"
#include "controls/ScriptedDialogService.h"
#include "support/ProgramFolder.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

class DataFolderLockTest : public ::testing::Test
{
protected:
    QString dataPath() const { return dir.path() + u'/'; }
    QString lockPath() const { return dataPath() + app::DataFolderLock::FileName; }

    QTemporaryDir dir;
};

TEST_F(DataFolderLockTest, LeftoversInTheLocksPlaceDoNotStopAStart)
{
    const auto leftovers = std::vector<std::pair<const char *, std::function<void()>>>{
        {"empty file", [&] { writeFile(lockPath(), ""); }},
        {"garbage", [&] { writeFile(lockPath(), "\x01\xff garbage\n\n\n"); }},
        {"folder", [&] { QDir().mkdir(lockPath()); }},
        {"dangling link", [&] { QFile::link(dir.filePath("nirgends"), lockPath()); }},
    };
    for (const auto &[what, make] : leftovers) {
        make();
        {
            app::DataFolderLock lock(dataPath());
            EXPECT_FALSE(lock.heldElsewhere()) << what;
            app::DataFolderLock second(dataPath());
            EXPECT_TRUE(second.heldElsewhere()) << what << ": the lock was not taken over";
        }
        QFile::remove(lockPath());
    }
}

TEST_F(DataFolderLockTest, AnUnreadableLockHeldByARunningProgramStopsTheStart)
{
    writeFile(lockPath(), "");
    const int fd = ::open(QFile::encodeName(lockPath()).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_TRUE(app::DataFolderLock(dataPath()).heldElsewhere());
    ::close(fd);
    EXPECT_FALSE(app::DataFolderLock(dataPath()).heldElsewhere());
}

TEST(RestoreAtWork, ASecondStartBetweenTheRestoresRenamesEndsAndLeavesTheRestoreAlone)
{
    ProgramFolder folder;
    const QString data = QDir::cleanPath(folder.dataPath());
    const QString staging = data + QStringLiteral(".wiederherstellen");
    // The first program has renamed the old data aside; the checked new folder waits.
    ASSERT_TRUE(QDir().rename(data, staging));
    writeFile(staging + QStringLiteral("/.vollstaendig"), "");
    {
        const backup::Hold restoring(staging);
        controls::ScriptedDialogService dialogs;
        app::DorvProgram second(dialogs, folder.path());
        EXPECT_TRUE(second.alreadyRunning());
        EXPECT_EQ(dialogs.texts(), QStringList{app::DataFolderLock::AlreadyRunningText});
        EXPECT_FALSE(QFileInfo::exists(data)) << "the second program finished the restore itself";
    }
    // The first program was killed: the next start finishes its restore.
    controls::ScriptedDialogService dialogs;
    app::DorvProgram next(dialogs, folder.path());
    EXPECT_FALSE(next.alreadyRunning());
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/kunden.db")));
}

} // namespace
