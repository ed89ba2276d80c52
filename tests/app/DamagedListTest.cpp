// Damaged files in the data folder: a list whose table file is garbage or cut short can still
// be deleted, the engine's own connection file is made anew, a failed creation leaves nothing,
// and errors about a file name it.
#include "ProgramFixture.h"

#include "engine/Transaction.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>

namespace {

using Kind = controls::ScriptedDialogService::Kind;

class DamagedListTest : public ProgramTest
{
protected:
    // A closed list "Wald" whose table file spans many pages.
    void createLongList()
    {
        createList(QStringLiteral("Wald"));
        engine::Transaction tx(dmod().dbDorv);
        for (int id = 1; id <= 3000; ++id)
            dmod().dbDorv.execute(QStringLiteral("INSERT INTO Wald (ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, "
                                                 "STAERKEKLASSE) VALUES (:ID, 12, 31, 29, 'B', 0.8, '3a')"),
                                  {{QStringLiteral("ID"), id}});
        tx.commit();
        main().mnuDateiSchliessenClick();
        dmod().qryDorvTabelle.close();
    }

    void deleteList(const QString &name)
    {
        formLaden().FormActivate();
        ASSERT_TRUE(formLaden().selectList(name));
        dialogs.answers = {true};
        formLaden().btnLoeschenClick();
    }

    int headerRows(const QString &name)
    {
        return int(dmod()
                       .dbDorv
                       .query(QStringLiteral("SELECT COUNT(*) FROM DORVZUSATZ WHERE OFFSET = :OFFSET"),
                              {{QStringLiteral("OFFSET"), name}})
                       .rows.at(0)
                       .at(0)
                       .toInt());
    }

    QString waldFile() const { return folder.dataPath() + QStringLiteral("wald.db"); }
};

TEST_F(DamagedListTest, ListWithAGarbageOrCutTableFileCanBeDeleted)
{
    for (const char *damage : {"garbage", "cut in half"}) {
        SCOPED_TRACE(damage);
        createLongList();
        const QByteArray stored = readFile(waldFile());
        ASSERT_GT(stored.size(), 16 * 4096);
        writeFile(waldFile(), qstrcmp(damage, "garbage") == 0 ? QByteArray(stored.size(), '\x5a') : stored.left(stored.size() / 2));

        // Opening it fails with an error that names the file.
        dialogs.clear();
        formLaden().FormActivate();
        ASSERT_TRUE(formLaden().selectList(QStringLiteral("Wald")));
        formLaden().btnOeffnenClick();
        const QStringList openErrors = dialogs.textsOf(Kind::Error);
        ASSERT_EQ(openErrors.size(), 1);
        EXPECT_TRUE(openErrors.front().contains(QStringLiteral("wald.db"))) << openErrors.front().toStdString();

        dialogs.clear();
        deleteList(QStringLiteral("Wald"));
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Datei Wald löschen?")}) << dialogs.texts().join(u'|').toStdString();
        EXPECT_FALSE(QFile::exists(waldFile()));
        EXPECT_EQ(headerRows(QStringLiteral("Wald")), 0);

        // The next actions do not repeat the error.
        dialogs.clear();
        createList(QStringLiteral("Eiche"));
        main().SQLVorbereiten();
        deleteList(QStringLiteral("Eiche"));
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Datei Eiche löschen?")});
    }
}

TEST_F(DamagedListTest, AFailedNewListLeavesNoFile)
{
    createList(QStringLiteral("Wald"));
    main().mnuDateiSchliessenClick();
    dmod().qryDorvTabelle.close();
    // The header table is damaged: the header row of a new list cannot be written.
    const QString header = folder.dataPath() + QStringLiteral("dorvzusatz.db");
    writeFile(header, QByteArray(8192, '\x33'));
    dialogs.clear();
    createList(QStringLiteral("neu9"));
    const QStringList errors = dialogs.textsOf(Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains(QStringLiteral("dorvzusatz.db"))) << errors.front().toStdString();
    EXPECT_FALSE(tableFileExists(QStringLiteral("neu9")));
    EXPECT_TRUE(main().currentListName().isEmpty());

    // A name the engine keeps for itself fails at the creation: nothing of it remains either.
    writeFile(header, QByteArray());
    QFile::remove(header);
    dialogs.clear();
    createList(QStringLiteral("sqlite_neu"));
    EXPECT_EQ(dialogs.textsOf(Kind::Error).size(), 1);
    EXPECT_FALSE(tableFileExists(QStringLiteral("sqlite_neu")));
    EXPECT_TRUE(QDir(folder.dataPath()).entryList({QStringLiteral("*-journal")}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST(DamagedConnectionFileTest, IsMadeAnewAndEveryListWorks)
{
    controls::ScriptedDialogService dialogs;
    ProgramFolder folder;
    QFile connection(folder.dataPath() + QStringLiteral(".dorv-connection"));
    ASSERT_TRUE(connection.open(QIODevice::WriteOnly));
    connection.write(QByteArray(8192, '\x7f'));
    connection.close();

    app::DorvProgram program(dialogs, folder.path());
    program.windows().FormNeu->findChild<QLineEdit *>(QStringLiteral("edtTabellenname"))->setText(QStringLiteral("Wald"));
    program.windows().FormNeu->btnOkClick();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(program.FormDorv().currentListName(), QStringLiteral("Wald"));
    EXPECT_EQ(program.DMod().qryFirma.recordCount(), 1);
}

} // namespace
