// A program killed (SIGKILL, power cut) in the middle of an import or of storing all logs again
// leaves, after a restart, either the whole result or the state before: never a list table
// without its header row, a header row without its table, or part of the rows.
#include "crash/CrashFixture.h"

#include "support/ListBuilder.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using crash::ListState;

constexpr int logCount = 20000;
const QString oldList = QStringLiteral("Alt");
const QString list = QStringLiteral("Wald");

class KilledWorkTest : public ::testing::Test
{
protected:
    KilledWorkTest()
    {
        listFile = legacyfiles::write(files.path(), QStringLiteral("Wald.dvz"), legacyfiles::list(logCount));
    }

    // A list imported before, which no crash may touch.
    static void addOldList(const QString &dataPath, const QString &folder)
    {
        const QString path = legacyfiles::write(folder, QStringLiteral("Alt.dvz"), legacyfiles::list(3));
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + dataPath});
        importing::ListeImportieren(db, path, oldList);
    }

    static void expectOldListIntact(const QString &dataPath)
    {
        const ListState old = crash::inspect(dataPath, oldList);
        EXPECT_TRUE(old.tableFile);
        EXPECT_EQ(old.rows, 3);
        EXPECT_EQ(old.headerRows, 1);
    }

    QStringList importArgs(const QString &dataPath, const char *mode) const
    {
        return {QStringLiteral("import"), dataPath, listFile, list, QString::fromLatin1(mode)};
    }

    QTemporaryDir files;
    QString listFile;
};

// Either the whole list with its header row, or nothing of it; and no journal is left over.
void expectWholeListOrNone(const ListState &s, bool headerTableBefore)
{
    const bool whole = s.tableFile && s.rows == logCount && s.headerRows == 1;
    const bool none = !s.tableFile && s.headerRows == 0 && s.headerTable == headerTableBefore;
    EXPECT_TRUE(whole || none) << "table file " << s.tableFile << ", rows " << s.rows << ", header rows " << s.headerRows
                               << ", header table " << s.headerTable;
    EXPECT_TRUE(s.orphanJournals.isEmpty()) << s.orphanJournals.join(u' ').toStdString();
}

TEST_F(KilledWorkTest, ImportKilledHalfWayLeavesNoTraceOfTheList)
{
    DataFolder data;
    addOldList(data.path(), files.path());

    const crash::ChildRun run = crash::runChild(importArgs(data.path(), "pause"), 0ms);
    ASSERT_TRUE(run.reachedHalf) << run.errors.toStdString();
    ASSERT_FALSE(run.finished);

    const ListState s = crash::inspect(data.path(), list);
    EXPECT_FALSE(s.tableFile);
    EXPECT_EQ(s.headerRows, 0);
    EXPECT_TRUE(s.orphanJournals.isEmpty()) << s.orphanJournals.join(u' ').toStdString();
    expectOldListIntact(data.path());
}

TEST_F(KilledWorkTest, FirstImportKilledHalfWayLeavesNoHeaderTable)
{
    // The first list creates the header table in the same transaction: it goes too.
    DataFolder data;
    const crash::ChildRun run = crash::runChild(importArgs(data.path(), "pause"), 0ms);
    ASSERT_TRUE(run.reachedHalf) << run.errors.toStdString();

    const ListState s = crash::inspect(data.path(), list);
    EXPECT_FALSE(s.tableFile);
    EXPECT_FALSE(s.headerTable);
    // The folder can take the list afterwards, as if nothing had happened.
    const crash::ChildRun again = crash::runChild(importArgs(data.path(), "run"), std::nullopt);
    ASSERT_TRUE(again.finished) << again.errors.toStdString();
    expectWholeListOrNone(crash::inspect(data.path(), list), false);
    EXPECT_EQ(crash::inspect(data.path(), list).rows, logCount);
}

TEST_F(KilledWorkTest, ImportKilledAtAnyMomentLeavesTheWholeListOrNone)
{
    // The time of a whole import, to spread the kills over its second half and its commit.
    qint64 duration = 0;
    {
        DataFolder data;
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(crash::runChild(importArgs(data.path(), "run"), std::nullopt).finished);
        duration = timer.elapsed();
    }
    for (int step = 0; step < 8; ++step) {
        SCOPED_TRACE("kill " + std::to_string(step));
        DataFolder data;
        const bool withOldList = step % 2 == 1;
        if (withOldList)
            addOldList(data.path(), files.path());
        const auto delay = std::chrono::milliseconds(duration * step / 12);
        crash::runChild(importArgs(data.path(), "run"), delay);
        expectWholeListOrNone(crash::inspect(data.path(), list), withOldList);
        if (withOldList)
            expectOldListIntact(data.path());
    }
}

// A list of logCount logs, each with DURCHMEFF 30, and its header row.
void createStoredList(const QString &dataPath)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    std::vector<testlists::StoredLog> logs;
    for (int id = 1; id <= logCount; ++id)
        logs.push_back({id, 12, 31, 30, QStringLiteral("B"), 0.8482, QStringLiteral("3a")});
    testlists::addList(db, list, testlists::Header{}, logs);
}

// The logs stored again with DURCHMEFF 31: all of them or none.
void expectAllStoredOrNone(const QString &dataPath)
{
    const ListState s = crash::inspect(dataPath, list);
    ASSERT_TRUE(s.tableFile);
    EXPECT_EQ(s.rows, logCount);
    EXPECT_EQ(s.headerRows, 1);
    EXPECT_TRUE(s.orphanJournals.isEmpty()) << s.orphanJournals.join(u' ').toStdString();
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    const qint64 changed = crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Wald WHERE DURCHMEFF = 31"));
    EXPECT_TRUE(changed == 0 || changed == logCount) << changed << " of " << logCount << " logs stored again";
}

QStringList storeArgs(const QString &dataPath, const char *mode)
{
    return {QStringLiteral("store"), dataPath, list, QStringLiteral("31"), QString::fromLatin1(mode)};
}

// Runs the child on a stored list once to its end, to learn how long its work takes, then kills
// it at eight moments spread over that time, each on a fresh list; `expect` checks the folder
// after every run.
void killStoringAtManyMoments(QStringList (*arguments)(const QString &dataPath, const char *mode),
                              void (*expect)(const QString &dataPath))
{
    qint64 duration = 0;
    {
        DataFolder data;
        createStoredList(data.path());
        QElapsedTimer timer;
        timer.start();
        const crash::ChildRun run = crash::runChild(arguments(data.path(), "run"), std::nullopt);
        ASSERT_TRUE(run.finished) << run.errors.toStdString();
        duration = timer.elapsed();
        expect(data.path());
    }
    for (int step = 0; step < 8; ++step) {
        SCOPED_TRACE("kill " + std::to_string(step));
        DataFolder data;
        createStoredList(data.path());
        crash::runChild(arguments(data.path(), "run"), std::chrono::milliseconds(duration * step / 12));
        expect(data.path());
    }
}

// Ticking geschält stores every log again without bark deduction (DURCHMEFF 31) and marks the
// header: after a kill both agree, whatever moment it came.
void expectListAndHeaderAgree(const QString &dataPath)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    const bool geschaelt = db.query(QStringLiteral("SELECT GESCHAELT FROM DORVZUSATZ WHERE OFFSET = :OFFSET"),
                                    {{QStringLiteral("OFFSET"), list}})
                               .rows.at(0)
                               .at(0)
                               .toBool();
    const qint64 unpeeled = crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Wald WHERE DURCHMEFF = 31"));
    EXPECT_EQ(unpeeled, geschaelt ? logCount : 0) << "header geschält " << geschaelt << ", " << unpeeled
                                                  << " logs stored without deduction";
    EXPECT_EQ(crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Wald")), logCount);
}

QStringList geschaeltArgs(const QString &dataPath, const char *mode)
{
    return {QStringLiteral("geschaelt"), dataPath, list, QStringLiteral("1"), QString::fromLatin1(mode)};
}

TEST_F(KilledWorkTest, GeschaeltKilledHalfWayLeavesListAndHeaderAsBefore)
{
    DataFolder data;
    createStoredList(data.path());
    const crash::ChildRun run = crash::runChild(geschaeltArgs(data.path(), "pause"), 0ms);
    ASSERT_TRUE(run.reachedHalf) << run.errors.toStdString();
    expectListAndHeaderAgree(data.path());
}

TEST_F(KilledWorkTest, GeschaeltKilledAtAnyMomentLeavesListAndHeaderAgreeing)
{
    killStoringAtManyMoments(geschaeltArgs, expectListAndHeaderAgree);
}

TEST_F(KilledWorkTest, StoringAllLogsKilledHalfWayChangesNone)
{
    DataFolder data;
    createStoredList(data.path());
    const crash::ChildRun run = crash::runChild(storeArgs(data.path(), "pause"), 0ms);
    ASSERT_TRUE(run.reachedHalf) << run.errors.toStdString();
    expectAllStoredOrNone(data.path());
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + data.path()});
    EXPECT_EQ(crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Wald WHERE DURCHMEFF = 30")), logCount);
}

TEST_F(KilledWorkTest, StoringAllLogsKilledAtAnyMomentChangesAllOrNone)
{
    killStoringAtManyMoments(storeArgs, expectAllStoredOrNone);
}

} // namespace
