// What the CII generator writes: the printed invoice's lines, parties, terms and amounts.
#include "einvoice/CiiWriter.h"
#include "einvoice/InvoiceTexts.h"
#include "einvoice/Numbers.h"

#include "SampleInvoices.h"

#include <QLocale>

#include <gtest/gtest.h>

using einvoice::Profile;
using samples::value;
using samples::valuesAt;

namespace {

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *t : texts)
        list << QString::fromUtf8(t);
    return list;
}

} // namespace

TEST(CiiValues, TheExampleAsXRechnung)
{
    const QByteArray xml = einvoice::ciiXml(samples::example(Profile::XRechnung));
    EXPECT_EQ(value(xml, "GuidelineSpecifiedDocumentContextParameter/ID"),
              "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0");
    EXPECT_EQ(value(xml, "ExchangedDocument/ID"), "2024/17");
    EXPECT_EQ(value(xml, "ExchangedDocument/IssueDateTime/DateTimeString"), "20241108");
    EXPECT_EQ(value(xml, "ActualDeliverySupplyChainEvent/OccurrenceDateTime/DateTimeString"), "20241104");

    // The line as printed.
    EXPECT_EQ(value(xml, "SpecifiedTradeProduct/Name"), QString::fromUtf8("Fichte Stammholz GK B, Stärkeklasse 2a"));
    EXPECT_EQ(value(xml, "BilledQuantity"), "10.00");
    EXPECT_EQ(value(xml, "BilledQuantity/@unitCode"), "MTQ");
    EXPECT_EQ(value(xml, "NetPriceProductTradePrice/ChargeAmount"), "50.00");
    EXPECT_EQ(value(xml, "LineTotalAmount"), "500.00");
    EXPECT_EQ(valuesAt(xml, "CategoryCode"), strings({"S", "S"}));
    EXPECT_EQ(valuesAt(xml, "RateApplicablePercent"), strings({"16.00", "16.00"}));
    EXPECT_TRUE(valuesAt(xml, "ExemptionReason").isEmpty());

    // Seller and buyer.
    EXPECT_EQ(value(xml, "SellerTradeParty/Name"), "Forstbetrieb Muster");
    EXPECT_EQ(value(xml, "SellerTradeParty/DefinedTradeContact/PersonName"), "Max Mustermann");
    EXPECT_EQ(value(xml, "SellerTradeParty/DefinedTradeContact/TelephoneUniversalCommunication/CompleteNumber"), "02972 12345");
    EXPECT_EQ(value(xml, "SellerTradeParty/URIUniversalCommunication/URIID"), "info@forst-muster.de");
    EXPECT_EQ(value(xml, "SellerTradeParty/URIUniversalCommunication/URIID/@schemeID"), "EM");
    EXPECT_EQ(valuesAt(xml, "SellerTradeParty/SpecifiedTaxRegistration/ID"), strings({"12/345/67890", "DE123456789"}));
    EXPECT_EQ(valuesAt(xml, "SellerTradeParty/SpecifiedTaxRegistration/ID/@schemeID"), strings({"FC", "VA"}));
    EXPECT_EQ(value(xml, "SellerTradeParty/PostalTradeAddress/CountryID"), "DE");
    EXPECT_TRUE(valuesAt(xml, "SellerTradeParty/ID").isEmpty()) << "no supplier number";
    EXPECT_EQ(value(xml, "BuyerReference"), "04011000-12345-67");
    EXPECT_EQ(value(xml, "BuyerTradeParty/Name"), QString::fromUtf8("Sägewerk Eiche"));
    EXPECT_EQ(value(xml, "BuyerTradeParty/DefinedTradeContact/PersonName"), "Anna Holz");
    EXPECT_EQ(value(xml, "BuyerTradeParty/PostalTradeAddress/CountryID"), "DE") << "the legacy D";
    EXPECT_EQ(value(xml, "BuyerTradeParty/URIUniversalCommunication/URIID"), "einkauf@saegewerk-eiche.de");
    EXPECT_EQ(value(xml, "BuyerTradeParty/SpecifiedTaxRegistration/ID/@schemeID"), "VA");

    // Payment: transfer to the IBAN, due 14 days after the invoice date, terms as printed.
    EXPECT_EQ(value(xml, "SpecifiedTradeSettlementPaymentMeans/TypeCode"), "58");
    EXPECT_EQ(value(xml, "IBANID"), "DE89370400440532013000");
    EXPECT_EQ(value(xml, "BICID"), "COBADEFFXXX");
    EXPECT_EQ(value(xml, "DueDateDateTime/DateTimeString"), "20241122");
    EXPECT_EQ(value(xml, "SpecifiedTradePaymentTerms/Description"),
              QString::fromUtf8("Zahlbar 14 Tage\nBei Zahlung innerhalb 10 Tagen - 2,00 % Skonto\n#SKONTO#TAGE=10#PROZENT=2.00#\n"));

    EXPECT_EQ(value(xml, "TaxTotalAmount"), "80.00");
    EXPECT_EQ(value(xml, "TaxTotalAmount/@currencyID"), "EUR");
    EXPECT_EQ(value(xml, "GrandTotalAmount"), "580.00");
    EXPECT_EQ(value(xml, "ExchangedDocument/TypeCode"), "380");
    EXPECT_EQ(valuesAt(xml, "IncludedNote/Content"),
              QStringList{QString::fromUtf8("Vom Nettobetrag sind 0,20 % FA = 1,00  EUR abzuziehen und vom Holzkäufer abzuführen")})
        << "neither flat rate nor sales terms";
}

TEST(CiiValues, ACancellationIsACreditNoteForTheCancelledInvoice)
{
    for (Profile p : {Profile::FacturX, Profile::XRechnung}) {
        const einvoice::Invoice storno =
            einvoice::cancellationOf(samples::example(p), QStringLiteral("2024/17-S"), QDate(2024, 12, 2));
        const QByteArray xml = einvoice::ciiXml(storno);
        EXPECT_EQ(value(xml, "ExchangedDocument/TypeCode"), "381");
        EXPECT_EQ(value(xml, "InvoiceReferencedDocument/IssuerAssignedID"), "2024/17");
        EXPECT_EQ(value(xml, "InvoiceReferencedDocument/FormattedIssueDateTime/DateTimeString"), "20241108");
        EXPECT_EQ(value(xml, "BilledQuantity"), "10.00") << "amounts positive, as a credit note states them";
        EXPECT_EQ(value(xml, "GrandTotalAmount"), "580.00");
        EXPECT_EQ(value(xml, "DuePayableAmount"), "580.00") << "no cash discount";
        EXPECT_EQ(value(xml, "SpecifiedTradePaymentTerms/Description"), "<none>") << "no payment term, no #SKONTO#";
        EXPECT_FALSE(xml.contains("#SKONTO#"));
        EXPECT_EQ(value(xml, "DueDateDateTime/DateTimeString"), "20241202");
    }
}

TEST(CiiValues, NotesForTheFlatRateTheSalesTermsAndNoLevy)
{
    einvoice::Invoice inv = samples::example(Profile::XRechnung);
    inv.vatRate = 5.5;
    inv.levyRate = 0;
    inv.seller.averageRate = true;
    inv.seller.salesTerms = QString::fromUtf8("Es gelten unsere Verkaufsbedingungen.");
    const QByteArray xml = einvoice::ciiXml(inv);
    EXPECT_EQ(valuesAt(xml, "IncludedNote/Content"),
              strings({"Durchschnittssatz nach § 24 UStG", "Es gelten unsere Verkaufsbedingungen."}))
        << "no levy sentence at a levy rate of 0";
    EXPECT_EQ(value(xml, "CategoryCode"), "S");
    EXPECT_EQ(value(xml, "RateApplicablePercent"), "5.50");
}

TEST(CiiValues, FacturXKeepsThePlainTermsAndNoBusinessProcess)
{
    const QByteArray xml = einvoice::ciiXml(samples::example(Profile::FacturX));
    EXPECT_EQ(value(xml, "GuidelineSpecifiedDocumentContextParameter/ID"), "urn:cen.eu:en16931:2017");
    EXPECT_TRUE(valuesAt(xml, "BusinessProcessSpecifiedDocumentContextParameter").isEmpty());
    EXPECT_EQ(value(xml, "SpecifiedTradePaymentTerms/Description"),
              QString::fromUtf8("Zahlbar 14 Tage\nBei Zahlung innerhalb 10 Tagen - 2,00 % Skonto"));
}

TEST(CiiValues, ExemptSellerWithSupplierNumber)
{
    const einvoice::Invoice inv = samples::thirtyLinesWithoutVat(Profile::XRechnung);
    const QByteArray xml = einvoice::ciiXml(inv);
    EXPECT_EQ(valuesAt(xml, "IncludedSupplyChainTradeLineItem").size(), 30);
    EXPECT_EQ(valuesAt(xml, "SpecifiedTradeProduct/Name").last(), QString::fromUtf8("Kiefer Stammholz GK Cgw, Stärkeklasse 5"));
    EXPECT_EQ(valuesAt(xml, "BilledQuantity")[1], "1.5017") << "four decimals";
    EXPECT_EQ(valuesAt(xml, "NetPriceProductTradePrice/ChargeAmount")[1], "23.32");
    EXPECT_EQ(valuesAt(xml, "CategoryCode"), QStringList(31, QStringLiteral("E")));
    EXPECT_EQ(value(xml, "ExemptionReason"), QString::fromUtf8("Kein Ausweis von Umsatzsteuer, da Kleinunternehmer gemäß § 19 UStG"));
    EXPECT_EQ(value(xml, "ApplicableHeaderTradeSettlement/ApplicableTradeTax/RateApplicablePercent"), "0.00");
    EXPECT_EQ(value(xml, "TaxTotalAmount"), "0.00");
    EXPECT_EQ(value(xml, "GrandTotalAmount"), value(xml, "TaxBasisTotalAmount"));
    EXPECT_EQ(value(xml, "SellerTradeParty/ID"), "L-4711");
    EXPECT_EQ(valuesAt(xml, "SellerTradeParty/SpecifiedTaxRegistration/ID/@schemeID"), QStringList{"FC"});
    EXPECT_TRUE(valuesAt(xml, "BuyerTradeParty/SpecifiedTaxRegistration").isEmpty());
    EXPECT_EQ(value(xml, "BuyerTradeParty/PostalTradeAddress/CountryID"), "DE") << "no LAND: the company's country";
    EXPECT_EQ(value(xml, "SpecifiedTradePaymentTerms/Description"), "Zahlbar 30 Tage") << "no cash discount, no structured line";
    EXPECT_EQ(value(xml, "DueDateDateTime/DateTimeString"), "20241208");
}

TEST(CiiValues, NumbersKeepADecimalPointInAGermanLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    einvoice::Invoice inv = samples::example(Profile::FacturX);
    inv.lines.push_back({QStringLiteral("C"), QStringLiteral("3a"), 1234.5678, 1234.5, samples::lineAmount(1234.5678, 1234.5)});
    inv.vatRate = 5.5;
    const QByteArray xml = einvoice::ciiXml(inv);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(valuesAt(xml, "BilledQuantity")[1], "1234.5678");
    EXPECT_EQ(valuesAt(xml, "NetPriceProductTradePrice/ChargeAmount")[1], "1234.50");
    EXPECT_EQ(valuesAt(xml, "LineTotalAmount")[1], "1524073.95") << "no grouping";
    EXPECT_EQ(value(xml, "RateApplicablePercent"), "5.50");
    EXPECT_EQ(einvoice::decimalText(-0.00001), "0.00");
    EXPECT_EQ(einvoice::amountText(-5), "-0.05");
}

TEST(CiiValues, TermsAsPrintedForEveryCombination)
{
    using einvoice::paymentTermsText;
    EXPECT_EQ(paymentTermsText({0, 0, 0}, Profile::XRechnung), "");
    EXPECT_EQ(paymentTermsText({0, 7, 3}, Profile::XRechnung),
              QString::fromUtf8("Bei Zahlung innerhalb 7 Tagen - 3,00 % Skonto\n#SKONTO#TAGE=7#PROZENT=3.00#\n"));
    EXPECT_EQ(paymentTermsText({0, 0, 3}, Profile::XRechnung), "- 3,00 % Skonto") << "a rate without days, as printed";
    EXPECT_EQ(paymentTermsText({30, 10, 0}, Profile::XRechnung), "Zahlbar 30 Tage\nBei Zahlung innerhalb 10 Tagen - 0,00 % Skonto");
    EXPECT_EQ(paymentTermsText({14, 10, 2.125}, Profile::XRechnung).split(u'\n')[2], "#SKONTO#TAGE=10#PROZENT=2.13#")
        << "rounded as printed (2,13 %)";
}

