// The invoice window: invoice lines, the price grid, the customer lookup and what a preview
// prepares.
#include "invoicing/RechnungWindow.h"

#include "controls/DataGrid.h"
#include "controls/DbEdit.h"
#include "invoicing/FormMatchcode.h"
#include "rules/Runden.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Model columns of the price grid: GUETEKLASSE, ABZUG and PREISSAVE are hidden.
constexpr int colStaerkeklasse = 2, colPreis = 3, colProzent = 4, colPreisB = 5, colPreisC = 6, colPreisCgw = 7, colPreisSave = 8;
constexpr int row2a = 4; // the B rows in diameter class order: 0, 1a, 1b1, 1b2, 2a, ...

class RechnungTest : public ::testing::Test, public RechnungWindow
{
protected:
    QAbstractItemModel &grid() { return *form().dxdbgrdRechnung->model(); }
    QString cell(int row, int column) { return grid().index(row, column).data().toString(); }

    // Types into a cell of the grid and presses Enter, as the user does.
    void typeIntoCell(int row, int column, const QString &text)
    {
        controls::DataGrid &view = *form().dxdbgrdRechnung;
        view.setFocus();
        view.setCurrentIndex(grid().index(row, column));
        QCoreApplication::processEvents();
        auto *editor = qobject_cast<QLineEdit *>(view.indexWidget(grid().index(row, column)));
        ASSERT_NE(editor, nullptr) << "the cell editor opens at once";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    QVariant preise(const char *gk, const char *sk, const char *column)
    {
        const auto r = dmod().dbDorv.query(QStringLiteral("SELECT %1 FROM Preise WHERE GUETEKLASSE = :G AND STAERKEKLASSE = :S")
                                               .arg(QString::fromLatin1(column)),
                                           {{QStringLiteral("G"), QString::fromLatin1(gk)}, {QStringLiteral("S"), QString::fromLatin1(sk)}});
        return r.rows.empty() ? QVariant(QStringLiteral("no row")) : r.rows[0][0];
    }

    QStringList lines()
    {
        QStringList out;
        data::Dataset &q = dmod().qryRechnung;
        for (int r = 0; r < q.recordCount(); ++r)
            out << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(q.value(r, 0).toString(), q.value(r, 1).toString(), q.displayText(r, 2), q.displayText(r, 3),
                            q.value(r, q.fieldIndex(QStringLiteral("Summe"))).toString());
        return out;
    }
};

TEST_F(RechnungTest, ShowingBuildsOneLinePerClassPairWithASumAndTheWorkingPrice)
{
    addLog("B", "2a", 0.5);
    addLog("C", "2a", 0.25);
    addLog("B", "2a", 0.75);
    addLog("B", "6", 2.0); // a diameter class without a base price
    bed.mainWindow.showNormal();
    bed.mainWindow.setGeometry(0, 0, 300, 200); // off the centre of the screen
    form().show();
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isModal());
    EXPECT_LE((form().geometry().center() - form().screen()->availableGeometry().center()).manhattanLength(), 8) << "centred on the screen, give or take the frame";
    EXPECT_EQ(lines(), QStringList({"B 2a 1,25 FM 72,00 90", "C 2a 0,25 FM 57,60 14.4"}));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();

    // Preise holds every class again, with the percentage at 100 and the base price kept.
    const auto all = dmod().dbDorv.query(QStringLiteral("SELECT COUNT(*) FROM Preise WHERE PROZENT = 100 AND PREISSAVE = PREIS"));
    EXPECT_EQ(all.rows[0][0].toInt(), 30);
    EXPECT_DOUBLE_EQ(form().arbeitspreise().AbzugC, 20.0);
    EXPECT_DOUBLE_EQ(form().arbeitspreise().AbzugCgw, 40.0);

    // A second showing starts again from the base prices and the list as it is now.
    form().close();
    addLog("Cgw", "1a", 1.0);
    form().show();
    EXPECT_EQ(lines().size(), 3);
    EXPECT_EQ(lines().last(), QStringLiteral("Cgw 1a 1,00 FM 21,00 21"));
}

TEST_F(RechnungTest, LineAmountsRoundHalfCentsUp)
{
    setBasePrice("B", "2a", 10.25);
    addLog("B", "2a", 0.5);
    form().show();
    ASSERT_EQ(dmod().qryRechnung.recordCount(), 1);
    EXPECT_DOUBLE_EQ(dmod().qryRechnung.floatValue(QStringLiteral("Summe")), 5.13);

    EXPECT_DOUBLE_EQ(rules::r2(1.005), 1.01) << "on the decimal text, not the binary value";
    EXPECT_DOUBLE_EQ(rules::r2(-2.675), -2.68) << "halves away from zero";
    EXPECT_DOUBLE_EQ(rules::r2(88.0000001), 88.0);
}

TEST_F(RechnungTest, ThePriceGridShowsTheBRowsWithPricesAfterDeduction)
{
    setBasePrice("B", "2a", 80);
    execute("UPDATE Grundpreise SET ABZUG = 10 WHERE GUETEKLASSE = 'C'");
    execute("UPDATE Grundpreise SET ABZUG = 25 WHERE GUETEKLASSE = 'Cgw'");
    form().show();
    QAbstractItemModelTester tester(&grid(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    ASSERT_EQ(grid().rowCount(), 10);
    EXPECT_EQ(cell(row2a, colStaerkeklasse), QStringLiteral("2a"));
    EXPECT_EQ(cell(row2a, colPreis), QStringLiteral("80,00"));
    EXPECT_EQ(cell(row2a, colProzent), QStringLiteral("100,00"));
    EXPECT_EQ(cell(row2a, colPreisB), QStringLiteral("80,00"));
    EXPECT_EQ(cell(row2a, colPreisC), QStringLiteral("72,00"));
    EXPECT_EQ(cell(row2a, colPreisCgw), QStringLiteral("60,00"));
    EXPECT_EQ(grid().headerData(colPreisCgw, Qt::Horizontal).toString(), QStringLiteral("Preis GK CgW"));
    EXPECT_EQ(grid().headerData(colStaerkeklasse, Qt::Horizontal).toString(), QString::fromUtf8("Stärkeklasse"));
    for (int hidden : {0, 1, colPreisSave})
        EXPECT_TRUE(form().dxdbgrdRechnung->isColumnHidden(hidden)) << hidden;

    // Only Preis and Prozent can be edited, and the focus stays in them.
    for (int c : {colStaerkeklasse, colPreisB, colPreisC, colPreisCgw})
        EXPECT_FALSE(grid().flags(grid().index(0, c)) & Qt::ItemIsEditable) << c;
    form().dxdbgrdRechnungEnter();
    EXPECT_EQ(form().focusedVisibleColumn(), TFormRechnung::PreisSpalte);
    form().dxdbgrdRechnung->setCurrentIndex(grid().index(2, colPreisCgw));
    EXPECT_EQ(form().focusedVisibleColumn(), TFormRechnung::ProzentSpalte);
    EXPECT_EQ(form().aktuelleSpalte(), TFormRechnung::ProzentSpalte);
    form().dxdbgrdRechnung->setCurrentIndex(grid().index(2, colStaerkeklasse));
    EXPECT_EQ(form().focusedVisibleColumn(), TFormRechnung::PreisSpalte);
    EXPECT_EQ(form().dxdbgrdRechnung->currentIndex().row(), 2);
}

TEST_F(RechnungTest, EditingPriceSetsThePercentageAndEditingThePercentageSetsThePrice)
{
    setBasePrice("B", "2a", 80);
    form().show();
    QApplication::setActiveWindow(&form());
    chooseCustomer("99999"); // without a customer the focus is sent back to the number

    typeIntoCell(row2a, colPreis, QStringLiteral("60"));
    EXPECT_EQ(cell(row2a, colProzent), QStringLiteral("75,00"));
    EXPECT_EQ(cell(row2a, colPreisB), QStringLiteral("60,00"));
    EXPECT_EQ(cell(row2a, colPreisC), QStringLiteral("48,00")) << "follows the percentage";
    EXPECT_DOUBLE_EQ(preise("B", "2a", "PREIS").toDouble(), 60.0) << "the B row is stored at once";
    EXPECT_DOUBLE_EQ(preise("B", "2a", "PROZENT").toDouble(), 75.0);
    EXPECT_DOUBLE_EQ(preise("B", "2a", "PREISSAVE").toDouble(), 80.0) << "the base price stays the reference";

    typeIntoCell(row2a, colProzent, QStringLiteral("110"));
    EXPECT_EQ(cell(row2a, colPreis), QStringLiteral("88,00"));
    EXPECT_EQ(cell(row2a, colPreisB), QStringLiteral("88,00"));

    typeIntoCell(row2a, colPreis, QStringLiteral("0"));
    EXPECT_EQ(cell(row2a, colProzent), QStringLiteral("0,00"));
    for (int c : {colPreisB, colPreisC, colPreisCgw})
        EXPECT_EQ(cell(row2a, c), QStringLiteral("0,00")) << c;

    // A base price of 0 gives no percentage, whatever the price.
    setBasePrice("B", "1a", 0);
    form().close();
    form().show();
    typeIntoCell(1, colPreis, QStringLiteral("30"));
    EXPECT_EQ(cell(1, colProzent), QStringLiteral("0,00"));
    EXPECT_EQ(cell(1, colPreisB), QStringLiteral("0,00"));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(RechnungTest, LeavingTheGridWritesTheCAndCgwPricesItShows)
{
    setBasePrice("B", "2a", 80);
    form().show();
    form().qryPreise().moveTo(row2a);
    form().qryPreise().setValue(QStringLiteral("PREIS"), 60.0);
    form().dxdbgrdRechnungEdited(); // AktuelleSpalte is Preis
    EXPECT_DOUBLE_EQ(preise("C", "2a", "PREIS").toDouble(), 57.6) << "not before the grid is left";
    form().dxdbgrdRechnungExit();
    EXPECT_DOUBLE_EQ(preise("C", "2a", "PREIS").toDouble(), 48.0);
    EXPECT_DOUBLE_EQ(preise("Cgw", "2a", "PREIS").toDouble(), 36.0);
    EXPECT_DOUBLE_EQ(preise("C", "2a", "PROZENT").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(preise("Cgw", "2a", "PREISSAVE").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(preise("C", "1a", "PREIS").toDouble(), 28.0) << "unchanged rows keep their derived price";
    EXPECT_EQ(form().qryPreise().recNo(), row2a) << "the grid stays on the row";
}

TEST_F(RechnungTest, TheFocusLeavesTheGridWhereTheUserSendsIt)
{
    setBasePrice("B", "2a", 80);
    form().show();
    QApplication::setActiveWindow(&form());
    chooseCustomer("99999");
    typeIntoCell(row2a, colPreis, QStringLiteral("60"));

    // Clicking another control: the grid is left, its C and Cgw prices are written, and the
    // focus stays where it went.
    form().edtRechnungsNr->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), form().edtRechnungsNr);
    EXPECT_DOUBLE_EQ(preise("C", "2a", "PREIS").toDouble(), 48.0);
    EXPECT_EQ(form().qryPreise().recNo(), row2a);

    // Tab from the last cell goes on to the buttons.
    controls::DataGrid &view = *form().dxdbgrdRechnung;
    view.setFocus();
    view.setCurrentIndex(grid().index(grid().rowCount() - 1, colProzent));
    QCoreApplication::processEvents();
    for (int i = 0; i < 3 && QApplication::focusWidget() != form().btnVorschau; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(QApplication::focusWidget(), form().btnVorschau);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(RechnungTest, APreviewPrintsTheAdjustedPricesOnItsLines)
{
    addLog("B", "2a", 2.0);
    addLog("C", "2a", 1.0);
    form().show();
    form().qryPreise().moveTo(row2a);
    form().qryPreise().setValue(QStringLiteral("PROZENT"), 50.0);
    form().dxdbgrdRechnung->setCurrentIndex(grid().index(row2a, colProzent));
    // The grid is never left: the preview writes the prices itself.
    const QString dump = invoiceDump();
    EXPECT_TRUE(dump.contains("\"36,00 EUR\" w32.3 right")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"72,00 EUR\" w38.5 right")) << "B line: 2 FM at 36,00";
    EXPECT_TRUE(dump.contains("\"28,80 EUR\" w32.3 right")) << "C line at 36,00 less 20 %";
    EXPECT_EQ(lines(), QStringList({"B 2a 2,00 FM 36,00 72", "C 2a 1,00 FM 28,80 28.8"}));
}

TEST_F(RechnungTest, AnUnknownCustomerFallsBackToTheCashSale)
{
    addKunde("4711", "Sägewerk Eiche", 2, 10, 14);
    form().show();
    chooseCustomer("4711");
    EXPECT_TRUE(form().kundeGefunden());
    EXPECT_EQ(form().kundenFeld("FIRMA")->text(), QString::fromUtf8("Sägewerk Eiche"));
    EXPECT_TRUE(dialogs.messages.empty());

    chooseCustomer("4712");
    EXPECT_EQ(dialogs.texts(), QStringList({"Der Kunde 4712 konnte nicht gefunden werden!"}));
    EXPECT_EQ(dialogs.messages[0].kind, controls::ScriptedDialogService::Kind::Information);
    EXPECT_EQ(form().edtKundenNr->text(), QStringLiteral("99999"));
    EXPECT_TRUE(form().kundeGefunden());
    EXPECT_EQ(dmod().qryKunden.text(QStringLiteral("NRKD")), QStringLiteral("99999"));
    EXPECT_EQ(form().kundenFeld("FIRMA")->text(), QStringLiteral("Barverkauf"));

    // The number is compared exactly.
    dialogs.clear();
    chooseCustomer("4711 ");
    EXPECT_EQ(dialogs.texts(), QStringList({"Der Kunde 4711  konnte nicht gefunden werden!"}));
}

TEST_F(RechnungTest, AMissingCashSaleCustomerEndsTheLookupAfterOneMessage)
{
    execute("DELETE FROM Kunden");
    form().show();
    chooseCustomer("4712");
    EXPECT_EQ(dialogs.texts(), QStringList({"Der Kunde 4712 konnte nicht gefunden werden!"}));
    EXPECT_FALSE(form().kundeGefunden());
    EXPECT_FALSE(dmod().qryKunden.isOpen()) << "no customer is shown";
    EXPECT_EQ(form().focusWidget(), form().btnKndMatchcode);

    dialogs.clear();
    chooseCustomer("99999");
    EXPECT_EQ(dialogs.texts(), QStringList({"Der Kunde 99999 konnte nicht gefunden werden!"}));
    EXPECT_FALSE(form().kundeGefunden());

    // The invoice still prints, with an empty address.
    dialogs.clear();
    EXPECT_TRUE(invoiceDump().contains("R E C H N U N G"));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(RechnungTest, TheUserIsKeptAtTheCustomerUntilOneIsFound)
{
    form().show();
    QApplication::setActiveWindow(&form());
    form().edtKundenNr->setFocus();
    form().edtKundenNr->clear();
    form().edtRechnungsNr->setFocus(); // leaving the empty number field
    EXPECT_EQ(QApplication::focusWidget(), form().btnKndMatchcode);
    form().edtRechnungsNr->setFocus(); // leaving the search button
    EXPECT_EQ(QApplication::focusWidget(), form().edtKundenNr);
    EXPECT_FALSE(form().kundeGefunden());

    form().edtKundenNr->setText(QStringLiteral("99999"));
    form().btnKndMatchcode->setFocus();
    EXPECT_TRUE(form().kundeGefunden());
    form().edtRechnungsNr->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), form().edtRechnungsNr);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Answers the match-code window once it shows: with the search text typed and accepted, or
// cancelled.
void answerSearch(TFormMatchcode &search, const QString &text, bool accept)
{
    QTimer::singleShot(0, &search, [&search, text, accept] {
        ASSERT_TRUE(search.isVisible());
        search.edtMatchcode->setText(text);
        if (accept)
            search.btnUebernehmenClick();
        else
            search.btnAbbruchClick();
    });
}

TEST_F(RechnungTest, TheSearchPutsTheChosenNumberInAndCancellingEmptiesIt)
{
    addKunde("4711", "Sägewerk Eiche", 2, 10, 14);
    form().show();
    
    answerSearch(search, QStringLiteral("such"), true);
    form().btnKndMatchcodeClick();
    EXPECT_EQ(search.matchcodeSQL(), TFormRechnung::MatchcodeSql);
    EXPECT_EQ(form().edtKundenNr->text(), QStringLiteral("4711"));
    EXPECT_TRUE(form().kundeGefunden());
    EXPECT_EQ(form().kundenFeld("FIRMA")->text(), QString::fromUtf8("Sägewerk Eiche"));
    EXPECT_FALSE(dmod().qryMatchcode.isOpen());

    answerSearch(search, QStringLiteral("BAR"), false);
    form().btnKndMatchcodeClick();
    EXPECT_EQ(form().edtKundenNr->text(), QString());
    EXPECT_FALSE(form().kundeGefunden());
    EXPECT_EQ(form().focusWidget(), form().btnKndMatchcode);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(RechnungTest, APreviewAsksAboutAChangedAddressAndKeepsTheInvoiceNumber)
{
    form().show();
    chooseCustomer("99999");
    form().edtRechnungsNr->setText(QStringLiteral("R-2024-17"));
    dmod().qryKunden.setValue(QStringLiteral("FIRMA"), QStringLiteral("Geändert"));
    dialogs.answers = {false};
    const QString dump = invoiceDump();
    EXPECT_EQ(dialogs.texts(), QStringList({QString::fromUtf8("Änderungen an der Adresse speichern?")}));
    EXPECT_TRUE(dump.contains("\"Barverkauf\"")) << "No prints the stored address";
    EXPECT_FALSE(dump.contains("Geändert"));
    EXPECT_TRUE(dump.contains("\"R-2024-17\" w80.5 right Arial 12 bold"));
    ASSERT_EQ(form().memRechnungsdaten.recordCount(), 1);

    dialogs.clear();
    form().edtRechnungsNr->clear();
    const QString empty = invoiceDump();
    EXPECT_TRUE(dialogs.messages.empty()) << "nothing pending: no question";
    EXPECT_TRUE(empty.contains("\"Nr:\""));
    EXPECT_FALSE(empty.contains("R-2024-17"));
    EXPECT_FALSE(empty.contains("text 114.9,96.2")) << "nothing after Nr:";
    EXPECT_EQ(form().memRechnungsdaten.recordCount(), 1);
}

TEST_F(RechnungTest, ClosingAsksAboutAChangedAddressAndClosesTheInvoiceData)
{
    form().show();
    chooseCustomer("99999");
    dmod().qryKunden.setValue(QStringLiteral("ORT"), QStringLiteral("Arnsberg"));
    dialogs.answers = {true};
    form().btnSchliessenClick();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(dialogs.texts(), QStringList({QString::fromUtf8("Änderungen an der Adresse speichern?")}));
    const auto r = dmod().dbDorv.query(QStringLiteral("SELECT ORT FROM Kunden WHERE NRKD = '99999'"));
    EXPECT_EQ(r.rows[0][0].toString(), QStringLiteral("Arnsberg"));
    EXPECT_FALSE(form().memRechnungsdaten.isOpen());
}

TEST_F(RechnungTest, AMissingTemplateIsReportedAndNothingIsShown)
{
    form().show();
    QFile::remove(folder.reportPath() + QStringLiteral("Rechnung.rtm"));
    form().btnVorschauClick();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, controls::ScriptedDialogService::Kind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("File not found: ")) << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(dialogs.messages[0].text.endsWith("/Report/Rechnung.rtm"));
}

} // namespace
