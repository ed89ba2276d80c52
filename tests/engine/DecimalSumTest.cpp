// SUM adds the decimals a volume column holds exactly, and keeps SQLite's result types.
#include "engine/Connection.h"
#include "engine/DecimalSum.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace engine;

namespace {

class ExactSum : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db.open({QStringLiteral("PATH=") + dir.path() + u'/'});
        db.execute(QStringLiteral("CREATE TABLE Wald ( ID INT, LAENGE INT, DURCHMEIN INT, DURCHMEFF INT, GUETEKLASSE CHAR(3),"
                                  " VOLUMEN NUMERIC(10,4), STAERKEKLASSE CHAR(3), PRIMARY KEY(ID))"));
    }

    void addLog(int id, double volume, const QString &quality = QStringLiteral("B"))
    {
        db.execute(QStringLiteral("INSERT INTO Wald ( ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE )"
                                  " VALUES ( :ID, 12, 35, 33, :GK, :V, '3a' )"),
                   {{QStringLiteral("ID"), id}, {QStringLiteral("GK"), quality}, {QStringLiteral("V"), volume}});
    }

    QVariant scalar(const QString &sql)
    {
        const ResultSet r = db.query(sql);
        return r.rows.empty() ? QVariant() : r.rows.front().front();
    }

    QTemporaryDir dir;
    Connection db;
};

TEST_F(ExactSum, AThousandLogsOfSeventyOneHundredthsMakeExactly710)
{
    Transaction tx(db);
    for (int id = 1; id <= 1000; ++id) {
        addLog(id, 0.71);
        if (id == 76) {
            EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(VOLUMEN) FROM Wald")).toDouble(), 53.96);
        }
    }
    tx.commit();
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(Volumen) AS GesVol FROM Wald")).toDouble(), 710.0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM( VOLUMEN) FROM Wald GROUP BY Gueteklasse")).toDouble(), 710.0);
}

TEST_F(ExactSum, HundredThousandAwkwardVolumesMatchASumInTenThousandths)
{
    // Volumes of up to four decimals (imported lists carry four), spread over three classes.
    const QString classes[] = {QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("Cgw")};
    std::map<QString, qint64> expected; // ten-thousandths per class
    qint64 total = 0;
    Transaction tx(db);
    for (int id = 1; id <= 100000; ++id) {
        const qint64 units = (qint64(id) * 7919) % 106600 + (id % 7 == 0 ? 7100 : 3); // 0,0003 ... 10,6599 FM
        const QString &quality = classes[id % 3];
        addLog(id, double(units) / 10000, quality);
        expected[quality] += units;
        total += units;
    }
    tx.commit();

    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(VOLUMEN) FROM Wald")).toDouble(), double(total) / 10000);
    const ResultSet groups = db.query(QStringLiteral("SELECT GUETEKLASSE, SUM(VOLUMEN) FROM Wald GROUP BY GUETEKLASSE"));
    ASSERT_EQ(groups.rows.size(), 3u);
    for (const auto &row : groups.rows)
        EXPECT_EQ(row[1].toDouble(), double(expected[row[0].toString()]) / 10000) << row[0].toString().toStdString();
}

TEST_F(ExactSum, KeepsTheResultTypesOfSqlite)
{
    EXPECT_TRUE(scalar(QStringLiteral("SELECT SUM(VOLUMEN) FROM Wald")).isNull()) << "no rows";
    addLog(1, 0.5);
    addLog(2, 0.25);
    db.execute(QStringLiteral("UPDATE Wald SET VOLUMEN = NULL WHERE ID = 2"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(VOLUMEN) FROM Wald")).toDouble(), 0.5) << "null counts for nothing";

    const QVariant ids = scalar(QStringLiteral("SELECT SUM(ID) FROM Wald"));
    EXPECT_EQ(ids.typeId(), QMetaType::Int) << "integers sum to an integer";
    EXPECT_EQ(ids.toInt(), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(LAENGE) + 0.5 FROM Wald")).toDouble(), 24.5);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(DISTINCT LAENGE) FROM Wald")).toInt(), 12);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(x) FROM (SELECT '0.1' AS x UNION ALL SELECT '0.2')")).toDouble(), 0.3)
        << "numeric texts count with their value";
    EXPECT_THROW(scalar(QStringLiteral("SELECT SUM(x) FROM (SELECT 9223372036854775807 AS x UNION ALL SELECT 1)")),
                 EngineError);

    // Also as a window function: a running total over the logs.
    for (int id = 3; id <= 12; ++id)
        addLog(id, 0.1);
    const ResultSet running = db.query(QStringLiteral(
        "SELECT ID, SUM(VOLUMEN) OVER (ORDER BY ID ROWS BETWEEN 2 PRECEDING AND CURRENT ROW) FROM Wald WHERE ID > 2"));
    ASSERT_EQ(running.rows.size(), 10u);
    EXPECT_EQ(running.rows[9][1].toDouble(), 0.3);
}

TEST(DecimalSum, FallsBackToFloatingPointWhereDecimalsCannotHoldTheValues)
{
    DecimalSum sum;
    sum.add(0.1);
    sum.add(0.2);
    EXPECT_EQ(sum.toDouble(), 0.3);
    sum.add(1e300);
    EXPECT_EQ(sum.toDouble(), 1e300);
    sum.add(1e300);
    EXPECT_EQ(sum.toDouble(), 2e300);

    DecimalSum tiny;
    tiny.add(1e-30);
    tiny.add(2.5);
    EXPECT_EQ(tiny.toDouble(), 2.5);

    DecimalSum integers;
    integers.add(qint64(40));
    integers.add(qint64(2));
    qint64 value = 0;
    ASSERT_TRUE(integers.onlyIntegers());
    ASSERT_TRUE(integers.toInteger(value));
    EXPECT_EQ(value, 42);
}

} // namespace
