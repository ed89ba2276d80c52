// The invoice page as the program draws it, compared with its golden files: an invoice with
// everything its e-invoice says, its cancellation, and a seller at the flat rate.
#include "einvoice/Invoice.h"

#include "InvoicePrintout.h"
#include "SampleInvoices.h"
#include "report/Golden.h"

#include <gtest/gtest.h>

namespace {

einvoice::Invoice example()
{
    einvoice::Invoice inv = samples::example(einvoice::Profile::FacturX);
    inv.seller.bank = QStringLiteral("Sparkasse Hochsauerland");
    inv.buyer.supplierNumber = QStringLiteral("L-4711");
    return inv;
}

} // namespace

TEST(InvoicePage, MatchesItsGoldenFiles)
{
    EXPECT_TRUE(matchesGolden(InvoicePrintout(example()).dump(), "Rechnung-Beispiel.txt"));
    EXPECT_TRUE(matchesGolden(InvoicePrintout(einvoice::cancellationOf(example(), QStringLiteral("2024/17-S"), QDate(2024, 12, 2))).dump(),
                              "Rechnung-Storno.txt"));

    einvoice::Invoice flatRate = example();
    flatRate.vatRate = 5.5;
    flatRate.levyRate = 0;
    flatRate.seller.averageRate = true;
    flatRate.seller.salesTerms = QString::fromUtf8("Es gelten die Verkaufs- und Zahlungsbedingungen des Forstbetriebs Muster.");
    EXPECT_TRUE(matchesGolden(InvoicePrintout(flatRate).dump(), "Rechnung-Durchschnittssatz.txt"));
}
