#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A small file system of its own (a 256 KB tmpfs), mounted for one test and filled to the last
// block on request: how a full disk looks to the program. Mounting needs the right to do so;
// where it is missing, mount() gives nothing and the test skips with SkipMessage.
class FullDisk
{
public:
    static std::unique_ptr<FullDisk> mount();
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    static const char *const SkipMessage;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Takes every free block with a filler file.
    void fill();
    // Gives the space of the filler back.
    void empty();

private:
    FullDisk() = default;
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
