// Values a column cannot hold are refused with the column's name, never stored: texts with a
// NUL (which the engine's length check would not see whole) and numbers outside INT or
// NUMERIC(p,s).
#include "engine/Connection.h"
#include "engine/EngineError.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace engine;

namespace {

class RefusedValuesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db.open({QStringLiteral("PATH=") + dir.path() + u'/'});
        db.execute(QStringLiteral("CREATE TABLE Wald ( ID INT, LAENGE INT, GUETEKLASSE CHAR(3), VOLUMEN NUMERIC(10,4), "
                                  "TEXT CHAR(100), PRIMARY KEY(ID))"));
    }

    // Inserts one row; the engine's message when it is refused, empty when it is stored.
    QString insert(const QVariant &id, const QVariant &gk, const QVariant &volumen, const QVariant &text = QString())
    {
        try {
            db.execute(QStringLiteral("INSERT INTO Wald (ID, GUETEKLASSE, VOLUMEN, TEXT) VALUES (:ID, :GK, :VOLUMEN, :TEXT)"),
                       {{"ID", id}, {"GK", gk}, {"VOLUMEN", volumen}, {"TEXT", text}});
            return {};
        } catch (const EngineError &e) {
            return e.message().isEmpty() ? QStringLiteral("(refused without a message)") : e.message();
        }
    }

    qint64 rows() { return db.query(QStringLiteral("SELECT COUNT(*) FROM Wald")).rows.at(0).at(0).toLongLong(); }

    QTemporaryDir dir;
    Connection db;
};

TEST_F(RefusedValuesTest, TextWithANulIsRefusedNamingTheField)
{
    const QString withNul = QStringLiteral("B") + QChar(0) + QStringLiteral("Cgw_long");
    EXPECT_EQ(insert(1, withNul, 0.5), QStringLiteral("The text for field GK contains a NUL character"));
    const QString longWithNul = QStringLiteral("x") + QChar(0) + QString(500, u'y');
    EXPECT_TRUE(insert(2, QStringLiteral("B"), 0.5, longWithNul).contains(QLatin1String("TEXT")));
    EXPECT_EQ(rows(), 0);
    // The same check holds for UPDATE.
    EXPECT_EQ(insert(3, QStringLiteral("C"), 0.5), QString());
    EXPECT_THROW(db.execute(QStringLiteral("UPDATE Wald SET GUETEKLASSE = :GUETEKLASSE"), {{"GUETEKLASSE", withNul}}), EngineError);
    EXPECT_EQ(db.query(QStringLiteral("SELECT GUETEKLASSE FROM Wald")).rows.at(0).at(0).toString(), QStringLiteral("C"));
}

TEST_F(RefusedValuesTest, NumericValuesBeyondTheirPrecisionAreRefusedNamingTheColumn)
{
    for (const QVariant &v : {QVariant(1e300), QVariant(1e6), QVariant(-1e6), QVariant(12345678901234567890.0),
                              QVariant(std::numeric_limits<double>::infinity()), QVariant(qlonglong(1000000)),
                              QVariant(QStringLiteral("viel"))}) {
        const QString message = insert(1, QStringLiteral("B"), v);
        EXPECT_EQ(message, QStringLiteral("The value for field VOLUMEN is out of range: NUMERIC(10,4) holds amounts below 1e6"))
            << v.toString().toStdString();
    }
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(insert(1, QStringLiteral("B"), 999999.9999), QString());
    EXPECT_EQ(insert(2, QStringLiteral("B"), -999999.9999), QString());
    EXPECT_EQ(insert(3, QStringLiteral("B"), QVariant()), QString()) << "an empty volume is no number out of range";
    EXPECT_EQ(rows(), 3);
    EXPECT_THROW(db.execute(QStringLiteral("UPDATE Wald SET VOLUMEN = VOLUMEN * 10")), EngineError);
    EXPECT_DOUBLE_EQ(db.query(QStringLiteral("SELECT MAX(VOLUMEN) FROM Wald")).rows.at(0).at(0).toDouble(), 999999.9999);
}

TEST_F(RefusedValuesTest, IntValuesOutside32BitsAreRefused)
{
    EXPECT_EQ(insert(qlonglong(2147483647), QStringLiteral("B"), 1.0), QString());
    EXPECT_EQ(insert(qlonglong(-2147483648LL), QStringLiteral("B"), 1.0), QString());
    for (const qlonglong id : {2147483648LL, -2147483649LL, 9223372036854775807LL})
        EXPECT_TRUE(insert(id, QStringLiteral("B"), 1.0).startsWith(QLatin1String("The value for field ID is out of range")))
            << id;
    EXPECT_THROW(db.execute(QStringLiteral("UPDATE Wald SET LAENGE = 3000000000")), EngineError);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(db.query(QStringLiteral("SELECT MAX(ID) FROM Wald")).rows.at(0).at(0).toLongLong(), 2147483647);
}

} // namespace
