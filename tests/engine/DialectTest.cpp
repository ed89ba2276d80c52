#include "engine/Dialect.h"
#include "engine/EngineError.h"
#include "engine/Tokenizer.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(Tokenizer, JoinsBackToTheSameText)
{
    const QString sql = QStringLiteral("SELECT 'it''s', \"a b\", x1 -- note\n FROM t WHERE a <= :P1 /* c */ AND b <> 1.5e3;");
    EXPECT_EQ(joinTokens(tokenize(sql)), sql);
    EXPECT_THROW(tokenize(QStringLiteral("SELECT 'open")), EngineError);
}

TEST(Dialect, SemicolonInsideTextIsNotASecondStatement)
{
    EXPECT_NO_THROW(translate(QStringLiteral("INSERT INTO t VALUES ('a;b')")));
    EXPECT_THROW(translate(QStringLiteral("SELECT 1; SELECT 2")), EngineError);
}

TEST(Dialect, LiveSelectsAreRecognised)
{
    EXPECT_EQ(translate(QStringLiteral("SELECT * FROM Wald")).table, QStringLiteral("Wald"));
    EXPECT_EQ(translate(QStringLiteral("SELECT * FROM PREISE WHERE GUETEKLASSE = :GK ORDER BY  GUETEKLASSE")).table,
              QStringLiteral("PREISE"));
    EXPECT_TRUE(translate(QStringLiteral("SELECT ID FROM Wald")).table.isEmpty());
    EXPECT_TRUE(translate(QStringLiteral("SELECT * FROM A INNER JOIN B ON A.X = B.X")).table.isEmpty());
}

TEST(Dialect, CreateTableMapsTheTypes)
{
    const Translation t = translate(QStringLiteral(
        "CREATE TABLE DORVZUSATZ ( ID AUTOINC, OFFSET CHAR(25), GESCHAELT BOOLEAN, V NUMERIC(10,4), Primary Key(ID))"));
    EXPECT_EQ(t.kind, StatementKind::CreateTable);
    EXPECT_TRUE(t.sql.contains(QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT"))) << t.sql.toStdString();
    EXPECT_TRUE(t.sql.contains(QStringLiteral("V REAL")));
    ASSERT_EQ(t.charColumns.size(), 1u);
    EXPECT_EQ(t.charColumns[0].size, 25);
}

TEST(Dialect, TableNamesAreAlwaysPlainIdentifiers)
{
    // "(" is no table name, also where a sub-select could stand.
    for (const char *sql : {"DROP TABLE(", "DROP TABLE (x)", "CREATE TABLE ((a INT)", "CREATE TABLE (a INT)",
                            "INSERT INTO (SELECT 1) VALUES (1)", "UPDATE (x) SET a = 1", "DELETE FROM (x)",
                            "SELECT * FROM (x)", "SELECT * FROM A JOIN (B) ON 1"})
        EXPECT_THROW(translate(QString::fromLatin1(sql)), EngineError) << sql;
    EXPECT_NO_THROW(translate(QStringLiteral("SELECT * FROM (SELECT 1 AS X)")));
    EXPECT_NO_THROW(translate(QStringLiteral("SELECT A.X FROM A INNER JOIN ( SELECT X FROM B) C ON A.X = C.X")));
}
