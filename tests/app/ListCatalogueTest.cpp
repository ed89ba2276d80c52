#include "ProgramFixture.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

using Kind = controls::ScriptedDialogService::Kind;

const QString noNewFile = QStringLiteral("Sie haben keine (neue) Datei ausgewählt!");
const QString numberText =
    QStringLiteral("Der Listenname darf nicht nur aus Zahlen bestehen!\n\rBitte stellen Sie ggf. einen Buchstaben voran.");
const QString identifierText =
    QStringLiteral("Der Listenname darf nur Buchstaben, Ziffern und _ enthalten und muss mit einem Buchstaben beginnen!");

using ListCatalogueTest = ProgramTest;
// What the two list windows do without the main window.
using ListWindowsCatalogueTest = ListWindowsTest;

TEST_F(ListWindowsCatalogueTest, NameFieldTakesEighteenCharactersAndKeepsItsText)
{
    QLineEdit *field = nameField();
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
    EXPECT_EQ(field->text(), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
    formNeu().btnAbbruchClick();
    EXPECT_EQ(field->text(), QStringLiteral("ABCDEFGHIJKLMNOPQR"));
}

TEST_F(ListCatalogueTest, NamesThatAreNumbersOrNoIdentifiersAreRefusedAndNothingIsCreated)
{
    for (const char *name : {"123", " 42", "+7", "-1", "$1F", "0x10"}) {
        dialogs.clear();
        nameField()->setCursorPosition(2);
        createList(QString::fromLatin1(name));
        ASSERT_EQ(dialogs.messages.size(), 1u) << name;
        EXPECT_EQ(dialogs.messages[0].kind, Kind::Information);
        EXPECT_EQ(dialogs.messages[0].text, numberText) << name;
        EXPECT_EQ(nameField()->cursorPosition(), 0) << "the cursor goes to the start of the name";
    }
    for (const char *name : {"123A", "12 ", "a;DROP TABLE Firma", "../x"}) {
        dialogs.clear();
        createList(QString::fromLatin1(name));
        EXPECT_EQ(dialogs.texts(), QStringList{identifierText}) << name;
    }
    dialogs.clear();
    createList(QString());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Error);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Sie müssen einen gültigen Listennamen eingeben!"));

    EXPECT_TRUE(main().currentListName().isEmpty());
    EXPECT_FALSE(tableFileExists(QStringLiteral("dorvzusatz"))) << "no list was created";
    EXPECT_TRUE(dmod().dbDorv.tableExists(QStringLiteral("Firma")));
}

TEST_F(ListCatalogueTest, CreatingAListMakesItCurrentWithAHeaderRowOfOnlyItsName)
{
    ASSERT_FALSE(tableFileExists(QStringLiteral("dorvzusatz")));
    createList(QStringLiteral("A123"));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();

    EXPECT_TRUE(tableFileExists(QStringLiteral("a123")));
    EXPECT_TRUE(tableFileExists(QStringLiteral("dorvzusatz"))) << "the first list creates the header table";
    EXPECT_EQ(main().currentListName(), QStringLiteral("A123"));
    EXPECT_TRUE(dmod().qryDorvTabelle.isOpen());
    EXPECT_EQ(dmod().qryDorvTabelle.sql(), QStringLiteral("SELECT * FROM A123"));
    EXPECT_TRUE(dmod().qryDorvTabelle.isEmpty());

    // The header row of the list, prepared by SQLVorbereiten: the name and nothing else.
    data::Dataset &header = dmod().qryDorvZusatz;
    ASSERT_TRUE(header.isOpen());
    ASSERT_EQ(header.recordCount(), 1);
    EXPECT_EQ(header.text(QStringLiteral("OFFSET")), QStringLiteral("A123"));
    for (const char *column : {"ABTEILUNG", "BAUMART", "SORTE", "ZUSATZTEXT", "GESCHAELT", "GERUECKT"})
        EXPECT_TRUE(header.value(QString::fromLatin1(column)).isNull()) << column;

    EXPECT_EQ(main().statusPanelText(0), QStringLiteral("Anzahl Stämme: 0"));
    EXPECT_EQ(main().statusPanelText(1), QStringLiteral("Summe FM: "));
    EXPECT_EQ(main().statusPanelText(2), QStringLiteral("Listenname: A123"));
    for (const char *item : {"mnuDateiSchliessen", "mnuStaemme", "mnuListen", "mnuRechnung"})
        EXPECT_TRUE(enabled(item)) << item;
    EXPECT_FALSE(enabled("mnuDateiImportieren"));

    // A second list beside it: the header table is kept, each list has its own row.
    createList(QStringLiteral("Wald"));
    EXPECT_EQ(main().currentListName(), QStringLiteral("Wald"));
    dmod().qryTmp.setSql(QStringLiteral("SELECT OFFSET FROM DORVZUSATZ ORDER BY OFFSET"));
    dmod().qryTmp.open();
    EXPECT_EQ(dmod().qryTmp.recordCount(), 2);
}

TEST_F(ListWindowsCatalogueTest, AnExistingListIsReportedWithTheNameAsTypedInAnyCase)
{
    createList(QStringLiteral("Wald"));
    dialogs.clear();
    for (const QString &name : {QStringLiteral("Wald"), QStringLiteral("wALD")}) {
        createList(name);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages.back().kind, Kind::Information);
        EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("Die Liste \"") + name
                                                    + QStringLiteral("\" ist bereits vorhanden!\r\nBitte wählen Sie einen anderen Namen."));
        dialogs.clear();
    }
    dmod().qryTmp.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM DORVZUSATZ"));
    dmod().qryTmp.open();
    EXPECT_EQ(dmod().qryTmp.intValue(QStringLiteral("N")), 1) << "no second header row";
}

TEST_F(ListCatalogueTest, AFailingHeaderRowLeavesNoHalfList)
{
    createList(QStringLiteral("Wald"));
    // A header table that has lost its columns: the header row cannot be written.
    dmod().dbDorv.execute(QStringLiteral("DROP TABLE DORVZUSATZ"));
    dmod().dbDorv.execute(QStringLiteral("CREATE TABLE DORVZUSATZ ( ID INT )"));
    dialogs.clear();

    createList(QStringLiteral("Fichte"));
    ASSERT_EQ(dialogs.textsOf(Kind::Error).size(), 1) << "the engine's error is shown";
    EXPECT_FALSE(tableFileExists(QStringLiteral("fichte"))) << "the list table went with the failed header row";
    EXPECT_EQ(main().currentListName(), QStringLiteral("Wald"));
    EXPECT_FALSE(dmod().qryDorvTabelle.isOpen());
}

TEST_F(ListWindowsCatalogueTest, TheListBoxShowsNameAndTextOrderedByName)
{
    createList(QStringLiteral("Wald"));
    createList(QStringLiteral("Eiche"));
    createList(QStringLiteral("Buche"));
    dmod().dbDorv.execute(QStringLiteral("UPDATE DORVZUSATZ SET ZUSATZTEXT = 'Abteilung 7' WHERE OFFSET = 'Eiche'"));

    formLaden().FormActivate();
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    ASSERT_NE(box, nullptr);
    QAbstractItemModelTester tester(box->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(box->model()->rowCount(), 3);
    ASSERT_EQ(box->model()->columnCount(), 2);
    EXPECT_EQ(box->model()->index(0, 0).data().toString(), QStringLiteral("Buche"));
    EXPECT_EQ(box->model()->index(1, 0).data().toString(), QStringLiteral("Eiche"));
    EXPECT_EQ(box->model()->index(1, 1).data().toString(), QStringLiteral("Abteilung 7"));
    EXPECT_EQ(box->model()->index(2, 0).data().toString(), QStringLiteral("Wald"));
    EXPECT_EQ(formLaden().selectedListName(), QStringLiteral("Buche")) << "the first list is selected";
}

TEST_F(ListCatalogueTest, OpeningTheOpenListIsRefusedUntilItIsClosed)
{
    createList(QStringLiteral("Wald"));
    createList(QStringLiteral("Eiche"));
    dmod().dbDorv.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE, VOLUMEN) VALUES (1, 4, 0.25), (2, 5, 0.5)"));
    dialogs.clear();

    openList(QStringLiteral("Wald"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(main().currentListName(), QStringLiteral("Wald"));
    EXPECT_EQ(dmod().qryDorvTabelle.sql(), QStringLiteral("SELECT * FROM Wald"));
    EXPECT_EQ(dmod().qryDorvTabelle.intValue(QStringLiteral("ID")), 2) << "the log query stands on the last log";
    EXPECT_EQ(main().statusPanelText(0), QStringLiteral("Anzahl Stämme: 2"));
    EXPECT_EQ(main().statusPanelText(2), QStringLiteral("Listenname: Wald"));
    EXPECT_EQ(dmod().qryDorvZusatz.text(QStringLiteral("OFFSET")), QStringLiteral("Wald"));

    openList(QStringLiteral("Wald"));
    EXPECT_EQ(dialogs.texts(), QStringList{noNewFile});
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Information);

    main().mnuDateiSchliessenClick();
    dialogs.clear();
    openList(QStringLiteral("Wald"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(main().currentListName(), QStringLiteral("Wald"));
    EXPECT_TRUE(enabled("mnuDateiSchliessen"));
    EXPECT_FALSE(enabled("mnuDateiImportieren"));
}

TEST_F(ListWindowsCatalogueTest, AnEmptyHeaderTableGivesAnEmptyListBoxAndNothingToOpen)
{
    createList(QStringLiteral("Wald"));
    dmod().dbDorv.execute(QStringLiteral("DELETE FROM DORVZUSATZ"));
    dialogs.clear();

    formLaden().FormActivate();
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    EXPECT_EQ(box->model()->rowCount(), 0);
    EXPECT_TRUE(formLaden().selectedListName().isEmpty());
    formLaden().btnOeffnenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{noNewFile});
}

TEST_F(ListCatalogueTest, AStoredNameThatIsNoIdentifierIsNotOpened)
{
    createList(QStringLiteral("Wald"));
    main().mnuDateiSchliessenClick();
    dmod().dbDorv.execute(QStringLiteral("INSERT INTO DORVZUSATZ (OFFSET) VALUES ('Firma; DROP')"));
    dialogs.clear();

    openList(QStringLiteral("Firma; DROP"));
    ASSERT_EQ(dialogs.textsOf(Kind::Error).size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Firma; DROP")));
    EXPECT_TRUE(main().currentListName().isEmpty());
    EXPECT_FALSE(enabled("mnuDateiSchliessen"));
    EXPECT_TRUE(dmod().dbDorv.tableExists(QStringLiteral("Firma")));
}

TEST_F(ListWindowsCatalogueTest, AMissingHeaderTableIsReportedAndTheFirstListCreatesIt)
{
    formLaden().FormActivate();
    ASSERT_EQ(dialogs.textsOf(Kind::Error).size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("DORVZUSATZ"), Qt::CaseInsensitive))
        << dialogs.messages[0].text.toStdString();
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    EXPECT_EQ(box->model()->rowCount(), 0);

    createList(QStringLiteral("Wald"));
    dialogs.clear();
    formLaden().FormActivate();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(formLaden().selectedListName(), QStringLiteral("Wald"));
}

TEST_F(ListCatalogueTest, AnsweringNoToTheDeletionChangesNothing)
{
    createList(QStringLiteral("Wald"));
    dialogs.clear();
    formLaden().FormActivate();
    dialogs.answers = {false};
    formLaden().btnLoeschenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Datei Wald löschen?")});
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Confirmation);
    EXPECT_TRUE(tableFileExists(QStringLiteral("wald")));
    EXPECT_EQ(main().currentListName(), QStringLiteral("Wald"));
    EXPECT_TRUE(dmod().qryDorvTabelle.isOpen());
    EXPECT_EQ(formLaden().selectedListName(), QStringLiteral("Wald"));
}

TEST_F(ListCatalogueTest, DeletingTheOpenListClosesIt)
{
    createList(QStringLiteral("Wald"));
    dialogs.clear();
    formLaden().FormActivate();
    dialogs.answers = {true};
    // Releasing Delete in the list box deletes, as "&Löschen" does.
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    QTest::keyRelease(box, Qt::Key_Delete);

    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Datei Wald löschen?")});
    EXPECT_FALSE(tableFileExists(QStringLiteral("wald")));
    EXPECT_EQ(box->model()->rowCount(), 0) << "the list box shows the remaining lists";
    EXPECT_TRUE(main().currentListName().isEmpty());
    EXPECT_EQ(main().statusPanelText(1), QStringLiteral("Summe FM: 0.00"));
    EXPECT_EQ(main().statusPanelText(2), QStringLiteral("Listenname:"));
    EXPECT_FALSE(enabled("mnuDateiSchliessen"));
    EXPECT_FALSE(enabled("mnuStaemme"));
    EXPECT_TRUE(enabled("mnuDateiImportieren"));
}

TEST_F(ListCatalogueTest, DeletingAnotherListKeepsTheOpenListUsable)
{
    createList(QStringLiteral("Eiche"));
    createList(QStringLiteral("Wald"));
    dmod().dbDorv.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE, VOLUMEN) VALUES (1, 4, 0.25)"));
    dialogs.clear();
    formLaden().FormActivate();
    ASSERT_TRUE(formLaden().selectList(QStringLiteral("Eiche")));
    dialogs.answers = {true};
    formLaden().btnLoeschenClick();

    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Datei Eiche löschen?")});
    EXPECT_FALSE(tableFileExists(QStringLiteral("eiche")));
    EXPECT_TRUE(tableFileExists(QStringLiteral("wald")));
    EXPECT_EQ(main().currentListName(), QStringLiteral("Wald"));
    ASSERT_TRUE(dmod().qryDorvTabelle.isOpen()) << "the log query is open on the current list again";
    EXPECT_EQ(dmod().qryDorvTabelle.sql(), QStringLiteral("SELECT * FROM Wald"));
    EXPECT_EQ(dmod().qryDorvTabelle.recordCount(), 1);
    EXPECT_TRUE(enabled("mnuDateiSchliessen"));
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    ASSERT_EQ(box->model()->rowCount(), 1);
    EXPECT_EQ(box->model()->index(0, 0).data().toString(), QStringLiteral("Wald"));
}

TEST_F(ListCatalogueTest, AHeaderRowWhoseTableFileIsGoneCanBeDeleted)
{
    createList(QStringLiteral("Eiche"));
    main().mnuDateiSchliessenClick();
    dmod().qryDorvTabelle.close();
    ASSERT_TRUE(QFile::remove(folder.dataPath() + QStringLiteral("eiche.db")));
    dialogs.clear();
    formLaden().FormActivate();
    ASSERT_TRUE(formLaden().selectList(QStringLiteral("Eiche")));
    dialogs.answers = {true};
    formLaden().btnLoeschenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Datei Eiche löschen?")}) << "no error";
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    EXPECT_EQ(box->model()->rowCount(), 0);
}

TEST_F(ListWindowsCatalogueTest, DeletingWithoutSelectionDeletesNothing)
{
    createList(QStringLiteral("Wald"));
    dmod().dbDorv.execute(QStringLiteral("DELETE FROM DORVZUSATZ"));
    formLaden().FormActivate();
    dialogs.clear();
    dialogs.answers = {true};
    formLaden().btnLoeschenClick();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Datei  löschen?"));
    EXPECT_EQ(dialogs.messages[1].kind, Kind::Error);
    EXPECT_TRUE(tableFileExists(QStringLiteral("wald")));
    EXPECT_TRUE(dmod().qryDorvTabelle.isOpen());
}

TEST_F(ListCatalogueTest, DoubleClickOpensAndShowingTheWindowFillsIt)
{
    createList(QStringLiteral("Eiche"));
    createList(QStringLiteral("Wald"));
    dialogs.clear();
    formLaden().show();
    QCoreApplication::processEvents();
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    ASSERT_EQ(box->model()->rowCount(), 2) << "showing the window fills the list box";
    EXPECT_EQ(formLaden().selectedListName(), QStringLiteral("Eiche"));

    const QRect cell = box->visualRect(box->model()->index(0, 0));
    // A real double click: a click, then the second press arrives as a double click.
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(main().currentListName(), QStringLiteral("Eiche"));
    EXPECT_FALSE(formLaden().isVisible()) << "opening a list closes the window";
}

TEST_F(ListCatalogueTest, EnterPressesTheDefaultButtons)
{
    formNeu().show();
    QCoreApplication::processEvents();
    nameField()->setText(QStringLiteral("Eiche"));
    QTest::keyClick(nameField(), Qt::Key_Return);
    EXPECT_EQ(main().currentListName(), QStringLiteral("Eiche")) << "Enter is \"&OK\"";
    EXPECT_FALSE(formNeu().isVisible());
    createList(QStringLiteral("Wald"));

    formLaden().show();
    QCoreApplication::processEvents();
    auto *box = formLaden().findChild<QTableView *>(QStringLiteral("dbluplLaden"));
    ASSERT_EQ(formLaden().selectedListName(), QStringLiteral("Eiche"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(main().currentListName(), QStringLiteral("Eiche")) << "Enter in the list box is \"&Öffnen\"";
    EXPECT_FALSE(formLaden().isVisible());
}

TEST_F(ListCatalogueTest, TheNewListMenuCreatesAndPreparesTheQueriesAgain)
{
    createList(QStringLiteral("Wald"));
    dmod().qryGesamtVolumen.close();
    QTimer::singleShot(0, [this] { formNeu().btnAbbruchClick(); });
    main().mnuDateiNeuClick();
    EXPECT_TRUE(dmod().qryGesamtVolumen.isOpen()) << "cancelling still prepares the current list";

    QTimer::singleShot(0, [this] { createList(QStringLiteral("Eiche")); });
    main().mnuDateiNeuClick();
    EXPECT_FALSE(formNeu().isVisible());
    EXPECT_EQ(main().currentListName(), QStringLiteral("Eiche"));
    EXPECT_EQ(main().statusPanelText(2), QStringLiteral("Listenname: Eiche"));
}

} // namespace
