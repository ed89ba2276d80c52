#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "data/LogList.h"
#include "harvester/ImportPlan.h"
#include "harvester/ProductionReader.h"
#include "import/FormHarvesterImport.h"
#include "support/HarvesterFiles.h"
#include "support/WindowBed.h"

#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace harvesterfiles;
using Kind = controls::ScriptedDialogService::Kind;
using Form = TFormHarvesterImport;

class HarvesterWindowTest : public ::testing::Test
{
protected:
    HarvesterWindowTest() : around(dialogs), form(around.form), db(around.dmod().dbDorv) {}

    QString file(const QByteArray &bytes, const QString &name = QStringLiteral("Schlag.hpr"))
    {
        return harvesterfiles::write(files.path(), name, bytes);
    }

    QString cell(int row, int column) const { return form.tblLists()->item(row, column)->text(); }
    int headerRows() { return data::loglist::hasHeaderTable(db) ? int(db.query(data::loglist::allHeadersSql()).rows.size()) : 0; }

    controls::ScriptedDialogService dialogs;
    WindowAlone<Form> around;
    Form &form;
    engine::Connection &db;
    QTemporaryDir files;
};

const QByteArray twoSpecies = production(definitions() + stem("1", log("10", 410, 310, 290) + log("11", 250, 200))
                                         + stem("2", log("10", 1210, 350, 330)) + stem("1", log("10", 30, 100)));

TEST_F(HarvesterWindowTest, FileDialogAsksForProductionFiles)
{
    form.chooseFile();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Harvesterdaten importieren"));
    EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("Harvester-Produktionsdaten|*.hpr *.HPR|Alle Dateien|*.*"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(HarvesterWindowTest, ShowsTheFiguresAndImportsTheChosenLists)
{
    ASSERT_TRUE(form.loadFile(file(twoSpecies)));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Harvesterdaten importieren"));
    EXPECT_EQ(form.lblSite()->text(), QStringLiteral("Hinterer Schlag"));
    EXPECT_EQ(form.lblMachine()->text(), QStringLiteral("Ponsse Ergo"));
    EXPECT_EQ(form.lblHarvest()->text(), QStringLiteral("15.01.2024"));
    EXPECT_TRUE(form.rbWithBark()->isChecked());
    EXPECT_EQ(form.lblRefused()->text(), QStringLiteral("Nicht übernommen: 1 zu kurz"));
    ASSERT_EQ(form.tblLists()->rowCount(), 2);
    EXPECT_EQ(cell(0, Form::ColSpecies), QStringLiteral("Fichte"));
    EXPECT_EQ(cell(0, Form::ColLogs), QStringLiteral("2"));
    // 4 m of 31 cm over bark (29 cm) and 2 m of 20 cm (19 cm).
    EXPECT_EQ(cell(0, Form::ColVolume), QStringLiteral("0,32"));
    EXPECT_EQ(cell(0, Form::ColName), QStringLiteral("Fichte_Hinterer_Sc"));
    EXPECT_EQ(cell(1, Form::ColName), QStringLiteral("Kiefer_Hinterer_Sc"));
    ASSERT_EQ(form.tblQualities()->rowCount(), 2);
    EXPECT_EQ(form.tblQualities()->item(1, 0)->text(), QStringLiteral("Abschnitt"));

    // Without bark the Fichte log lacking its "ub" diameter drops out; typed names stay.
    form.tblLists()->item(1, Form::ColName)->setText(QStringLiteral("Kiefer2024"));
    form.rbWithoutBark()->setChecked(true);
    EXPECT_EQ(cell(0, Form::ColLogs), QStringLiteral("1"));
    EXPECT_EQ(cell(0, Form::ColVolume), QStringLiteral("0,26"));
    EXPECT_EQ(cell(1, Form::ColName), QStringLiteral("Kiefer2024"));
    EXPECT_EQ(form.lblRefused()->text(), QStringLiteral("Nicht übernommen: 2 ohne Messung"));

    form.tblLists()->item(0, Form::ColChosen)->setCheckState(Qt::Unchecked);
    static_cast<QComboBox *>(form.tblQualities()->cellWidget(0, 1))->setCurrentText(QStringLiteral("C"));
    form.show();
    form.btnImportierenClick();

    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Die Harvesterdaten wurden importiert: 1 Stämme in 1 Listen.")});
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(db.tableExists(QStringLiteral("Fichte_Hinterer_Sc")));
    const engine::ResultSet logs = db.query(QStringLiteral("SELECT LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE FROM Kiefer2024"));
    ASSERT_EQ(logs.rows.size(), 1u);
    EXPECT_EQ(logs.rows[0][0].toInt(), 12);
    EXPECT_EQ(logs.rows[0][2].toInt(), 33);
    EXPECT_EQ(logs.rows[0][3].toString(), QStringLiteral("C"));
    EXPECT_TRUE(data::loglist::readHeader(db, QStringLiteral("Kiefer2024"))->peeled);
    EXPECT_TRUE(around.bed.shell.currentListName().isEmpty()) << "no list is opened";
}

TEST_F(HarvesterWindowTest, ChoosesNoMoreListsThanOneImportWrites)
{
    QByteArray machine;
    for (int s = 1; s <= 9; ++s) {
        const QByteArray key = QByteArray::number(s);
        machine += "<SpeciesGroupDefinition><SpeciesGroupKey>" + key + "</SpeciesGroupKey><SpeciesGroupName>Gran"
                   + "</SpeciesGroupName></SpeciesGroupDefinition>" + stem(key, log("10", 410, 310));
    }
    ASSERT_TRUE(form.loadFile(file(production(machine))));
    ASSERT_EQ(form.tblLists()->rowCount(), 9);
    // Groups of one name get rows and names of their own.
    EXPECT_EQ(cell(0, Form::ColName), QStringLiteral("Gran"));
    EXPECT_EQ(cell(1, Form::ColName), QStringLiteral("Gran_2"));
    for (int r = 0; r < 9; ++r)
        EXPECT_EQ(form.tblLists()->item(r, Form::ColChosen)->checkState(), r < 8 ? Qt::Checked : Qt::Unchecked) << r;
    form.btnImportierenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Die Harvesterdaten wurden importiert: 8 Stämme in 8 Listen.")});
    EXPECT_FALSE(db.tableExists(QStringLiteral("Gran_9")));
}

TEST_F(HarvesterWindowTest, RealFileImportsWithTheNumbersShown)
{
    const QString path = shared(Version32);
    if (path.isEmpty())
        GTEST_SKIP() << "../shared/harvester is missing: the real production file is not imported";
    ASSERT_TRUE(form.loadFile(path));
    EXPECT_EQ(form.lblSite()->text(), QStringLiteral("Testing 2023"));
    EXPECT_EQ(form.lblMachine()->text(), QStringLiteral("John Deere 1170G"));
    const harvester::ImportPlan plan(harvester::readProductionFile(path), harvester::Bark::With);
    ASSERT_EQ(form.tblLists()->rowCount(), int(plan.groups().size()));
    int logs = 0;
    for (int r = 0; r < form.tblLists()->rowCount(); ++r) {
        EXPECT_EQ(cell(r, Form::ColLogs).toInt(), plan.groups()[std::size_t(r)].logs);
        EXPECT_TRUE(cell(r, Form::ColName).endsWith(QStringLiteral("_Testing_2023"))) << cell(r, Form::ColName).toStdString();
        logs += plan.groups()[std::size_t(r)].logs;
    }
    form.btnImportierenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Die Harvesterdaten wurden importiert: %1 Stämme in %2 Listen.")
                                               .arg(logs)
                                               .arg(plan.groups().size())});
    for (int r = 0; r < form.tblLists()->rowCount(); ++r) {
        const engine::ResultSet sum = db.query(QStringLiteral("SELECT COUNT(*), SUM(VOLUMEN) FROM ") + cell(r, Form::ColName));
        EXPECT_EQ(sum.rows[0][0].toInt(), cell(r, Form::ColLogs).toInt());
        EXPECT_EQ(QLocale(QLocale::German).toString(sum.rows[0][1].toDouble(), 'f', 2), cell(r, Form::ColVolume));
    }
}

TEST_F(HarvesterWindowTest, BadFilesAndNamesChangeNothing)
{
    const int before = headerRows();
    QTemporaryDir folder;
    const QString withEntities = file("<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY a \"b\">]>\n<HarvestedProduction "
                                      "xmlns=\"urn:skogforsk:stanford2010\">&a;</HarvestedProduction>");
    for (const auto &[path, message] : std::vector<std::pair<QString, QString>>{
             {file("kein XML", QStringLiteral("a.hpr")),
              "Die Datei a.hpr ist keine XML-Datei (Zeile 1) und damit keine Harvester-Produktionsdatei."},
             {file("<?xml version=\"1.0\"?><Rechnung/>", QStringLiteral("b.hpr")),
              "Die Datei b.hpr ist keine Harvester-Produktionsdatei (StanForD 2010)."},
             {withEntities,
              "Die Datei Schlag.hpr enthält eine Dokumenttypdefinition mit Entitäten (Zeile 2); solche Dateien werden nicht gelesen."},
             {file(twoSpecies.left(twoSpecies.size() / 2), QStringLiteral("c.hpr")), {}},
             {file(production(definitions() + stem("1", log("10", 4100, 310)) + stem("1", log("10", 410, -1))), QStringLiteral("d.hpr")),
              "Die Datei d.hpr enthält keinen Stamm, der in eine Liste übernommen werden kann (nicht übernommen: 1 zu lang, "
              "1 ohne Messung)."},
             {folder.path(), QStringLiteral("'%1' ist keine gewöhnliche Datei und kann nicht gelesen werden.").arg(folder.path())},
         }) {
        dialogs.messages.clear();
        EXPECT_FALSE(form.loadFile(path)) << path.toStdString();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].kind, Kind::Error);
        if (!message.isEmpty())
            EXPECT_EQ(dialogs.messages[0].text, message);
        else
            EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Die Datei c.hpr endet mitten in den Daten (Zeile ")))
                << dialogs.texts().join(u'\n').toStdString();
    }

    // A name taken meanwhile, and one that is no list name, are refused before anything is written.
    ASSERT_TRUE(form.loadFile(file(twoSpecies)));
    data::loglist::createList(db, QStringLiteral("Fichte_Hinterer_Sc"));
    const int withOne = headerRows();
    dialogs.messages.clear();
    form.btnImportierenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("\"Fichte_Hinterer_Sc\": Die Liste \"Fichte_Hinterer_Sc\" ist bereits vorhanden!\r\n"
                                                           "Bitte wählen Sie einen anderen Namen.")});
    form.tblLists()->item(0, Form::ColName)->setText(QStringLiteral("1234"));
    dialogs.messages.clear();
    form.btnImportierenClick();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("\"1234\": Der Listenname darf nicht nur aus Zahlen bestehen!")));
    EXPECT_EQ(headerRows(), withOne);
    EXPECT_EQ(withOne, before + 1);
    EXPECT_FALSE(db.tableExists(QStringLiteral("Kiefer_Hinterer_Sc")));
}

} // namespace
