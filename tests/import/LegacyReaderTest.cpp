#include "import/LegacyReader.h"
#include "support/LegacyFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace importing;

// Readable texts in failure messages.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QByteArray record(int id, int laenge, int durchmein, const char *gueteklasse, const char *volumen,
                  const char *staerkeklasse)
{
    // The seventh line, never read, holds a mark here.
    return legacyfiles::record(id, laenge, durchmein, gueteklasse, volumen, staerkeklasse, "x");
}

std::vector<values::LogRow> parse(const QByteArray &bytes, bool geschaelt = true)
{
    std::vector<values::LogRow> logs;
    parseLegacyLogs(bytes, QStringLiteral("Wald.dvz"), geschaelt, [&](const values::LogRow &log) { logs.push_back(log); });
    return logs;
}

std::vector<QString> lines(std::initializer_list<const char *> texts)
{
    std::vector<QString> result;
    for (const char *text : texts)
        result.push_back(QString::fromLatin1(text));
    return result;
}

class LegacyFiles : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString write(const QString &name, const QByteArray &bytes) { return legacyfiles::write(dir.path(), name, bytes); }

    std::vector<values::LogRow> read(const QString &listPath)
    {
        const values::ListHeader header = readLegacyHeader(listPath);
        std::vector<values::LogRow> logs;
        readLegacyLogs(listPath, header.peeled, [&](const values::LogRow &log) { logs.push_back(log); });
        return logs;
    }

    QTemporaryDir dir;
};

} // namespace

TEST(LegacyNames, SuggestedListName)
{
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("C:\\alt\\Wald.dvz")), "Wald");
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("/home/forst/alt/Wald.dvz")), "Wald");
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("/home/forst/alt/Wald")), "Wald");
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("Wald")), "Wald");
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("C:Wald.dvz")), "Wald");
    // Only the last extension goes, and a point in a folder name is none.
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("/alt/Wald.2003.dvz")), "Wald.2003");
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("/alt.v20/Wald")), "Wald");
    EXPECT_EQ(DateinameOhneEndung(QStringLiteral("C:\\alt.v20\\Wald")), "Wald");
}

TEST(LegacyNumbers, DecimalNumbers)
{
    struct Case
    {
        const char *text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1.25", true, 1.25}, {"1,25", true, 1.25}, {".5", true, 0.5},     {",5", true, 0.5},
        {"0,5", true, 0.5},   {"-0,5", true, -0.5}, {"+2", true, 2},       {"3.", true, 3},
        {"7.85E-5", true, 7.85e-5},
        {"1.234,5", false, 0}, {"1,234.5", false, 0}, {"1.2.3", false, 0}, {"", false, 0},
        {".", false, 0},      {"-", false, 0},      {"abc", false, 0},     {" 1.5", false, 0},
        {"1.5 ", false, 0},   {"1e", false, 0},     {"inf", false, 0},     {"nan", false, 0},
        {"0x10", false, 0},   {"1e999", false, 0},  {"--1", false, 0},
    };
    for (const Case &c : cases) {
        bool ok = !c.ok;
        const double value = DezimalwertLesen(QString::fromLatin1(c.text), ok);
        EXPECT_EQ(ok, c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        }
    }
    bool ok = true;
    DezimalwertLesen(QStringLiteral("1,5€"), ok);
    EXPECT_FALSE(ok);
}

TEST(LegacyNumbers, WholeNumbers)
{
    struct Case
    {
        const char *text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"7", true, 7},          {"+7", true, 7},        {"-12", true, -12},
        {"-0", true, 0},         {"007", true, 7},       {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0}, {"-2147483649", false, 0}, {"99999999999999999999", false, 0},
        {"", false, 0},          {"+", false, 0},        {" 5", false, 0},
        {"5 ", false, 0},        {"1.0", false, 0},      {"0x10", false, 0},
        {"$1F", false, 0},       {"1e3", false, 0},      {"+-1", false, 0},
    };
    for (const Case &c : cases) {
        int value = -99;
        EXPECT_EQ(readWholeNumber(QByteArrayView(c.text), value), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        }
    }
}

TEST(LegacyLines, LineEndsAndEndOfText)
{
    EXPECT_EQ(splitLegacyLines(""), lines({}));
    EXPECT_EQ(splitLegacyLines("a\r\nb\r\n"), lines({"a", "b"}));
    EXPECT_EQ(splitLegacyLines("a\rb"), lines({"a", "b"}));
    EXPECT_EQ(splitLegacyLines("a\r\r\nb\r\n\r\n"), lines({"a", "", "b", ""}));
    // Only the one LF right after a CR is skipped; any other LF belongs to the line.
    EXPECT_EQ(splitLegacyLines("a\nb\r\n\nc\r"), lines({"a\nb", "\nc"}));
    EXPECT_EQ(splitLegacyLines("\n"), lines({"\n"}));
    // Ctrl-Z ends the text, a line before it included.
    EXPECT_EQ(splitLegacyLines("a\r\nb\x1a" "c\r\nd\r\n"), lines({"a", "b"}));
    EXPECT_EQ(splitLegacyLines("a\r\n\x1a\r\n"), lines({"a"}));
    EXPECT_EQ(splitLegacyLines("a\r\x1a"), lines({"a"}));
    // Lines are neither trimmed nor converted: each byte is its character.
    EXPECT_EQ(splitLegacyLines(" B \t\r\nEiche \xe4\xf6\xfc\xdf\r\n"),
              (std::vector<QString>{QStringLiteral(" B \t"), QStringLiteral("Eiche äöüß")}));
    const QByteArray nul("a\0b\r\n", 5);
    EXPECT_EQ(splitLegacyLines(nul), (std::vector<QString>{QString::fromLatin1(QByteArrayView("a\0b", 3))}));
}

TEST(LegacyLines, ChunksSplitAnywhereGiveTheSameLines)
{
    const QByteArray text("eins\r\nzwei\r\rdrei\n\r\n\r\nvier\r\x1aweg\r\n");
    const std::vector<QString> whole = splitLegacyLines(text);
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        std::vector<QString> chunked;
        const auto sink = [&](QByteArrayView line) { chunked.push_back(QString::fromLatin1(line)); };
        LegacyLineSplitter splitter;
        splitter.feed(QByteArrayView(text).first(cut), sink);
        splitter.feed(QByteArrayView(text).sliced(cut), sink);
        splitter.finish(sink);
        EXPECT_EQ(chunked, whole) << "cut at " << cut;
    }
}

TEST(LegacyRecords, SevenLinesMakeALog)
{
    const QByteArray bytes = record(1, 12, 35, "C", "1,0306", "3a") + record(2, 4, 9, "Cgw ", "0.03", "0")
                             + "3\r\n5\r\n20\r\nB\r\n0.16\r\n2a\r\n"; // incomplete: dropped
    const std::vector<values::LogRow> logs = parse(bytes);
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_EQ(logs[0].id, 1);
    EXPECT_EQ(logs[0].laenge, 12);
    EXPECT_EQ(logs[0].durchmein, 35);
    EXPECT_EQ(logs[0].durchmeff, 35);
    EXPECT_EQ(logs[0].gueteklasse, "C");
    EXPECT_EQ(logs[0].volumen, 1.0306);
    EXPECT_EQ(logs[0].staerkeklasse, "3a");
    EXPECT_EQ(logs[1].id, 2);
    EXPECT_EQ(logs[1].gueteklasse, "Cgw ");
    EXPECT_EQ(logs[1].staerkeklasse, "0");

    EXPECT_TRUE(parse("").empty());
    // Texts and numbers are taken as they stand, the numbering too.
    const std::vector<values::LogRow> odd = parse(record(-5, 0, -1, "", "-0.5", "xyz"), false);
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].id, -5);
    EXPECT_EQ(odd[0].durchmeff, -2);
    EXPECT_EQ(odd[0].gueteklasse, "");
    EXPECT_EQ(odd[0].volumen, -0.5);
}

TEST(LegacyRecords, VolumeToFourDecimalsHalvesToEven)
{
    struct Case
    {
        const char *text;
        double volumen;
    };
    // 0.12345 and 0.00125 times 10000 are exact halves in double precision.
    const Case cases[] = {{"0.12344", 0.1234}, {"0.12346", 0.1235}, {"0.12345", 0.1234}, {"0.12355", 0.1236},
                          {"0.00125", 0.0012}, {"0.00135", 0.0014}, {"0,5", 0.5},        {"0.5", 0.5},
                          {"12", 12},          {"-0,00004", 0}};
    for (const Case &c : cases) {
        const std::vector<values::LogRow> logs = parse(record(1, 10, 30, "B", c.text, "3a"));
        ASSERT_EQ(logs.size(), 1u) << c.text;
        EXPECT_EQ(logs[0].volumen, c.volumen) << c.text;
    }
}

TEST(LegacyRecords, BadLineNamesFileLineAndText)
{
    const QByteArray bytes = record(1, 10, 30, "B", "0.71", "3a") + "abc\r\n" + record(0, 0, 0, "", "", "").mid(2);
    std::vector<values::LogRow> logs;
    try {
        parseLegacyLogs(bytes, QStringLiteral("/alt/Wald.dvz"), true, [&](const values::LogRow &log) { logs.push_back(log); });
        FAIL() << "no error";
    } catch (const LegacyFormatError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Wald.dvz, Zeile 8: 'abc' ist keine gültige ganze Zahl."));
        EXPECT_EQ(error.lineNumber(), 8);
        EXPECT_EQ(error.text(), "abc");
        EXPECT_EQ(error.filePath(), "/alt/Wald.dvz");
        EXPECT_STREQ(error.what(), "Wald.dvz, Zeile 8: 'abc' ist keine gültige ganze Zahl.");
    }
    // The log before the bad record was handed on already.
    EXPECT_EQ(logs.size(), 1u);

    const auto failure = [](const QByteArray &bytes) -> QString {
        try {
            parse(bytes);
        } catch (const LegacyFormatError &error) {
            return error.message();
        }
        return {};
    };
    EXPECT_EQ(failure(record(1, 10, 30, "B", "1.234,5", "3a")),
              QStringLiteral("Wald.dvz, Zeile 5: '1.234,5' ist keine gültige Dezimalzahl."));
    EXPECT_EQ(failure(record(1, 10, 30, "B", "1e305", "3a")),
              QStringLiteral("Wald.dvz, Zeile 5: '1e305' ist keine gültige Dezimalzahl."));
    EXPECT_EQ(failure(record(1, 10, 30, "B", "0.5", "3a") + "2\r\n10\r\n 30\r\nB\r\n0.5\r\n3a\r\n\r\n"),
              QStringLiteral("Wald.dvz, Zeile 10: ' 30' ist keine gültige ganze Zahl."));
    EXPECT_EQ(failure("1\r\n4000000000\r\n30\r\nB\r\n0.5\r\n3a\r\n\r\n"),
              QStringLiteral("Wald.dvz, Zeile 2: '4000000000' ist keine gültige ganze Zahl."));
    // A long line is shortened in the message.
    const QString longFailure = failure(QByteArray(200, 'z') + "\r\n2\r\n3\r\nB\r\n0.5\r\n3a\r\n\r\n");
    EXPECT_EQ(longFailure, QStringLiteral("Wald.dvz, Zeile 1: '") + QString(60, u'z') + QStringLiteral("…' ist keine gültige ganze Zahl."));
    // Lines left over at the end are dropped unread.
    EXPECT_EQ(failure(record(1, 10, 30, "B", "0.5", "3a") + "abc\r\ndef\r\n"), QString());
}

TEST_F(LegacyFiles, SideFilesFoundWhateverTheirCase)
{
    const QString list = write(QStringLiteral("Wald.dvz"), {});
    EXPECT_EQ(findSideFile(list, QStringLiteral(".INF")), QString());
    write(QStringLiteral("wald.inf"), "Durchforstung 2003\r\n");
    write(QStringLiteral("WALD.Set"), "j\r\n");
    EXPECT_EQ(findSideFile(list, QStringLiteral(".INF")), dir.filePath(QStringLiteral("wald.inf")));
    EXPECT_EQ(findSideFile(list, QStringLiteral(".SET")), dir.filePath(QStringLiteral("WALD.Set")));
    // The exact name comes first.
    write(QStringLiteral("Wald.INF"), "genau\r\n");
    EXPECT_EQ(readLegacyHeader(list).text, "genau");
    // A list file without extension has the same side files.
    const QString bare = write(QStringLiteral("Wald"), {});
    EXPECT_EQ(findSideFile(bare, QStringLiteral(".SET")), dir.filePath(QStringLiteral("WALD.Set")));
    // Characters of the name are no patterns, and a folder is no side file.
    const QString odd = write(QStringLiteral("W[a]ld*.dvz"), {});
    EXPECT_EQ(findSideFile(odd, QStringLiteral(".INF")), QString());
    write(QStringLiteral("w[a]ld*.inf"), "x\r\n");
    EXPECT_EQ(findSideFile(odd, QStringLiteral(".INF")), dir.filePath(QStringLiteral("w[a]ld*.inf")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Buche.INF")));
    EXPECT_EQ(findSideFile(write(QStringLiteral("Buche.dvz"), {}), QStringLiteral(".INF")), QString());
}

TEST_F(LegacyFiles, HeaderFromTheSideFiles)
{
    const QString list = write(QStringLiteral("Wald.dvz"), {});
    const values::ListHeader none = readLegacyHeader(list);
    EXPECT_FALSE(none.peeled);
    EXPECT_FALSE(none.skidded);
    EXPECT_EQ(none.text, QString());
    EXPECT_EQ(none.department, QString());

    write(QStringLiteral("wald.inf"), "Durchforstung \xe4lter\r\nzweite Zeile\r\n");
    write(QStringLiteral("wald.set"), "j\r\nJ\r\nAbt. 12 \r\nFichte\r\nLang\r\nmehr\r\n");
    const values::ListHeader full = readLegacyHeader(list);
    EXPECT_EQ(full.text, QStringLiteral("Durchforstung älter"));
    EXPECT_FALSE(full.peeled);
    EXPECT_TRUE(full.skidded);
    EXPECT_EQ(full.department, "Abt. 12 ");
    EXPECT_EQ(full.species, "Fichte");
    EXPECT_EQ(full.assortment, "Lang");

    write(QStringLiteral("wald.set"), "N\r\nn\r\n");
    const values::ListHeader peeled = readLegacyHeader(list);
    EXPECT_TRUE(peeled.peeled);
    EXPECT_FALSE(peeled.skidded);
    EXPECT_EQ(peeled.department, QString());

    // An empty first line is content other than "J": geschält. An empty file has no line 1.
    write(QStringLiteral("wald.set"), "\r\n");
    EXPECT_TRUE(readLegacyHeader(list).peeled);
    write(QStringLiteral("wald.set"), "");
    EXPECT_FALSE(readLegacyHeader(list).peeled);
    write(QStringLiteral("wald.inf"), "");
    EXPECT_EQ(readLegacyHeader(list).text, QString());
}

TEST_F(LegacyFiles, BarkDeductionFollowsTheSettingsFile)
{
    const QString list = write(QStringLiteral("Wald.dvz"), record(1, 10, 29, "B", "0.62", "2b")
                                                               + record(2, 10, 30, "B", "0.62", "2b"));
    const auto durchmeff = [&] {
        std::vector<int> result;
        for (const values::LogRow &log : read(list))
            result.push_back(log.durchmeff);
        return result;
    };
    EXPECT_EQ(durchmeff(), (std::vector<int>{28, 28}));
    write(QStringLiteral("wald.set"), "j\r\n");
    EXPECT_EQ(durchmeff(), (std::vector<int>{28, 28}));
    write(QStringLiteral("wald.set"), "N\r\n");
    EXPECT_EQ(durchmeff(), (std::vector<int>{29, 30}));
}

TEST_F(LegacyFiles, ListFileRecordByRecord)
{
    QByteArray fifteen;
    for (int id = 1; id <= 2; ++id)
        fifteen += record(id, 10, 30, "B", "0.71", "3a");
    fifteen += "3";
    EXPECT_EQ(read(write(QStringLiteral("Wald.dvz"), fifteen)).size(), 2u);
    EXPECT_TRUE(read(write(QStringLiteral("Leer.dvz"), {})).empty());

    // Records across the reader's chunks, and Ctrl-Z ending the file.
    QByteArray many;
    for (int id = 1; id <= 5000; ++id)
        many += record(id, id % 40, id % 62, "C", "1,25", "2a");
    many += "\x1a" + record(5001, 1, 1, "B", "0", "0");
    const std::vector<values::LogRow> logs = read(write(QStringLiteral("Viele.dvz"), many));
    ASSERT_EQ(logs.size(), 5000u);
    for (int id = 1; id <= 5000; ++id) {
        const values::LogRow &log = logs[static_cast<std::size_t>(id - 1)];
        ASSERT_EQ(log.id, id);
        ASSERT_EQ(log.laenge, id % 40);
        ASSERT_EQ(log.durchmein, id % 62);
        ASSERT_EQ(log.volumen, 1.25);
    }
}

TEST_F(LegacyFiles, FileThatCannotBeReadIsNamed)
{
    const QString missing = dir.filePath(QStringLiteral("Fehlt.dvz"));
    try {
        read(missing);
        FAIL() << "no error";
    } catch (const LegacyFileError &error) {
        EXPECT_EQ(error.filePath(), missing);
        EXPECT_EQ(error.message(), QStringLiteral("Die Datei '%1' kann nicht gelesen werden.").arg(missing));
    }
    // What is there but no regular file is not opened at all: a FIFO would block for good.
    const QString folder = dir.filePath(QStringLiteral("Ordner.dvz"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Ordner.dvz")));
    try {
        read(folder);
        FAIL() << "no error";
    } catch (const LegacyError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'%1' ist keine gewöhnliche Datei und kann nicht gelesen werden.").arg(folder));
    }
}

// Arbitrary bytes never crash or hang the reader; numbers that are no numbers are errors.
TEST(LegacyFuzz, ArbitraryBytes)
{
    std::mt19937 random(20030501);
    // Mostly the bytes that steer the reader, so that records, errors and line ends all occur.
    const QByteArray alphabet("0123456789+-.,eE \r\r\r\n\n\x1a\x00\xff" "aBC", 29);
    for (int round = 0; round < 5000; ++round) {
        const int length = std::uniform_int_distribution<int>(0, 400)(random);
        const bool anyByte = round % 4 == 0;
        QByteArray bytes(length, Qt::Uninitialized);
        for (char &c : bytes)
            c = anyByte ? static_cast<char>(random())
                        : alphabet[std::uniform_int_distribution<qsizetype>(0, alphabet.size() - 1)(random)];

        // A line longer than any field ends the reading, whole or in chunks alike.
        std::vector<QString> whole;
        qint64 tooLongAt = 0;
        try {
            whole = splitLegacyLines(bytes);
        } catch (const LegacyLineTooLongError &error) {
            tooLongAt = error.lineNumber();
        }
        for (const QString &line : whole)
            ASSERT_FALSE(line.contains(u'\r') || line.contains(QChar(26)));
        std::vector<QString> chunked;
        const auto sink = [&](QByteArrayView line) { chunked.push_back(QString::fromLatin1(line)); };
        LegacyLineSplitter splitter;
        try {
            for (qsizetype at = 0; at < bytes.size();) {
                const qsizetype size = std::min<qsizetype>(bytes.size() - at, random() % 9);
                splitter.feed(QByteArrayView(bytes).sliced(at, size), sink);
                at += size;
            }
            splitter.finish(sink);
            ASSERT_EQ(tooLongAt, 0);
            ASSERT_EQ(chunked, whole);
        } catch (const LegacyLineTooLongError &error) {
            ASSERT_EQ(error.lineNumber(), tooLongAt);
            ASSERT_EQ(qint64(chunked.size()), tooLongAt - 1);
        }

        std::size_t logs = 0;
        try {
            parseLegacyLogs(bytes, QStringLiteral("Zufall.dvz"), round % 2 == 0, [&](const values::LogRow &) { ++logs; });
            ASSERT_TRUE(logs > 0 || bytes.isEmpty());
        } catch (const LegacyFormatError &error) {
            ASSERT_GE(error.lineNumber(), 1);
            ASSERT_LE(static_cast<std::size_t>(error.lineNumber()), whole.size());
        } catch (const LegacyLineTooLongError &error) {
            ASSERT_EQ(error.lineNumber(), tooLongAt);
            ASSERT_GT(logs, 0u);
        } catch (const LegacyNoLogsError &) {
            ASSERT_EQ(logs, 0u);
            ASSERT_FALSE(bytes.isEmpty());
        }
        if (tooLongAt == 0) {
            ASSERT_LE(logs, whole.size() / 7);
        }
    }
}

// Random well-formed records with mixed line ends read back as written.
TEST(LegacyFuzz, WellFormedRecordsReadBack)
{
    std::mt19937 random(1999);
    const char *const ends[] = {"\r", "\r\n"};
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes;
        std::vector<values::LogRow> written;
        const int count = std::uniform_int_distribution<int>(0, 20)(random);
        for (int i = 0; i < count; ++i) {
            values::LogRow log;
            log.id = static_cast<int>(random());
            log.laenge = std::uniform_int_distribution<int>(-5, 45)(random);
            log.durchmein = std::uniform_int_distribution<int>(-5, 70)(random);
            log.durchmeff = log.durchmein < 30 ? log.durchmein - 1 : log.durchmein - 2;
            log.gueteklasse = QString::number(random() % 1000);
            const int tenThousandths = std::uniform_int_distribution<int>(-100000, 100000)(random);
            log.volumen = tenThousandths / 10000.0;
            log.staerkeklasse = QStringLiteral("1b%1").arg(random() % 3);
            written.push_back(log);
            QByteArray volumen = QByteArray::number(log.volumen, 'f', 4);
            if (random() % 2)
                volumen.replace('.', ',');
            const QByteArray fields[] = {QByteArray::number(log.id), QByteArray::number(log.laenge),
                                         QByteArray::number(log.durchmein), log.gueteklasse.toLatin1(), volumen,
                                         log.staerkeklasse.toLatin1(), "frei"};
            for (const QByteArray &field : fields)
                bytes += field + ends[random() % 2];
        }
        const std::vector<values::LogRow> read = parse(bytes, false);
        ASSERT_EQ(read.size(), written.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            ASSERT_EQ(read[i].id, written[i].id);
            ASSERT_EQ(read[i].laenge, written[i].laenge);
            ASSERT_EQ(read[i].durchmein, written[i].durchmein);
            ASSERT_EQ(read[i].durchmeff, written[i].durchmeff);
            ASSERT_EQ(read[i].gueteklasse, written[i].gueteklasse);
            ASSERT_EQ(read[i].volumen, written[i].volumen);
            ASSERT_EQ(read[i].staerkeklasse, written[i].staerkeklasse);
        }
    }
}

TEST(LegacyReaderMessages, ANulByteDoesNotCutTheMessageShort)
{
    const LegacyFormatError e(QStringLiteral("/tmp/wald.dvz"), 7, QString::fromUtf8("12\0" "3x", 5), LegacyFormatError::Expected::WholeNumber);
    EXPECT_EQ(e.message(), QString::fromUtf8("wald.dvz, Zeile 7: '12\xEF\xBF\xBD" "3x' ist keine gültige ganze Zahl."));
    EXPECT_EQ(std::string(e.what()), e.message().toStdString());
}
