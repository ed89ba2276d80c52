#include "controls/ScriptedDialogService.h"
#include "controls/SearchGrid.h"
#include "data/DataModule.h"
#include "invoicing/FormMatchcode.h"
#include "invoicing/MatchcodeAuswahl.h"
#include "support/WindowBed.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

const QString customerSearch =
    QStringLiteral("Select SUCHNAME, NAME, VORNAME, NRKD FROM Kunden WHERE Upper(SUCHNAME) LIKE :MATCHCODE ORDER BY SUCHNAME");

class MatchcodeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dmod().dbDorv.execute(QStringLiteral("DELETE FROM Kunden"));
        int id = 0;
        for (auto [nr, name] : {std::pair{"1", "MEIER"}, std::pair{"2", "Meister"}, std::pair{"3", "HAMMER"},
                                std::pair{"4", "Müller"}, std::pair{"5", "MÜNCH"}}) {
            dmod().dbDorv.execute(QStringLiteral("INSERT INTO Kunden (ID, NRKD, SUCHNAME) VALUES (:I, :N, :S)"),
                                  {{QStringLiteral("I"), id++},
                                   {QStringLiteral("N"), QString::fromLatin1(nr)},
                                   {QStringLiteral("S"), QString::fromUtf8(name)}});
        }
    }

    // Runs the search window modally; `whileOpen` acts in it and must close it.
    QString pick(const std::function<void()> &whileOpen)
    {
        bool closedByTest = true;
        QTimer::singleShot(0, [&] {
            rowsShown = form.dbGrdMatchcode->model()->rowCount();
            whileOpen();
            if (form.isVisible()) {
                closedByTest = false;
                form.done(QDialog::Rejected);
            }
        });
        QString result = QStringLiteral("untouched");
        MatchcodeAuswahl(form, dmod().qryMatchcode, customerSearch, QStringLiteral("NRKD"), result);
        EXPECT_TRUE(closedByTest) << "the window stayed open";
        EXPECT_FALSE(dmod().qryMatchcode.isOpen()) << "the query is closed after reading the result";
        return result;
    }
    QStringList listed()
    {
        QStringList names;
        for (int r = 0; r < form.dbGrdMatchcode->model()->rowCount(); ++r)
            names << form.dbGrdMatchcode->model()->index(r, 0).data().toString();
        return names;
    }
    void chooseRow(int row) { form.dbGrdMatchcode->setCurrentIndex(form.dbGrdMatchcode->model()->index(row, 0)); }

    TDMod &dmod() { return bed.dmod; }

    controls::ScriptedDialogService dialogs;
    WindowBed bed{dialogs};
    TFormMatchcode form{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
    int rowsShown = -1;
};

TEST(UpperAsciiLettersTest, ChangesOnlyTheLettersAToZ)
{
    EXPECT_EQ(invoicing::upperAsciiLetters(QStringLiteral("azAZ09-müßé")), QStringLiteral("AZAZ09-MüßÉ").replace(u'É', u'é'));
}

TEST_F(MatchcodeTest, TheWindowOpensWithEveryRecordAndTheListFollowsEachKeystroke)
{
    QStringList afterM, afterMei, afterMu;
    const QString result = pick([&] {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Matchode"));
        EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(form.edtMatchcode->text().isEmpty());
        EXPECT_EQ(form.dbGrdMatchcode->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("NRKD"));
        QTest::keyClicks(form.edtMatchcode, QStringLiteral("m"));
        afterM = listed();
        QTest::keyClicks(form.edtMatchcode, QStringLiteral("ei"));
        afterMei = listed();
        form.edtMatchcode->clear();
        QTest::keyClick(form.edtMatchcode, Qt::Key_M);
        QTest::sendKeyEvent(QTest::KeyAction::Click, form.edtMatchcode, Qt::Key_unknown, QStringLiteral("ü"), Qt::NoModifier);
        afterMu = listed();
        chooseRow(0);
        form.btnUebernehmen->click();
    });
    EXPECT_EQ(rowsShown, 5) << "an empty search lists all";
    EXPECT_EQ(afterM, QStringList({"MEIER", "Meister", "MÜNCH", "Müller"})) << "from the start only, not HAMMER";
    EXPECT_EQ(afterMei, QStringList({"MEIER", "Meister"}));
    EXPECT_EQ(afterMu, QStringList{QStringLiteral("Müller")}) << "the umlaut is not upper-cased";
    EXPECT_EQ(result, QStringLiteral("4"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MatchcodeTest, EveryWayOfAcceptingReturnsTheCurrentRecord)
{
    const std::vector<std::pair<const char *, std::function<void()>>> ways{
        {"OK", [&] { form.btnUebernehmen->click(); }},
        {"Enter in the edit", [&] { QTest::keyClick(form.edtMatchcode, Qt::Key_Return); }},
        {"Enter in the grid", [&] { QTest::keyClick(form.dbGrdMatchcode, Qt::Key_Return); }},
        {"Space in the grid", [&] { QTest::keyClick(form.dbGrdMatchcode, Qt::Key_Space); }},
        {"double click", [&] {
             auto *grid = form.dbGrdMatchcode;
             const QPoint cell = grid->visualRect(grid->currentIndex()).center();
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell); // the first click of the two
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
         }},
        {"close box", [&] { form.close(); }},
    };
    for (const auto &[name, accept] : ways) {
        const QString result = pick([&] {
            chooseRow(2); // HAMMER, MEIER, Meister, ...
            accept();
        });
        EXPECT_EQ(result, QStringLiteral("2")) << name;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MatchcodeTest, CancellingReturnsNothingUnlessANameBeginsWithTheCancelText)
{
    const std::vector<std::pair<const char *, std::function<void()>>> ways{
        {"Abbruch", [&] { form.btnAbbruch->click(); }},
        {"Escape in the edit", [&] { QTest::keyClick(form.edtMatchcode, Qt::Key_Escape); }},
        {"Escape in the grid", [&] { QTest::keyClick(form.dbGrdMatchcode, Qt::Key_Escape); }},
    };
    for (const auto &[name, cancel] : ways) {
        EXPECT_EQ(pick([&] {
                      chooseRow(1);
                      cancel();
                      EXPECT_EQ(form.edtMatchcode->text(), TFormMatchcode::AbbruchText) << name;
                  }),
                  QString())
            << name;
    }

    dmod().dbDorv.execute(QStringLiteral("INSERT INTO Kunden (ID, NRKD, SUCHNAME) VALUES (9, '9', 'abcdefghijklmnopqrstuvwxyz und Co')"));
    EXPECT_EQ(pick([&] { form.btnAbbruch->click(); }), QStringLiteral("9"));
}

TEST_F(MatchcodeTest, AcceptingAnEmptyListReturnsNothing)
{
    EXPECT_EQ(pick([&] {
                  QTest::keyClicks(form.edtMatchcode, QStringLiteral("xyz"));
                  EXPECT_EQ(form.dbGrdMatchcode->model()->rowCount(), 0);
                  form.btnUebernehmen->click();
              }),
              QString());
}

} // namespace
