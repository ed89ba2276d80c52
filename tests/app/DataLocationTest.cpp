// Where the program keeps its data: beside a program folder that has them, else, installed, in
// the user's own folder, filled once from the installed copy and never overwritten.
#include "app/DataLocation.h"
#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "app/FormUeberDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "data/DeliveredTables.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A machine with the program installed under root/usr and a user whose home is root/home.
class DataLocationTest : public ::testing::Test
{
protected:
    DataLocationTest()
    {
        folders = {root.path() + QStringLiteral("/usr/bin"), root.path() + QStringLiteral("/usr/share/dorv"),
                   root.path() + QStringLiteral("/home/.local/share/Dorv")};
        QDir().mkpath(folders.program);
        QDir().mkpath(installedData());
        QDir().mkpath(folders.installed + QStringLiteral("/Report"));
        data::createDeliveredTables(installedData() + u'/', QStringLiteral(DORV_DATA_SQL_DIR));
        QFile::remove(installedData() + QStringLiteral("/.dorv-connection"));
        for (const QString &file : QDir(QStringLiteral(DORV_REPORT_DIR)).entryList({QStringLiteral("*.rtm")}, QDir::Files))
            QFile::copy(QStringLiteral(DORV_REPORT_DIR "/") + file, folders.installed + QStringLiteral("/Report/") + file);
    }

    QString installedData() const { return folders.installed + QStringLiteral("/Daten"); }
    QString userData() const { return folders.user + QStringLiteral("/Daten"); }

    QTemporaryDir root;
    app::DataLocation::Folders folders;
};

TEST_F(DataLocationTest, AnInstalledProgramFillsTheUsersDataFolderOnceAndNeverOverwritesIt)
{
    const QStringList delivered = QDir(installedData()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(delivered.size(), 5) << delivered.join(u' ').toStdString();

    EXPECT_EQ(app::DataLocation(folders).dataPath(), userData() + u'/');
    EXPECT_EQ(QDir(userData()).entryList(QDir::Files | QDir::Hidden), delivered);
    for (const QString &file : delivered) {
        EXPECT_EQ(bytesOf(userData() + u'/' + file), bytesOf(installedData() + u'/' + file)) << file.toStdString();
        EXPECT_TRUE(QFileInfo(userData() + u'/' + file).isWritable());
    }
    EXPECT_EQ(QDir(folders.user).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{QStringLiteral("Daten")})
        << "nothing of the filling is left beside it";

    // The user's own changes stay, also a table the user no longer has.
    QFile::remove(userData() + QStringLiteral("/kunden.db"));
    QFile mine(userData() + QStringLiteral("/wald.db"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.close();
    EXPECT_EQ(app::DataLocation(folders).dataPath(), userData() + u'/');
    EXPECT_FALSE(QFileInfo::exists(userData() + QStringLiteral("/kunden.db")));
    EXPECT_TRUE(QFileInfo::exists(userData() + QStringLiteral("/wald.db")));
}

TEST_F(DataLocationTest, DatenBesideTheProgramIsTheDataFolderAndTheUsersIsNotTouched)
{
    QDir().mkpath(folders.program + QStringLiteral("/Daten"));
    EXPECT_EQ(app::DataLocation(folders).dataPath(), folders.program + QStringLiteral("/Daten/"));
    EXPECT_FALSE(QFileInfo::exists(folders.user));
}

TEST_F(DataLocationTest, AFirstStartCutShortIsStartedAfresh)
{
    // A copy killed half-way: one table file, cut off.
    QDir().mkpath(userData() + QStringLiteral(".neu"));
    QFile half(userData() + QStringLiteral(".neu/firma.db"));
    ASSERT_TRUE(half.open(QIODevice::WriteOnly));
    half.write(bytesOf(installedData() + QStringLiteral("/firma.db")).left(100));
    half.close();

    app::DataLocation(folders).dataPath();
    EXPECT_EQ(bytesOf(userData() + QStringLiteral("/firma.db")), bytesOf(installedData() + QStringLiteral("/firma.db")));
    EXPECT_EQ(QDir(userData()).entryList(QDir::Files | QDir::Hidden).size(), 5);
    EXPECT_FALSE(QFileInfo::exists(userData() + QStringLiteral(".neu")));
}

TEST_F(DataLocationTest, WithoutAnInstalledCopyNoEmptyDataFolderIsMade)
{
    QDir(installedData()).removeRecursively();
    EXPECT_EQ(app::DataLocation(folders).dataPath(), userData() + u'/');
    EXPECT_FALSE(QFileInfo::exists(userData()));
}

TEST_F(DataLocationTest, TemplatesComeFromBesideTheProgramElseFromTheInstalledCopy)
{
    EXPECT_EQ(app::DataLocation(folders).reportPath(), folders.installed + QStringLiteral("/Report/"));
    QDir().mkpath(folders.program + QStringLiteral("/Report"));
    EXPECT_EQ(app::DataLocation(folders).reportPath(), folders.program + QStringLiteral("/Report/"));

    // Neither there: the message about a missing template names the folder beside the program.
    QDir(folders.program + QStringLiteral("/Report")).removeRecursively();
    QDir(folders.installed + QStringLiteral("/Report")).removeRecursively();
    EXPECT_EQ(app::DataLocation(folders).reportPath(), folders.program + QStringLiteral("/Report/"));
}

TEST_F(DataLocationTest, TheInstalledProgramWorksOnTheUsersDataAndShowsWhereTheyAre)
{
    controls::ScriptedDialogService dialogs;
    app::DorvProgram program(dialogs, folders);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(program.FormDorv().dataPath(), userData() + u'/');
    EXPECT_EQ(program.DMod().dbDorv.dataPath(), userData() + u'/');
    EXPECT_TRUE(program.DMod().qryFirma.isOpen());
    EXPECT_EQ(program.FormDorv().reportPath(), folders.installed + QStringLiteral("/Report/"));
    auto *shown = program.windows().FormUeberDorv->findChild<QLineEdit *>(QStringLiteral("edtDatenordner"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), userData() + u'/');
    EXPECT_TRUE(shown->isReadOnly());
}

} // namespace
