#include "ImportFixture.h"

#include "import/ListImporter.h"

namespace {

// Column positions of a list table.
enum { ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE };
// Column positions of headers().
enum { OFFSET, ABTEILUNG, BAUMART, SORTE, ZUSATZTEXT, GESCHAELT, GERUECKT };

QByteArray twoDiameters()
{
    return legacyfiles::record(1, 4, 29, "B", "0.5", "2b") + legacyfiles::record(2, 4, 30, "C", "0.6", "3a");
}

TEST_F(ImportWindowTest, SideFilesInLowerCaseFillTheHeader)
{
    const QString path = write(QStringLiteral("Wald.dvz"), twoDiameters());
    write(QStringLiteral("wald.inf"), "Buchen am Hang\r\nnicht gelesen\r\n");
    write(QStringLiteral("wald.set"), "j\r\nJ\r\nAbt. 12\r\nBuche\r\nStammholz\r\nnicht gelesen\r\n");
    importFile(path);
    ASSERT_EQ(dialogs.texts(), QStringList{success()});

    const engine::ResultSet h = headers();
    ASSERT_EQ(h.rows.size(), 1u);
    EXPECT_EQ(h.rows[0][ZUSATZTEXT].toString(), QStringLiteral("Buchen am Hang"));
    EXPECT_EQ(h.rows[0][ABTEILUNG].toString(), QStringLiteral("Abt. 12"));
    EXPECT_EQ(h.rows[0][BAUMART].toString(), QStringLiteral("Buche"));
    EXPECT_EQ(h.rows[0][SORTE].toString(), QStringLiteral("Stammholz"));
    EXPECT_FALSE(h.rows[0][GESCHAELT].toBool()) << "a lower-case j: measured over bark";
    EXPECT_TRUE(h.rows[0][GERUECKT].toBool());

    const engine::ResultSet l = logs(QStringLiteral("Wald"));
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_EQ(l.rows[0][DURCHMEIN].toInt(), 29);
    EXPECT_EQ(l.rows[0][DURCHMEFF].toInt(), 28);
    EXPECT_EQ(l.rows[1][DURCHMEIN].toInt(), 30);
    EXPECT_EQ(l.rows[1][DURCHMEFF].toInt(), 28);
}

TEST_F(ImportWindowTest, BarkFlagDecidesTheDeduction)
{
    const QString peeled = write(QStringLiteral("Geschaelt.dvz"), twoDiameters());
    write(QStringLiteral("Geschaelt.SET"), "N\r\n");
    importFile(peeled);
    const QString plain = write(QStringLiteral("Ohne.dvz"), twoDiameters());
    importFile(plain);
    ASSERT_EQ(dialogs.texts(), (QStringList{success(), success()}));

    const engine::ResultSet h = headers();
    ASSERT_EQ(h.rows.size(), 2u);
    EXPECT_TRUE(h.rows[0][GESCHAELT].toBool());
    EXPECT_FALSE(h.rows[0][GERUECKT].toBool());
    const engine::ResultSet p = logs(QStringLiteral("Geschaelt"));
    ASSERT_EQ(p.rows.size(), 2u);
    EXPECT_EQ(p.rows[0][DURCHMEFF].toInt(), 29);
    EXPECT_EQ(p.rows[1][DURCHMEFF].toInt(), 30);

    // No settings file: defaults, and the bark deduction applies.
    EXPECT_FALSE(h.rows[1][GESCHAELT].toBool());
    EXPECT_FALSE(h.rows[1][GERUECKT].toBool());
    EXPECT_EQ(h.rows[1][ABTEILUNG].toString(), QString());
    EXPECT_EQ(h.rows[1][ZUSATZTEXT].toString(), QString());
    const engine::ResultSet o = logs(QStringLiteral("Ohne"));
    ASSERT_EQ(o.rows.size(), 2u);
    EXPECT_EQ(o.rows[0][DURCHMEFF].toInt(), 28);
    EXPECT_EQ(o.rows[1][DURCHMEFF].toInt(), 28);
}

TEST_F(ImportWindowTest, RecordsAreStoredAsTheFileHasThem)
{
    // Fifteen lines: two records and one line left over.
    const QByteArray bytes = legacyfiles::record(7, 12, 45, "Cgw", "0.12344", "4") + legacyfiles::record(3, 8, 22, "B", "0.12346", "1b2")
                             + "9\r\n";
    importFile(write(QStringLiteral("Wald.dvz"), bytes));
    ASSERT_EQ(dialogs.texts(), QStringList{success()});

    const engine::ResultSet l = logs(QStringLiteral("Wald"));
    ASSERT_EQ(l.rows.size(), 2u);
    // Numbers are kept as they are, not renumbered; class and volume are not recomputed.
    EXPECT_EQ(l.rows[0][ID].toInt(), 3);
    EXPECT_EQ(l.rows[0][LAENGE].toInt(), 8);
    EXPECT_EQ(l.rows[0][GUETEKLASSE].toString(), QStringLiteral("B"));
    EXPECT_EQ(l.rows[0][STAERKEKLASSE].toString(), QStringLiteral("1b2"));
    EXPECT_DOUBLE_EQ(l.rows[0][VOLUMEN].toDouble(), 0.1235);
    EXPECT_EQ(l.rows[1][ID].toInt(), 7);
    EXPECT_EQ(l.rows[1][GUETEKLASSE].toString(), QStringLiteral("Cgw"));
    EXPECT_EQ(l.rows[1][STAERKEKLASSE].toString(), QStringLiteral("4"));
    EXPECT_DOUBLE_EQ(l.rows[1][VOLUMEN].toDouble(), 0.1234);
}

TEST_F(ImportWindowTest, CommaAndPointBothSeparateDecimals)
{
    importFile(write(QStringLiteral("Wald.dvz"), legacyfiles::record(1, 4, 20, "B", "0,5", "1b1") + legacyfiles::record(2, 4, 20, "B", "0.5", "1b1")));
    ASSERT_EQ(dialogs.texts(), QStringList{success()});
    const engine::ResultSet l = logs(QStringLiteral("Wald"));
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_DOUBLE_EQ(l.rows[0][VOLUMEN].toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(l.rows[1][VOLUMEN].toDouble(), 0.5);
}

// A failing import leaves neither the table file nor a header row (nor a header table it
// created) behind, and the corrected file then imports under the same name.
TEST_F(ImportWindowTest, BadLineLeavesNothingBehindAndTheCorrectedFileImports)
{
    const QByteArray good = legacyfiles::record(1, 4, 20, "B", "0.5", "1b1");
    const QString path = write(QStringLiteral("Wald.dvz"), good + legacyfiles::record(2, 4, 2, "B", "0.5", "1b1").replace("\r\n2\r\n", "\r\n2x\r\n"));
    importFile(path);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, controls::ScriptedDialogService::Kind::Error);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Wald.dvz, Zeile 10: '2x' ist keine gültige ganze Zahl."));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(tableFileExists(QStringLiteral("Wald")));
    EXPECT_FALSE(tableFileExists(QStringLiteral("DORVZUSATZ")));

    dialogs.clear();
    write(QStringLiteral("Wald.dvz"), good + legacyfiles::record(2, 4, 2, "B", "0.5", "1b1"));
    importFile(path);
    EXPECT_EQ(dialogs.texts(), QStringList{success()});
    EXPECT_EQ(logs(QStringLiteral("Wald")).rows.size(), 2u);
    EXPECT_EQ(headers().rows.size(), 1u);
}

TEST_F(ImportWindowTest, LogsTheDatabaseRefusesLeaveTheOtherListsIntact)
{
    importFile(write(QStringLiteral("Erste.dvz"), legacyfiles::record(1, 4, 20, "B", "0.5", "1b1")));
    ASSERT_EQ(dialogs.texts(), QStringList{success()});

    const struct
    {
        QByteArray bytes;
        QString message;
    } cases[] = {
        {legacyfiles::record(1, 4, 20, "B", "0.5", "1b1") + legacyfiles::record(1, 5, 21, "C", "0.6", "1b2"),
         QStringLiteral("Wald.dvz, Zeilen 8 bis 14 (Stamm 1, Güteklasse 'C', Stärkeklasse '1b2'): Key violation")},
        {legacyfiles::record(1, 4, 20, "Cgwx", "0.5", "1b1"),
         QStringLiteral("Wald.dvz, Zeilen 1 bis 7 (Stamm 1, Güteklasse 'Cgwx', Stärkeklasse '1b1'): The text for field "
                        "GUETEKLASSE is too long")},
    };
    for (const auto &c : cases) {
        dialogs.clear();
        importFile(write(QStringLiteral("Wald.dvz"), c.bytes));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].kind, controls::ScriptedDialogService::Kind::Error);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(c.message)) << dialogs.messages[0].text.toStdString();
        EXPECT_FALSE(tableFileExists(QStringLiteral("Wald")));
        const engine::ResultSet h = headers();
        ASSERT_EQ(h.rows.size(), 1u);
        EXPECT_EQ(h.rows[0][OFFSET].toString(), QStringLiteral("Erste"));
        EXPECT_EQ(logs(QStringLiteral("Erste")).rows.size(), 1u);
    }
}

TEST_F(ImportWindowTest, HeaderTextTooLongLeavesNothingBehind)
{
    const QString path = write(QStringLiteral("Wald.dvz"), legacyfiles::record(1, 4, 20, "B", "0.5", "1b1"));
    write(QStringLiteral("Wald.SET"), "J\r\nN\r\n" + QByteArray(51, 'a') + "\r\n");
    importFile(path);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("Wald.dvz (.INF, .SET): The text for field ABTEILUNG is too long")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_FALSE(tableFileExists(QStringLiteral("Wald")));
    EXPECT_FALSE(tableFileExists(QStringLiteral("DORVZUSATZ")));
}

TEST_F(ImportWindowTest, ImportRunsTheStatementsOfANewList)
{
    // The statements that other parts of the program and stored files rely on.
    EXPECT_EQ(importing::dtqImportCheckSql(),
              QStringLiteral("SELECT OFFSET\nFROM DORVZUSATZ\nWHERE UPPER(OFFSET) = UPPER(:OFFSET)"));
    EXPECT_EQ(importing::dtqStaemmeSql(QStringLiteral("Wald")),
              QStringLiteral("INSERT INTO Wald ( ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE ) "
                             "VALUES ( :ID, :LAENGE, :DURCHMEIN, :DURCHMEFF, :GUETEKLASSE, :VOLUMEN, :STAERKEKLASSE ) "));
    importFile(write(QStringLiteral("Wald.dvz"), {}));
    const engine::ResultSet h = db.query(QStringLiteral("SELECT * FROM DORVZUSATZ"));
    ASSERT_EQ(h.columns.size(), 8u);
    EXPECT_EQ(h.columns[0].name, QStringLiteral("ID"));
    EXPECT_TRUE(h.columns[0].readOnly) << "ID is numbered by the table";
    EXPECT_EQ(h.columns[1].size, 25);
    const engine::ResultSet l = logs(QStringLiteral("Wald"));
    ASSERT_EQ(l.columns.size(), 7u);
    EXPECT_EQ(l.columns[GUETEKLASSE].size, 3);
    EXPECT_EQ(l.columns[VOLUMEN].type, engine::FieldType::Float);
}

} // namespace

namespace {

TEST_F(ImportWindowTest, LargeFileImportsInFullWhileTheProgressIsShown)
{
    QByteArray bytes;
    constexpr int count = 30000;
    for (int id = 1; id <= count; ++id)
        bytes += legacyfiles::record(id, 4 + id % 10, 20 + id % 30, "C", "1,0306", "2b");
    importFile(write(QStringLiteral("Gross.dvz"), bytes));
    ASSERT_EQ(dialogs.texts(), QStringList{success()});
    const engine::ResultSet l = db.query(QStringLiteral("SELECT COUNT(*), MAX(ID), SUM(VOLUMEN) FROM Gross"));
    EXPECT_EQ(l.rows[0][0].toInt(), count);
    EXPECT_EQ(l.rows[0][1].toInt(), count);
    EXPECT_NEAR(l.rows[0][2].toDouble(), count * 1.0306, 1e-6);
}

} // namespace
