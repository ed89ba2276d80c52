#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace app {

// One program per data folder: a lock file in the folder, held while the program runs. A
// second program on the same data finds it held and must end before it touches a file. The
// lock of a program that was killed or lost its power is stale and is taken over.
class DataFolderLock
{
public:
    explicit DataFolderLock(const QString &dataPath);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    // True when another running program holds the folder. A folder that cannot take a lock
    // file (missing, read-only) is not held: start-up goes on and reports what it finds.
    bool heldElsewhere() const { return m_heldElsewhere; }

    // Lets go of the folder while it is replaced by another (a restore renames it aside), and
    // takes the new one at the same path afterwards.
    void release();
    void takeAgain();

    static const QString FileName;
    static const QString AlreadyRunningText;

private:
    void take();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_heldElsewhere = false;
};

} // namespace app
