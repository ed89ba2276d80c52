#pragma once

#include "engine/Error.h"
#include "harvester/Production.h"

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Reading a harvester's production file (.hpr, versions 2.x and 3.x) in one pass as a stream:
// the XML is never held as a whole, only the values the import uses. Elements the reader does
// not know, and elements of other namespaces inside the file, are skipped.
namespace harvester {

// A file that cannot be read as a production file. message() is the German text for the user;
// it names the file and, where one applies, the line.
class HarvesterError : public engine::Error
{
public:
    HarvesterError(const QString &message, QString filePath, qint64 lineNumber = 0)
        : Error(message), m_filePath(std::move(filePath)), m_lineNumber(lineNumber)
    {
    }

    QString filePath() const { return m_filePath; }
    // The line of the file, counted from 1; 0 when the error concerns the file as a whole.
    qint64 lineNumber() const { return m_lineNumber; }

private:
    QString m_filePath;
    qint64 m_lineNumber;
};

// Called while a file is read: bytes read so far, size of the file (0 when unknown).
using ReadProgress = std::function<void(qint64 done, qint64 total)>;

// The message for XML that is not a production file.
QString notProductionText(const QString &filePath);

// Reads the production from an open device; filePath names the file in error messages. Throws
// HarvesterError for bytes that are not XML, XML of another kind, a file cut off, and a
// document type that declares entities (refused before any of them could be expanded).
// A seekable device is read first by the quick reader of plain harvester XML and, where that
// one stops (anything it does not read exactly as QXmlStreamReader does, every fault included),
// again from where it began by QXmlStreamReader, which also words the messages.
Production readProduction(QIODevice &device, const QString &filePath, const ReadProgress &progress = {});
// The two readers on their own: the quick one gives nothing where it stops; the full one reads
// every file and throws the messages.
std::optional<Production> readProductionQuickly(QIODevice &device, const QString &filePath, const ReadProgress &progress = {});
Production readProductionFully(QIODevice &device, const QString &filePath, const ReadProgress &progress = {});

// Reads the production file at `path`. Only regular files are read: a folder, a FIFO or a
// device is refused without being opened.
Production readProductionFile(const QString &path, const ReadProgress &progress = {});

} // namespace harvester
