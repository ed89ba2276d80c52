#include "backup/ZipArchive.h"

#include "backup/BackupError.h"
#include "export/FileOutput.h"

#include <QFile>

#include <zip.h>

#include <cerrno>
#include <unistd.h>

namespace backup {

namespace {

QString libzipText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

[[noreturn]] void cannotWrite(const QString &path, const QString &why)
{
    throw BackupError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(path, why));
}

} // namespace

ZipWriter::ZipWriter(const QString &path) : m_path(path)
{
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!m_zip)
        cannotWrite(path, libzipText(code));
}

ZipWriter::~ZipWriter()
{
    if (m_zip)
        zip_discard(m_zip);
}

void ZipWriter::addFile(const QString &entryName, const QString &sourcePath)
{
    zip_source_t *source = zip_source_file(m_zip, QFile::encodeName(sourcePath).constData(), 0, 0);
    if (!source)
        cannotWrite(m_path, QString::fromUtf8(zip_strerror(m_zip)));
    const QByteArray name = entryName.toUtf8();
    const zip_int64_t index = zip_file_add(m_zip, name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
        zip_source_free(source);
        cannotWrite(m_path, QString::fromUtf8(zip_strerror(m_zip)));
    }
    // The fastest level: table pages compress well even so, and a backup is taken often.
    zip_set_file_compression(m_zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
}

void ZipWriter::addBytes(const QString &entryName, const QByteArray &bytes)
{
    m_bytesKept.push_back(bytes);
    const QByteArray &kept = m_bytesKept.back();
    zip_source_t *source = zip_source_buffer(m_zip, kept.constData(), zip_uint64_t(kept.size()), 0);
    if (!source)
        cannotWrite(m_path, QString::fromUtf8(zip_strerror(m_zip)));
    const QByteArray name = entryName.toUtf8();
    if (zip_file_add(m_zip, name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(source);
        cannotWrite(m_path, QString::fromUtf8(zip_strerror(m_zip)));
    }
}

void ZipWriter::close(const std::function<void(double)> &progress)
{
    if (progress) {
        const auto report = [](zip_t *, double share, void *state) { (*static_cast<const std::function<void(double)> *>(state))(share); };
        zip_register_progress_callback_with_state(m_zip, 0.01, report, nullptr, const_cast<std::function<void(double)> *>(&progress));
    }
    // The archive is written to a temporary file beside its target and renamed into place.
    if (zip_close(m_zip) < 0) {
        const QString why = exporting::writeFailureReason(zip_error_code_system(zip_get_error(m_zip)), QString::fromUtf8(zip_strerror(m_zip)));
        zip_discard(m_zip);
        m_zip = nullptr;
        cannotWrite(m_path, why);
    }
    m_zip = nullptr;
    m_bytesKept.clear();
}

ZipReader::ZipReader(const QString &path) : m_path(path)
{
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_zip) {
        if (code == ZIP_ER_OPEN || code == ZIP_ER_READ || code == ZIP_ER_NOENT || code == ZIP_ER_MEMORY)
            throw BackupError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(path, libzipText(code)));
        damaged();
    }
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *name = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        if (!name)
            damaged();
        m_names << QString::fromUtf8(name);
    }
}

ZipReader::~ZipReader()
{
    if (m_zip)
        zip_discard(m_zip);
}

void ZipReader::damaged() const
{
    throw BackupError(QStringLiteral("Die Datei %1 ist beschädigt oder keine Datensicherung von Dorv.").arg(m_path));
}

qint64 ZipReader::indexOf(const QString &entryName) const
{
    const qint64 index = m_names.indexOf(entryName);
    if (index < 0)
        damaged();
    return index;
}

qint64 ZipReader::entrySize(const QString &entryName) const
{
    zip_stat_t stat;
    if (zip_stat_index(m_zip, zip_uint64_t(indexOf(entryName)), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        damaged();
    return qint64(stat.size);
}

QByteArray ZipReader::read(const QString &entryName, qint64 maxBytes)
{
    const qint64 size = entrySize(entryName);
    if (size > maxBytes)
        damaged();
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(indexOf(entryName)), 0);
    if (!file)
        damaged();
    QByteArray bytes(size + 1, Qt::Uninitialized);
    qint64 total = 0;
    zip_int64_t n = 0;
    // Reading up to the end lets the archive check the entry's checksum.
    while ((n = zip_fread(file, bytes.data() + total, zip_uint64_t(bytes.size() - total))) > 0) {
        total += n;
        if (total > size)
            break;
    }
    zip_fclose(file);
    if (n < 0 || total != size)
        damaged();
    bytes.truncate(size);
    return bytes;
}

void ZipReader::extract(const QString &entryName, const QString &targetPath, const std::function<void(qint64)> &written)
{
    const qint64 size = entrySize(entryName);
    QFile target(targetPath);
    const auto failed = [&] { cannotWrite(targetPath, exporting::writeFailureReason(errno, target.errorString())); };
    errno = 0;
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        failed();
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(indexOf(entryName)), 0);
    if (!file)
        damaged();
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    qint64 total = 0;
    zip_int64_t n = 0;
    while ((n = zip_fread(file, chunk.data(), zip_uint64_t(chunk.size()))) > 0) {
        total += n;
        if (total > size)
            break;
        errno = 0;
        if (target.write(chunk.constData(), n) != n) {
            zip_fclose(file);
            failed();
        }
        written(total);
    }
    zip_fclose(file);
    if (n < 0 || total != size)
        damaged();
    errno = 0;
    if (!target.flush() || ::fsync(target.handle()) != 0)
        failed();
}

} // namespace backup
