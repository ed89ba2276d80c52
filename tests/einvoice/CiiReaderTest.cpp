// Reading a stored e-invoice back: the invoice it describes writes the same document again.
#include "einvoice/CiiReader.h"
#include "einvoice/CiiWriter.h"
#include "einvoice/EInvoiceError.h"
#include "einvoice/Totals.h"

#include "SampleInvoices.h"

#include <gtest/gtest.h>

using einvoice::Profile;

namespace {

void expectRoundTrip(const einvoice::Invoice &invoice, const char *what)
{
    const QByteArray xml = einvoice::ciiXml(invoice);
    EXPECT_EQ(QString::fromUtf8(einvoice::ciiXml(einvoice::readCii(xml))), QString::fromUtf8(xml)) << what;
}

} // namespace

TEST(CiiReader, WritesTheSameDocumentAgain)
{
    for (Profile p : {Profile::FacturX, Profile::XRechnung}) {
        expectRoundTrip(samples::example(p), "the example");
        expectRoundTrip(samples::thirtyLinesWithoutVat(p), "30 lines without VAT");
    }

    einvoice::Invoice person = samples::example(Profile::FacturX);
    person.buyer.company.clear();
    person.buyer.email.clear();
    person.species.clear();
    person.terms = {0, 0, 3.5};
    person.levyRate = 0;
    expectRoundTrip(person, "a private buyer, no species, cash discount without days, no due days");

    einvoice::Invoice incomplete; // a print without any master data
    incomplete.number = QStringLiteral("7");
    incomplete.lines = {{QStringLiteral("Cgw"), QStringLiteral("1b1"), 0.5, 10.25, 5.13}};
    expectRoundTrip(incomplete, "no dates, parties or bank");

    einvoice::Invoice foreignLand = samples::example(Profile::FacturX);
    foreignLand.buyer.country = QStringLiteral("XY");
    expectRoundTrip(foreignLand, "a LAND that names no country stays without a country");

    expectRoundTrip(einvoice::cancellationOf(samples::example(Profile::XRechnung), QStringLiteral("2024/17-S"), QDate(2024, 12, 2)),
                    "a cancellation");

    einvoice::Invoice flatRate = samples::example(Profile::FacturX);
    flatRate.seller.averageRate = true;
    flatRate.seller.salesTerms = QStringLiteral("Es gelten unsere Bedingungen.");
    expectRoundTrip(flatRate, "the flat rate and the sales terms");
    const einvoice::Invoice read = einvoice::readCii(einvoice::ciiXml(flatRate));
    EXPECT_TRUE(read.seller.averageRate);
    EXPECT_EQ(read.seller.salesTerms, flatRate.seller.salesTerms);
    EXPECT_DOUBLE_EQ(read.levyRate, 0.2);
}

TEST(CiiReader, GivesTheInvoiceThePrintoutNeeds)
{
    const einvoice::Invoice original = samples::example(Profile::XRechnung);
    const einvoice::Invoice read = einvoice::readCii(einvoice::ciiXml(original));
    EXPECT_EQ(read.profile, Profile::XRechnung);
    EXPECT_EQ(read.number, original.number);
    EXPECT_EQ(read.invoiceDate, original.invoiceDate);
    EXPECT_EQ(read.deliveryDate, original.deliveryDate);
    EXPECT_EQ(read.species, "Fichte");
    ASSERT_EQ(read.lines.size(), 1u);
    EXPECT_EQ(read.lines[0].qualityClass, "B");
    EXPECT_EQ(read.lines[0].diameterClass, "2a");
    EXPECT_DOUBLE_EQ(read.lines[0].volume, 10.0);
    EXPECT_DOUBLE_EQ(read.lines[0].price, 50.0);
    EXPECT_DOUBLE_EQ(read.lines[0].amount, 500.0);
    EXPECT_DOUBLE_EQ(read.vatRate, 16);
    EXPECT_DOUBLE_EQ(read.levyRate, 0.2);
    EXPECT_EQ(read.terms.netDays, 14);
    EXPECT_EQ(read.terms.cashDiscountDays, 10);
    EXPECT_DOUBLE_EQ(read.terms.cashDiscountPercent, 2);
    EXPECT_EQ(read.seller.displayName(), original.seller.company);
    EXPECT_EQ(read.seller.iban, "DE89370400440532013000");
    EXPECT_EQ(read.buyer.displayName(), QString::fromUtf8("Sägewerk Eiche"));
    EXPECT_EQ(read.buyer.personName(), "Anna Holz");
    EXPECT_EQ(read.buyer.country, "DE") << "the document holds the ISO code of the legacy \"D\"";
    EXPECT_EQ(read.buyer.buyerReference, original.buyer.buyerReference);

    const einvoice::Totals totals = einvoice::invoiceTotals(read);
    EXPECT_EQ(totals.gross, 58000);
    EXPECT_EQ(totals.cashDiscount, 1160);
}

TEST(CiiReader, RefusesWhatIsNoInvoiceOfOurs)
{
    for (const char *xml : {"", "<html><body/></html>", "<rsm:CrossIndustryInvoice xmlns:rsm=\"x\"><unclosed>",
                            "not xml at all"}) {
        EXPECT_THROW(einvoice::readCii(QByteArray(xml)), einvoice::EInvoiceError) << xml;
    }
    QByteArray foreignLine = einvoice::ciiXml(samples::example(Profile::FacturX));
    foreignLine.replace("Fichte Stammholz GK B", "Brennholz");
    EXPECT_THROW(einvoice::readCii(foreignLine), einvoice::EInvoiceError);
}
