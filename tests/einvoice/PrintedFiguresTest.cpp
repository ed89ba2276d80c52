// Every amount of the e-invoice is the amount the printed invoice shows.
#include "einvoice/CiiWriter.h"
#include "einvoice/InvoiceTexts.h"
#include "einvoice/Totals.h"

#include "InvoicePrintout.h"
#include "SampleInvoices.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

values::Cents xmlCents(const QByteArray &xml, const char *element)
{
    const QString text = samples::value(xml, QString::fromLatin1(element));
    const qsizetype point = text.indexOf(u'.');
    EXPECT_EQ(point, text.size() - 3) << element << " has two decimals: " << text.toStdString();
    return QString(text).remove(u'.').toLongLong();
}

// Lines of odd volumes (four decimals) and prices (cents), with the rates users type.
einvoice::Invoice randomInvoice(QRandomGenerator &random)
{
    einvoice::Invoice inv = samples::example(einvoice::Profile::XRechnung);
    static const double vatRates[] = {16, 19, 7, 5.5, 10.7, 0};
    static const double discounts[] = {2, 3, 1.5, 2.25};
    inv.vatRate = vatRates[random.bounded(6)];
    inv.levyRate = random.bounded(2) ? 0.2 : 0.35;
    inv.terms = {14, 10, discounts[random.bounded(4)]};
    inv.lines.clear();
    const int count = 1 + random.bounded(40);
    for (int i = 0; i < count; ++i) {
        const double volume = random.bounded(1, 2000000) / 10000.0;
        const double price = random.bounded(500, 25000) / 100.0;
        inv.lines.push_back({QStringLiteral("B"), QStringLiteral("2a"), volume, price, samples::lineAmount(volume, price)});
    }
    return inv;
}

} // namespace

TEST(PrintedFigures, TheExampleAsPrintedAndAsWritten)
{
    const einvoice::Invoice inv = samples::example(einvoice::Profile::XRechnung);
    const InvoicePrintout printout(inv);
    const InvoicePrintout::Figures printed = printout.figures();
    const einvoice::Totals t = einvoice::invoiceTotals(inv);
    EXPECT_EQ(printed.net, 50000);
    EXPECT_EQ(printed.vat, 8000);
    EXPECT_EQ(printed.gross, 58000);
    EXPECT_EQ(printed.cashDiscount, 1160);
    EXPECT_EQ(printed.afterCashDiscount, 56840);
    EXPECT_EQ(t.net, printed.net);
    EXPECT_EQ(t.vat, printed.vat);
    EXPECT_EQ(t.gross, printed.gross);
    EXPECT_EQ(t.cashDiscount, printed.cashDiscount);
    EXPECT_EQ(t.afterCashDiscount, printed.afterCashDiscount);
    EXPECT_EQ(t.levy, 100);
    EXPECT_EQ(printed.levySentence, einvoice::levySentence(inv.levyRate, t.levy));
    EXPECT_EQ(printed.levySentence, QStringLiteral("Vom Nettobetrag sind 0,20 % FA = 1,00  EUR abzuziehen und vom Holzkäufer abzuführen"));
}

TEST(PrintedFigures, ManyLinesAndOddPricesAgreeToTheCent)
{
    QRandomGenerator random(20241108);
    for (int n = 0; n < 50; ++n) {
        const einvoice::Invoice inv = randomInvoice(random);
        const InvoicePrintout::Figures printed = InvoicePrintout(inv).figures();
        const QByteArray xml = einvoice::ciiXml(inv);
        const einvoice::Totals t = einvoice::invoiceTotals(inv);
        SCOPED_TRACE(testing::Message() << "invoice " << n << ": " << inv.lines.size() << " lines, VAT " << inv.vatRate);
        ASSERT_EQ(printed.net, xmlCents(xml, "SpecifiedTradeSettlementHeaderMonetarySummation/LineTotalAmount"));
        EXPECT_EQ(printed.net, xmlCents(xml, "TaxBasisTotalAmount"));
        EXPECT_EQ(printed.vat, xmlCents(xml, "TaxTotalAmount"));
        EXPECT_EQ(printed.vat, xmlCents(xml, "ApplicableHeaderTradeSettlement/ApplicableTradeTax/CalculatedAmount"));
        EXPECT_EQ(printed.gross, xmlCents(xml, "GrandTotalAmount"));
        EXPECT_EQ(printed.gross, xmlCents(xml, "DuePayableAmount"));
        EXPECT_EQ(printed.cashDiscount, t.cashDiscount);
        // The amount after cash discount is in no e-invoice field; on paper it is what it says.
        ASSERT_TRUE(printed.cashDiscount && printed.afterCashDiscount);
        EXPECT_EQ(*printed.afterCashDiscount, printed.gross - *printed.cashDiscount);
        EXPECT_EQ(printed.levySentence, samples::value(xml, "ExchangedDocument/IncludedNote/Content"));
    }
}

TEST(PrintedFigures, HalfCentsAfterManyLines)
{
    // Ten lines of 10,05 EUR make 100,50 EUR; 19 % of it is 19,095 EUR, so 19,10 EUR VAT and
    // 119,60 EUR to pay. Thirty lines of 3,35 EUR make the same net amount.
    for (const auto &[count, price] : {std::pair{10, 10.05}, std::pair{30, 3.35}}) {
        einvoice::Invoice inv = samples::example(einvoice::Profile::XRechnung);
        inv.vatRate = 19;
        inv.lines.assign(static_cast<size_t>(count), {QStringLiteral("B"), QStringLiteral("2a"), 1.0, price, price});
        const einvoice::Totals t = einvoice::invoiceTotals(inv);
        EXPECT_EQ(t.net, 10050);
        EXPECT_EQ(t.vat, 1910);
        EXPECT_EQ(t.gross, 11960);
        const InvoicePrintout::Figures printed = InvoicePrintout(inv).figures();
        SCOPED_TRACE(testing::Message() << count << " lines of " << price);
        EXPECT_EQ(printed.net, t.net);
        EXPECT_EQ(printed.vat, t.vat);
        EXPECT_EQ(printed.gross, t.gross);
    }
}

TEST(PrintedFigures, ACancellationPrintsTheFiguresOfItsCreditNote)
{
    const einvoice::Invoice storno =
        einvoice::cancellationOf(samples::example(einvoice::Profile::FacturX), QStringLiteral("2024/17-S"), QDate(2024, 12, 2));
    const InvoicePrintout::Figures printed = InvoicePrintout(storno).figures();
    const QByteArray xml = einvoice::ciiXml(storno);
    EXPECT_EQ(std::tuple(printed.net, printed.vat, printed.gross), std::tuple(50000LL, 8000LL, 58000LL));
    EXPECT_EQ(samples::value(xml, "TaxBasisTotalAmount"), "500.00");
    EXPECT_EQ(samples::value(xml, "TaxTotalAmount"), "80.00");
    EXPECT_EQ(samples::value(xml, "DuePayableAmount"), "580.00");
    EXPECT_FALSE(printed.cashDiscount) << "no cash discount items";
}
