// The texts the invoice page prints beside the figures: bank, tax numbers, title, the line
// above the list and the details beside the invoice number.
#include "einvoice/InvoiceTexts.h"

#include "SampleInvoices.h"

#include <gtest/gtest.h>

using einvoice::Profile;

TEST(PageTexts, TheBankLineNamesTheIbanAndOldDataKeepTheirAccount)
{
    values::Seller s = samples::seller();
    s.bank = QStringLiteral("Sparkasse Hochsauerland");
    s.iban = QStringLiteral("de89370400440532013000");
    EXPECT_EQ(einvoice::bankLine(s), "Sparkasse Hochsauerland IBAN DE89 3704 0044 0532 0130 00 BIC COBADEFFXXX");
    s.bic.clear();
    s.bankCode = QStringLiteral("12345678");
    s.accountNumber = QStringLiteral("1234567890");
    EXPECT_EQ(einvoice::bankLine(s), "Sparkasse Hochsauerland IBAN DE89 3704 0044 0532 0130 00") << "the IBAN wins";
    s.iban = QStringLiteral("  ");
    EXPECT_EQ(einvoice::bankLine(s), "Sparkasse Hochsauerland (BLZ 12345678) Kto. 1234567890");
    s.accountNumber.clear();
    EXPECT_EQ(einvoice::bankLine(s), "");

    EXPECT_EQ(einvoice::taxNumbersLine(samples::seller()), "Steuer-Nr 12/345/67890   USt-IdNr. DE123456789");
    s.vatId.clear();
    EXPECT_EQ(einvoice::taxNumbersLine(s), "Steuer-Nr 12/345/67890");
}

TEST(PageTexts, VatLevyAndFlatRate)
{
    EXPECT_EQ(einvoice::vatText(19, false), "+ 19,00 % MwSt");
    EXPECT_EQ(einvoice::vatText(5.5, true), QString::fromUtf8("+ 5,50 % Durchschnittssatz nach § 24 UStG"));
    EXPECT_EQ(einvoice::levySentence(0.2, 100),
              QString::fromUtf8("Vom Nettobetrag sind 0,20 % FA = 1,00  EUR abzuziehen und vom Holzkäufer abzuführen"));
    EXPECT_EQ(einvoice::levySentence(0, 0), "") << "no levy, no sentence";
}

TEST(PageTexts, AnInvoiceAndItsCancellation)
{
    const einvoice::Invoice inv = samples::example(Profile::FacturX);
    EXPECT_EQ(einvoice::pageTitle(inv), "R E C H N U N G");
    EXPECT_EQ(einvoice::introLine(inv), "Sie kauften von uns folgendes Stammholz:");
    std::vector<std::pair<QString, QString>> details;
    for (const einvoice::Detail &d : einvoice::pageDetails(inv))
        details.emplace_back(d.label, d.value);
    EXPECT_EQ(details, (std::vector<std::pair<QString, QString>>{{"Rechnungsdatum:", "08.11.2024"},
                                                                 {"Lieferdatum:", "04.11.2024"},
                                                                 {"Ihre Referenz:", "04011000-12345-67"},
                                                                 {"Ihre USt-IdNr.:", "DE987654321"}}))
        << "no supplier number: no gap";

    const einvoice::Invoice storno = einvoice::cancellationOf(inv, QStringLiteral("2024/17-S"), QDate(2024, 12, 2));
    EXPECT_EQ(einvoice::pageTitle(storno), "S T O R N O R E C H N U N G");
    EXPECT_EQ(einvoice::introLine(storno), "Storno zur Rechnung Nr. 2024/17 vom 08.11.2024");
    EXPECT_EQ(storno.lines.front().amount, 500) << "a credit note states positive amounts";
    EXPECT_EQ(storno.terms.netDays, 0);
    EXPECT_EQ(einvoice::invoiceTotals(storno).cashDiscount, 0);
}
