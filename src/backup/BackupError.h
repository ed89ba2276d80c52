#pragma once

#include <QString>

#include <stdexcept>

namespace backup {

// Why a backup could not be written or a backup file cannot be restored, in the words the user
// reads in the message box. Nothing has been changed when it is raised.
class BackupError : public std::runtime_error
{
public:
    explicit BackupError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace backup
