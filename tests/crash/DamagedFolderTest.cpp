// A data folder the program cannot trust: a table file overwritten by other bytes, a journal
// that is not one, a folder the user may only read. The engine reports each with its error at
// the first use; it never crashes and never throws away what is stored.
#include "crash/CrashFixture.h"

#include "data/LogList.h"
#include "engine/EngineError.h"
#include "support/FileBytes.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

QByteArray garbage(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

class DamagedFolderTest : public ::testing::Test
{
protected:
    engine::Connection &open()
    {
        db.open({QStringLiteral("PATH=") + data.path()});
        return db;
    }

    // The first use of the table must fail with the engine's error, and the file must stay.
    void expectErrorAtFirstUse(const QString &table)
    {
        const QByteArray before = readFile(data.file(table.toLower() + QStringLiteral(".db")));
        ASSERT_NO_THROW(open()) << "the program starts with a damaged table";
        try {
            db.query(QStringLiteral("SELECT * FROM ") + table);
            ADD_FAILURE() << "a damaged table was read";
        } catch (const engine::EngineError &e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
        EXPECT_EQ(readFile(data.file(table.toLower() + QStringLiteral(".db"))), before) << "the damaged file was changed";
        // The other tables work as before.
        EXPECT_EQ(crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Grundpreise")), 30);
    }

    DataFolder data;
    engine::Connection db;
};

TEST_F(DamagedFolderTest, TableFileOfGarbageGivesTheEngineErrorAtFirstUse)
{
    writeFile(data.file(QStringLiteral("kunden.db")), garbage(8192, 1));
    expectErrorAtFirstUse(QStringLiteral("Kunden"));
}

TEST_F(DamagedFolderTest, TableFileWithASQLiteHeaderAndGarbagePagesGivesAnError)
{
    // The first 100 bytes are a real header, the pages behind it are not.
    QByteArray bytes = readFile(data.file(QStringLiteral("kunden.db")));
    ASSERT_GT(bytes.size(), 100);
    bytes = bytes.left(100) + garbage(8192 - 100, 2);
    writeFile(data.file(QStringLiteral("kunden.db")), bytes);
    expectErrorAtFirstUse(QStringLiteral("Kunden"));
}

TEST_F(DamagedFolderTest, TableFileOfGarbageWithAJournalIsKept)
{
    // A journal beside the file makes the start-up look at it to recover it: a file that is
    // no database must neither crash that nor be deleted as an empty leftover.
    writeFile(data.file(QStringLiteral("kunden.db")), garbage(4096, 3));
    writeFile(data.file(QStringLiteral("kunden.db-journal")), garbage(1024, 4));
    expectErrorAtFirstUse(QStringLiteral("Kunden"));
    EXPECT_TRUE(QFileInfo::exists(data.file(QStringLiteral("kunden.db"))));
}

TEST_F(DamagedFolderTest, GarbageJournalBesideAGoodTableLosesNothing)
{
    writeFile(data.file(QStringLiteral("grundpreise.db-journal")), garbage(2048, 5));
    open();
    EXPECT_EQ(crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Grundpreise")), 30);
    db.execute(QStringLiteral("UPDATE Grundpreise SET PREIS = PREIS + 1"));
    db.close();
    open();
    EXPECT_EQ(crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Grundpreise")), 30);
}

TEST_F(DamagedFolderTest, EmptiedFolderFileOfAListTableIsNotAListAfterRestart)
{
    // A table file cut to nothing (a full disk, a copy that failed) holds no list.
    writeFile(data.file(QStringLiteral("wald.db")), QByteArray());
    open();
    EXPECT_FALSE(db.tableExists(QStringLiteral("Wald")));
    EXPECT_THROW(db.query(QStringLiteral("SELECT * FROM Wald")), engine::EngineError);
}

// The data folder, and every file in it, readable only.
class ReadOnlyFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + data.path()});
        kunden = crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Kunden"));
        db.close();
        const QDir folder(data.path());
        for (const QString &file : folder.entryList(QDir::Files | QDir::Hidden)) {
            files << file;
            ::chmod(QFile::encodeName(data.file(file)).constData(), 0444);
        }
        ::chmod(QFile::encodeName(data.path()).constData(), 0555);
        QFile probe(data.file(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            // An administrator writes anyway: there is no read-only folder to test.
            probe.close();
            probe.remove();
            restore();
            GTEST_SKIP() << "the folder stays writable for this user (root)";
        }
    }

    void TearDown() override { restore(); }

    void restore()
    {
        ::chmod(QFile::encodeName(data.path()).constData(), 0755);
        for (const QString &file : files)
            ::chmod(QFile::encodeName(data.file(file)).constData(), 0644);
    }

    // The first write fails with a message; afterwards, with the rights back, all is there.
    template<typename Write>
    void expectClearErrorAndNothingLost(Write write)
    {
        engine::Connection db;
        ASSERT_NO_THROW(db.open({QStringLiteral("PATH=") + data.path()}));
        EXPECT_EQ(crash::count(db, QStringLiteral("SELECT COUNT(*) FROM Kunden")), kunden) << "reading still works";
        try {
            write(db);
            ADD_FAILURE() << "a write to a read-only folder succeeded";
        } catch (const engine::EngineError &e) {
            // It says the database is read-only, or names the file that cannot be made.
            const QString m = e.message();
            EXPECT_TRUE(m.contains(QLatin1String("readonly"), Qt::CaseInsensitive)
                        || m.contains(QLatin1String("read-only"), Qt::CaseInsensitive) || m.contains(data.path()))
                << m.toStdString();
        }
        db.close();
        restore();
        engine::Connection again;
        again.open({QStringLiteral("PATH=") + data.path()});
        EXPECT_EQ(crash::count(again, QStringLiteral("SELECT COUNT(*) FROM Kunden")), kunden);
        EXPECT_EQ(crash::count(again, QStringLiteral("SELECT COUNT(*) FROM Grundpreise")), 30);
        EXPECT_FALSE(again.tableExists(QStringLiteral("Wald")));
    }

    DataFolder data;
    QStringList files;
    qint64 kunden = 0;
};

TEST_F(ReadOnlyFolderTest, DeleteGivesAClearError)
{
    expectClearErrorAndNothingLost([](engine::Connection &db) { db.execute(QStringLiteral("DELETE FROM Kunden")); });
}

TEST_F(ReadOnlyFolderTest, CreatingAListGivesAClearError)
{
    expectClearErrorAndNothingLost([](engine::Connection &db) { db.execute(data::loglist::createListSql(QStringLiteral("Wald"))); });
}

TEST_F(ReadOnlyFolderTest, ImportGivesAClearError)
{
    QTemporaryDir files;
    const QString path = legacyfiles::write(files.path(), QStringLiteral("Wald.dvz"), legacyfiles::list(50));
    expectClearErrorAndNothingLost([&](engine::Connection &db) { importing::ListeImportieren(db, path, QStringLiteral("Wald")); });
}

} // namespace
