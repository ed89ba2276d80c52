#pragma once

#include "engine/Error.h"

namespace backup {

// Why a backup could not be written or a backup file cannot be restored, in the words the user
// reads in the message box. Nothing has been changed when it is raised.
class BackupError : public engine::Error
{
public:
    using Error::Error;
};

} // namespace backup
