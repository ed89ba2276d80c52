#include "backup/Hold.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace backup {

namespace {

int openPlain(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace

Hold::Hold(const QString &path) : m_fd(openPlain(path))
{
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_EX | LOCK_NB);
}

Hold::~Hold()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool Hold::heldElsewhere(const QString &path)
{
    const int fd = openPlain(path);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

} // namespace backup
