#include "export/FileOutput.h"

#include <QDir>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace exporting {

namespace {

FileError failure(const QString &path, const QString &reason)
{
    return FileError(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

QString writeFailureReason(int errorNumber, const QString &systemText)
{
    if (errorNumber == ENOSPC || errorNumber == EDQUOT)
        return QStringLiteral("Der Datenträger ist voll.");
    return systemText;
}

PendingFile::PendingFile(const QString &path, const QByteArray &bytes) : m_path(path), m_file(std::make_unique<QSaveFile>(path))
{
    // QSaveFile buffers what is written, and its commit() does not report a flush that fails:
    // on a full disk it would rename an empty or cut-off file over the old one. Every step is
    // checked here, before anything is renamed.
    errno = 0;
    if (!m_file->open(QIODevice::WriteOnly))
        throw failure(path, writeFailureReason(errno, m_file->errorString()));
    errno = 0;
    if (m_file->write(bytes) != bytes.size() || !m_file->flush())
        throw failure(path, writeFailureReason(errno, m_file->errorString()));
    errno = 0;
    if (::fsync(m_file->handle()) != 0) {
        const int error = errno;
        throw failure(path, writeFailureReason(error, QString::fromLocal8Bit(strerror(error))));
    }
}

PendingFile::~PendingFile() = default; // an uncommitted QSaveFile removes its temporary file

void PendingFile::place()
{
    errno = 0;
    if (!m_file->commit())
        throw failure(m_path, writeFailureReason(errno, m_file->errorString()));
}

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    PendingFile file(path, bytes);
    file.place();
}

} // namespace exporting
