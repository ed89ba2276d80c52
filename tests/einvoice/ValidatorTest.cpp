// The official validators accept every e-invoice Dorv writes: XRechnung XML and ZUGFeRD PDF,
// for the simple example, for 30 lines without VAT, for a seller at the flat rate of § 24 UStG,
// and for the cancellation of an invoice (a credit note). They run only where the validators are
// installed beside the repository; each document is checked once (the validator is slow).
#include "einvoice/CiiWriter.h"
#include "einvoice/PdfPages.h"
#include "einvoice/ZugferdPdf.h"
#include "export/FileOutput.h"

#include "InvoicePrintout.h"
#include "SampleInvoices.h"
#include "support/EInvoiceValidator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Validator : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const QString reason = einvoicevalidator::unavailableReason(); !reason.isEmpty())
            GTEST_SKIP() << reason.toStdString();
    }

    // Writes the documents, then runs the validator on each; every one must pass.
    void expectAccepted(const std::vector<std::pair<QString, QByteArray>> &documents, bool xrechnung)
    {
        for (const auto &[name, bytes] : documents) {
            const QString path = m_dir.filePath(name);
            exporting::writeWholeFile(path, bytes);
            const QString rejection = einvoicevalidator::rejection(path, xrechnung);
            EXPECT_TRUE(rejection.isEmpty()) << name.toStdString() << ":\n" << rejection.toStdString();
        }
    }

    static QByteArray hybridPdf(const einvoice::Invoice &inv)
    {
        const InvoicePrintout printout(inv);
        const QString title = QStringLiteral("Rechnung ") + inv.number;
        return einvoice::zugferdPdf(einvoice::pdfA1b(printout.pdfPages(), title), einvoice::ciiXml(inv),
                                    {title, QStringLiteral("Dorv"), QStringLiteral("Dorv"), QDateTime::currentDateTime()});
    }

    QTemporaryDir m_dir;
};

// A forester at the flat rate of § 24 UStG, who states sales terms and pays no levy.
einvoice::Invoice flatRate(einvoice::Profile profile)
{
    einvoice::Invoice inv = samples::example(profile);
    inv.number = QStringLiteral("2024/18");
    inv.vatRate = 5.5;
    inv.levyRate = 0;
    inv.seller.averageRate = true;
    inv.seller.salesTerms = QString::fromUtf8("Es gelten die Verkaufsbedingungen des Forstbetriebs.");
    return inv;
}

einvoice::Invoice cancellation(einvoice::Profile profile)
{
    return einvoice::cancellationOf(samples::example(profile), QStringLiteral("2024/17-S"), QDate(2024, 12, 2));
}

} // namespace

TEST_F(Validator, XRechnungPassesEN16931AndTheXRechnungRules)
{
    using einvoice::Profile;
    expectAccepted({{QStringLiteral("Beispiel.xml"), einvoice::ciiXml(samples::example(Profile::XRechnung))},
                    {QStringLiteral("Dreissig.xml"), einvoice::ciiXml(samples::thirtyLinesWithoutVat(Profile::XRechnung))},
                    {QStringLiteral("Storno.xml"), einvoice::ciiXml(cancellation(Profile::XRechnung))},
                    {QStringLiteral("Durchschnittssatz.xml"), einvoice::ciiXml(flatRate(Profile::XRechnung))}},
                   true);
}

TEST_F(Validator, ZugferdPdfPassesEN16931AndTheHybridChecks)
{
    using einvoice::Profile;
    expectAccepted({{QStringLiteral("Beispiel.pdf"), hybridPdf(samples::example(Profile::FacturX))},
                    {QStringLiteral("Dreissig.pdf"), hybridPdf(samples::thirtyLinesWithoutVat(Profile::FacturX))},
                    {QStringLiteral("Storno.pdf"), hybridPdf(cancellation(Profile::FacturX))},
                    {QStringLiteral("Durchschnittssatz.pdf"), hybridPdf(flatRate(Profile::FacturX))}},
                   false);
}
