#include "controls/DbEdit.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "invoicing/FormFirma.h"
#include "support/WindowBed.h"

#include <QCheckBox>
#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

using data::DatasetState;

namespace {

class FirmaTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    std::vector<std::vector<QVariant>> stored()
    {
        return dmod().dbDorv.query(QStringLiteral("SELECT Firma, Ort, MwSt, FASatz FROM Firma")).rows;
    }
    void emptyFirma()
    {
        dmod().dbDorv.execute(QStringLiteral("DELETE FROM Firma"));
        dmod().qryFirma.refresh();
    }
    void type(controls::DbEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    TDMod &dmod() { return bed.dmod; }

    controls::ScriptedDialogService dialogs;
    WindowBed bed{dialogs};
    TFormFirma form{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
};

TEST_F(FirmaTest, ShowsTheCompanyInEditingWithTheRatesInTheirFormat)
{
    form.show();
    EXPECT_EQ(dmod().qryFirma.state(), DatasetState::Edit);
    EXPECT_EQ(form.dbedtFirma->text(), QStringLiteral("Forstbetrieb Muster"));
    EXPECT_EQ(form.dbedtMwSt->text(), QStringLiteral("19,00"));
    EXPECT_EQ(form.dbedtFASatz->text(), QStringLiteral("0,00"));
    EXPECT_EQ(form.dbedtPlz->maxLength(), 7);
}

TEST_F(FirmaTest, OKStoresTheTypedDataAndAbbruchDropsIt)
{
    form.show();
    type(form.dbedtOrt, QStringLiteral("Holzhausen"));
    type(form.dbedtMwSt, QStringLiteral("7"));
    form.btnOKClick();
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0][1].toString(), QStringLiteral("Holzhausen"));
    EXPECT_DOUBLE_EQ(stored()[0][2].toDouble(), 7.0);
    EXPECT_EQ(dmod().qryFirma.state(), DatasetState::Browse);

    form.show();
    type(form.dbedtOrt, QStringLiteral("Anderswo"));
    form.btnAbbruchClick();
    EXPECT_EQ(stored()[0][1].toString(), QStringLiteral("Holzhausen"));
    EXPECT_EQ(dmod().qryFirma.text(QStringLiteral("Ort")), QStringLiteral("Holzhausen"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FirmaTest, SalesTermsAndTheFlatRateAreStoredWithOKAndDroppedWithAbbruch)
{
    const auto terms = [this] {
        return dmod().dbDorv.query(QStringLiteral("SELECT Verkaufsbedingungen, Durchschnittssatz FROM Firma")).rows.at(0);
    };
    EXPECT_EQ(terms(), (std::vector<QVariant>{QVariant(), QVariant()})) << "empty in the delivered data";
    form.show();
    EXPECT_FALSE(form.chkDurchschnittssatz->isChecked());
    EXPECT_EQ(form.chkDurchschnittssatz->text(), QString::fromUtf8("Durchschnittssatz nach § 24 UStG"));
    type(form.dbedtVerkaufsbedingungen, QStringLiteral("Es gelten unsere Bedingungen."));
    form.chkDurchschnittssatz->click();
    form.btnOKClick();
    EXPECT_EQ(terms()[0].toString(), QStringLiteral("Es gelten unsere Bedingungen."));
    EXPECT_EQ(terms()[1].toString(), QStringLiteral("J"));

    form.show();
    EXPECT_TRUE(form.chkDurchschnittssatz->isChecked());
    form.chkDurchschnittssatz->click();
    form.btnAbbruchClick();
    EXPECT_EQ(terms()[1].toString(), QStringLiteral("J"));
    form.show();
    form.chkDurchschnittssatz->click();
    form.btnOKClick();
    EXPECT_EQ(terms()[1].toString(), QString());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(FirmaTest, TheCloseBoxLeavesTheRecordInEditingUntilTheNextOKOrAbbruch)
{
    form.show();
    type(form.dbedtFASatz, QStringLiteral("1,5"));
    form.close();
    EXPECT_EQ(dmod().qryFirma.state(), DatasetState::Edit);
    EXPECT_DOUBLE_EQ(stored()[0][3].toDouble(), 0.0) << "nothing stored";
    form.show();
    EXPECT_DOUBLE_EQ(dmod().qryFirma.floatValue(QStringLiteral("FASatz")), 1.5) << "the change is still there";
    form.btnOKClick();
    EXPECT_DOUBLE_EQ(stored()[0][3].toDouble(), 1.5);
}

TEST_F(FirmaTest, AnEmptyCompanyTableGetsANewRecordThatOKStoresAndAbbruchDrops)
{
    emptyFirma();
    form.show();
    EXPECT_EQ(dmod().qryFirma.state(), DatasetState::Insert);
    form.btnAbbruchClick();
    EXPECT_TRUE(stored().empty());
    EXPECT_TRUE(dmod().qryFirma.isEmpty());

    form.show();
    EXPECT_EQ(dmod().qryFirma.state(), DatasetState::Insert);
    type(form.dbedtFirma, QStringLiteral("Saegewerk Nord"));
    form.btnOKClick();
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0][0].toString(), QStringLiteral("Saegewerk Nord"));
    // A new company is German and states why it charges no VAT, until told otherwise.
    const auto eInvoice = dmod().dbDorv.query(QStringLiteral("SELECT Land, Steuerbefreiung FROM Firma")).rows.at(0);
    EXPECT_EQ(eInvoice.at(0).toString(), QStringLiteral("DE"));
    EXPECT_EQ(eInvoice.at(1).toString(), QStringLiteral("Kein Ausweis von Umsatzsteuer, da Kleinunternehmer gemäß § 19 UStG"));
}

TEST_F(FirmaTest, AWrongIbanIsReportedAndNothingIsStoredARightOneIsStoredAsTyped)
{
    const auto storedIban = [this] { return dmod().dbDorv.query(QStringLiteral("SELECT IBAN, Ort FROM Firma")).rows.at(0); };
    form.show();
    type(form.dbedtOrt, QStringLiteral("Holzhausen"));
    type(form.dbedtIBAN, QStringLiteral("DE89 3704 0044 0532 0130 01")); // one digit off
    form.btnOKClick();
    ASSERT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Error).size(), 1);
    EXPECT_TRUE(dialogs.texts().front().startsWith(QStringLiteral("Die IBAN \"DE89 3704 0044 0532 0130 01\" ist nicht gültig")));
    EXPECT_TRUE(dialogs.texts().front().contains(QStringLiteral("nicht gespeichert")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(storedIban().at(0).isNull());
    EXPECT_EQ(storedIban().at(1).toString(), QStringLiteral("Musterstadt"));

    dialogs.clear();
    type(form.dbedtIBAN, QStringLiteral("DE89 3704 0044 0532 0130 00"));
    form.btnOKClick();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(storedIban().at(0).toString(), QStringLiteral("DE89 3704 0044 0532 0130 00"));
    EXPECT_EQ(storedIban().at(1).toString(), QStringLiteral("Holzhausen"));
}

TEST_F(FirmaTest, ARateThatIsNoNumberIsReportedAndNothingIsStored)
{
    form.show();
    type(form.dbedtMwSt, QStringLiteral("neunzehn"));
    form.btnOKClick();
    EXPECT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Error),
              QStringList{QStringLiteral("'neunzehn' is not a valid floating point value for field 'MwSt'")});
    EXPECT_TRUE(form.isVisible());
    EXPECT_DOUBLE_EQ(stored()[0][2].toDouble(), 19.0);
}

} // namespace
