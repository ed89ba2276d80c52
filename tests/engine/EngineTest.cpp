#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Identifier.h"
#include "engine/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace engine;

namespace {

const QString listTable(const QString &name)
{
    return QStringLiteral("CREATE TABLE ") + name + QStringLiteral(" (") + QStringLiteral(" ID INT,")
           + QStringLiteral(" LAENGE INT,") + QStringLiteral(" DURCHMEIN INT,") + QStringLiteral(" DURCHMEFF INT,")
           + QStringLiteral(" GUETEKLASSE CHAR(3),") + QStringLiteral(" VOLUMEN NUMERIC(10,4),")
           + QStringLiteral(" STAERKEKLASSE CHAR(3),") + QStringLiteral(" PRIMARY KEY(ID))");
}

const QString dorvZusatzTable = QStringLiteral(
    "CREATE TABLE DORVZUSATZ ( ID AUTOINC, OFFSET CHAR(25), ABTEILUNG CHAR(50), BAUMART CHAR(50), SORTE "
    "CHAR(50), ZUSATZTEXT CHAR(100), GESCHAELT BOOLEAN, GERUECKT BOOLEAN, Primary Key(ID))");

class EngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db.open({QStringLiteral("PATH=") + dir.path() + u'/', QStringLiteral("DEFAULT DRIVER = DBASE"),
                 QStringLiteral("ENABLE BCD = FALSE")});
    }

    void insertLog(const QString &table, int id, int laenge, const QString &gk, double vol, const QString &sk)
    {
        db.execute(QStringLiteral("INSERT INTO %1 (ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE) "
                                  "VALUES (:ID, :L, 30, 28, :GK, :V, :SK)")
                       .arg(table),
                   {{"ID", id}, {"L", laenge}, {"GK", gk}, {"V", vol}, {"SK", sk}});
    }

    QVariant scalar(const QString &sql, const Params &params = {})
    {
        const ResultSet r = db.query(sql, params);
        EXPECT_EQ(r.rows.size(), 1u);
        return r.rows.empty() ? QVariant() : r.rows.front().front();
    }

    QTemporaryDir dir;
    Connection db;
};

TEST_F(EngineTest, OpenNeedsAnExistingDataFolder)
{
    Connection other;
    EXPECT_THROW(other.open({QStringLiteral("PATH=") + dir.path() + QStringLiteral("/missing/")}), EngineError);
    EXPECT_FALSE(other.isOpen());
    EXPECT_EQ(db.dataPath(), dir.path() + u'/');
}

TEST_F(EngineTest, CreateTableMakesOneFilePerTableAndDropRemovesIt)
{
    db.execute(listTable(QStringLiteral("Wald")));
    db.execute(dorvZusatzTable);
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/wald.db")));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/dorvzusatz.db")));
    EXPECT_TRUE(db.tableExists(QStringLiteral("WALD")));

    db.execute(QStringLiteral("DROP TABLE Wald"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/wald.db")));
    EXPECT_THROW(db.query(QStringLiteral("SELECT * FROM Wald")), EngineError);
    EXPECT_THROW(db.execute(QStringLiteral("DROP TABLE Wald")), EngineError);
    EXPECT_THROW(db.execute(dorvZusatzTable), EngineError) << "a table is created only once";
}

TEST_F(EngineTest, ColumnTypesReadAsTheProgramExpects)
{
    db.execute(listTable(QStringLiteral("L")));
    db.execute(dorvZusatzTable);
    insertLog("L", 1, 12, "Cgw ", 1.0, "3a");
    db.execute(QStringLiteral("INSERT INTO DORVZUSATZ (OFFSET) VALUES ( :OFFSET )"), {{"OFFSET", "L"}});
    db.execute(QStringLiteral("UPDATE DORVZUSATZ SET GESCHAELT =:GESCHAELT WHERE OFFSET =:OFFSET"),
               {{"GESCHAELT", true}, {"OFFSET", "L"}});

    const ResultSet logs = db.query(QStringLiteral("SELECT * FROM L"));
    ASSERT_EQ(logs.columns.size(), 7u);
    EXPECT_EQ(logs.columns[0].type, FieldType::Integer);
    EXPECT_EQ(logs.columns[4].type, FieldType::Text);
    EXPECT_EQ(logs.columns[4].size, 3);
    EXPECT_EQ(logs.columns[5].type, FieldType::Float);
    EXPECT_EQ(logs.rows[0][0].typeId(), QMetaType::Int);
    EXPECT_EQ(logs.rows[0][4].toString(), QStringLiteral("Cgw")) << "trailing blanks are not stored";
    EXPECT_EQ(logs.rows[0][5].typeId(), QMetaType::Double) << "a whole volume still reads as a double";

    const ResultSet header = db.query(QStringLiteral("SELECT * FROM DORVZUSATZ WHERE OFFSET = :OFFSET"), {{"OFFSET", "L"}});
    ASSERT_EQ(header.rows.size(), 1u);
    EXPECT_TRUE(header.columns[0].readOnly) << "AUTOINC is assigned by the engine";
    EXPECT_EQ(header.rows[0][0].toInt(), 1);
    EXPECT_EQ(header.columns[6].type, FieldType::Boolean);
    EXPECT_EQ(header.rows[0][6].toBool(), true);
    EXPECT_TRUE(header.rows[0][7].isNull());
}

TEST_F(EngineTest, NamesAreCaseInsensitiveAndTextEqualityIsNot)
{
    db.execute(listTable(QStringLiteral("Wald")));
    insertLog("wald", 1, 10, "B", 0.5, "2a");
    EXPECT_EQ(scalar(QStringLiteral("select count(id) from WALD where gueteklasse = 'B'")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(ID) FROM Wald WHERE GUETEKLASSE = 'b'")).toInt(), 0);
}

TEST_F(EngineTest, TextLongerThanItsColumnIsRefusedNamingTheColumn)
{
    db.execute(listTable(QStringLiteral("L")));
    try {
        insertLog("L", 1, 10, "Cgwx", 0.5, "2a");
        FAIL() << "a text longer than CHAR(3) must be refused";
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("GUETEKLASSE"))) << e.message().toStdString();
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(ID) FROM L")).toInt(), 0);
    insertLog("L", 2, 10, "Cgw   ", 0.5, "2a");
    EXPECT_EQ(scalar(QStringLiteral("SELECT GUETEKLASSE FROM L")).toString(), QStringLiteral("Cgw"));
    db.execute(QStringLiteral("UPDATE L SET STAERKEKLASSE = :SK"), {{"SK", "1b1  "}});
    EXPECT_EQ(scalar(QStringLiteral("SELECT STAERKEKLASSE FROM L WHERE STAERKEKLASSE = '1b1'")).toString(),
              QStringLiteral("1b1"));
}

TEST_F(EngineTest, OneTableSelectStarDeliversRowsByAscendingKey)
{
    db.execute(listTable(QStringLiteral("L")));
    for (int id : {3, 1, 5, 2, 4})
        insertLog("L", id, id, "B", 0.1, "0");
    const ResultSet r = db.query(QStringLiteral("SELECT * FROM L"));
    ASSERT_EQ(r.rows.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(r.rows[i][0].toInt(), i + 1);
}

TEST_F(EngineTest, GroupByDeliversRowsOrderedByTheGroupingColumns)
{
    db.execute(listTable(QStringLiteral("L")));
    insertLog("L", 1, 4, "Cgw", 0.5, "1a");
    insertLog("L", 2, 4, "C", 0.25, "3a");
    insertLog("L", 3, 4, "B", 0.25, "2a");
    insertLog("L", 4, 4, "C", 0.5, "1b1");
    insertLog("L", 5, 4, "B", 0.5, "2a");
    const ResultSet r = db.query(QStringLiteral(
        "SELECT COUNT( ID) As Menge, SUM( VOLUMEN) As Volumen, Staerkeklasse, Gueteklasse FROM L GROUP BY Gueteklasse, Staerkeklasse"));
    ASSERT_EQ(r.rows.size(), 4u);
    QStringList pairs;
    for (const auto &row : r.rows)
        pairs << row[3].toString() + u' ' + row[2].toString();
    EXPECT_EQ(pairs, QStringList({"B 2a", "C 1b1", "C 3a", "Cgw 1a"}));
    EXPECT_EQ(r.rows[0][0].toInt(), 2);
    EXPECT_DOUBLE_EQ(r.rows[0][1].toDouble(), 0.75);
    EXPECT_EQ(r.columns[0].name, QStringLiteral("Menge"));
}

TEST_F(EngineTest, AggregatesOverNoRows)
{
    db.execute(listTable(QStringLiteral("L")));
    const ResultSet total = db.query(QStringLiteral("SELECT COUNT(ID) As Menge, SUM(Volumen) AS GesVol  FROM L"));
    ASSERT_EQ(total.rows.size(), 1u);
    EXPECT_EQ(total.rows[0][0].toInt(), 0);
    EXPECT_TRUE(total.rows[0][1].isNull());
    const ResultSet avg = db.query(QStringLiteral(
        "SELECT AVG(Laenge) AS DLaenge, AVG(Durchmeff) AS DDurchmeff, AVG(Volumen) AS DVolumen FROM L"));
    ASSERT_EQ(avg.rows.size(), 1u);
    EXPECT_TRUE(avg.rows[0][0].isNull());
    EXPECT_TRUE(scalar(QStringLiteral("SELECT MAX(ID) AS MaxID FROM L")).isNull());
}

TEST_F(EngineTest, WeightedLengthTakesTheTotalAsParameter)
{
    db.execute(listTable(QStringLiteral("L")));
    insertLog("L", 1, 4, "B", 0.5, "2a");
    insertLog("L", 2, 8, "B", 1.5, "2a");
    const QVariant w = scalar(QStringLiteral("SELECT SUM( (100 * Volumen / :GesVol) /100 * Laenge) AS GewLaenge FROM L"),
                              {{"GesVol", 2.0}});
    EXPECT_NEAR(w.toDouble(), 7.0, 1e-9);
}

TEST_F(EngineTest, RenumberingUpdateSucceedsWhileALiveResultHoldsTheTable)
{
    db.execute(listTable(QStringLiteral("L")));
    for (int id = 1; id <= 5; ++id)
        insertLog("L", id, id, "B", 0.1, "0");
    const ResultSet live = db.query(QStringLiteral("SELECT * FROM L"), {}, true);
    ASSERT_EQ(live.rowids.size(), 5u);
    db.execute(QStringLiteral("DELETE FROM L WHERE ID = 3"));
    db.execute(QStringLiteral("UPDATE L SET ID = ID - 1 WHERE ID > :GELOESCHTID "), {{"GELOESCHTID", 3}});
    const ResultSet r = db.query(QStringLiteral("SELECT ID, LAENGE FROM L ORDER BY ID"));
    ASSERT_EQ(r.rows.size(), 4u);
    EXPECT_EQ(r.rows[2][0].toInt(), 3);
    EXPECT_EQ(r.rows[2][1].toInt(), 4);
    EXPECT_EQ(r.rows[3][0].toInt(), 4);
}

TEST_F(EngineTest, KeyViolationIsAnEngineError)
{
    db.execute(listTable(QStringLiteral("L")));
    insertLog("L", 1, 1, "B", 0.1, "0");
    try {
        insertLog("L", 1, 2, "B", 0.1, "0");
        FAIL();
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Key violation"))) << e.message().toStdString();
    }
}

TEST_F(EngineTest, MissingTableIsAnEngineErrorWithTheEnginesMessage)
{
    try {
        db.query(QStringLiteral("SELECT * FROM DORVZUSATZ WHERE OFFSET = :OFFSET"), {{"OFFSET", "x"}});
        FAIL();
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table"))) << e.message().toStdString();
    }
}

TEST_F(EngineTest, CastAsIntegerDropsTheFractionAndInvoiceSumRoundsToCents)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT CAST(5.99 AS INTEGER)")).toInt(), 5);
    db.execute(QStringLiteral("CREATE TABLE Rechnung (GUETEKLASSE CHAR(3), STAERKEKLASSE CHAR(3), VOLUMEN NUMERIC(10,4), PREIS NUMERIC(10,2))"));
    db.execute(QStringLiteral("INSERT INTO Rechnung VALUES ('B', '2a', 0.5, 10.25)"));
    db.execute(QStringLiteral("INSERT INTO Rechnung VALUES ('B', '1a', 2, 3)"));
    const ResultSet r = db.query(QStringLiteral(
        "SELECT Rechnung.*, CAST (CAST ( ( ( ( VOLUMEN * PREIS ) * 100 ) + 0.5 ) AS INTEGER) AS NUMERIC(15,2) ) / 100 As Summe "
        "FROM Rechnung ORDER BY GUETEKLASSE, STAERKEKLASSE"));
    ASSERT_EQ(r.rows.size(), 2u);
    ASSERT_EQ(r.columns.size(), 5u);
    EXPECT_EQ(r.columns[4].name, QStringLiteral("Summe"));
    EXPECT_DOUBLE_EQ(r.rows[0][4].toDouble(), 6.0);
    EXPECT_DOUBLE_EQ(r.rows[1][4].toDouble(), 5.13);
}

class PriceTablesTest : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        db.execute(QStringLiteral("CREATE TABLE Grundpreise (GUETEKLASSE CHAR(3), STAERKEKLASSE CHAR(3), ABZUG NUMERIC(10,2), PREIS NUMERIC(10,2))"));
        db.execute(QStringLiteral("CREATE TABLE Preise (GUETEKLASSE CHAR(3), STAERKEKLASSE CHAR(3), ABZUG NUMERIC(10,2), PREIS NUMERIC(10,2), PROZENT NUMERIC(10,2), PREISSAVE NUMERIC(10,2))"));
        for (const char *sk : {"2a", "3a"}) {
            db.execute(QStringLiteral("INSERT INTO Grundpreise VALUES ('B', :SK, 0, 80)"), {{"SK", sk}});
            db.execute(QStringLiteral("INSERT INTO Grundpreise VALUES ('C', :SK, 10, 72)"), {{"SK", sk}});
            db.execute(QStringLiteral("INSERT INTO Grundpreise VALUES ('Cgw', :SK, 25, 60)"), {{"SK", sk}});
        }
    }
};

TEST_F(PriceTablesTest, InsertSelectWithoutColumnListFillsByPositionWithConstants)
{
    db.execute(QStringLiteral("INSERT INTO PREISE SELECT GUETEKLASSE, STAERKEKLASSE, ABZUG, PREIS, 100, PREIS FROM GRUNDPREISE"));
    const ResultSet r = db.query(QStringLiteral("SELECT * FROM PREISE WHERE GUETEKLASSE = :GK ORDER BY  GUETEKLASSE, STAERKEKLASSE"),
                                 {{"GK", "C"}});
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_DOUBLE_EQ(r.rows[0][3].toDouble(), 72.0);
    EXPECT_DOUBLE_EQ(r.rows[0][4].toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(r.rows[0][5].toDouble(), 72.0);
}

TEST_F(PriceTablesTest, InvoiceLinesJoinTwoTableFilesAndGroup)
{
    db.execute(QStringLiteral("CREATE TABLE Rechnung (GUETEKLASSE CHAR(3), STAERKEKLASSE CHAR(3), VOLUMEN NUMERIC(10,4), PREIS NUMERIC(10,2))"));
    db.execute(listTable(QStringLiteral("Wald")));
    insertLog("Wald", 1, 10, "B", 0.5, "2a");
    insertLog("Wald", 2, 10, "B", 0.25, "2a");
    insertLog("Wald", 3, 10, "C", 1.0, "2a");
    insertLog("Wald", 4, 10, "C", 1.0, "9z");
    db.execute(QStringLiteral("INSERT INTO PREISE SELECT GUETEKLASSE, STAERKEKLASSE, ABZUG, PREIS, 100, PREIS FROM GRUNDPREISE"));
    const QString n = QStringLiteral("Wald");
    const QString sql = QStringLiteral("INSERT INTO Rechnung SELECT ") + n + ".GUETEKLASSE, " + n + ".STAERKEKLASSE, " + "SUM(" + n
                        + ".VOLUMEN) AS VOLUMEN, " + "PREISE.PREIS " + "FROM " + n + " " + "INNER JOIN PREISE ON PREISE.GUETEKLASSE = "
                        + n + ".GUETEKLASSE " + "AND PREISE.STAERKEKLASSE = " + n + ".STAERKEKLASSE " + "GROUP BY " + n
                        + ".GUETEKLASSE, " + n + ".STAERKEKLASSE, PREISE.PREIS";
    db.execute(sql);
    const ResultSet r = db.query(QStringLiteral("SELECT * FROM Rechnung ORDER BY GUETEKLASSE, STAERKEKLASSE"));
    ASSERT_EQ(r.rows.size(), 2u) << "a pair without a price is not invoiced";
    EXPECT_EQ(r.rows[0][0].toString(), QStringLiteral("B"));
    EXPECT_DOUBLE_EQ(r.rows[0][2].toDouble(), 0.75);
    EXPECT_DOUBLE_EQ(r.rows[0][3].toDouble(), 80.0);
    EXPECT_EQ(r.rows[1][0].toString(), QStringLiteral("C"));
}

TEST_F(PriceTablesTest, UpdateWithTwoColumnSubselectTakesItsFirstColumn)
{
    db.execute(QStringLiteral("UPDATE GRUNDPREISE SET ABZUG = :ABZUG, PREIS = (SELECT PREIS, STAERKEKLASSE FROM GRUNDPREISE G "
                              "WHERE G.GUETEKLASSE = 'B' AND G.STAERKEKLASSE = GRUNDPREISE.STAERKEKLASSE) * (100 - :ABZUG) / 100 "
                              "WHERE GUETEKLASSE = 'C'"),
               {{"ABZUG", 50.0}});
    const ResultSet r = db.query(QStringLiteral("SELECT ABZUG, PREIS FROM GRUNDPREISE WHERE GUETEKLASSE = 'C'"));
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_DOUBLE_EQ(r.rows[0][0].toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(r.rows[0][1].toDouble(), 40.0);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT (SELECT DISTINCT ABZUG, GUETEKLASSE FROM GRUNDPREISE WHERE GUETEKLASSE = 'Cgw')")).toDouble(), 25.0);
}

TEST_F(PriceTablesTest, LikeAndUpperForTheSearch)
{
    db.execute(QStringLiteral("CREATE TABLE Kunden (ID INT, NRKD CHAR(13), SUCHNAME CHAR(40))"));
    db.execute(QStringLiteral("INSERT INTO Kunden VALUES (0, '1', 'Müller'), (1, '2', 'mayer'), (2, '3', 'Schmidt')"));
    const QString sql = QStringLiteral("Select SUCHNAME, NRKD FROM Kunden WHERE Upper(SUCHNAME) LIKE :MATCHCODE ORDER BY SUCHNAME");
    EXPECT_EQ(db.query(sql, {{"MATCHCODE", "M%"}}).rows.size(), 2u);
    EXPECT_EQ(db.query(sql, {{"MATCHCODE", "%"}}).rows.size(), 3u);
    EXPECT_EQ(db.query(sql, {{"MATCHCODE", "m%"}}).rows.size(), 0u) << "LIKE itself compares case-sensitively";
    EXPECT_EQ(db.query(sql, {{"MATCHCODE", "CH%"}}).rows.size(), 0u) << "matches from the start only";
}

TEST_F(EngineTest, NamedParametersBindEveryTypeAndOneNameTwice)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT :A + :a"), {{"A", 20}}).toInt(), 40);
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT :F * 2"), {{"F", 1.25}}).toDouble(), 2.5);
    EXPECT_EQ(scalar(QStringLiteral("SELECT :T || 'x'"), {{"T", "ab"}}).toString(), QStringLiteral("abx"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT :B + 0"), {{"B", true}}).toInt(), 1);
    EXPECT_TRUE(scalar(QStringLiteral("SELECT :N"), {{"N", QVariant()}}).isNull());
    EXPECT_EQ(db.parameterNames(QStringLiteral("UPDATE x SET a = :A, b = :B WHERE c = :a")), QStringList({"A", "B"}));
}

TEST_F(EngineTest, RefusesMoreThanOneStatementAndRunsNothingOfIt)
{
    db.execute(listTable(QStringLiteral("L")));
    EXPECT_THROW(db.execute(QStringLiteral("INSERT INTO L (ID) VALUES (1); DROP TABLE L")), EngineError);
    EXPECT_THROW(db.execute(QStringLiteral("DELETE FROM L;DELETE FROM L")), EngineError);
    EXPECT_TRUE(db.tableExists(QStringLiteral("L")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(ID) FROM L")).toInt(), 0);
    EXPECT_NO_THROW(db.execute(QStringLiteral("INSERT INTO L (ID) VALUES (1);")));
}

TEST_F(EngineTest, RefusesTableNamesThatAreNotPlainIdentifiers)
{
    EXPECT_THROW(db.execute(listTable(QStringLiteral("../x"))), EngineError);
    EXPECT_THROW(db.execute(listTable(QStringLiteral("\"a b\""))), EngineError);
    EXPECT_THROW(db.query(QStringLiteral("SELECT * FROM \"Firma\"")), EngineError);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral(".db")).isEmpty());
    EXPECT_TRUE(isPlainIdentifier(QStringLiteral("Fichte_Süd2")));
    EXPECT_FALSE(isPlainIdentifier(QStringLiteral("2Fichte")));
    EXPECT_FALSE(isPlainIdentifier(QStringLiteral("a;DROP TABLE Firma")));
    EXPECT_FALSE(isPlainIdentifier(QString()));
}

TEST_F(EngineTest, GarbageTableFileGivesAnErrorNotACrash)
{
    QFile garbage(dir.path() + QStringLiteral("/firma.db"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x5a'));
    garbage.close();
    Connection other;
    other.open({QStringLiteral("PATH=") + dir.path()});
    try {
        other.query(QStringLiteral("SELECT * FROM Firma"));
        FAIL();
    } catch (const EngineError &e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
}

TEST_F(EngineTest, ManyTablesStayBelowTheAttachLimit)
{
    for (int i = 0; i < 14; ++i) {
        const QString name = QStringLiteral("Liste%1").arg(i);
        db.execute(listTable(name));
        insertLog(name, 1, i, "B", 0.1, "0");
    }
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(scalar(QStringLiteral("SELECT LAENGE FROM Liste%1").arg(i)).toInt(), i);
}

TEST_F(EngineTest, RolledBackChangeAcrossFilesLeavesEveryFileAsItWas)
{
    db.execute(listTable(QStringLiteral("A")));
    db.execute(dorvZusatzTable);
    insertLog("A", 1, 1, "B", 0.1, "0");
    {
        Transaction tx(db);
        insertLog("A", 2, 2, "B", 0.1, "0");
        db.execute(QStringLiteral("INSERT INTO DORVZUSATZ (OFFSET) VALUES ('Neu')"));
        db.execute(listTable(QStringLiteral("Neu")));
        insertLog("Neu", 1, 1, "B", 0.1, "0");
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(ID) FROM A")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(ID) FROM DORVZUSATZ")).toInt(), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/neu.db"))) << "a table created in the transaction goes too";

    {
        Transaction tx(db);
        insertLog("A", 2, 2, "B", 0.1, "0");
        db.execute(QStringLiteral("INSERT INTO DORVZUSATZ (OFFSET) VALUES ('A')"));
        tx.commit();
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(ID) FROM A")).toInt(), 2);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(ID) FROM DORVZUSATZ")).toInt(), 1);
}

TEST_F(EngineTest, EmptyTableFileLeftByAnAbortedCreateIsRemovedAtOpen)
{
    QFile empty(dir.path() + QStringLiteral("/halb.db"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    Connection other;
    other.open({QStringLiteral("PATH=") + dir.path()});
    EXPECT_FALSE(other.tableExists(QStringLiteral("Halb")));
}

} // namespace
