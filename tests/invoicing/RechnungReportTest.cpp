// The printed invoice: its layout dump over the invoice window's data.
#include "invoicing/RechnungWindow.h"
#include "invoicing/RechnungsReport.h"
#include "invoiceregister/InvoiceRegister.h"

#include <QDate>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

QStringList linesWith(const QString &dump, const QString &part)
{
    QStringList found;
    for (const QString &line : dump.split(u'\n'))
        if (line.contains(part))
            found << line;
    return found;
}

class RechnungReportTest : public ::testing::Test, public RechnungWindow
{
protected:
    // Shows the window and picks the customer with the given number.
    QString invoiceFor(const char *nr)
    {
        form().show();
        chooseCustomer(nr);
        return invoiceDump(printDay);
    }

    // Dates print with four-digit years, like the invoice's own date.
    static QString fullDate(const QDate &d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

    const QDate printDay{2024, 11, 8};
};

TEST_F(RechnungReportTest, TotalsTermsAndCashDiscountFollowTheCustomerAndTheCompany)
{
    setFirma("MwSt = 16, FASatz = 0.2");
    addKunde("4711", "Sägewerk Eiche", 2, 10, 14);
    setBasePrice("B", "2a", 50);
    addLog("B", "2a", 10.0);
    const QString dump = invoiceFor("4711");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();

    // Each amount at its place in the summary block, right-aligned in the amount column.
    for (const char *line : {"text 156.9,133.0 \"500,00 EUR\" w38.5 right",
                             "text 45.1,138.3 \"+ 16,00 % MwSt\" w109.8 right",
                             "text 156.9,138.3 \"80,00 EUR\" w38.5 right",
                             "text 25.0,144.1 \"Zahlbar 14 Tage\" w63.0 left",
                             "text 156.9,144.1 \"580,00 EUR\" w38.5 right",
                             "text 25.0,149.4 \"Bei Zahlung innerhalb 10 Tagen\" w63.0 left",
                             "text 122.9,149.4 \"- 2,00 % Skonto\" w32.0 right",
                             "text 156.9,149.1 \"11,60 EUR\" w38.5 right",
                             "line 156.9,154.2 195.4,154.2 0.75pt",
                             "text 156.9,155.2 \"568,40 EUR\" w38.5 right"})
        EXPECT_TRUE(dump.contains(QString::fromUtf8(line))) << line;
    EXPECT_EQ(linesWith(dump, "\"(" + fullDate(printDay.addDays(14)) + ")\"").size(), 1) << "due date";
    EXPECT_EQ(linesWith(dump, "\"(" + fullDate(printDay.addDays(10)) + ")\"").size(), 1) << "cash discount date";
    EXPECT_EQ(linesWith(dump, "\"10,00 FM\"").size(), 2) << "the line and the total volume";
    EXPECT_TRUE(dump.contains(QString::fromUtf8(
        "\"Vom Nettobetrag sind 0,20 % FA = 1,00  EUR abzuziehen und vom Holzkäufer abzuführen\" w169.9 left Arial 10 wrap")));

    // The letterhead, the address block and the list header.
    EXPECT_TRUE(dump.contains("text 174.2,15.0 \"08.11.2024\" w21.2 right"));
    EXPECT_TRUE(dump.contains("\"Forstbetrieb Muster * Waldweg 1 * 12345 Musterstadt\" w100.0 left Arial 8 underline"));
    EXPECT_TRUE(dump.contains("text 25.0,31.1 \"12345 Musterstadt\" w76.2 left"));
    EXPECT_TRUE(dump.contains("text 25.0,60.0 \"Anna Holz\" left"));
    EXPECT_TRUE(dump.contains("text 25.0,72.4 \"57392 Schmallenberg\" left Arial 10 bold"));
    EXPECT_TRUE(dump.contains("text 25.0,96.2 \"R E C H N U N G\" w80.0 left Arial 12 bold"));
    EXPECT_TRUE(dump.contains(QString::fromUtf8("text 45.1,107.3 \"12 B geschält/ ungerückt\"")));
    EXPECT_TRUE(dump.contains("text 45.1,111.8 \"Fichte, Stammholz\""));
    EXPECT_TRUE(dump.contains("text 25.0,275.5 \"Musterbank (BLZ 12345678) Kto. 1234567890\" w170.1 left Arial 8"))
        << "old data without IBAN keep their account";
    EXPECT_TRUE(dump.contains("text 25.0,279.0 \"Steuer-Nr 12/345/67890\" w170.1 right Arial 8"));
}

TEST_F(RechnungReportTest, NoCashDiscountHidesItsFiveItemsAndNoTermsLeaveNoText)
{
    setFirma("MwSt = 16");
    addKunde("1", "Ohne Abzug", 0, 0, 0);
    addLog("B", "2a", 10.0);
    const QString dump = invoiceFor("1");
    EXPECT_TRUE(dump.contains("\"Rechnungsbetrag\""));
    for (const char *gone : {"Skonto\"", "Zahlbar", "Bei Zahlung", "line 156.9,154.2", "text 156.9,149.1", "text 156.9,155.2", "\"(" })
        EXPECT_FALSE(dump.contains(QString::fromUtf8(gone))) << gone;

    // A rate without days keeps the amounts; only the term text stays empty.
    execute("UPDATE Kunden SET SKONTO = 3 WHERE NRKD = '1'");
    const QString rate = invoiceFor("1");
    EXPECT_TRUE(rate.contains("\"- 3,00 % Skonto\""));
    EXPECT_TRUE(rate.contains("line 156.9,154.2"));
    EXPECT_FALSE(rate.contains("Bei Zahlung"));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(RechnungReportTest, EmptyNumbersCountAsZero)
{
    setFirma("MwSt = NULL, FASatz = NULL");
    addKunde("2", "Leer", QVariant(), QVariant(), QVariant());
    addLog("B", "2a", 1.0);
    const QString dump = invoiceFor("2");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_TRUE(dump.contains("\"+ 0,00 % MwSt\""));
    EXPECT_EQ(linesWith(dump, "\"72,00 EUR\"").size(), 4) << "price, line, net and invoice amount";
    EXPECT_FALSE(dump.contains("Zahlbar"));
    EXPECT_FALSE(dump.contains("Skonto\""));
    EXPECT_FALSE(dump.contains("Vom Nettobetrag")) << "no levy, no levy sentence";
}

TEST_F(RechnungReportTest, SenderLineAndFooterFollowTheCompanyData)
{
    setFirma("Firma = '', KTO = ''");
    addKunde("3", "", 0, 0, 0);
    execute("UPDATE Kunden SET VORNAME = '', LAND = 'D' WHERE NRKD = '3'");
    const QString dump = invoiceFor("3");
    EXPECT_TRUE(dump.contains("\"Max Mustermann * Waldweg 1 * 12345 Musterstadt\" w100.0 left Arial 8 underline"));
    EXPECT_FALSE(dump.contains("Musterbank")) << "no account number, no bank text";
    EXPECT_TRUE(dump.contains("\"Steuer-Nr 12/345/67890\""));
    EXPECT_TRUE(dump.contains("text 25.0,55.7 \"Holz\" left")) << "no first name, no company: the name on the first line";
    EXPECT_TRUE(dump.contains("\"57392 Schmallenberg\" left Arial 10 bold")) << "no country at home";
}

TEST_F(RechnungReportTest, ThePageShowsWhatTheEInvoiceSays)
{
    setFirma("KTO = '', BLZ = '', Bank = 'Sparkasse', IBAN = 'DE89 3704 0044 0532 0130 00', BIC = 'COBADEFFXXX', UStIdNr = 'DE123456789'");
    addKunde("5", "Holz & Co", 0, 0, 30);
    execute("UPDATE Kunden SET KAEUFERREFERENZ = '04011000-12345-67', LIEFERANTENNR = 'L-77', USTIDNR = 'DE987654321' WHERE NRKD = '5'");
    addLog("B", "2a", 1.0);
    form().show();
    chooseCustomer("5");
    form().dtpRechnungsdatum->setDate(printDay);
    form().dtpLieferdatum->setDate(QDate(2024, 11, 4));
    const QString dump = invoiceDump(printDay);
    EXPECT_TRUE(dump.contains("\"Sparkasse IBAN DE89 3704 0044 0532 0130 00 BIC COBADEFFXXX\"")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"Steuer-Nr 12/345/67890   USt-IdNr. DE123456789\""));
    for (const char *pair : {"\"Rechnungsdatum:\"|\"08.11.2024\"", "\"Lieferdatum:\"|\"04.11.2024\"", "\"Ihre Referenz:\"|\"04011000-12345-67\"",
                             "\"Unsere Lieferanten-Nr.:\"|\"L-77\"", "\"Ihre USt-IdNr.:\"|\"DE987654321\""}) {
        const QStringList parts = QString::fromUtf8(pair).split(u'|');
        EXPECT_EQ(linesWith(dump, parts[0]).size(), 1) << pair;
        EXPECT_EQ(linesWith(dump, parts[1]).filter(QStringLiteral("Arial 9")).size(), 1) << pair;
    }
    EXPECT_TRUE(dump.contains("\"Sie kauften von uns folgendes Stammholz:\""));
    EXPECT_FALSE(dump.contains("Dorv")) << "no made-up words";
    EXPECT_FALSE(dump.contains("NRW")) << "no sales terms of a forest authority";
    EXPECT_TRUE(dump.contains(QString::fromUtf8("\"+ 19,00 % MwSt\"")));
}

TEST_F(RechnungReportTest, TheCompanysOwnSalesTermsAndTheFlatRateArePrinted)
{
    setFirma("MwSt = 5.5, FASatz = 0, Durchschnittssatz = 'J', Verkaufsbedingungen = :V",
             {{QStringLiteral("V"), QString::fromUtf8("Es gelten unsere Verkaufs- und Zahlungsbedingungen.")}});
    addKunde("6", "Sägewerk", 0, 0, 0);
    addLog("B", "2a", 1.0);
    const QString dump = invoiceFor("6");
    EXPECT_TRUE(dump.contains(QString::fromUtf8("\"+ 5,50 % Durchschnittssatz nach § 24 UStG\""))) << dump.toStdString();
    EXPECT_TRUE(dump.contains(QString::fromUtf8("\"Es gelten unsere Verkaufs- und Zahlungsbedingungen.\" w169.9 left Arial 10 wrap")));
    EXPECT_FALSE(dump.contains("Vom Nettobetrag")) << "no levy sentence at a levy rate of 0";
}

TEST_F(RechnungReportTest, AStoredInvoiceIsShownExactlyAsItWasIssued)
{
    setFirma("IBAN = 'DE89 3704 0044 0532 0130 00', BIC = 'COBADEFFXXX', UStIdNr = 'DE123456789', FASatz = 0.2");
    addKunde("7", "", 2, 10, 14);
    execute("UPDATE Kunden SET VORNAME = :V, NAME = :N, LAND = 'D' WHERE NRKD = '7'",
            {{QStringLiteral("V"), QString::fromUtf8("Jürgen")}, {QStringLiteral("N"), QString::fromUtf8("Müller")}});
    addKunde("8", "Scierie du Lac", 0, 0, 30);
    execute("UPDATE Kunden SET LAND = 'F' WHERE NRKD = '8'");
    setBasePrice("B", "2a", 50);
    addLog("B", "2a", 10.0);
    invoiceregister::InvoiceRegister reg(dmod().dbDorv);
    form().show();
    form().edtRechnungsNr->setText(QStringLiteral("R-1"));
    for (const char *customer : {"7", "8"}) {
        chooseCustomer(customer);
        std::optional<invoicing::PreparedInvoice> issued = form().RechnungVorbereiten();
        ASSERT_TRUE(issued);
        const invoiceregister::Entry e =
            reg.record({issued->invoice, invoiceregister::Kind::Print, issued->customerNumber, issued->listName, issued->header}, false,
                       QDateTime::currentDateTime());
        report::PreparedReport shown = invoicing::RechnungsReport(folder.reportPath() + "Rechnung.rtm", reg.invoice(e.id), e.header);
        const QString original = issued->printout.report().dump();
        EXPECT_EQ(shown.report().dump(), original) << customer;
        EXPECT_TRUE(original.contains(QString::fromUtf8("\"Jürgen Müller\"")) || original.contains("\"FR-57392 Schmallenberg\""))
            << original.toStdString();
        EXPECT_TRUE(original.contains("\"Max Mustermann\"")) << "the name line below the company";
        EXPECT_TRUE(original.contains("\"Musterbank IBAN DE89 3704 0044 0532 0130 00 BIC COBADEFFXXX\""));
    }
}

TEST_F(RechnungReportTest, TheLineTableShowsItsTitleOnceAndEachQualityClassOnce)
{
    // Thirty lines run onto a second page.
    const char *classes[] = {"0", "1a", "1b1", "1b2", "2a", "2b", "3a", "3b", "4", "5"};
    for (const char *gk : {"B", "C", "Cgw"})
        for (const char *sk : classes)
            addLog(gk, sk, 1.0);
    const QString dump = invoiceFor("99999");
    EXPECT_TRUE(dump.contains("p2 "));
    EXPECT_EQ(linesWith(dump, QString::fromUtf8("\"Güteklasse\"")).size(), 1);
    EXPECT_EQ(linesWith(dump, "\"R E C H N U N G\"").size(), 2) << "the page header on every page";
    EXPECT_EQ(linesWith(dump, "\"Steuer-Nr ").size(), 2) << "the page footer on every page";
    EXPECT_EQ(linesWith(dump, "text 25.0,").filter("\"B\" w27.3").size(), 1);
    EXPECT_EQ(linesWith(dump, "\"C\" w27.3").size(), 1);
    EXPECT_EQ(linesWith(dump, "\"Cgw\" w27.3").size(), 1 + 1) << "again at the top of the second page";
    EXPECT_EQ(linesWith(dump, "\"Nettobetrag\"").size(), 1);
    EXPECT_TRUE(dump.contains("\"30,00 FM\" w41.0 right"));
}

} // namespace
