#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct zip;

namespace backup {

// A zip file being written. Entries are compressed when close() writes the archive; until then
// the files added must stay where they are. The archive appears under its name only when
// close() succeeds: an archive dropped or failing leaves no file behind.
class ZipWriter
{
public:
    explicit ZipWriter(const QString &path);
    ~ZipWriter();
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    void addFile(const QString &entryName, const QString &sourcePath);
    void addBytes(const QString &entryName, const QByteArray &bytes);
    // Compresses and writes the archive; `progress` is told the share done, from 0 to 1.
    void close(const std::function<void(double)> &progress = {});

private:
    QString m_path;
    zip *m_zip = nullptr;
    std::vector<QByteArray> m_bytesKept; // data of addBytes, alive until close()
};

// A zip file being read. Every read checks the entry's checksum; a damaged archive raises
// BackupError naming the file.
class ZipReader
{
public:
    explicit ZipReader(const QString &path);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    QStringList entryNames() const { return m_names; }
    // The uncompressed size the archive states for an entry.
    qint64 entrySize(const QString &entryName) const;
    // An entry read into memory; refused when it is larger than maxBytes.
    QByteArray read(const QString &entryName, qint64 maxBytes);
    // An entry written to a new file and flushed to the disk; `written` is told how many bytes
    // of it are done so far.
    void extract(const QString &entryName, const QString &targetPath, const std::function<void(qint64)> &written);

private:
    qint64 indexOf(const QString &entryName) const;
    [[noreturn]] void damaged() const;

    QString m_path;
    zip *m_zip = nullptr;
    QStringList m_names;
};

} // namespace backup
