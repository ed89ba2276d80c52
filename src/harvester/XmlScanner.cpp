#include "harvester/XmlScanner.h"

#include <QIODevice>

#include <array>
#include <cstring>

namespace harvester {

namespace {

// How much is read from the device at once.
constexpr qsizetype BlockSize = 256 * 1024;

// What a byte of text means to the scanner.
enum ByteKind : unsigned char {
    Plain,     // taken as it is
    Markup,    // '<'
    Reference, // '&'
    Bracket,   // ']', which may begin the forbidden "]]>"
    Return,    // '\r', read as a line end
    High,      // the first byte of a multi-byte character
    Forbidden, // a control character, or the end of the file
};

constexpr std::array<ByteKind, 256> byteKinds()
{
    std::array<ByteKind, 256> kinds{};
    for (int c = 0; c < 0x20; ++c)
        kinds[c] = Forbidden;
    kinds['\t'] = Plain;
    kinds['\n'] = Plain;
    kinds['\r'] = Return;
    kinds['<'] = Markup;
    kinds['&'] = Reference;
    kinds[']'] = Bracket;
    for (int c = 0x80; c < 0x100; ++c)
        kinds[c] = High;
    return kinds;
}
constexpr std::array<ByteKind, 256> ByteKinds = byteKinds();

bool isBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The letters of the names the quick reader takes: 1 may begin a name, 2 only follow.
constexpr std::array<unsigned char, 256> nameBytes()
{
    std::array<unsigned char, 256> kinds{};
    for (int c = 'a'; c <= 'z'; ++c)
        kinds[c] = kinds[c - 'a' + 'A'] = 1;
    kinds['_'] = 1;
    for (int c = '0'; c <= '9'; ++c)
        kinds[c] = 2;
    kinds['-'] = kinds['.'] = 2;
    return kinds;
}
constexpr std::array<unsigned char, 256> NameBytes = nameBytes();

bool isNameStart(unsigned char c)
{
    return NameBytes[c] == 1;
}

bool isNameChar(unsigned char c)
{
    return NameBytes[c] != 0;
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

// Appends checked UTF-8; plain ASCII, the usual case, without a string in between.
void appendUtf8(QString &to, const char *bytes, qsizetype size)
{
    for (qsizetype k = 0; k < size; ++k)
        if (static_cast<unsigned char>(bytes[k]) >= 0x80) {
            to.append(QString::fromUtf8(bytes, size));
            return;
        }
    to.append(QLatin1StringView(bytes, size));
}

} // namespace

XmlScanner::XmlScanner(QIODevice &device) : m_device(device)
{
    m_buffer.reserve(BlockSize * 2);
}

// The byte at i, reading on as far as needed; 0 past the end of the file, which every caller
// takes as a fault (a file's own NUL byte is one as well).
unsigned char XmlScanner::refill(qsizetype i)
{
    while (i >= m_buffer.size() && !m_atEnd) {
        const qsizetype had = m_buffer.size();
        m_buffer.resize(had + BlockSize);
        const qint64 got = m_device.read(m_buffer.data() + had, BlockSize);
        if (got < 0)
            throw Unsupported{}; // the full reader words the device's error
        m_buffer.resize(had + got);
        if (got == 0)
            m_atEnd = true;
    }
    return i < m_buffer.size() ? static_cast<unsigned char>(m_buffer.constData()[i]) : 0;
}

// Between two tokens: what was read is let go, so the buffer never grows beyond a few blocks.
// Only near the end of what was read, so that little is moved.
void XmlScanner::dropConsumed()
{
    if (m_pos < BlockSize || m_buffer.size() - m_pos > 4096)
        return;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
}

bool XmlScanner::readRoot()
{
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        m_pos = 3;
    if (at(m_pos) == '<' && at(m_pos + 1) == '?')
        readDeclaration();
    const Token token = next(nullptr);
    m_rootRead = token == Token::StartElement;
    return m_rootRead;
}

// <?xml version="1.0" encoding="UTF-8" standalone="yes"?>, each part in its place; an
// encoding other than UTF-8 is for the full reader.
void XmlScanner::readDeclaration()
{
    const auto expect = [this](qsizetype &i, const char *text) {
        for (; *text; ++text, ++i)
            if (at(i) != static_cast<unsigned char>(*text))
                throw Unsupported{};
    };
    const auto pseudoAttribute = [&](qsizetype &i, const char *name, std::initializer_list<const char *> values) {
        const qsizetype start = i;
        if (!isBlank(at(i)))
            return false;
        i = skipBlanks(i);
        for (const char *c = name; *c; ++c)
            if (at(i + (c - name)) != static_cast<unsigned char>(*c)) {
                i = start;
                return false;
            }
        i = skipBlanks(i + qsizetype(std::strlen(name)));
        expect(i, "=");
        i = skipBlanks(i);
        const unsigned char quote = at(i);
        if (quote != '"' && quote != '\'')
            throw Unsupported{};
        ++i;
        for (const char *value : values) {
            const qsizetype len = qsizetype(std::strlen(value));
            bool same = at(i + len) == quote;
            for (qsizetype k = 0; same && k < len; ++k)
                same = (at(i + k) | 0x20) == (static_cast<unsigned char>(value[k]) | 0x20);
            if (same) {
                i += len + 1;
                return true;
            }
        }
        throw Unsupported{};
    };
    qsizetype i = m_pos;
    expect(i, "<?xml");
    if (!pseudoAttribute(i, "version", {"1.0"}))
        throw Unsupported{};
    pseudoAttribute(i, "encoding", {"UTF-8"});
    pseudoAttribute(i, "standalone", {"yes", "no"});
    i = skipBlanks(i);
    expect(i, "?>");
    m_pos = i;
}

qsizetype XmlScanner::skipBlanks(qsizetype i)
{
    while (isBlank(at(i)))
        ++i;
    return i;
}

XmlScanner::Token XmlScanner::next(QString *text)
{
    if (m_pendingEnd) {
        m_pendingEnd = false;
        closeElement();
        return Token::EndElement;
    }
    m_attributes.clear();
    for (;;) {
        dropConsumed();
        readText(m_openStarts.empty() ? nullptr : text);
        if (at(m_pos) != '<') {
            // The end of the file: only after the root's end tag.
            if (!m_openStarts.empty() || !m_atEnd || m_pos != m_buffer.size())
                throw Unsupported{};
            return Token::EndOfFile;
        }
        const unsigned char second = at(m_pos + 1);
        if (second == '/') {
            readEndTag();
            return Token::EndElement;
        }
        if (second == '!' && at(m_pos + 2) == '-' && at(m_pos + 3) == '-') {
            skipComment();
            continue;
        }
        // A document type, a CDATA section or a processing instruction is for the full reader,
        // as is a second root element.
        if (second == '!' || second == '?' || (m_openStarts.empty() && m_rootRead))
            throw Unsupported{};
        readStartTag();
        return Token::StartElement;
    }
}

// Text up to the next '<' or the end of the file, checked, and its characters appended to
// `text` when given. Outside the root only blanks may stand.
void XmlScanner::readText(QString *text)
{
    const bool outside = m_openStarts.empty();
    qsizetype i = m_pos;
    qsizetype piece = i; // the start of the run not yet appended
    bool pieceHigh = false;
    const auto flush = [&](qsizetype end) {
        if (text && end > piece) {
            const char *bytes = m_buffer.constData() + piece;
            if (pieceHigh)
                text->append(QString::fromUtf8(bytes, end - piece));
            else
                text->append(QLatin1StringView(bytes, end - piece));
        }
        pieceHigh = false;
    };
    for (;;) {
        {
            // The plain run, without a call per byte.
            const auto *bytes = reinterpret_cast<const unsigned char *>(m_buffer.constData());
            const qsizetype size = m_buffer.size();
            if (outside)
                while (i < size && isBlank(bytes[i]))
                    ++i;
            else
                while (i < size && ByteKinds[bytes[i]] == Plain)
                    ++i;
        }
        const unsigned char c = at(i);
        switch (ByteKinds[c]) {
        case Plain:
            if (outside && !isBlank(c))
                throw Unsupported{};
            ++i;
            continue;
        case Markup:
            break;
        case Return:
            flush(i);
            if (text)
                text->append(QLatin1Char('\n'));
            i += at(i + 1) == '\n' ? 2 : 1;
            piece = i;
            continue;
        case Reference:
            if (outside)
                throw Unsupported{};
            flush(i);
            i = characterReference(i, text);
            piece = i;
            continue;
        case Bracket:
            if (outside || (at(i + 1) == ']' && at(i + 2) == '>'))
                throw Unsupported{};
            ++i;
            continue;
        case High:
            if (outside)
                throw Unsupported{};
            pieceHigh = true;
            i = validUtf8(i);
            continue;
        case Forbidden:
            if (c == 0 && m_atEnd && i == m_buffer.size())
                break; // the end of the file
            throw Unsupported{};
        }
        break;
    }
    flush(i);
    m_pos = i;
}

// One of the five entities of XML or a character reference at i; returns what follows it.
qsizetype XmlScanner::characterReference(qsizetype i, QString *text)
{
    qsizetype end = i + 1;
    while (end - i < 12 && at(end) != ';' && at(end) != 0)
        ++end;
    if (at(end) != ';')
        throw Unsupported{};
    const QByteArrayView name(m_buffer.constData() + i + 1, end - i - 1);
    char32_t c = 0;
    if (name == "lt")
        c = '<';
    else if (name == "gt")
        c = '>';
    else if (name == "amp")
        c = '&';
    else if (name == "apos")
        c = '\'';
    else if (name == "quot")
        c = '"';
    else if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x';
        const QByteArrayView digits = name.sliced(hex ? 2 : 1);
        if (digits.isEmpty())
            throw Unsupported{};
        for (const char d : digits) {
            const int v = (d >= '0' && d <= '9') ? d - '0'
                          : hex && (d | 0x20) >= 'a' && (d | 0x20) <= 'f' ? (d | 0x20) - 'a' + 10
                                                                          : -1;
            if (v < 0)
                throw Unsupported{};
            c = c * (hex ? 16 : 10) + char32_t(v);
            if (c > 0x10FFFF)
                throw Unsupported{};
        }
        if (!isXmlChar(c))
            throw Unsupported{};
    } else {
        throw Unsupported{};
    }
    if (text)
        text->append(QStringView(QChar::fromUcs4(c)));
    return end + 1;
}

// A well-formed UTF-8 character of XML at i; returns what follows it.
qsizetype XmlScanner::validUtf8(qsizetype i)
{
    const unsigned char c = at(i);
    int more = 0;
    char32_t value = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        more = 1;
        value = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2;
        value = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3;
        value = c & 0x07;
    } else {
        throw Unsupported{};
    }
    for (int k = 1; k <= more; ++k) {
        const unsigned char next = at(i + k);
        if ((next & 0xC0) != 0x80)
            throw Unsupported{};
        value = (value << 6) | (next & 0x3F);
    }
    const char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (value < least[more] || !isXmlChar(value))
        throw Unsupported{};
    return i + 1 + more;
}

// <!-- ... --> with no "--" inside.
void XmlScanner::skipComment()
{
    qsizetype i = m_pos + 4;
    for (;;) {
        const unsigned char c = at(i);
        if (c == '-' && at(i + 1) == '-') {
            if (at(i + 2) != '>')
                throw Unsupported{};
            m_pos = i + 3;
            return;
        }
        switch (ByteKinds[c]) {
        case High:
            i = validUtf8(i);
            continue;
        case Forbidden:
            throw Unsupported{};
        default:
            ++i;
        }
    }
}

// The end of a name of plain letters starting at i, with at most one colon (set in *colon,
// else -1) that neither begins nor ends it.
qsizetype XmlScanner::nameEnd(qsizetype i, qsizetype *colon)
{
    *colon = -1;
    if (!isNameStart(at(i)))
        throw Unsupported{};
    qsizetype end = i + 1;
    for (;; ++end) {
        const unsigned char c = at(end);
        if (c == ':' && *colon < 0 && isNameStart(at(end + 1))) {
            *colon = end;
            continue;
        }
        if (!isNameChar(c))
            return end;
    }
}

void XmlScanner::readStartTag()
{
    const qsizetype nameStart = m_pos + 1;
    qsizetype colon = -1;
    qsizetype i = nameEnd(nameStart, &colon);
    const qsizetype nameSize = i - nameStart;
    const std::size_t depth = m_openStarts.size() + 1;
    for (;;) {
        const bool blank = isBlank(at(i));
        i = skipBlanks(i);
        const unsigned char c = at(i);
        if (c == '>' || (c == '/' && at(i + 1) == '>')) {
            m_pendingEnd = c == '/';
            m_pos = i + (m_pendingEnd ? 2 : 1);
            break;
        }
        if (!blank)
            throw Unsupported{};
        Attribute attribute{i, 0, 0, 0};
        qsizetype attributeColon = -1;
        i = nameEnd(i, &attributeColon);
        attribute.nameSize = i - attribute.name;
        i = skipBlanks(i);
        if (at(i) != '=')
            throw Unsupported{};
        i = skipBlanks(i + 1);
        const unsigned char quote = at(i);
        if (quote != '"' && quote != '\'')
            throw Unsupported{};
        attribute.value = ++i;
        for (;;) {
            const unsigned char v = at(i);
            if (v == quote)
                break;
            // Blanks other than the space are changed by the full reader, references
            // resolved: both are for it.
            if (v == '<' || v == '&' || v < 0x20)
                throw Unsupported{};
            i = v >= 0x80 ? validUtf8(i) : i + 1;
        }
        attribute.valueSize = i - attribute.value;
        ++i;
        const QByteArrayView name(m_buffer.constData() + attribute.name, attribute.nameSize);
        for (const Attribute &other : m_attributes)
            if (name == QByteArrayView(m_buffer.constData() + other.name, other.nameSize))
                throw Unsupported{};
        if (name == "xmlns" || name.startsWith("xmlns:")) {
            std::string prefix = name == "xmlns" ? std::string() : std::string(name.sliced(6).data(), name.size() - 6);
            const QByteArrayView uri(m_buffer.constData() + attribute.value, attribute.valueSize);
            if (prefix == "xml" || prefix == "xmlns" || (!prefix.empty() && uri.isEmpty()))
                throw Unsupported{};
            m_bindings.push_back({std::move(prefix), QString::fromUtf8(uri), depth});
        }
        m_attributes.push_back(attribute);
    }
    m_openStarts.push_back(m_openNames.size());
    m_openNames.append(m_buffer.constData() + nameStart, std::size_t(nameSize));
    resolveNamespaces(nameStart, colon);
}

// The element's namespace from its prefix, and the prefixes of its attributes checked; the
// attributes' own namespaces are not needed, so two prefixed attributes are for the full reader
// (it checks that they are not one name twice).
void XmlScanner::resolveNamespaces(qsizetype nameStart, qsizetype colon)
{
    const char *bytes = m_buffer.constData();
    const qsizetype nameSize = qsizetype(m_openNames.size() - m_openStarts.back());
    const QString *uri = colon < 0 ? boundUri("", 0) : boundUri(bytes + nameStart, colon - nameStart);
    if (colon >= 0 && (!uri || QByteArrayView(bytes + nameStart, colon - nameStart) == "xml"))
        throw Unsupported{};
    m_namespaceUri = uri ? *uri : QString();
    const qsizetype local = colon < 0 ? nameStart : colon + 1;
    const qsizetype localSize = nameStart + nameSize - local;
    m_name.resize(localSize);
    QChar *out = m_name.data();
    for (qsizetype k = 0; k < localSize; ++k)
        out[k] = QLatin1Char(bytes[local + k]);
    int prefixed = 0;
    for (const Attribute &a : m_attributes) {
        const QByteArrayView name(bytes + a.name, a.nameSize);
        const qsizetype c = name.indexOf(':');
        if (c < 0 || name.startsWith("xmlns:"))
            continue;
        const QByteArrayView prefix = name.first(c);
        if (prefix != "xml" && !boundUri(prefix.data(), prefix.size()))
            throw Unsupported{};
        if (++prefixed > 1)
            throw Unsupported{};
    }
}

// The namespace bound to a prefix ("" the default one); null when none is.
const QString *XmlScanner::boundUri(const char *prefix, qsizetype size) const
{
    for (auto b = m_bindings.rbegin(); b != m_bindings.rend(); ++b)
        if (b->prefix.size() == std::size_t(size) && std::memcmp(b->prefix.data(), prefix, std::size_t(size)) == 0)
            return &b->uri;
    return nullptr;
}

void XmlScanner::readEndTag()
{
    if (m_openStarts.empty())
        throw Unsupported{};
    const std::size_t start = m_openStarts.back();
    const std::size_t size = m_openNames.size() - start;
    const qsizetype nameStart = m_pos + 2;
    at(nameStart + qsizetype(size)); // read as far as the name and the byte after it
    if (nameStart + qsizetype(size) >= m_buffer.size()
        || std::memcmp(m_buffer.constData() + nameStart, m_openNames.data() + start, size) != 0)
        throw Unsupported{};
    const qsizetype i = skipBlanks(nameStart + qsizetype(size));
    if (at(i) != '>')
        throw Unsupported{};
    m_pos = i + 1;
    closeElement();
}

void XmlScanner::closeElement()
{
    const std::size_t depth = m_openStarts.size();
    while (!m_bindings.empty() && m_bindings.back().depth >= depth)
        m_bindings.pop_back();
    m_openNames.resize(m_openStarts.back());
    m_openStarts.pop_back();
}

bool XmlScanner::readNextStartElement()
{
    return next(nullptr) == Token::StartElement;
}

void XmlScanner::skipCurrentElement()
{
    for (int depth = 1; depth > 0;) {
        const Token token = next(nullptr);
        if (token == Token::EndOfFile)
            throw Unsupported{};
        depth += token == Token::StartElement ? 1 : -1;
    }
}

QStringView XmlScanner::readElementText()
{
    m_text.truncate(0); // keeps its memory for the next text
    for (;;) {
        const Token token = next(&m_text);
        if (token == Token::EndElement)
            return m_text;
        if (token == Token::EndOfFile)
            throw Unsupported{};
        skipCurrentElement();
    }
}

void XmlScanner::readToEnd()
{
    if (next(nullptr) != Token::EndOfFile)
        throw Unsupported{};
}

QStringView XmlScanner::attribute(QLatin1StringView qualifiedName)
{
    for (const Attribute &a : m_attributes) {
        if (QLatin1StringView(m_buffer.constData() + a.name, a.nameSize) == qualifiedName) {
            m_value.truncate(0);
            appendUtf8(m_value, m_buffer.constData() + a.value, a.valueSize);
            return m_value;
        }
    }
    return {};
}

} // namespace harvester
