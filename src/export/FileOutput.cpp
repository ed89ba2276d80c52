#include "export/FileOutput.h"

#include <QDir>
#include <QSaveFile>

namespace exporting {

namespace {

FileError failure(const QString &path, const QString &reason)
{
    return FileError(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    // Without commit() the temporary file is removed with the object.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(path, file.errorString());
    if (file.write(bytes) != bytes.size())
        throw failure(path, file.errorString());
    if (!file.commit())
        throw failure(path, file.errorString());
}

} // namespace exporting
