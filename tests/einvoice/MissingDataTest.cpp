// Before anything is written, everything missing is named in one message.
#include "einvoice/MissingData.h"

#include "SampleInvoices.h"

#include <gtest/gtest.h>

using einvoice::missingDataMessage;
using einvoice::Profile;

TEST(MissingData, CompleteInvoicesPass)
{
    for (Profile p : {Profile::FacturX, Profile::XRechnung}) {
        EXPECT_EQ(missingDataMessage(samples::example(p)), "");
        EXPECT_EQ(missingDataMessage(samples::thirtyLinesWithoutVat(p)), "");
    }
}

TEST(MissingData, OneMessageListsEverythingMissing)
{
    einvoice::Invoice inv = samples::example(Profile::FacturX);
    inv.number = QStringLiteral("  ");
    inv.seller.iban.clear();
    inv.seller.vatId.clear();
    EXPECT_EQ(missingDataMessage(inv), QString::fromUtf8("Für die E-Rechnung fehlen: Rechnungsnummer, IBAN der Firma, USt-IdNr oder Lieferanten-Nr."));

    inv.buyer.supplierNumber = QStringLiteral("4711");
    inv.seller.taxNumber.clear();
    inv.seller.iban = QStringLiteral("DE89 3704 0044 0532 0130 01");
    EXPECT_EQ(missingDataMessage(inv),
              QString::fromUtf8("Für die E-Rechnung fehlen: Rechnungsnummer, gültige IBAN der Firma, Steuernummer oder USt-IdNr der Firma."));
}

TEST(MissingData, XRechnungAsksForWhatItsRulesDemand)
{
    einvoice::Invoice inv = samples::example(Profile::XRechnung);
    inv.buyer.buyerReference.clear();
    EXPECT_EQ(missingDataMessage(inv), QString::fromUtf8("Für die E-Rechnung fehlen: Käuferreferenz (Leitweg-ID)."));

    inv.seller.contactPerson.clear();
    inv.seller.phone.clear();
    inv.seller.email.clear();
    inv.buyer.email.clear();
    inv.buyer.city.clear();
    EXPECT_EQ(missingDataMessage(inv), QString::fromUtf8("Für die E-Rechnung fehlen: Ansprechpartner der Firma, Telefon der Firma, E-Mail der Firma, "
                                                         "Ort des Kunden, E-Mail des Kunden, Käuferreferenz (Leitweg-ID)."));
    inv.profile = Profile::FacturX;
    EXPECT_EQ(missingDataMessage(inv), "") << "the ZUGFeRD profile does without them";
}

TEST(MissingData, NamesCountriesDatesLinesAndTheExemption)
{
    einvoice::Invoice inv = samples::example(Profile::FacturX);
    inv.seller.company.clear();
    EXPECT_EQ(missingDataMessage(inv), "") << "Name1 stands in for the company name";
    inv.seller.name1.clear();
    inv.seller.country = QStringLiteral("Deutschland");
    inv.buyer.company.clear();
    inv.buyer.firstName.clear();
    inv.buyer.lastName.clear();
    inv.buyer.country = QStringLiteral("XY");
    inv.invoiceDate = QDate();
    inv.lines.clear();
    inv.vatRate = 0;
    inv.seller.vatExemption.clear();
    EXPECT_EQ(missingDataMessage(inv),
              QString::fromUtf8("Für die E-Rechnung fehlen: Rechnungsdatum, Rechnungspositionen, Name der Firma, Land der Firma, "
                                "Steuerbefreiung der Firma, Name des Kunden, Land des Kunden."));
}
