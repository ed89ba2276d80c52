#include "app/DataFolderLock.h"

#include <QLockFile>

namespace app {

const QString DataFolderLock::FileName = QStringLiteral(".dorv-lock");
const QString DataFolderLock::AlreadyRunningText = QStringLiteral("Dorv läuft bereits mit diesen Daten.");

DataFolderLock::DataFolderLock(const QString &dataPath) : m_path(dataPath + FileName)
{
    take();
}

void DataFolderLock::take()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock counts as stale only when its program is gone, never by its age: the program
    // holds it for as long as it runs.
    m_lock->setStaleLockTime(0);
    m_heldElsewhere = !m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError;
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
