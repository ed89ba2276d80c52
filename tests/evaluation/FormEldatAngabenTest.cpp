#include "ListFixtures.h"

#include "controls/ScriptedDialogService.h"
#include "data/EldatFactsStore.h"
#include "evaluation/FormEldatAngaben.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using values::EldatFacts;
using values::ListHeader;

// Types the facts of a pile into the window.
void fillIn(TFormEldatAngaben &form, const QString &pile, const QString &latitude, const QString &longitude)
{
    form.findChild<QLineEdit *>(QStringLiteral("edtPolternummer"))->setText(pile);
    form.findChild<QLineEdit *>(QStringLiteral("edtBreitengrad"))->setText(latitude);
    form.findChild<QLineEdit *>(QStringLiteral("edtLaengengrad"))->setText(longitude);
}

class FormEldatAngabenTest : public ::testing::Test
{
protected:
    FormEldatAngabenTest() { form.setFacts(header, EldatFacts{}); }

    QString field(const char *name) { return form.findChild<QLineEdit *>(QString::fromLatin1(name))->text(); }
    QComboBox *box(const char *name) { return form.findChild<QComboBox *>(QString::fromLatin1(name)); }

    controls::ScriptedDialogService dialogs;
    TFormEldatAngaben form{dialogs};
    ListHeader header{.species = QStringLiteral("Mischholz"), .name = QStringLiteral("Wald")};
};

TEST_F(FormEldatAngabenTest, OkChecksTheFieldsInOrderAndKeepsTheWindowOpenUntilAllPass)
{
    const auto okGives = [&](const QString &message, const char *focus) {
        dialogs.clear();
        form.btnOkClick();
        EXPECT_EQ(dialogs.texts(), QStringList{message});
        EXPECT_EQ(form.focusWidget()->objectName(), QString::fromLatin1(focus));
        EXPECT_EQ(form.result(), QDialog::Rejected);
    };
    okGives(QStringLiteral("Bitte die Nummer des Polters eingeben."), "edtPolternummer");
    fillIn(form, QStringLiteral("  "), QStringLiteral("49,8686"), QStringLiteral("8.9161"));
    okGives(QStringLiteral("Bitte die Nummer des Polters eingeben."), "edtPolternummer");
    fillIn(form, QStringLiteral("P 4"), QStringLiteral("498686"), QStringLiteral("8.9161"));
    okGives(QStringLiteral("Der Breitengrad muss zwischen -90 und 90 liegen."), "edtBreitengrad");
    fillIn(form, QStringLiteral("P 4"), QStringLiteral("49,8686"), QStringLiteral("8,91,61"));
    okGives(QStringLiteral("„8,91,61“ ist kein gültiger Längengrad. Bitte in Dezimalgrad mit Komma oder Punkt eingeben, z. B. 8,9161."),
            "edtLaengengrad");
    fillIn(form, QStringLiteral("P 4"), QStringLiteral("49,8686"), QStringLiteral("8.9161"));
    okGives(QStringLiteral("Bitte die Holzart wählen."), "cmbHolzart");

    box("cmbHolzart")->setCurrentIndex(box("cmbHolzart")->findData(QStringLiteral("ta")));
    dialogs.clear();
    form.btnOkClick();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const EldatFacts f = form.facts();
    EXPECT_EQ(f.pileNumber, QStringLiteral("P 4"));
    EXPECT_EQ(f.latitude, 49.8686);
    EXPECT_EQ(f.longitude, 8.9161);
    EXPECT_EQ(f.species, QStringLiteral("ta"));
    EXPECT_EQ(f.speciesFor, QStringLiteral("Mischholz"));
    EXPECT_EQ(f.grade, QStringLiteral("st"));
    EXPECT_EQ(f.use, QStringLiteral("sg"));
}

TEST_F(FormEldatAngabenTest, ShowsTheFactsOfferedWithDecimalCommas)
{
    EldatFacts offered;
    offered.fellingDate = QDate(2025, 11, 3);
    offered.pileNumber = QStringLiteral("17");
    offered.latitude = 49.86861816524657;
    offered.longitude = -0.5;
    offered.species = QStringLiteral("gfi");
    offered.grade = QStringLiteral("fl");
    offered.use = QStringLiteral("f");
    offered.processId = QStringLiteral("p");
    form.setFacts(header, offered);
    EXPECT_EQ(form.findChild<QDateEdit *>(QStringLiteral("dtpHiebsdatum"))->date(), QDate(2025, 11, 3));
    EXPECT_EQ(field("edtPolternummer"), QStringLiteral("17"));
    EXPECT_EQ(field("edtBreitengrad"), QStringLiteral("49,86861816524657"));
    EXPECT_EQ(field("edtLaengengrad"), QStringLiteral("-0,5"));
    EXPECT_EQ(box("cmbHolzart")->currentText(), QStringLiteral("Gemeine Fichte (gfi)")) << "a rarer species is added to the choice";
    EXPECT_EQ(box("cmbSorte")->currentText(), QStringLiteral("Stammholz Abschnitte (fl)"));
    EXPECT_EQ(box("cmbVerwendung")->currentText(), QStringLiteral("Furnier (f)"));
    EXPECT_EQ(form.facts().processId, QStringLiteral("p")) << "kept through the window";
    EXPECT_EQ(form.facts().latitude, 49.86861816524657) << "no figure is lost on the way";
}

TEST(EldatExportWindow, TheMenuAsksInTheWindowStoresTheFactsAndWritesTheFile)
{
    ListProgram list;
    list.addLogs({{12, 34, QStringLiteral("B"), 1.09, QStringLiteral("3a")}});
    QTemporaryDir out;
    const QString path = QDir(out.path()).filePath(QStringLiteral("Wald.json"));
    list.dialogs.files.push_back(path);

    QString shownSpecies;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TFormEldatAngaben *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        shownSpecies = form->findChild<QComboBox *>(QStringLiteral("cmbHolzart"))->currentText();
        fillIn(*form, QStringLiteral("P1"), QStringLiteral("50,1"), QStringLiteral("9,2"));
        form->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
    });
    list.main().mnuListenExportierenClick();

    EXPECT_EQ(shownSpecies, QStringLiteral("Fichte (fi)"));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(list.dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).isEmpty());
    const auto stored = data::loadEldatFacts(list.dmod().dbDorv, QStringLiteral("Wald"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->pileNumber, QStringLiteral("P1"));
    EXPECT_EQ(stored->latitude, 50.1);
}

} // namespace
