#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace engine;

namespace {

class TransactionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db.open({QStringLiteral("PATH=") + dir.path()});
        makeTable(QStringLiteral("Eiche"));
        insert(QStringLiteral("Eiche"), 1);
    }

    void makeTable(const QString &name)
    {
        db.execute(QStringLiteral("CREATE TABLE %1 ( ID INT, SORTE CHAR(10), PRIMARY KEY(ID) )").arg(name));
    }
    void insert(const QString &table, int id)
    {
        db.execute(QStringLiteral("INSERT INTO %1 (ID, SORTE) VALUES (:ID, 'B')").arg(table), {{"ID", id}});
    }
    std::vector<int> ids(const QString &table)
    {
        std::vector<int> out;
        for (const auto &row : db.query(QStringLiteral("SELECT ID FROM %1 ORDER BY ID").arg(table)).rows)
            out.push_back(row.front().toInt());
        return out;
    }
    bool fileExists(const QString &lowerName) const
    {
        return QFileInfo::exists(dir.path() + u'/' + lowerName + QStringLiteral(".db"));
    }

    QTemporaryDir dir;
    Connection db;
};

TEST_F(TransactionTest, DroppedTableStaysUntilTheCommitAndComesBackWithTheRollback)
{
    {
        Transaction tx(db);
        db.execute(QStringLiteral("DROP TABLE Eiche"));
        EXPECT_TRUE(fileExists(QStringLiteral("eiche"))) << "the file goes only with the commit";
    }
    ASSERT_TRUE(db.tableExists(QStringLiteral("Eiche")));
    EXPECT_EQ(ids(QStringLiteral("Eiche")), std::vector<int>({1}));
    insert(QStringLiteral("Eiche"), 2);
    EXPECT_EQ(ids(QStringLiteral("Eiche")), std::vector<int>({1, 2}));

    {
        Transaction tx(db);
        db.execute(QStringLiteral("DROP TABLE Eiche"));
        tx.commit();
    }
    EXPECT_FALSE(fileExists(QStringLiteral("eiche")));
    EXPECT_FALSE(db.tableExists(QStringLiteral("Eiche")));
    EXPECT_THROW(db.query(QStringLiteral("SELECT ID FROM Eiche")), EngineError);
}

TEST_F(TransactionTest, InnerTransactionIsASavepointOfTheOuterOne)
{
    {
        Transaction outer(db);
        insert(QStringLiteral("Eiche"), 2);
        {
            Transaction inner(db);
            EXPECT_EQ(db.transactionDepth(), 2);
            insert(QStringLiteral("Eiche"), 3);
        } // not committed: only its own row goes
        EXPECT_EQ(db.transactionDepth(), 1);
        {
            Transaction inner(db);
            insert(QStringLiteral("Eiche"), 4);
            inner.commit();
        }
        EXPECT_TRUE(db.inTransaction());
        outer.commit();
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(ids(QStringLiteral("Eiche")), std::vector<int>({1, 2, 4}));

    {
        Transaction outer(db);
        {
            Transaction inner(db);
            insert(QStringLiteral("Eiche"), 5);
            inner.commit();
        }
    } // the outer rollback takes the committed inner work with it
    EXPECT_EQ(ids(QStringLiteral("Eiche")), std::vector<int>({1, 2, 4}));
}

TEST_F(TransactionTest, SavepointRollbackUndoesItsTableDropsAndCreations)
{
    {
        Transaction tx(db);
        {
            Savepoint sp(db);
            db.execute(QStringLiteral("DROP TABLE Eiche"));
            makeTable(QStringLiteral("Buche"));
            insert(QStringLiteral("Buche"), 1);
        }
        tx.commit();
    }
    EXPECT_EQ(ids(QStringLiteral("Eiche")), std::vector<int>({1})) << "the committed transaction must not drop it";
    EXPECT_FALSE(fileExists(QStringLiteral("buche")));
    EXPECT_FALSE(db.tableExists(QStringLiteral("Buche")));
    makeTable(QStringLiteral("Buche")); // the name is free again
    EXPECT_TRUE(ids(QStringLiteral("Buche")).empty());
}

TEST_F(TransactionTest, ReleasedSavepointsWorkBelongsToTheLevelAroundIt)
{
    makeTable(QStringLiteral("Buche"));
    {
        Transaction tx(db);
        {
            Savepoint around(db);
            {
                Savepoint sp(db);
                db.execute(QStringLiteral("DROP TABLE Eiche"));
                sp.release();
            }
        } // rolled back with what the released one did
        {
            Savepoint sp(db);
            db.execute(QStringLiteral("DROP TABLE Buche"));
            sp.release();
        }
        {
            Savepoint later(db); // same level as the released one: undoes nothing of it
        }
        tx.commit();
    }
    EXPECT_EQ(ids(QStringLiteral("Eiche")), std::vector<int>({1}));
    EXPECT_FALSE(fileExists(QStringLiteral("buche")));
}

TEST_F(TransactionTest, SavepointNeedsATransaction)
{
    EXPECT_THROW(Savepoint sp(db), EngineError);
    EXPECT_FALSE(db.inTransaction());
    insert(QStringLiteral("Eiche"), 2);
    EXPECT_EQ(ids(QStringLiteral("Eiche")), std::vector<int>({1, 2}));
}

} // namespace
