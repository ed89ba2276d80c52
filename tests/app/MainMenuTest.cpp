#include "ProgramFixture.h"

#include "entry/FormStammeingabe.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {

using MainMenuTest = ProgramTest;

struct Item
{
    const char *name;
    const char *caption;
};

TEST_F(MainMenuTest, EveryItemHasItsNameAndCaptionInOrder)
{
    QMenuBar *bar = main().findChild<QMenuBar *>(QStringLiteral("mnuMain"));
    ASSERT_NE(bar, nullptr);
    QStringList top;
    for (QAction *a : bar->actions())
        top << a->objectName() + u'=' + a->text();
    EXPECT_EQ(top, (QStringList{"mnuDatei=&Datei", "mnuStaemme=&Stämme", "mnuRechnung=Rechnung", "mnuListen=&Listen",
                                "mnuStammdaten=S&tammdaten", "mnuHilfe=&Hilfe"}));
    EXPECT_EQ(main().menuItem(QStringLiteral("mnuRechnung"))->menu(), nullptr) << "Rechnung has no submenu";

    const auto itemsOf = [&](const char *menu) {
        QStringList out;
        for (QAction *a : main().menuItem(QString::fromLatin1(menu))->menu()->actions())
            out << a->objectName() + u'=' + (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    };
    EXPECT_EQ(itemsOf("mnuDatei"), (QStringList{"mnuDateiNeu=&Neu...", "mnuDateiOeffnen=&Öffnen...",
                                                "mnuDateiImportieren=&Importieren...",
                                                "mnuDateiHarvesterdaten=&Harvesterdaten importieren...",
                                                "mnuDateiSchliessen=&Schließen",
                                                "mnuDateiDummy2=-", "mnuDateiSicherung=Daten&sicherung...",
                                                "mnuDateiWiederherstellen=Daten wieder&herstellen...", "mnuDateiDummy1=-",
                                                "mnuDateiEnde=&Ende"}));
    EXPECT_EQ(itemsOf("mnuStaemme"), QStringList{"mnuStaemmeEingeben=&Eingeben"});
    EXPECT_EQ(itemsOf("mnuListen"), (QStringList{"StammlisteBS1=&Stammliste Bildschirm", "StammlisteDrucker1=S&tammliste Drucker",
                                                 "ZusammenfassungBildschirm1=&Zusammenfassung Bildschirm",
                                                 "ZusammenfassungDrucker1=Z&usammenfassung Drucker", "mnuListenDummy1=-",
                                                 "mnuListenExportieren=&Exportieren...", "mnuListenWerkmass=&Werkmaß prüfen..."}));
    EXPECT_EQ(itemsOf("mnuStammdaten"),
              (QStringList{"mnuStammdatenKunden=&Kunden", "mnuStammdatenFirma=&Firma", "mnuStammdatenPreise=&Preise",
                           "mnuStammdatenRechnungsausgangsbuch=Rechnungs&ausgangsbuch"}));
    EXPECT_EQ(itemsOf("mnuHilfe"), QStringList{"mnuHilfeUeber=&Über..."});

    // The import's hint stays with the item but never reaches the status bar.
    QAction *import = main().menuItem(QStringLiteral("mnuDateiImportieren"));
    EXPECT_EQ(import->toolTip(), QStringLiteral("aus einer früheren Version Importieren"));
    for (QAction *a : bar->findChildren<QAction *>())
        EXPECT_TRUE(a->statusTip().isEmpty()) << a->objectName().toStdString();
}

TEST_F(MainMenuTest, ListItemsFollowTheStateOfTheCurrentList)
{
    const auto expectState = [&](bool listOpen) {
        for (const char *item : {"mnuDateiSchliessen", "mnuStaemme", "mnuListen", "mnuRechnung"})
            EXPECT_EQ(enabled(item), listOpen) << item << " with list open " << listOpen;
        EXPECT_EQ(enabled("mnuDateiImportieren"), !listOpen);
        EXPECT_EQ(enabled("mnuDateiHarvesterdaten"), !listOpen);
        EXPECT_EQ(enabled("mnuDateiWiederherstellen"), !listOpen);
        for (const char *item : {"mnuDatei", "mnuDateiNeu", "mnuDateiOeffnen", "mnuDateiSicherung", "mnuDateiEnde", "mnuStammdaten",
                                 "mnuStammdatenKunden",
                                 "mnuStammdatenFirma", "mnuStammdatenPreise", "mnuStammdatenRechnungsausgangsbuch", "mnuHilfe",
                                 "mnuHilfeUeber"})
            EXPECT_TRUE(enabled(item)) << item;
    };
    expectState(false);
    createList(QStringLiteral("Wald"));
    expectState(true);
    main().mnuDateiSchliessenClick();
    expectState(false);
    EXPECT_TRUE(main().currentListName().isEmpty());
    EXPECT_EQ(main().statusPanelText(0), QStringLiteral("Anzahl Stämme: 0"));
    EXPECT_EQ(main().statusPanelText(1), QStringLiteral("Summe FM: 0.00"));
    EXPECT_EQ(main().statusPanelText(2), QStringLiteral("Listenname:"));
    EXPECT_TRUE(dmod().qryDorvTabelle.isOpen()) << "closing the list leaves the queries as they are";
}

TEST_F(MainMenuTest, EndClosesAnOpenListFirst)
{
    createList(QStringLiteral("Wald"));
    main().show();
    main().mnuDateiEndeClick();
    EXPECT_FALSE(main().isVisible());
    EXPECT_TRUE(main().currentListName().isEmpty());
    EXPECT_EQ(main().statusPanelText(2), QStringLiteral("Listenname:"));
    EXPECT_TRUE(enabled("mnuDateiImportieren"));

    // Without a list it just ends.
    main().show();
    main().mnuDateiEndeClick();
    EXPECT_FALSE(main().isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainMenuTest, TheLogWindowOpensInEntryOrOverviewMode)
{
    createList(QStringLiteral("Wald"));
    QDialog *entry = program.windows().FormStammeingabe;
    QStringList captions;
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, [&] {
            captions << entry->windowTitle() + (entry->isModal() ? QStringLiteral(" modal") : QString());
            entry->reject();
        });
    };
    closeWhenShown();
    main().mnuStaemmeEingebenClick();
    closeWhenShown();
    main().StammlisteBS1Click();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Stammeingabe modal"), QStringLiteral("Stammübersicht modal")}));
}

TEST_F(MainMenuTest, StatusBarIsBoldWithThreePanels)
{
    QStatusBar *bar = main().findChild<QStatusBar *>(QStringLiteral("sbDorv"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->font().bold());
    EXPECT_EQ(bar->findChildren<QLabel *>().size(), 3);
}

TEST_F(MainMenuTest, EndingTheProgramAsksAboutAChangedCustomerAddress)
{
    dmod().qryKunden.open();
    dmod().qryKunden.edit();
    dmod().qryKunden.setValue(QStringLiteral("ORT"), QStringLiteral("Neustadt"));
    dialogs.answers = {true};
    main().close();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Änderungen an der Adresse speichern?")});
    dmod().qryTmp.setSql(QStringLiteral("SELECT ORT FROM Kunden WHERE NRKD = '99999'"));
    dmod().qryTmp.open();
    EXPECT_EQ(dmod().qryTmp.text(QStringLiteral("ORT")), QStringLiteral("Neustadt"));
}

} // namespace
