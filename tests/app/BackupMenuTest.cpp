// Datei → "Datensicherung..." and "Daten wiederherstellen..." in the running program: after a
// restore the program works on the restored data.
#include "ProgramFixture.h"

#include "app/DataFolderLock.h"
#include "invoicing/FormKunden.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

namespace {

using Kind = controls::ScriptedDialogService::Kind;

class BackupMenuTest : public ProgramTest
{
protected:
    // Takes a backup from the menu into the file.
    void backUp(const QString &file)
    {
        dialogs.files.push_back(file);
        main().mnuDateiSicherungClick();
    }
    // Restores the file from the menu, answering the question with `yes`.
    void restore(const QString &file, bool yes)
    {
        dialogs.files.push_back(file);
        dialogs.answers.push_back(yes);
        main().mnuDateiWiederherstellenClick();
    }
    QStringList folderNames() const { return QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }

    QTemporaryDir backups;
    QString zip = backups.filePath(QStringLiteral("sicherung.zip"));
};

TEST_F(BackupMenuTest, AfterARestoreTheProgramWorksOnTheRestoredLists)
{
    createList(QStringLiteral("Wald"));
    dmod().dbDorv.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE, DURCHMEIN, VOLUMEN) VALUES (1, 10, 30, 0.7)"));
    main().mnuDateiSchliessenClick();
    dialogs.clear();

    backUp(zip);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Datensicherung"));
    EXPECT_TRUE(dialogs.fileDialogs[0].folder.endsWith(QStringLiteral("/Dorv-Sicherung-%1.zip").arg(QDate::currentDate().toString(Qt::ISODate))))
        << dialogs.fileDialogs[0].folder.toStdString();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Die Daten wurden gesichert in %1.").arg(zip)});

    // Later work, which the restore takes back.
    createList(QStringLiteral("Hang"));
    main().mnuDateiSchliessenClick();
    dialogs.clear();

    restore(zip, true);
    const QStringList folders = folderNames();
    ASSERT_EQ(folders.size(), 3) << folders.join(u' ').toStdString();
    const QString previous = folder.path() + u'/' + folders[1];
    EXPECT_TRUE(folders[1].startsWith(QStringLiteral("Daten.vorher-")));
    ASSERT_EQ(dialogs.messages.size(), 2u) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Confirmation);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Die Datensicherung vom ")));
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(
        QStringLiteral(" ersetzt alle jetzigen Daten. Die jetzigen Daten bleiben in einem Ordner „Daten.vorher-…“ neben dem "
                       "Datenordner erhalten.\n\nDaten wiederherstellen?")));
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("Die Daten wurden wiederhergestellt. Die bisherigen Daten liegen im Ordner %1.").arg(previous));
    EXPECT_TRUE(tableFileExists(QStringLiteral("wald")));
    EXPECT_FALSE(tableFileExists(QStringLiteral("hang")));
    EXPECT_TRUE(QFileInfo::exists(previous + QStringLiteral("/hang.db")));

    // The restored folder is held by this program, as the old one was; the old keeps no lock.
    EXPECT_TRUE(QFileInfo::exists(folder.dataPath() + app::DataFolderLock::FileName));
    EXPECT_FALSE(QFileInfo::exists(previous + u'/' + app::DataFolderLock::FileName));
    controls::ScriptedDialogService secondDialogs;
    EXPECT_TRUE(app::DorvProgram(secondDialogs, folder.path()).alreadyRunning());

    // The program goes on with the restored data: the list opens with its log, the company is
    // read, a new list is made in the restored folder.
    EXPECT_TRUE(dmod().qryFirma.isOpen());
    openList(QStringLiteral("Wald"));
    EXPECT_EQ(main().statusPanelText(0), QStringLiteral("Anzahl Stämme: 1"));
    main().mnuDateiSchliessenClick();
    createList(QStringLiteral("Neu"));
    EXPECT_TRUE(tableFileExists(QStringLiteral("neu")));
    EXPECT_FALSE(QFileInfo::exists(previous + QStringLiteral("/neu.db")));
}

TEST_F(BackupMenuTest, RestoringIsOfferedOnlyWithoutAListAndAskedBeforeAnythingChanges)
{
    backUp(zip);
    createList(QStringLiteral("Wald"));
    EXPECT_FALSE(enabled("mnuDateiWiederherstellen"));
    EXPECT_TRUE(enabled("mnuDateiSicherung"));
    main().mnuDateiSchliessenClick();
    EXPECT_TRUE(enabled("mnuDateiWiederherstellen"));
    dialogs.clear();

    restore(zip, false);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Confirmation);
    EXPECT_EQ(folderNames(), (QStringList{QStringLiteral("Daten"), QStringLiteral("Report")}));
    EXPECT_TRUE(tableFileExists(QStringLiteral("wald")));

    // Cancelling the file dialogs does nothing at all.
    dialogs.clear();
    main().mnuDateiSicherungClick();
    main().mnuDateiWiederherstellenClick();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{QStringLiteral("sicherung.zip")});
}

TEST_F(BackupMenuTest, AFileThatIsNoBackupIsRefusedWithAMessageAndTheProgramGoesOn)
{
    createList(QStringLiteral("Wald"));
    main().mnuDateiSchliessenClick();
    const QString letter = backups.filePath(QStringLiteral("brief.zip"));
    QFile out(letter);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("kein Archiv");
    out.close();
    dialogs.clear();

    restore(letter, true);
    EXPECT_EQ(dialogs.textsOf(Kind::Error),
              QStringList{QStringLiteral("Die Datei %1 ist beschädigt oder keine Datensicherung von Dorv.").arg(letter)});
    EXPECT_TRUE(dialogs.textsOf(Kind::Confirmation).isEmpty()) << "nothing is asked about a file that cannot be restored";
    EXPECT_EQ(folderNames(), (QStringList{QStringLiteral("Daten"), QStringLiteral("Report")}));
    openList(QStringLiteral("Wald"));
    EXPECT_EQ(main().statusPanelText(2), QStringLiteral("Listenname: Wald"));
}

TEST_F(BackupMenuTest, AnOpenCustomerWindowLetsGoOfItsDataBeforeTheRestore)
{
    backUp(zip);
    program.windows().FormKunden->show();
    ASSERT_TRUE(dmod().qryKunden.isOpen());
    dialogs.clear();

    restore(zip, true);
    EXPECT_FALSE(program.windows().FormKunden->isVisible());
    EXPECT_TRUE(dialogs.textsOf(Kind::Error).isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    program.windows().FormKunden->show();
    EXPECT_TRUE(dmod().qryKunden.isOpen());
    EXPECT_GE(dmod().qryKunden.recordCount(), 1);
}

} // namespace
