#include "fuzz/FuzzLogic.h"

#include "import/LegacyReader.h"

#include <QByteArray>

#include <vector>

namespace fuzzlogic {

namespace {

std::vector<QByteArray> splitInChunks(QByteArrayView bytes, qsizetype chunk)
{
    std::vector<QByteArray> lines;
    const auto sink = [&](QByteArrayView line) { lines.emplace_back(line.toByteArray()); };
    legacy::LegacyLineSplitter splitter;
    for (qsizetype at = 0; at < bytes.size(); at += chunk)
        splitter.feed(bytes.sliced(at, std::min(chunk, bytes.size() - at)), sink);
    splitter.finish(sink);
    return lines;
}

} // namespace

void legacyReader(QByteArrayView input)
{
    const QByteArray bytes = input.toByteArray();

    // The lines do not depend on how the bytes arrive: whole, byte by byte, or in odd chunks
    // (a CR at the end of one chunk and its LF at the start of the next is one line end).
    const std::vector<QString> whole = legacy::splitLegacyLines(bytes);
    const qsizetype oddChunk = input.isEmpty() ? 1 : 1 + qsizetype(static_cast<unsigned char>(input[0]) % 13);
    for (const qsizetype chunk : {qsizetype(1), oddChunk}) {
        const std::vector<QByteArray> pieces = splitInChunks(input, chunk);
        if (pieces.size() != whole.size())
            throw Violation("the line count depends on the chunk size");
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (QString::fromLatin1(pieces[i]) != whole[i])
                throw Violation("a line depends on the chunk size");
        }
    }
    for (const QString &line : whole) {
        if (line.contains(u'\r') || line.contains(QChar(0x1a)))
            throw Violation("a line holds its line end or Ctrl-Z");
    }

    // The records: a line that is not a number is the user's error, never a crash.
    const bool geschaelt = !input.isEmpty() && (static_cast<unsigned char>(input[0]) & 1);
    std::size_t logs = 0;
    try {
        legacy::parseLegacyLogs(bytes, QStringLiteral("Wald.dvz"), geschaelt, [&](const legacy::LegacyLog &) { ++logs; });
        if (logs != whole.size() / 7)
            throw Violation("not one log per seven lines");
    } catch (const legacy::LegacyFormatError &e) {
        if (e.lineNumber() < 1 || e.lineNumber() > qint64(whole.size()))
            throw Violation("a format error names a line outside the file");
        if (e.message().isEmpty())
            throw Violation("a format error without a message");
    }

    // The number readers and the name suggestion on every line.
    for (const QString &line : whole) {
        bool ok = false;
        legacy::DezimalwertLesen(line, ok);
        int value = 0;
        legacy::readWholeNumber(line.toLatin1(), value);
        legacy::DateinameOhneEndung(line);
    }
}

} // namespace fuzzlogic
