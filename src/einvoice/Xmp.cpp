#include "einvoice/Xmp.h"

#include <QXmlStreamWriter>

#include <cstdlib>

namespace einvoice {

namespace {

const QString rdfNs = QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#");
const QString fxNs = QStringLiteral("urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#");
const QString pdfaSchemaNs = QStringLiteral("http://www.aiim.org/pdfa/ns/schema#");
const QString pdfaPropertyNs = QStringLiteral("http://www.aiim.org/pdfa/ns/property#");

// The moment with its offset from UTC kept, to the second.
QDateTime withOffset(const QDateTime &moment)
{
    const QDateTime m = moment.isValid() ? moment : QDateTime::currentDateTime();
    QDateTime seconds = m.toOffsetFromUtc(m.offsetFromUtc());
    seconds.setTime(QTime(seconds.time().hour(), seconds.time().minute(), seconds.time().second()));
    return seconds;
}

class Xmp
{
public:
    explicit Xmp(QByteArray &out) : m_xml(&out) { m_xml.setAutoFormatting(true); }

    void write(const DocumentInfo &info)
    {
        m_xml.writeProcessingInstruction(QStringLiteral("xpacket"), QStringLiteral("begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\""));
        m_xml.writeNamespace(QStringLiteral("adobe:ns:meta/"), QStringLiteral("x"));
        m_xml.writeNamespace(rdfNs, QStringLiteral("rdf"));
        m_xml.writeStartElement(QStringLiteral("adobe:ns:meta/"), QStringLiteral("xmpmeta"));
        m_xml.writeStartElement(rdfNs, QStringLiteral("RDF"));

        description(QStringLiteral("http://www.aiim.org/pdfa/ns/id/"), QStringLiteral("pdfaid"));
        m_xml.writeTextElement(QStringLiteral("http://www.aiim.org/pdfa/ns/id/"), QStringLiteral("part"), QStringLiteral("3"));
        m_xml.writeTextElement(QStringLiteral("http://www.aiim.org/pdfa/ns/id/"), QStringLiteral("conformance"), QStringLiteral("B"));
        m_xml.writeEndElement();

        const QString dc = QStringLiteral("http://purl.org/dc/elements/1.1/");
        description(dc, QStringLiteral("dc"));
        m_xml.writeStartElement(dc, QStringLiteral("title"));
        m_xml.writeStartElement(rdfNs, QStringLiteral("Alt"));
        m_xml.writeStartElement(rdfNs, QStringLiteral("li"));
        m_xml.writeAttribute(QStringLiteral("xml:lang"), QStringLiteral("x-default"));
        m_xml.writeCharacters(info.title);
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndElement();

        const QString xmp = QStringLiteral("http://ns.adobe.com/xap/1.0/");
        const QString date = xmpDate(info.created);
        description(xmp, QStringLiteral("xmp"));
        m_xml.writeTextElement(xmp, QStringLiteral("CreatorTool"), info.creatorTool);
        m_xml.writeTextElement(xmp, QStringLiteral("CreateDate"), date);
        m_xml.writeTextElement(xmp, QStringLiteral("ModifyDate"), date);
        m_xml.writeTextElement(xmp, QStringLiteral("MetadataDate"), date);
        m_xml.writeEndElement();

        const QString pdf = QStringLiteral("http://ns.adobe.com/pdf/1.3/");
        description(pdf, QStringLiteral("pdf"));
        m_xml.writeTextElement(pdf, QStringLiteral("Producer"), info.producer);
        m_xml.writeEndElement();

        extensionSchema();

        description(fxNs, QStringLiteral("fx"));
        m_xml.writeTextElement(fxNs, QStringLiteral("DocumentType"), QStringLiteral("INVOICE"));
        m_xml.writeTextElement(fxNs, QStringLiteral("DocumentFileName"), QStringLiteral("factur-x.xml"));
        m_xml.writeTextElement(fxNs, QStringLiteral("Version"), QStringLiteral("1.0"));
        m_xml.writeTextElement(fxNs, QStringLiteral("ConformanceLevel"), QStringLiteral("EN 16931"));
        m_xml.writeEndElement();

        m_xml.writeEndElement(); // RDF
        m_xml.writeEndElement(); // xmpmeta
        m_xml.writeProcessingInstruction(QStringLiteral("xpacket"), QStringLiteral("end=\"w\""));
    }

private:
    // An rdf:Description about the document, declaring one namespace.
    void description(const QString &ns, const QString &prefix)
    {
        m_xml.writeStartElement(rdfNs, QStringLiteral("Description"));
        m_xml.writeNamespace(ns, prefix);
        m_xml.writeAttribute(rdfNs, QStringLiteral("about"), QString());
    }

    void resourceItem()
    {
        m_xml.writeStartElement(rdfNs, QStringLiteral("li"));
        m_xml.writeAttribute(rdfNs, QStringLiteral("parseType"), QStringLiteral("Resource"));
    }

    void property(const QString &name, const QString &meaning)
    {
        resourceItem();
        m_xml.writeTextElement(pdfaPropertyNs, QStringLiteral("name"), name);
        m_xml.writeTextElement(pdfaPropertyNs, QStringLiteral("valueType"), QStringLiteral("Text"));
        m_xml.writeTextElement(pdfaPropertyNs, QStringLiteral("category"), QStringLiteral("external"));
        m_xml.writeTextElement(pdfaPropertyNs, QStringLiteral("description"), meaning);
        m_xml.writeEndElement();
    }

    // PDF/A admits the fx: properties only when the document describes their schema.
    void extensionSchema()
    {
        const QString ext = QStringLiteral("http://www.aiim.org/pdfa/ns/extension/");
        description(ext, QStringLiteral("pdfaExtension"));
        m_xml.writeNamespace(pdfaSchemaNs, QStringLiteral("pdfaSchema"));
        m_xml.writeNamespace(pdfaPropertyNs, QStringLiteral("pdfaProperty"));
        m_xml.writeStartElement(ext, QStringLiteral("schemas"));
        m_xml.writeStartElement(rdfNs, QStringLiteral("Bag"));
        resourceItem();
        m_xml.writeTextElement(pdfaSchemaNs, QStringLiteral("schema"), QStringLiteral("Factur-X PDFA Extension Schema"));
        m_xml.writeTextElement(pdfaSchemaNs, QStringLiteral("namespaceURI"), fxNs);
        m_xml.writeTextElement(pdfaSchemaNs, QStringLiteral("prefix"), QStringLiteral("fx"));
        m_xml.writeStartElement(pdfaSchemaNs, QStringLiteral("property"));
        m_xml.writeStartElement(rdfNs, QStringLiteral("Seq"));
        property(QStringLiteral("DocumentFileName"), QStringLiteral("The name of the embedded XML document"));
        property(QStringLiteral("DocumentType"), QStringLiteral("The type of the hybrid document in capital letters, e.g. INVOICE or ORDER"));
        property(QStringLiteral("Version"), QStringLiteral("The actual version of the standard applying to the embedded XML document"));
        property(QStringLiteral("ConformanceLevel"), QStringLiteral("The conformance level of the embedded XML document"));
        m_xml.writeEndElement(); // Seq
        m_xml.writeEndElement(); // property
        m_xml.writeEndElement(); // li
        m_xml.writeEndElement(); // Bag
        m_xml.writeEndElement(); // schemas
        m_xml.writeEndElement(); // Description
    }

    QXmlStreamWriter m_xml;
};

} // namespace

QByteArray facturXXmp(const DocumentInfo &info)
{
    QByteArray out;
    Xmp(out).write(info);
    return out;
}

QString xmpDate(const QDateTime &moment)
{
    return withOffset(moment).toString(Qt::ISODate);
}

QString pdfDate(const QDateTime &moment)
{
    const QDateTime m = withOffset(moment);
    const int offset = m.offsetFromUtc() / 60;
    const QString zone = offset == 0 ? QStringLiteral("Z")
                                     : QStringLiteral("%1%2'%3'")
                                           .arg(offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
                                           .arg(std::abs(offset) / 60, 2, 10, QLatin1Char('0'))
                                           .arg(std::abs(offset) % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("D:") + m.toString(QStringLiteral("yyyyMMddHHmmss")) + zone;
}

} // namespace einvoice
