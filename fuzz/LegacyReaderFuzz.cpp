#include "fuzz/FuzzLogic.h"

#include "import/LegacyReader.h"

#include <QByteArray>

#include <vector>

namespace fuzzlogic {

namespace {

// The lines of the bytes fed in chunks of the given size; a line that is too long ends them,
// and its number is kept in tooLongAt (0 when none was).
std::vector<QByteArray> splitInChunks(QByteArrayView bytes, qsizetype chunk, qint64 &tooLongAt)
{
    std::vector<QByteArray> lines;
    tooLongAt = 0;
    const auto sink = [&](QByteArrayView line) { lines.emplace_back(line.toByteArray()); };
    importing::LegacyLineSplitter splitter;
    try {
        for (qsizetype at = 0; at < bytes.size(); at += chunk)
            splitter.feed(bytes.sliced(at, std::min(chunk, bytes.size() - at)), sink);
        splitter.finish(sink);
    } catch (const importing::LegacyLineTooLongError &e) {
        tooLongAt = e.lineNumber();
    }
    return lines;
}

} // namespace

void legacyReader(QByteArrayView input)
{
    const QByteArray bytes = input.toByteArray();

    // The lines do not depend on how the bytes arrive: whole, byte by byte, or in odd chunks
    // (a CR at the end of one chunk and its LF at the start of the next is one line end). A
    // line longer than any field ends the reading at the same line however the bytes come.
    qint64 tooLongAt = 0;
    std::vector<QString> whole;
    for (const QByteArray &line : splitInChunks(input, qMax<qsizetype>(1, input.size()), tooLongAt))
        whole.push_back(QString::fromLatin1(line));
    if (tooLongAt != 0 && tooLongAt != qint64(whole.size()) + 1)
        throw Violation("a line too long is not the line after the last one read");
    const qsizetype oddChunk = input.isEmpty() ? 1 : 1 + qsizetype(static_cast<unsigned char>(input[0]) % 13);
    for (const qsizetype chunk : {qsizetype(1), oddChunk}) {
        qint64 piecesTooLongAt = 0;
        const std::vector<QByteArray> pieces = splitInChunks(input, chunk, piecesTooLongAt);
        if (pieces.size() != whole.size() || piecesTooLongAt != tooLongAt)
            throw Violation("the line count depends on the chunk size");
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (QString::fromLatin1(pieces[i]) != whole[i])
                throw Violation("a line depends on the chunk size");
        }
    }
    for (const QString &line : whole) {
        if (line.contains(u'\r') || line.contains(QChar(0x1a)))
            throw Violation("a line holds its line end or Ctrl-Z");
        if (line.size() > importing::MaxLineLength)
            throw Violation("a line longer than the longest line was handed on");
    }

    // The records: a line that is not a number is the user's error, never a crash.
    const bool geschaelt = !input.isEmpty() && (static_cast<unsigned char>(input[0]) & 1);
    std::size_t logs = 0;
    try {
        importing::parseLegacyLogs(bytes, QStringLiteral("Wald.dvz"), geschaelt, [&](const values::LogRow &) { ++logs; });
        if (logs != whole.size() / 7 || tooLongAt != 0)
            throw Violation("not one log per seven lines");
        if (logs == 0 && !bytes.isEmpty())
            throw Violation("bytes without a log passed as an empty list");
    } catch (const importing::LegacyFormatError &e) {
        if (e.lineNumber() < 1 || e.lineNumber() > qint64(whole.size()))
            throw Violation("a format error names a line outside the file");
        if (e.message().isEmpty())
            throw Violation("a format error without a message");
    } catch (const importing::LegacyLineTooLongError &e) {
        if (e.lineNumber() != tooLongAt || logs == 0)
            throw Violation("a line too long reported at the wrong line or instead of no logs");
    } catch (const importing::LegacyNoLogsError &) {
        if (logs != 0 || bytes.isEmpty() || (tooLongAt == 0 && whole.size() >= 7))
            throw Violation("no logs reported for a list with logs");
    }
    if (QString::fromLatin1(bytes).size() > 0 && importing::shownText(QString::fromLatin1(bytes)).size() > 61)
        throw Violation("a quoted text is longer than 60 characters");

    // The number readers and the name suggestion on every line.
    for (const QString &line : whole) {
        bool ok = false;
        importing::DezimalwertLesen(line, ok);
        int value = 0;
        importing::readWholeNumber(line.toLatin1(), value);
        importing::DateinameOhneEndung(line);
    }
}

} // namespace fuzzlogic
