// Datei → "Datensicherung..." and "Daten wiederherstellen..." in the running program: after a
// restore the program works on the restored data.
#include "ProgramFixture.h"

#include "app/DataFolderLock.h"
#include "backup/Backup.h"
#include "invoicing/FormKunden.h"
#include "invoicing/FormRechnungsausgangsbuch.h"
#include "support/FileBytes.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

using Kind = controls::ScriptedDialogService::Kind;

// Runs SQL on a table file as any program could, past the program's own statements.
void rawSql(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    char *error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &file : QDir(from).entryList({QStringLiteral("*.db")}, QDir::Files))
        QFile::copy(from + u'/' + file, to + u'/' + file);
}

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

TEST_F(BackupMenuTest, ARestoreTakesInOnlyWhatDorvWrites)
{
    createList(QStringLiteral("Wald"));
    main().mnuDateiSchliessenClick();
    struct Case
    {
        const char *what;
        std::function<void(const QString &folder)> change;
        QString why;
    };
    const std::vector<Case> cases{
        {"trigger", [](const QString &f) {
             rawSql(f + "/firma.db", "CREATE TRIGGER fremd AFTER UPDATE ON Firma BEGIN UPDATE Firma SET Name1 = 'x'; END");
         }, QStringLiteral("Die Tabellendatei firma.db enthält, was Dorv nicht anlegt: Trigger „fremd“.")},
        {"view", [](const QString &f) { rawSql(f + "/kunden.db", "CREATE VIEW sicht AS SELECT * FROM Kunden"); },
         QStringLiteral("Die Tabellendatei kunden.db enthält, was Dorv nicht anlegt: Sicht „sicht“.")},
        {"table of its own", [](const QString &f) { rawSql(f + "/kunden.db", "CREATE TABLE Spion (x)"); },
         QStringLiteral("Die Tabelle Spion in kunden.db gehört nicht dazu.")},
        {"column of its own", [](const QString &f) { rawSql(f + "/firma.db", "ALTER TABLE Firma ADD COLUMN Fremd CHAR(10)"); },
         QStringLiteral("Die Tabelle Firma hat die Spalte Fremd, die Dorv nicht anlegt.")},
        {"list named by no rule", [](const QString &f) { QFile::copy(f + "/wald.db", f + "/order.db");
             rawSql(f + "/order.db", "ALTER TABLE Wald RENAME TO \"Order\""); },
         QStringLiteral("Die Liste Order hat einen Namen, den Dorv nicht vergibt: ")},
        {"list without its columns", [](const QString &f) { rawSql(f + "/weide.db", "CREATE TABLE Weide (ID INT, LAENGE FLOAT)"); },
         QStringLiteral("Der Tabelle Weide fehlt die Spalte DURCHMEIN.")},
        {"only the prices", [](const QString &f) {
             for (const QString &file : QDir(f).entryList({QStringLiteral("*.db")}, QDir::Files))
                 if (file != QStringLiteral("preise.db"))
                     QFile::remove(f + u'/' + file);
         }, QStringLiteral("Die Tabelle Firma fehlt.")},
    };
    for (const Case &c : cases) {
        QTemporaryDir hostile;
        copyFolder(folder.dataPath(), hostile.path());
        c.change(hostile.path());
        const QString file = backups.filePath(QStringLiteral("fremd.zip"));
        backup::writeBackup(hostile.path(), file, QStringLiteral("3.0"));
        dialogs.clear();
        restore(file, true);
        ASSERT_EQ(dialogs.textsOf(Kind::Error).size(), 1) << c.what;
        EXPECT_TRUE(dialogs.textsOf(Kind::Error)[0].startsWith(
            QStringLiteral("Die Datensicherung %1 kann nicht wiederhergestellt werden: %2").arg(file, c.why)))
            << c.what << ": " << dialogs.textsOf(Kind::Error)[0].toStdString();
        EXPECT_TRUE(dialogs.textsOf(Kind::Error)[0].endsWith(QStringLiteral(" Es wurde nichts verändert.")));
        EXPECT_EQ(folderNames(), (QStringList{QStringLiteral("Daten"), QStringLiteral("Report")})) << c.what;
    }
    // What Dorv writes itself is taken in.
    backUp(zip);
    dialogs.clear();
    restore(zip, true);
    EXPECT_TRUE(dialogs.textsOf(Kind::Error).isEmpty()) << dialogs.texts().join(u'\n').toStdString();
}

TEST_F(BackupMenuTest, TheRegisterWindowShowsTheRestoredRegister)
{
    backUp(zip);
    TFormRechnungsausgangsbuch &window = *program.windows().FormRechnungsausgangsbuch;
    main().mnuStammdatenRechnungsausgangsbuchClick();
    ASSERT_TRUE(window.isVisible());
    dialogs.clear();
    restore(zip, true);
    EXPECT_FALSE(window.isVisible()) << "a window over the old register stays open";
}

TEST_F(BackupMenuTest, ABackupIsNotSavedIntoTheDataFolder)
{
    const QString target = folder.dataPath() + QStringLiteral("kunden.db");
    const QByteArray before = readFile(target);
    dialogs.clear();
    backUp(target);
    EXPECT_EQ(dialogs.textsOf(Kind::Error),
              QStringList{QStringLiteral("Die Datensicherung kann nicht im Datenordner %1 gespeichert werden. Bitte wählen Sie einen "
                                         "anderen Ordner.")
                              .arg(folder.dataPath())});
    EXPECT_EQ(readFile(target), before);
}

} // namespace
