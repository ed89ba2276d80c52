#pragma once

#include "engine/Error.h"

#include <QByteArray>

namespace exporting {

// A file that could not be written; the message names the file and the reason, as the user
// reads it.
class FileError : public engine::Error
{
public:
    using Error::Error;
};

// Writes the whole file or nothing: the bytes go into a temporary file beside it, which
// replaces the file only when complete. A file that was there stays untouched on failure.
void writeWholeFile(const QString &path, const QByteArray &bytes);

} // namespace exporting
