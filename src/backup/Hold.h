#pragma once

#include <QString>

namespace backup {

// A file or folder held with a lock of the kernel (flock) for as long as the object lives. The
// lock ends with the process however it ends, so a hold is never stale; it follows the folder
// through a rename. Another process sees it with heldElsewhere().
class Hold
{
public:
    explicit Hold(const QString &path);
    ~Hold();
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;

    // True when a living process (or another Hold of this one) holds the path; false for a path
    // that is missing or a symbolic link.
    static bool heldElsewhere(const QString &path);

private:
    int m_fd = -1;
};

} // namespace backup
