// The ZUGFeRD PDF: the printed invoice's pages as PDF/A-3b with the invoice XML inside.
#include "einvoice/CiiWriter.h"
#include "einvoice/EInvoiceError.h"
#include "einvoice/PdfPages.h"
#include "einvoice/ZugferdPdf.h"

#include "InvoicePrintout.h"
#include "SampleInvoices.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <gtest/gtest.h>

namespace {

std::string streamText(QPDFObjectHandle stream)
{
    const auto data = stream.getStreamData();
    return std::string(reinterpret_cast<const char *>(data->getBuffer()), data->getSize());
}

const QDateTime written(QDate(2024, 11, 8), QTime(10, 15, 30), Qt::OffsetFromUTC, 3600);

} // namespace

TEST(HybridPdf, PagesXmlAndMetadataOfAFacturXInvoice)
{
    const einvoice::Invoice inv = samples::thirtyLinesWithoutVat(einvoice::Profile::FacturX);
    const InvoicePrintout printout(inv);
    ASSERT_EQ(printout.pages().size(), 2u) << "30 lines run onto a second page";
    const QByteArray xml = einvoice::ciiXml(inv);
    const QByteArray bytes = einvoice::zugferdPdf(einvoice::pdfA1b(printout.pdfPages(), QStringLiteral("Rechnung R-0815")), xml,
                                                  {QStringLiteral("Rechnung R-0815"), QStringLiteral("Dorv"), QStringLiteral("Dorv"), written});
    ASSERT_TRUE(bytes.startsWith("%PDF-1.7"));

    QPDF pdf;
    pdf.processMemoryFile("hybrid.pdf", bytes.constData(), static_cast<size_t>(bytes.size()));
    EXPECT_EQ(QPDFPageDocumentHelper(pdf).getAllPages().size(), 2u);

    // The XML, embedded as factur-x.xml, also listed in the catalog's /AF.
    QPDFEmbeddedFileDocumentHelper files(pdf);
    const auto attachment = files.getEmbeddedFile("factur-x.xml");
    ASSERT_TRUE(attachment);
    EXPECT_EQ(attachment->getObjectHandle().getKey("/AFRelationship").getName(), "/Alternative");
    QPDFEFStreamObjectHelper stream(attachment->getEmbeddedFileStream());
    EXPECT_EQ(stream.getSubtype(), "text/xml");
    EXPECT_EQ(stream.getModDate(), "D:20241108101530+01'00'");
    EXPECT_EQ(streamText(stream.getObjectHandle()), xml.toStdString());
    QPDFObjectHandle root = pdf.getRoot();
    ASSERT_TRUE(root.getKey("/AF").isArray());
    EXPECT_EQ(root.getKey("/AF").getArrayItem(0).getObjGen(), attachment->getObjectHandle().getObjGen());
    EXPECT_TRUE(root.getKey("/OutputIntents").isArray()) << "sRGB output intent kept";

    // XMP: PDF/A-3b and the Factur-X schema, dated as the document information.
    const std::string xmp = streamText(root.getKey("/Metadata"));
    for (const char *part : {"<pdfaid:part>3</pdfaid:part>", "<pdfaid:conformance>B</pdfaid:conformance>",
                             "<fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>", "<fx:DocumentFileName>factur-x.xml</fx:DocumentFileName>",
                             "<fx:DocumentType>INVOICE</fx:DocumentType>", "<fx:Version>1.0</fx:Version>",
                             "<pdfaSchema:namespaceURI>urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#</pdfaSchema:namespaceURI>",
                             "<xmp:CreateDate>2024-11-08T10:15:30+01:00</xmp:CreateDate>", "Rechnung R-0815"})
        EXPECT_NE(xmp.find(part), std::string::npos) << part;
    EXPECT_FALSE(root.getKey("/Metadata").getDict().hasKey("/Filter")) << "metadata stays readable";
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    EXPECT_EQ(info.getKey("/Title").getUTF8Value(), "Rechnung R-0815");
    EXPECT_EQ(info.getKey("/CreationDate").getUTF8Value(), "D:20241108101530+01'00'");

    // Every font the pages use is embedded.
    int fonts = 0;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        for (auto &[name, font] : page.getObjectHandle().getKey("/Resources").getKey("/Font").ditems()) {
            QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
            if (font.getKey("/DescendantFonts").isArray())
                descriptor = font.getKey("/DescendantFonts").getArrayItem(0).getKey("/FontDescriptor");
            ++fonts;
            EXPECT_TRUE(descriptor.hasKey("/FontFile2") || descriptor.hasKey("/FontFile3") || descriptor.hasKey("/FontFile")) << name;
        }
    }
    EXPECT_GT(fonts, 0);
}

TEST(HybridPdf, PagesThatAreNoPdfGiveAClearMessage)
{
    try {
        einvoice::zugferdPdf("no pdf at all", "<x/>", {});
        FAIL() << "no error";
    } catch (const einvoice::EInvoiceError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Die ZUGFeRD-PDF konnte nicht erzeugt werden: "))) << e.message().toStdString();
    }
    EXPECT_THROW(einvoice::pdfA1b({}, QString()), einvoice::EInvoiceError);
}
