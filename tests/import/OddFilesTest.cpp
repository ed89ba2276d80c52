// Files a version 2.0 list never was: lines longer than any field, bytes without one log,
// special files beside or instead of the list. The import ends at once with a short message
// and leaves nothing behind; optional side files that are no regular files count as absent.
#include "ImportFixture.h"

#include <QDir>

#include <sys/stat.h>

namespace {

using Kind = controls::ScriptedDialogService::Kind;

const QString noLogs = QStringLiteral("Die Datei enthält keine Stämme im Format der Version 2.0.");

class OddFilesTest : public ImportWindowTest
{
protected:
    // The import failed with exactly this error and left no trace in the data folder.
    void expectRefusedWith(const QString &message)
    {
        ASSERT_EQ(dialogs.messages.size(), 1u) << dialogs.texts().join(u'|').toStdString();
        EXPECT_EQ(dialogs.messages[0].kind, Kind::Error);
        EXPECT_EQ(dialogs.messages[0].text, message);
        EXPECT_FALSE(tableFileExists(QStringLiteral("Wald")));
        EXPECT_FALSE(tableFileExists(QStringLiteral("DORVZUSATZ")));
        EXPECT_TRUE(form.isVisible());
        dialogs.clear();
    }

    QByteArray threeLogs() const
    {
        return legacyfiles::record(1, 4, 20, "B", "0.5", "1b1") + legacyfiles::record(2, 5, 30, "C", "0.75", "2a")
               + legacyfiles::record(3, 6, 40, "Cgw", "1.5", "3a");
    }
};

TEST_F(OddFilesTest, ALineLongerThanAnyFieldEndsTheImportNamingFileAndLine)
{
    importFile(write(QStringLiteral("Wald.dvz"), threeLogs() + legacyfiles::record(4, 7, 44, QByteArray(1000, 'C'), "1", "3b")));
    expectRefusedWith(QStringLiteral("Wald.dvz, Zeile 25: Die Zeile ist länger als 255 Zeichen."));

    // A line of 10 MB in the first log: not one log can be read.
    importFile(write(QStringLiteral("Wald.dvz"), legacyfiles::record(1, 7, 44, QByteArray(10 * 1024 * 1024, 'C'), "1", "3b")));
    expectRefusedWith(noLogs);

    // Longer texts of the side files end the import before anything is written.
    write(QStringLiteral("Wald.INF"), QByteArray(300, 'T') + "\r\n");
    importFile(write(QStringLiteral("Wald.dvz"), threeLogs()));
    expectRefusedWith(QStringLiteral("Wald.INF, Zeile 1: Die Zeile ist länger als 255 Zeichen."));
    // Lines after the ones the program reads are never looked at.
    write(QStringLiteral("Wald.INF"), "Hieb 2024\r\n" + QByteArray(300, 'T'));
    importFile(write(QStringLiteral("Wald.dvz"), threeLogs()));
    EXPECT_EQ(dialogs.texts(), QStringList{success()});
}

TEST_F(OddFilesTest, BytesWithoutOneLogAreRefusedAndAnEmptyFileIsAnEmptyList)
{
    QByteArray binary(4000, Qt::Uninitialized);
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 37 + 11) % 256 == 13 ? 0 : (i * 37 + 11) % 256);
    QByteArray lfOnly = threeLogs();
    lfOnly.replace("\r\n", "\n");
    QByteArray manyLfOnly;
    for (int i = 0; i < 100; ++i)
        manyLfOnly += lfOnly;
    for (const QByteArray &bytes : {binary, lfOnly, manyLfOnly, QByteArray("1\r\n2\r\n3\r\n"), QByteArray("\x1a" "1\r\n"),
                                    QByteArray("\r\n")}) {
        importFile(write(QStringLiteral("Wald.dvz"), bytes));
        expectRefusedWith(noLogs);
    }
    importFile(write(QStringLiteral("Wald.dvz"), QByteArray()));
    EXPECT_EQ(dialogs.texts(), QStringList{success()});
    EXPECT_TRUE(tableFileExists(QStringLiteral("Wald")));
}

TEST_F(OddFilesTest, SpecialFilesBesideTheListCountAsAbsent)
{
    // A FIFO would block the reading for good, /dev/zero would never end.
    ASSERT_EQ(::mkfifo(QFile::encodeName(oldFiles.filePath(QStringLiteral("Wald.SET"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), oldFiles.filePath(QStringLiteral("wald.inf"))));
    ASSERT_TRUE(QFile::link(oldFiles.filePath(QStringLiteral("gone")), oldFiles.filePath(QStringLiteral("WALD.set"))));
    importFile(write(QStringLiteral("Wald.dvz"), threeLogs()));
    EXPECT_EQ(dialogs.texts(), QStringList{success()});
    const engine::ResultSet h = headers();
    ASSERT_EQ(h.rows.size(), 1u);
    EXPECT_EQ(h.rows[0][4].toString(), QString()) << "no text from the info file";
    EXPECT_FALSE(h.rows[0][5].toBool()) << "not geschält without a settings file";
    EXPECT_EQ(logs(QStringLiteral("Wald")).rows.size(), 3u);
}

TEST_F(OddFilesTest, AListFileThatIsNoRegularFileIsRefused)
{
    const QString fifo = oldFiles.filePath(QStringLiteral("Wald.dvz"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    importFile(fifo);
    expectRefusedWith(QStringLiteral("'") + QDir::toNativeSeparators(fifo)
                      + QStringLiteral("' ist keine gewöhnliche Datei und kann nicht gelesen werden."));
    QFile::remove(fifo);

    ASSERT_TRUE(QFile::link(oldFiles.filePath(QStringLiteral("gone.dvz")), fifo));
    importFile(fifo);
    EXPECT_EQ(dialogs.textsOf(Kind::Error).size(), 1) << "a dangling link is named";
    dialogs.clear();
    QFile::remove(fifo);

    // Two gigabytes without a line end are refused after the first line, not read whole.
    QFile huge(fifo);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(2) << 30));
    huge.close();
    importFile(fifo);
    expectRefusedWith(noLogs);
}

TEST_F(OddFilesTest, MessagesQuoteAtMostSixtyCharactersOfTheText)
{
    const QByteArray longText(200, 'x');
    importFile(write(QStringLiteral("Wald.dvz"), legacyfiles::record(1, 4, 20, "B", longText, "1b1")));
    expectRefusedWith(QStringLiteral("Wald.dvz, Zeile 5: '") + QString(60, u'x') + QChar(0x2026)
                      + QStringLiteral("' ist keine gültige Dezimalzahl."));

    // A text the database refuses is quoted as shortly.
    importFile(write(QStringLiteral("Wald.dvz"), legacyfiles::record(1, 4, 20, QByteArray(200, 'C'), "0.5", "1b1")));
    ASSERT_EQ(dialogs.textsOf(Kind::Error).size(), 1);
    const QString message = dialogs.textsOf(Kind::Error).front();
    EXPECT_TRUE(message.contains(QString(60, u'C') + QChar(0x2026))) << message.toStdString();
    EXPECT_FALSE(message.contains(QString(61, u'C'))) << message.toStdString();
    EXPECT_LT(message.size(), 300);
}

} // namespace
