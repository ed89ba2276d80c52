#include "ImportFixture.h"

#include <QDir>
#include <QPushButton>

namespace {

using Kind = controls::ScriptedDialogService::Kind;

TEST_F(ImportWindowTest, WindowShowsEmptyWithImportDisabled)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Datenimport für Listen bis Dorv V2.0"));
    EXPECT_EQ(form.btnDateiOeffnen()->text(), QStringLiteral("..."));
    EXPECT_EQ(form.btnImport()->text(), QStringLiteral("&Import"));
    EXPECT_EQ(form.btnAbbruch()->text(), QStringLiteral("&Abbruch"));
    EXPECT_TRUE(form.edtAlteDatei()->isReadOnly());
    EXPECT_EQ(form.edtAlteDatei()->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(form.edtAlteDatei()->text().isEmpty());
    EXPECT_TRUE(form.edtNeueDatei()->text().isEmpty());
    EXPECT_FALSE(form.btnImport()->isEnabled());
    EXPECT_EQ(form.focusWidget(), form.btnDateiOeffnen());
}

TEST_F(ImportWindowTest, FileDialogFillsBothEditsAndEnablesImport)
{
    const QString path = write(QStringLiteral("Wald.dvz"), {});
    dialogs.files.push_back(path);
    form.btnDateiOeffnenClick();

    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Bitte wählen Sie eine frühere Dorvliste aus"));
    EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("Dorvlisten aus Versionen bis Dorv V2.0|*.dvz|alle Dateien|*.*"));
    // The folder of version 2.0 does not exist here: the dialog starts in the home folder.
    EXPECT_EQ(dialogs.fileDialogs[0].folder, QDir::homePath());
    EXPECT_EQ(form.edtAlteDatei()->text(), QDir::toNativeSeparators(path));
    EXPECT_EQ(form.edtNeueDatei()->text(), QStringLiteral("Wald"));
    EXPECT_TRUE(form.btnImport()->isEnabled());

    form.edtNeueDatei()->clear();
    EXPECT_FALSE(form.btnImport()->isEnabled());
    form.edtNeueDatei()->setText(QStringLiteral("W"));
    EXPECT_TRUE(form.btnImport()->isEnabled());

    // A cancelled dialog changes nothing.
    form.btnDateiOeffnenClick();
    EXPECT_EQ(form.edtNeueDatei()->text(), QStringLiteral("W"));
    EXPECT_TRUE(form.btnImport()->isEnabled());

    // Each showing starts empty.
    form.btnAbbruchClick();
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_TRUE(form.edtAlteDatei()->text().isEmpty());
    EXPECT_TRUE(form.edtNeueDatei()->text().isEmpty());
    EXPECT_FALSE(form.btnImport()->isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ImportWindowTest, FileWithoutExtensionSuggestsItsWholeName)
{
    dialogs.files.push_back(write(QStringLiteral("Wald"), {}));
    form.btnDateiOeffnenClick();
    EXPECT_EQ(form.edtNeueDatei()->text(), QStringLiteral("Wald"));
}

TEST_F(ImportWindowInProgramTest, EmptyFileGivesAListWithoutLogsAndTheHeaderTable)
{
    ASSERT_FALSE(tableFileExists(QStringLiteral("DORVZUSATZ")));
    TFormDorv &main = around.program.FormDorv();
    const QString status = main.statusPanelText(0) + main.statusPanelText(1) + main.statusPanelText(2);

    importFile(write(QStringLiteral("Wald.dvz"), {}));

    EXPECT_EQ(dialogs.texts(), QStringList{success()});
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Information);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(tableFileExists(QStringLiteral("DORVZUSATZ")));
    EXPECT_EQ(logs(QStringLiteral("Wald")).rows.size(), 0u);
    ASSERT_EQ(headers().rows.size(), 1u);
    EXPECT_EQ(headers().rows[0][0].toString(), QStringLiteral("Wald"));
    // The new list is not opened.
    EXPECT_TRUE(main.currentListName().isEmpty());
    EXPECT_EQ(main.statusPanelText(0) + main.statusPanelText(1) + main.statusPanelText(2), status);
}

TEST_F(ImportWindowTest, NameOfAnExistingListInAnyCaseIsRefused)
{
    const QString path = write(QStringLiteral("Wald.dvz"), legacyfiles::record(1, 5, 30, "B", "1.5", "3a"));
    importFile(path);
    ASSERT_EQ(dialogs.texts(), QStringList{success()});
    dialogs.clear();

    importFile(path, QStringLiteral("wald"));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Diese Liste ist schon vorhanden!")});
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Information);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(headers().rows.size(), 1u);
    EXPECT_EQ(logs(QStringLiteral("Wald")).rows.size(), 1u);
}

TEST_F(ImportWindowTest, NamesBreakingTheListNameRulesAreRefused)
{
    const QString path = write(QStringLiteral("Wald.dvz"), legacyfiles::record(1, 5, 30, "B", "1.5", "3a"));
    const struct
    {
        QString name;
        Kind kind;
        QString text;
    } cases[] = {
        {QStringLiteral("123"), Kind::Information,
         QStringLiteral("Der Listenname darf nicht nur aus Zahlen bestehen!\n\rBitte stellen Sie ggf. einen Buchstaben voran.")},
        {QStringLiteral("Wald; DROP TABLE Kunden"), Kind::Information,
         QStringLiteral("Der Listenname darf nur Buchstaben, Ziffern und _ enthalten und muss mit einem Buchstaben beginnen!")},
        {QStringLiteral("Fichte_2024_Abt_12a"), Kind::Information,
         QStringLiteral("Der Listenname darf höchstens 18 Zeichen lang sein!")},
        // A delivered table without a header row.
        {QStringLiteral("Kunden"), Kind::Information,
         QStringLiteral("Die Liste \"Kunden\" ist bereits vorhanden!\r\nBitte wählen Sie einen anderen Namen.")},
    };
    for (const auto &c : cases) {
        dialogs.clear();
        importFile(path, c.name);
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.name.toStdString();
        EXPECT_EQ(dialogs.messages[0].kind, c.kind) << c.name.toStdString();
        EXPECT_EQ(dialogs.messages[0].text, c.text);
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_FALSE(tableFileExists(QStringLiteral("DORVZUSATZ")));
    EXPECT_EQ(db.query(QStringLiteral("SELECT COUNT(*) FROM Kunden")).rows.size(), 1u);
}

TEST_F(ImportWindowTest, FileThatDoesNotExistDoesNothing)
{
    importFile(oldFiles.filePath(QStringLiteral("Getippt.dvz")));
    EXPECT_EQ(form.edtNeueDatei()->text(), QStringLiteral("Getippt"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(tableFileExists(QStringLiteral("Getippt")));
    EXPECT_FALSE(tableFileExists(QStringLiteral("DORVZUSATZ")));
}

} // namespace
