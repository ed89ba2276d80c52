#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

class QIODevice;

namespace harvester {

// A quick reader of the plain XML harvesters write: UTF-8, no document type, no CDATA section,
// no entity but the five of XML and character references, no processing instruction but the
// XML declaration. It reads the device in blocks, never holding the whole file, and offers the
// few calls of QXmlStreamReader the production reader needs, with their meaning.
//
// It never guesses: whatever it would not read exactly as QXmlStreamReader does, every fault of
// the file included, ends it with XmlScanner::Unsupported, and the caller reads the file again
// with QXmlStreamReader, which also words the messages. A file it reads to the end is one
// QXmlStreamReader reads without error, to the same names, attributes and texts.
class XmlScanner
{
public:
    struct Unsupported
    {
    };

    explicit XmlScanner(QIODevice &device);

    // Reads to the start tag of the root element; false when the file ends before one.
    bool readRoot();
    // True at the start tag of the current element's next child; false at its end tag.
    bool readNextStartElement();
    // Reads to the end tag of the current element.
    void skipCurrentElement();
    // The text of the current element with its child elements left out; reads to its end tag.
    // Valid until the next call.
    QStringView readElementText();
    // After the root's end tag: the rest may hold only blanks and comments.
    void readToEnd();

    // The current element's local name and namespace.
    QStringView name() const { return m_name; }
    QStringView namespaceUri() const { return m_namespaceUri; }
    // The same as a string that shares its text with every later element of that namespace, so
    // that comparing it with them is quick.
    QString namespaceString() const { return m_namespaceUri; }
    // The value of the current start tag's attribute of that qualified name, empty when it has
    // none. Valid until the next call.
    QStringView attribute(QLatin1StringView qualifiedName);

private:
    enum class Token { StartElement, EndElement, EndOfFile };
    struct Attribute
    {
        qsizetype name;
        qsizetype nameSize;
        qsizetype value;
        qsizetype valueSize;
    };
    struct Binding
    {
        std::string prefix;
        QString uri;
        std::size_t depth;
    };

    unsigned char at(qsizetype i)
    {
        if (i < m_buffer.size()) [[likely]]
            return static_cast<unsigned char>(m_buffer.constData()[i]);
        return refill(i);
    }
    unsigned char refill(qsizetype i);
    void dropConsumed();

    Token next(QString *text);
    void readText(QString *text);
    qsizetype characterReference(qsizetype i, QString *text);
    qsizetype validUtf8(qsizetype i);
    void skipComment();
    void readStartTag();
    void readEndTag();
    qsizetype nameEnd(qsizetype i, qsizetype *colon);
    qsizetype skipBlanks(qsizetype i);
    void resolveNamespaces(qsizetype nameStart, qsizetype colon);
    const QString *boundUri(const char *prefix, qsizetype size) const;
    void closeElement();
    void readDeclaration();

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;

    std::string m_openNames;              // the qualified names of the open elements, one after the other
    std::vector<std::size_t> m_openStarts; // where each begins in m_openNames
    std::vector<Binding> m_bindings;
    bool m_pendingEnd = false; // an empty-element tag: its end is the next token
    bool m_rootRead = false;

    QString m_name;
    QString m_namespaceUri;
    std::vector<Attribute> m_attributes;
    QString m_value;
    QString m_text;
};

} // namespace harvester
