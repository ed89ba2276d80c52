#include "import/LegacyReader.h"

#include "rules/MeasurementRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace importing {

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';
constexpr char CtrlZ = 26;
constexpr qsizetype ReadChunk = 64 * 1024;
// Longer offending lines are shortened in the message; the error keeps the whole text.
constexpr qsizetype ShownTextLength = 60;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The plain decimal number with '.' as separator: [sign] digits [. digits] [e [sign] digits],
// at least one digit before the exponent.
bool readPlainDecimal(std::string_view text, double &value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numberStart = i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    if (i != text.size())
        return false;

    // from_chars reads no leading '+', so the sign was taken off above.
    double magnitude = 0;
    const char *first = text.data() + numberStart;
    const char *last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(magnitude))
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

// The first '.' or ',' becomes the decimal separator; a second one of either kind makes the
// text no number.
bool readDecimal(QByteArrayView text, double &value)
{
    std::string plain(static_cast<std::size_t>(text.size()), '\0');
    bool separatorSeen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' || c == ',') {
            if (separatorSeen)
                return false;
            separatorSeen = true;
            c = '.';
        }
        plain[static_cast<std::size_t>(i)] = c;
    }
    return readPlainDecimal(plain, value);
}

QString withoutExtension(const QString &fileName)
{
    const qsizetype point = fileName.lastIndexOf(u'.');
    return point < 0 ? fileName : fileName.left(point);
}

QString formatMessage(const QString &filePath, qint64 lineNumber, const QString &text,
                      LegacyFormatError::Expected expected)
{
    const QString kind = expected == LegacyFormatError::Expected::WholeNumber
                             ? QStringLiteral("keine gültige ganze Zahl")
                             : QStringLiteral("keine gültige Dezimalzahl");
    return QStringLiteral("%1, Zeile %2: '%3' ist %4.")
        .arg(QFileInfo(filePath).fileName(), QString::number(lineNumber), shownText(text), kind);
}

// Hands every line of the file to `wanted` until it answers false; reads no further than needed.
// Returns the number of bytes read.
qint64 forEachLine(const QString &path, const std::function<bool(QByteArrayView)> &wanted,
                   const ReadProgress &progress = {})
{
    requireRegularFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LegacyFileError(path);
    const qint64 total = file.size();

    bool more = true;
    const auto sink = [&](QByteArrayView line) {
        if (more)
            more = wanted(line);
    };
    LegacyLineSplitter splitter(path);
    QByteArray chunk(ReadChunk, Qt::Uninitialized);
    qint64 read = 0;
    while (more && !splitter.ended()) {
        const qint64 count = file.read(chunk.data(), chunk.size());
        if (count < 0)
            throw LegacyFileError(path);
        if (count == 0)
            break;
        read += count;
        try {
            splitter.feed(QByteArrayView(chunk.constData(), count), sink);
        } catch (const LegacyLineTooLongError &) {
            if (more)
                throw;
            break; // beyond the lines wanted
        }
        if (progress)
            progress(read, total);
    }
    if (more)
        splitter.finish(sink);
    return read;
}

// Reads all logs with `feed`, which hands the lines to the parser and tells whether there were
// any bytes at all. Bytes without one complete log are no list of version 2.0, also when their
// first record breaks off at a line longer than any field (a file with LF line ends is one line).
void readAllLogs(const QString &filePath, const LegacyLogParser &parser, const std::function<bool()> &feed)
{
    bool anyBytes = false;
    try {
        anyBytes = feed();
    } catch (const LegacyLineTooLongError &) {
        if (parser.logCount() == 0)
            throw LegacyNoLogsError(filePath);
        throw;
    }
    if (anyBytes && parser.logCount() == 0)
        throw LegacyNoLogsError(filePath);
}

bool isJa(const QString &line)
{
    return line == u"J" || line == u"j";
}

} // namespace

LegacyError::LegacyError(const QString &message, const QString &filePath)
    : Error(message), m_filePath(filePath)
{
}

LegacyFileError::LegacyFileError(const QString &filePath)
    : LegacyError(QStringLiteral("Die Datei '%1' kann nicht gelesen werden.").arg(QDir::toNativeSeparators(filePath)),
                  filePath)
{
}

LegacyFormatError::LegacyFormatError(const QString &filePath, qint64 lineNumber, const QString &text,
                                     Expected expected)
    : LegacyError(formatMessage(filePath, lineNumber, text, expected), filePath), m_lineNumber(lineNumber),
      m_text(text), m_expected(expected)
{
}

LegacyLineTooLongError::LegacyLineTooLongError(const QString &filePath, qint64 lineNumber)
    : LegacyError(QStringLiteral("%1Zeile %2: Die Zeile ist länger als %3 Zeichen.")
                      .arg(filePath.isEmpty() ? QString() : QFileInfo(filePath).fileName() + QStringLiteral(", "))
                      .arg(lineNumber)
                      .arg(MaxLineLength),
                  filePath),
      m_lineNumber(lineNumber)
{
}

LegacyNoLogsError::LegacyNoLogsError(const QString &filePath)
    : LegacyError(QStringLiteral("Die Datei enthält keine Stämme im Format der Version 2.0."), filePath)
{
}

QString shownText(const QString &text)
{
    // A control character (a NUL byte above all) would cut the message short or garble it where
    // it is shown: it appears as the replacement character.
    QString shown = text.size() <= ShownTextLength ? text : text.left(ShownTextLength) + QChar(0x2026);
    for (QChar &c : shown)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QChar::ReplacementCharacter;
    return shown;
}

QString notARegularFileText(const QString &path)
{
    return QStringLiteral("'%1' ist keine gewöhnliche Datei und kann nicht gelesen werden.")
        .arg(QDir::toNativeSeparators(path));
}

void requireRegularFile(const QString &path)
{
    // A file that is not there at all cannot be opened: that error says so.
    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        throw LegacyError(notARegularFileText(path), path);
}

QString DateinameOhneEndung(const QString &path)
{
    qsizetype start = 0;
    for (qsizetype i = path.size(); i > 0; --i) {
        const QChar c = path.at(i - 1);
        if (c == u'/' || c == u'\\' || c == u':') {
            start = i;
            break;
        }
    }
    return withoutExtension(path.mid(start));
}

double DezimalwertLesen(const QString &text, bool &ok)
{
    // Characters beyond Latin-1 belong to no number; they become a byte that none matches.
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        bytes[i] = c < 0x80 ? static_cast<char>(c) : 'x';
    }
    double value = 0;
    ok = readDecimal(bytes, value);
    return ok ? value : 0.0;
}

bool readWholeNumber(QByteArrayView text, int &value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    // Accumulated as a negative number, which reaches the smallest int as well.
    constexpr long long smallest = std::numeric_limits<int>::min();
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return false;
        v = v * 10 - (text[i] - '0');
        if (v < smallest)
            return false;
    }
    if (!negative) {
        v = -v;
        if (v > std::numeric_limits<int>::max())
            return false;
    }
    value = static_cast<int>(v);
    return true;
}

void LegacyLineSplitter::requireShort(qsizetype length) const
{
    if (length > MaxLineLength)
        throw LegacyLineTooLongError(m_filePath, m_lines + 1);
}

void LegacyLineSplitter::hand(QByteArrayView line, const LineSink &sink)
{
    ++m_lines;
    sink(line);
}

void LegacyLineSplitter::feed(QByteArrayView bytes, const LineSink &sink)
{
    const char *data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size && !m_ended) {
        if (m_afterCr) {
            m_afterCr = false;
            if (data[i] == LineFeed) {
                ++i;
                continue;
            }
        }
        // A line is looked for no further than it may be long.
        const qsizetype limit = std::min(size, i + MaxLineLength + 1 - m_pending.size());
        qsizetype end = i;
        while (end < limit && data[end] != CarriageReturn && data[end] != CtrlZ)
            ++end;
        requireShort(m_pending.size() + (end - i));
        if (end == size) {
            m_pending.append(data + i, end - i);
            return;
        }
        if (data[end] == CtrlZ) {
            m_pending.append(data + i, end - i);
            m_ended = true;
            return;
        }
        if (m_pending.isEmpty()) {
            hand(QByteArrayView(data + i, end - i), sink);
        } else {
            m_pending.append(data + i, end - i);
            const QByteArray line = std::exchange(m_pending, QByteArray());
            hand(line, sink);
        }
        m_afterCr = true;
        i = end + 1;
    }
}

void LegacyLineSplitter::finish(const LineSink &sink)
{
    m_ended = true;
    if (!m_pending.isEmpty()) {
        const QByteArray line = std::exchange(m_pending, QByteArray());
        hand(line, sink);
    }
}

std::vector<QString> splitLegacyLines(const QByteArray &bytes)
{
    std::vector<QString> lines;
    const auto sink = [&](QByteArrayView line) { lines.push_back(QString::fromLatin1(line)); };
    LegacyLineSplitter splitter;
    splitter.feed(bytes, sink);
    splitter.finish(sink);
    return lines;
}

std::vector<QString> readLegacyLines(const QString &path, std::size_t maxLines)
{
    std::vector<QString> lines;
    if (maxLines == 0)
        return lines;
    forEachLine(path, [&](QByteArrayView line) {
        lines.push_back(QString::fromLatin1(line));
        return lines.size() < maxLines;
    });
    return lines;
}

LegacyLogParser::LegacyLogParser(QString filePath, bool geschaelt, LogSink sink)
    : m_filePath(std::move(filePath)), m_geschaelt(geschaelt), m_sink(std::move(sink))
{
}

int LegacyLogParser::wholeNumber(int field) const
{
    int value = 0;
    if (!readWholeNumber(m_fields[field], value))
        throw LegacyFormatError(m_filePath, m_lineNumber - 6 + field, QString::fromLatin1(m_fields[field]),
                                LegacyFormatError::Expected::WholeNumber);
    return value;
}

void LegacyLogParser::line(QByteArrayView text)
{
    ++m_lineNumber;
    if (m_field < 6) {
        // The field buffers keep their capacity from record to record.
        QByteArray &field = m_fields[m_field];
        field.resize(text.size());
        std::memcpy(field.data(), text.data(), std::size_t(text.size()));
    }
    if (++m_field < 7)
        return;
    m_field = 0;

    // Line 7 of a record carries nothing the list needs.
    values::LogRow log;
    log.id = wholeNumber(0);
    log.laenge = wholeNumber(1);
    log.durchmein = wholeNumber(2);
    log.gueteklasse = QString::fromLatin1(m_fields[3]);
    double volumen = 0;
    if (!readDecimal(m_fields[4], volumen) || !std::isfinite(volumen * 10000))
        throw LegacyFormatError(m_filePath, m_lineNumber - 2, QString::fromLatin1(m_fields[4]),
                                LegacyFormatError::Expected::DecimalNumber);
    // The volume to four decimals, an exact half to the even neighbour.
    log.volumen = std::nearbyint(volumen * 10000) / 10000;
    log.staerkeklasse = QString::fromLatin1(m_fields[5]);
    log.durchmeff = rules::DurchmeffBerechnen(log.durchmein, m_geschaelt);
    ++m_logs;
    m_sink(log);
}

void parseLegacyLogs(const QByteArray &bytes, const QString &filePath, bool geschaelt, const LogSink &sink)
{
    LegacyLogParser parser(filePath, geschaelt, sink);
    readAllLogs(filePath, parser, [&] {
        const auto lineSink = [&](QByteArrayView line) { parser.line(line); };
        LegacyLineSplitter splitter(filePath);
        splitter.feed(bytes, lineSink);
        splitter.finish(lineSink);
        return !bytes.isEmpty();
    });
}

void readLegacyLogs(const QString &listPath, bool geschaelt, const LogSink &sink, const ReadProgress &progress)
{
    LegacyLogParser parser(listPath, geschaelt, sink);
    readAllLogs(listPath, parser, [&] {
        const qint64 read = forEachLine(
            listPath,
            [&](QByteArrayView line) {
                parser.line(line);
                return true;
            },
            progress);
        return read > 0;
    });
}

QString findSideFile(const QString &listPath, const QString &extension)
{
    const QFileInfo list(listPath);
    const QDir folder = list.dir();
    const QString wanted = withoutExtension(list.fileName()) + extension;

    const QFileInfo exact(folder.filePath(wanted));
    if (exact.isFile())
        return exact.filePath();
    // Names compared as they are, not as patterns: a "[" or "*" in a list name is a character.
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() && entry.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            return entry.filePath();
    }
    return {};
}

values::ListHeader readLegacyHeader(const QString &listPath)
{
    values::ListHeader header;

    const QString infoFile = findSideFile(listPath, QStringLiteral(".INF"));
    if (!infoFile.isEmpty()) {
        const std::vector<QString> lines = readLegacyLines(infoFile, 1);
        if (!lines.empty())
            header.text = lines[0];
    }

    const QString settingsFile = findSideFile(listPath, QStringLiteral(".SET"));
    if (!settingsFile.isEmpty()) {
        const std::vector<QString> lines = readLegacyLines(settingsFile, 5);
        // Line 1 "J" means measured over bark; any other content marks the list as geschält,
        // while a missing line leaves the bark deduction in force.
        if (lines.size() > 0)
            header.peeled = !isJa(lines[0]);
        if (lines.size() > 1)
            header.skidded = isJa(lines[1]);
        if (lines.size() > 2)
            header.department = lines[2];
        if (lines.size() > 3)
            header.species = lines[3];
        if (lines.size() > 4)
            header.assortment = lines[4];
    }
    return header;
}

} // namespace importing
