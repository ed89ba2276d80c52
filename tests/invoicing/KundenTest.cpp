#include "controls/DbEdit.h"
#include "controls/RecordNavigator.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "invoicing/FormKunden.h"
#include "support/WindowBed.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

using Kind = controls::ScriptedDialogService::Kind;

namespace {

const QString saveQuestion = QStringLiteral("Änderungen an der Adresse speichern?");

class KundenTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    QStringList stored(const char *column)
    {
        QStringList out;
        for (const auto &row : dmod().dbDorv.query(QStringLiteral("SELECT %1 FROM Kunden").arg(QString::fromLatin1(column))).rows)
            out << row[0].toString();
        return out;
    }
    void type(controls::DbEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    TDMod &dmod() { return bed.dmod; }

    controls::ScriptedDialogService dialogs;
    WindowBed bed{dialogs};
    TFormKunden form{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
};

TEST_F(KundenTest, ShowingOpensTheCustomersAndClosingClosesThem)
{
    EXPECT_FALSE(form.isModal());
    form.show();
    EXPECT_TRUE(dmod().qryKunden.isOpen());
    EXPECT_EQ(form.dbedtKdNr->text(), QStringLiteral("99999"));
    EXPECT_EQ(form.dbedtFirma->text(), QStringLiteral("Barverkauf"));
    EXPECT_EQ(form.dbedtSkonto->text(), QStringLiteral("0"));
    form.close();
    EXPECT_FALSE(dmod().qryKunden.isOpen());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(KundenTest, NewCustomersAreNumberedFromZeroAndMayShareACustomerNumber)
{
    dmod().dbDorv.execute(QStringLiteral("DELETE FROM Kunden"));
    form.show();
    form.dbnKunden->click(controls::RecordNavigator::Insert);
    type(form.dbedtKdNr, QStringLiteral("4711"));
    type(form.dbedtSuchname, QStringLiteral("ERSTER"));
    form.dbnKunden->click(controls::RecordNavigator::Post);
    form.dbnKunden->click(controls::RecordNavigator::Insert);
    type(form.dbedtKdNr, QStringLiteral("4711"));
    type(form.dbedtSuchname, QStringLiteral("ZWEITER"));
    type(form.dbedtSkonto, QStringLiteral("2,5"));
    form.Button1Click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(dialogs.messages.empty()) << "schliessen posts without asking";

    const auto rows = dmod().dbDorv.query(QStringLiteral("SELECT ID, SUCHNAME, SKONTO FROM Kunden ORDER BY ID")).rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].toInt(), 0);
    EXPECT_EQ(rows[1][0].toInt(), 1);
    EXPECT_DOUBLE_EQ(rows[1][2].toDouble(), 2.5);

    dmod().qryKunden.open();
    ASSERT_TRUE(dmod().qryKunden.locate(QStringLiteral("NRKD"), QStringLiteral("4711")));
    EXPECT_EQ(dmod().qryKunden.text(QStringLiteral("SUCHNAME")), QStringLiteral("ERSTER")) << "a lookup finds the first";
}

TEST_F(KundenTest, ClosingWithAChangedCustomerAsksAndStoresOnlyOnYes)
{
    form.show();
    type(form.dbedtOrt, QStringLiteral("Waldheim"));
    dialogs.answers = {false};
    form.close();
    EXPECT_EQ(dialogs.textsOf(Kind::Confirmation), QStringList{saveQuestion});
    EXPECT_EQ(stored("ORT"), QStringList{QString()});

    form.show();
    type(form.dbedtOrt, QStringLiteral("Waldheim"));
    dialogs.answers = {true};
    form.close();
    EXPECT_EQ(dialogs.textsOf(Kind::Confirmation).size(), 2);
    EXPECT_EQ(stored("ORT"), QStringList{QStringLiteral("Waldheim")});
}

TEST_F(KundenTest, ClosingDropsAnUnpostedNewCustomerWithoutAsking)
{
    form.show();
    form.dbnKunden->click(controls::RecordNavigator::Insert);
    type(form.dbedtSuchname, QStringLiteral("NEU"));
    form.close();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(stored("SUCHNAME"), QStringList{QStringLiteral("BARVERKAUF")});
}

TEST_F(KundenTest, SchliessenPostsAChangedCustomerWithoutAsking)
{
    form.show();
    type(form.dbedtZahlungsziel, QStringLiteral("30"));
    form.Button1Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(stored("NETTOTAGE"), QStringList{QStringLiteral("30")});
}

TEST_F(KundenTest, ATypedNumberThatDoesNotConvertKeepsTheWindowAndTheStoredCustomer)
{
    form.show();
    type(form.dbedtSkontotage, QStringLiteral("zehn"));
    form.Button1Click();
    ASSERT_EQ(dialogs.textsOf(Kind::Error).size(), 1);
    EXPECT_EQ(dialogs.messages.front().text, QStringLiteral("'zehn' is not a valid integer value for field 'SKONTOTAGE'"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(stored("SKONTOTAGE"), QStringList{QStringLiteral("0")});
}

TEST_F(KundenTest, DeletingAsksFirst)
{
    form.show();
    dialogs.answers = {false, true};
    form.dbnKunden->click(controls::RecordNavigator::Delete);
    EXPECT_EQ(stored("NRKD").size(), 1);
    form.dbnKunden->click(controls::RecordNavigator::Delete);
    EXPECT_TRUE(stored("NRKD").isEmpty());
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Delete record?"), QStringLiteral("Delete record?")}));
}

TEST_F(KundenTest, TabOrderRunsThroughTheAddressAsOnTheForm)
{
    QStringList order;
    QWidget *w = form.dbedtSuchname;
    for (int i = 0; i < 10; ++i) {
        order << w->objectName();
        do
            w = w->nextInFocusChain();
        while (!qobject_cast<controls::DbEdit *>(w));
    }
    EXPECT_EQ(order, QStringList({"dbedtSuchname", "dbedtFirma", "dbedtVorname", "dbedtName", "dbedtPlz", "dbedtOrt",
                                  "dbedtStrasse", "dbedtZahlungsziel", "dbedtSkontotage", "dbedtSkonto"}));
}

} // namespace
