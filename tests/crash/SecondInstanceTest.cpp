// A second program on the same data: it must end without touching a file, and a program that
// starts while another process writes a table file must leave that file alone.
#include "crash/CrashFixture.h"

#include "support/ProgramFolder.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// A child process that runs until it ends or the test ends it.
class Child
{
public:
    explicit Child(const QStringList &arguments)
    {
        m_process.setProgram(QStringLiteral(CRASH_CHILD));
        m_process.setArguments(arguments);
        m_process.start();
        m_process.waitForStarted(10000);
    }
    ~Child()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    // Waits until the child has written the marker (or ended); true when it has.
    bool waitFor(const QByteArray &marker)
    {
        const QDeadlineTimer deadline(60000);
        while (!m_output.contains(marker) && m_process.state() == QProcess::Running && !deadline.hasExpired()) {
            m_process.waitForReadyRead(500);
            m_output += m_process.readAllStandardOutput();
        }
        m_output += m_process.readAllStandardOutput();
        return m_output.contains(marker);
    }
    // Waits for the end; the exit code, or -1 when it was killed or did not end.
    int finish()
    {
        m_process.waitForFinished(120000);
        m_output += m_process.readAllStandardOutput();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    void write(const QByteArray &bytes)
    {
        m_process.write(bytes);
        m_process.waitForBytesWritten(10000);
    }
    QByteArray output() const { return m_output; }
    QByteArray errors() { return m_process.readAllStandardError(); }

private:
    QProcess m_process;
    QByteArray m_output;
};

// Every file of a folder with its size and time of last change.
std::map<QString, std::pair<qint64, qint64>> snapshot(const QString &folder)
{
    std::map<QString, std::pair<qint64, qint64>> files;
    for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        files[f.fileName()] = {f.size(), f.lastModified().toMSecsSinceEpoch()};
    return files;
}

QStringList programArgs(const QString &programFolder, const char *mode)
{
    return {QStringLiteral("program"), programFolder, QString::fromLatin1(mode)};
}

TEST(SecondInstanceTest, SecondStartOnTheSameDataEndsWithoutTouchingAFile)
{
    ProgramFolder folder;
    Child first(programArgs(folder.path(), "hold"));
    ASSERT_TRUE(first.waitFor("running\n")) << first.output().toStdString() << first.errors().toStdString();

    // A file the start-up would clear away as a leftover: the second start must not see it.
    QFile leftover(folder.dataPath() + QStringLiteral("halb.db"));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    const auto before = snapshot(folder.dataPath());

    Child second(programArgs(folder.path(), "start"));
    EXPECT_EQ(second.finish(), 3) << second.output().toStdString();
    EXPECT_TRUE(second.output().contains("message: Dorv läuft bereits mit diesen Daten.\nrefused\n"))
        << second.output().toStdString();
    EXPECT_EQ(snapshot(folder.dataPath()), before) << "the second program touched the data folder";

    // Other data can be worked on beside it.
    ProgramFolder other;
    Child elsewhere(programArgs(other.path(), "start"));
    EXPECT_EQ(elsewhere.finish(), 0) << elsewhere.output().toStdString();
    EXPECT_EQ(elsewhere.output(), QByteArray("running\n"));

    // The first program is killed: its lock is stale, and the next start takes it over.
    first.kill();
    Child third(programArgs(folder.path(), "start"));
    EXPECT_EQ(third.finish(), 0) << third.output().toStdString() << third.errors().toStdString();
    EXPECT_EQ(third.output(), QByteArray("running\n"));
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath() + QStringLiteral("halb.db"))) << "the start-up cleared the leftover";
}

TEST(SecondInstanceTest, StartWhileAnotherProcessImportsLeavesTheNewListAlone)
{
    constexpr int logs = 20000;
    QTemporaryDir files;
    const QString listFile = legacyfiles::write(files.path(), QStringLiteral("Wald.dvz"), legacyfiles::list(logs));
    DataFolder data;
    Child importer({QStringLiteral("import"), data.path(), listFile, QStringLiteral("Wald"), QStringLiteral("wait")});
    ASSERT_TRUE(importer.waitFor("half\n")) << importer.errors().toStdString();
    ASSERT_TRUE(QFileInfo::exists(data.file(QStringLiteral("wald.db"))));

    // Another connection opens the folder and looks for leftovers while the import runs.
    {
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + data.path()});
    }
    EXPECT_TRUE(QFileInfo::exists(data.file(QStringLiteral("wald.db")))) << "the file of the running import was removed";

    importer.write("go on\n");
    ASSERT_EQ(importer.finish(), 0) << importer.errors().toStdString();
    const crash::ListState s = crash::inspect(data.path(), QStringLiteral("Wald"));
    EXPECT_TRUE(s.tableFile);
    EXPECT_EQ(s.rows, logs);
    EXPECT_EQ(s.headerRows, 1);
}

} // namespace
