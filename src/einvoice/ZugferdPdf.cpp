#include "einvoice/ZugferdPdf.h"

#include "einvoice/EInvoiceError.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <string>

namespace einvoice {

namespace {

const std::string attachmentName = "factur-x.xml";

std::string utf8(const QString &s)
{
    return s.toStdString();
}

// The invoice XML as an embedded file, its file entry attached to the document.
QPDFObjectHandle attachXml(QPDF &pdf, const QByteArray &xml, const std::string &date)
{
    auto stream = QPDFEFStreamObjectHelper::createEFStream(pdf, std::string(xml.constData(), static_cast<size_t>(xml.size())));
    stream.setSubtype("text/xml").setCreationDate(date).setModDate(date);
    auto attachment = QPDFFileSpecObjectHelper::createFileSpec(pdf, attachmentName, stream);
    attachment.setDescription("Factur-X Invoice");
    QPDFObjectHandle attachmentObject = attachment.getObjectHandle();
    attachmentObject.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Alternative"));
    QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(attachmentName, attachment);
    return attachmentObject;
}

void replaceMetadata(QPDF &pdf, const DocumentInfo &info)
{
    const QByteArray xmp = facturXXmp(info);
    QPDFObjectHandle metadata = QPDFObjectHandle::newStream(&pdf, std::string(xmp.constData(), static_cast<size_t>(xmp.size())));
    metadata.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    metadata.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
    pdf.getRoot().replaceKey("/Metadata", metadata);

    // The document information says what the XMP says.
    const std::string date = utf8(pdfDate(info.created));
    QPDFObjectHandle docInfo = QPDFObjectHandle::newDictionary();
    docInfo.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(utf8(info.title)));
    docInfo.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(utf8(info.creatorTool)));
    docInfo.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString(utf8(info.producer)));
    docInfo.replaceKey("/CreationDate", QPDFObjectHandle::newString(date));
    docInfo.replaceKey("/ModDate", QPDFObjectHandle::newString(date));
    pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(docInfo));
}

QByteArray convert(const QByteArray &pdfA1b, const QByteArray &ciiXml, const DocumentInfo &info)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("invoice.pdf", pdfA1b.constData(), static_cast<size_t>(pdfA1b.size()));
    QPDFObjectHandle root = pdf.getRoot();
    if (!root.getKey("/OutputIntents").isArray())
        throw EInvoiceError(QStringLiteral("Die Seiten der Rechnung sind kein PDF/A-Dokument (es fehlt das Farbprofil)."));

    QPDFObjectHandle attachment = attachXml(pdf, ciiXml, utf8(pdfDate(info.created)));
    QPDFObjectHandle af = QPDFObjectHandle::newArray();
    af.appendItem(attachment);
    root.replaceKey("/AF", af);
    replaceMetadata(pdf, info);

    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setMinimumPDFVersion("1.7");
    writer.setObjectStreamMode(qpdf_o_disable);
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char *>(buffer->getBuffer()), static_cast<qsizetype>(buffer->getSize()));
}

} // namespace

QByteArray zugferdPdf(const QByteArray &pdfA1b, const QByteArray &ciiXml, const DocumentInfo &info)
{
    try {
        return convert(pdfA1b, ciiXml, info);
    } catch (const EInvoiceError &) {
        throw;
    } catch (const std::exception &e) {
        throw EInvoiceError(QStringLiteral("Die ZUGFeRD-PDF konnte nicht erzeugt werden: ") + QString::fromUtf8(e.what()));
    }
}

} // namespace einvoice
