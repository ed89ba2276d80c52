#include "app/DataFolderLock.h"

#include "backup/Hold.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace app {

namespace {

// Removes what stands in the lock file's place without being a running program's lock: a
// file, a dangling or any other symbolic link, an empty folder.
void removeLeftover(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir())
        QFile::remove(path);
    else
        QDir().rmdir(path);
}

} // namespace

const QString DataFolderLock::FileName = QStringLiteral(".dorv-lock");
const QString DataFolderLock::AlreadyRunningText = QStringLiteral("Dorv läuft bereits mit diesen Daten.");

DataFolderLock::DataFolderLock(const QString &dataPath) : m_path(dataPath + FileName)
{
    take();
}

void DataFolderLock::take()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_lock = std::make_unique<QLockFile>(m_path);
        // A lock counts as stale only when its program is gone, never by its age: the program
        // holds it for as long as it runs.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0) || m_lock->error() != QLockFile::LockFailedError) {
            m_heldElsewhere = false;
            return;
        }
        // A lock whose program QLockFile finds running (it removes those of ended programs
        // itself) holds; one it cannot read holds only while a program keeps it locked.
        qint64 pid = 0;
        QString host, name;
        m_heldElsewhere = m_lock->getLockInfo(&pid, &host, &name) || backup::Hold::heldElsewhere(m_path);
        if (m_heldElsewhere)
            return;
        removeLeftover(m_path);
    }
}

void DataFolderLock::release()
{
    m_lock.reset();
}

void DataFolderLock::takeAgain()
{
    if (!m_lock)
        take();
}

DataFolderLock::~DataFolderLock() = default;

} // namespace app
