#include "support/FullDisk.h"

#include <QByteArray>
#include <QFile>

#include <sys/mount.h>

const char *const FullDisk::SkipMessage = "skipped: no right to mount a small tmpfs for the full-disk case";

namespace {

const QString Filler = QStringLiteral(".filler");

} // namespace

std::unique_ptr<FullDisk> FullDisk::mount()
{
    std::unique_ptr<FullDisk> disk(new FullDisk);
    if (!disk->m_dir.isValid())
        return nullptr;
    if (::mount("tmpfs", QFile::encodeName(disk->path()).constData(), "tmpfs", 0, "size=256k") != 0)
        return nullptr;
    disk->m_mounted = true;
    return disk;
}

FullDisk::~FullDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

void FullDisk::fill()
{
    QFile filler(filePath(Filler));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, '\0');
    while (filler.write(block) > 0) {
    }
    const QByteArray byte(1, '\0');
    while (filler.write(byte) > 0) {
    }
}

void FullDisk::empty()
{
    QFile::remove(filePath(Filler));
}
