// The official validators accept every e-invoice Dorv writes: XRechnung XML and ZUGFeRD PDF,
// for the simple example and for 30 lines without VAT. They run only where the validators are
// installed beside the repository; each document is checked once (the validator is slow).
#include "einvoice/CiiWriter.h"
#include "einvoice/Files.h"
#include "einvoice/PdfPages.h"
#include "einvoice/ZugferdPdf.h"

#include "InvoicePrintout.h"
#include "SampleInvoices.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString validator = QStringLiteral(DORV_SHARED_DIR "/validators/validate-einvoice");

class Validator : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFileInfo(validator).isExecutable())
            GTEST_SKIP() << "No validators at " << validator.toStdString() << ": the e-invoices were not checked against the official rules";
    }

    // Writes the documents, then runs the validator on each; every one must pass.
    void expectAccepted(const std::vector<std::pair<QString, QByteArray>> &documents, bool xrechnung)
    {
        for (const auto &[name, bytes] : documents) {
            const QString path = m_dir.filePath(name);
            einvoice::saveFile(path, bytes);
            QProcess run;
            run.setProcessChannelMode(QProcess::MergedChannels);
            run.start(validator, xrechnung ? QStringList{QStringLiteral("--xrechnung"), path} : QStringList{path});
            ASSERT_TRUE(run.waitForFinished(300000)) << name.toStdString();
            EXPECT_EQ(run.exitCode(), 0) << name.toStdString() << ":\n" << run.readAll().toStdString();
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

} // namespace

TEST_F(Validator, XRechnungPassesEN16931AndTheXRechnungRules)
{
    using einvoice::Profile;
    expectAccepted({{QStringLiteral("Beispiel.xml"), einvoice::ciiXml(samples::example(Profile::XRechnung))},
                    {QStringLiteral("Dreissig.xml"), einvoice::ciiXml(samples::thirtyLinesWithoutVat(Profile::XRechnung))}},
                   true);
}

TEST_F(Validator, ZugferdPdfPassesEN16931AndTheHybridChecks)
{
    using einvoice::Profile;
    expectAccepted({{QStringLiteral("Beispiel.pdf"), hybridPdf(samples::example(Profile::FacturX))},
                    {QStringLiteral("Dreissig.pdf"), hybridPdf(samples::thirtyLinesWithoutVat(Profile::FacturX))}},
                   false);
}
