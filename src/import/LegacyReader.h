#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <functional>
#include "engine/Error.h"
#include "values/ListHeader.h"
#include "values/LogRow.h"

#include <stdexcept>
#include <utility>
#include <vector>

// Reading the text files of lists written by version 2.0: the list file with seven lines per
// log, and beside it the optional info file (".INF") and settings file (".SET"). Nothing here
// touches the database or a window; the import window stores what is read.
namespace importing {

// A version 2.0 list that cannot be read. message() is the German text for the user.
class LegacyError : public engine::Error
{
public:
    LegacyError(const QString &message, const QString &filePath);

    QString filePath() const { return m_filePath; }

private:
    QString m_filePath;
};

// A file that cannot be opened or read.
class LegacyFileError : public LegacyError
{
public:
    explicit LegacyFileError(const QString &filePath);
};

// A line that is not a number where the list file needs one.
class LegacyFormatError : public LegacyError
{
public:
    enum class Expected { WholeNumber, DecimalNumber };

    LegacyFormatError(const QString &filePath, qint64 lineNumber, const QString &text, Expected expected);

    // The line in the file, counted from 1.
    qint64 lineNumber() const { return m_lineNumber; }
    // The offending line as it stands in the file.
    QString text() const { return m_text; }
    Expected expected() const { return m_expected; }

private:
    qint64 m_lineNumber;
    QString m_text;
    Expected m_expected;
};

// A line longer than any field of a version 2.0 list: the file is not such a list, and it is
// not read any further.
class LegacyLineTooLongError : public LegacyError
{
public:
    LegacyLineTooLongError(const QString &filePath, qint64 lineNumber);
    qint64 lineNumber() const { return m_lineNumber; }

private:
    qint64 m_lineNumber;
};

// A file that holds bytes but not one complete log.
class LegacyNoLogsError : public LegacyError
{
public:
    explicit LegacyNoLogsError(const QString &filePath);
};

// The longest line any of the files holds: the longest text of a list header is 100
// characters, a number is far shorter.
inline constexpr qsizetype MaxLineLength = 255;

// An offending text as an error message quotes it: at most 60 characters, then "…"; control
// characters shown as "�".
QString shownText(const QString &text);

// Only regular files are read (a FIFO or device would block or never end): throws LegacyError
// with notARegularFileText when `path` names something else (a missing file fails to open).
void requireRegularFile(const QString &path);
QString notARegularFileText(const QString &path);

// The suggested list name: the file name after the last folder separator ("/" or "\") or drive
// colon, without its last extension. A name without a point stays whole.
QString DateinameOhneEndung(const QString &path);

// A decimal number with "." or "," as decimal separator: the first of them found is the
// separator, then the text must be a plain decimal number with an optional sign (and an
// optional exponent). "1.25", "1,25" and ".5" are numbers; "1.234,5" is not.
double DezimalwertLesen(const QString &text, bool &ok);

// A whole number of a list file: an optional sign and decimal digits, nothing else, within the
// range of int.
bool readWholeNumber(QByteArrayView text, int &value);

// Splits bytes into lines as version 2.0 wrote them: a line ends at CR, an LF right after the CR
// is skipped, Ctrl-Z ends the text as its end does. A lone LF belongs to the line. Each byte is
// one character (Latin-1); lines are not trimmed. Bytes may arrive in chunks of any size. A line
// longer than MaxLineLength throws LegacyLineTooLongError as soon as it is seen, so no more
// than that is ever held; filePath names the file in that error.
class LegacyLineSplitter
{
public:
    using LineSink = std::function<void(QByteArrayView line)>;

    explicit LegacyLineSplitter(QString filePath = {}) : m_filePath(std::move(filePath)) {}

    void feed(QByteArrayView bytes, const LineSink &sink);
    // Hands on the last line when it has no CR at its end.
    void finish(const LineSink &sink);
    // Ctrl-Z was seen: further bytes are ignored.
    bool ended() const { return m_ended; }

private:
    void hand(QByteArrayView line, const LineSink &sink);
    void requireShort(qsizetype length) const;

    QString m_filePath;
    QByteArray m_pending;
    qint64 m_lines = 0;
    bool m_afterCr = false;
    bool m_ended = false;
};

std::vector<QString> splitLegacyLines(const QByteArray &bytes);

// The first lines of a text file, at most maxLines; the file is read only as far as needed.
// Throws LegacyFileError when it cannot be opened or read.
std::vector<QString> readLegacyLines(const QString &path, std::size_t maxLines);

using LogSink = std::function<void(const values::LogRow &log)>;

// Turns the lines of a list file into logs, seven lines each, and hands every complete log to
// the sink as soon as its seventh line arrives; lines left at the end are dropped. The volume is
// rounded to four decimals (half to even), the effective diameter derived from the bark flag.
// Throws LegacyFormatError for a line that is not a number where one is needed.
class LegacyLogParser
{
public:
    LegacyLogParser(QString filePath, bool geschaelt, LogSink sink);

    void line(QByteArrayView text);
    qint64 logCount() const { return m_logs; }

private:
    int wholeNumber(int field) const;

    QString m_filePath;
    bool m_geschaelt;
    LogSink m_sink;
    qint64 m_lineNumber = 0;
    int m_field = 0;
    qint64 m_logs = 0;
    QByteArray m_fields[6];
};

// The logs in the bytes of a list file; filePath names the file in error messages. Bytes from
// which not one complete log can be read throw LegacyNoLogsError; no bytes are an empty list.
void parseLegacyLogs(const QByteArray &bytes, const QString &filePath, bool geschaelt, const LogSink &sink);

// Called while a file is read: bytes read so far, size of the file.
using ReadProgress = std::function<void(qint64 done, qint64 total)>;

// Reads the list file record by record, handing each log to the sink, as parseLegacyLogs does.
void readLegacyLogs(const QString &listPath, bool geschaelt, const LogSink &sink, const ReadProgress &progress = {});

// The side file next to the list file with its base name and the extension (".INF" or ".SET"):
// the exact name if it exists, otherwise a file of that name in another case. Empty when there
// is none; a FIFO, device, socket or dangling link of that name counts as none.
QString findSideFile(const QString &listPath, const QString &extension);

// The list header from the side files; a missing file or line keeps its default.
values::ListHeader readLegacyHeader(const QString &listPath);

} // namespace importing
