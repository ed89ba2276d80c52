#pragma once

#include "engine/Error.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QSaveFile;

namespace exporting {

// A file that could not be written; the message names the file and the reason, as the user
// reads it.
class FileError : public engine::Error
{
public:
    using Error::Error;
};

// The reason a write failed, for the user: a full disk (or an exhausted quota) in the
// program's own words, any other fault as the system names it (`systemText`).
QString writeFailureReason(int errorNumber, const QString &systemText);

// A whole file written under a temporary name beside its target, complete and on the disk,
// waiting to take the target's place. Until place() the target is untouched; a file never
// placed is removed with the object. This lets a caller record that the file exists (and
// undo the record when writing fails) before the file appears under its name.
class PendingFile
{
public:
    // Writes every byte and makes it last across a power cut; FileError naming `path` when
    // any write or the flush fails (a full disk among them), and then nothing is left.
    PendingFile(const QString &path, const QByteArray &bytes);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // Renames the written file over the target; FileError when that fails.
    void place();

private:
    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
};

// Writes the whole file or nothing: the bytes go into a temporary file beside it, which
// replaces the file only when complete. A file that was there stays untouched on failure.
void writeWholeFile(const QString &path, const QByteArray &bytes);

} // namespace exporting
