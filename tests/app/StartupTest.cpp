#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "data/LogList.h"
#include "support/ProgramFolder.h"

#include <QDir>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    controls::ScriptedDialogService dialogs;
    ProgramFolder folder;
};

TEST_F(StartupTest, StatusBarAtStartShowsNoList)
{
    app::DorvProgram program(dialogs, folder.path());
    TFormDorv &main = program.FormDorv();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Dorv V3.0d für Windows"));
    EXPECT_EQ(main.statusPanelText(0), QStringLiteral("Anzahl Stämme: 0"));
    EXPECT_EQ(main.statusPanelText(1), QStringLiteral("Summe FM: 0.00"));
    EXPECT_EQ(main.statusPanelText(2), QStringLiteral("Listenname:"));
    EXPECT_EQ(main.dataPath(), folder.path() + QStringLiteral("/Daten/"));
    EXPECT_TRUE(program.DMod().qryFirma.isOpen());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(StartupTest, MissingDataFolderIsShownAndStartUpGoesOn)
{
    QDir(folder.dataPath()).removeRecursively();
    app::DorvProgram program(dialogs, folder.path());
    ASSERT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).size(), 1);
    EXPECT_TRUE(dialogs.messages.front().text.startsWith(QStringLiteral("Data folder not found")));
    EXPECT_NE(program.windows().FormImport, nullptr) << "every window is still created";
}

TEST_F(StartupTest, StatusBarShowsCountAndGeneralFormatSumOfTheList)
{
    app::DorvProgram program(dialogs, folder.path());
    TFormDorv &main = program.FormDorv();
    TDMod &dmod = program.DMod();
    dmod.dbDorv.execute(data::loglist::createListSql(QStringLiteral("Wald")));
    dmod.dbDorv.execute(data::loglist::createHeaderTableSql());
    main.setCurrentListName(QStringLiteral("Wald"));

    main.SQLVorbereiten();
    main.FuelleStatusBar(true);
    EXPECT_EQ(main.statusPanelText(0), QStringLiteral("Anzahl Stämme: 0"));
    EXPECT_EQ(main.statusPanelText(1), QStringLiteral("Summe FM: ")) << "an empty list has no sum";
    EXPECT_EQ(main.statusPanelText(2), QStringLiteral("Listenname: Wald"));

    dmod.dbDorv.execute(QStringLiteral("INSERT INTO Wald (ID, VOLUMEN) VALUES (1, 10), (2, 2.5)"));
    main.SQLVorbereiten();
    main.FuelleStatusBar(true);
    EXPECT_EQ(main.statusPanelText(0), QStringLiteral("Anzahl Stämme: 2"));
    EXPECT_EQ(main.statusPanelText(1), QStringLiteral("Summe FM: 12,5"));

    dmod.dbDorv.execute(QStringLiteral("INSERT INTO Wald (ID, VOLUMEN) VALUES (3, 0.5)"));
    main.SQLVorbereiten();
    main.FuelleStatusBar(true);
    EXPECT_EQ(main.statusPanelText(1), QStringLiteral("Summe FM: 13"));
}

TEST_F(StartupTest, SQLVorbereitenWithoutAListLeavesTheQueriesAsTheyWere)
{
    app::DorvProgram program(dialogs, folder.path());
    TDMod &dmod = program.DMod();
    dmod.qryGesamtVolumen.setSql(QStringLiteral("SELECT COUNT(*) AS Menge FROM Firma"));
    dmod.qryGesamtVolumen.open();
    program.FormDorv().SQLVorbereiten();
    EXPECT_TRUE(dmod.qryGesamtVolumen.isOpen());
    EXPECT_EQ(dmod.qryGesamtVolumen.sql(), QStringLiteral("SELECT COUNT(*) AS Menge FROM Firma"));
    EXPECT_FALSE(dmod.qryZusammenfasssung.isOpen());
}

} // namespace
