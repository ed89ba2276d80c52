#include "harvester/ProductionReader.h"
#include "harvester/XmlScanner.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <cmath>
#include <cstdint>

namespace harvester {

namespace {

// How many stems are read between two calls of the progress function.
constexpr int ProgressEveryStems = 64;

QString shownName(const QString &filePath)
{
    return QFileInfo(filePath).fileName();
}

// A plain decimal ("410", "-33.5") of at most 15 digits is one integer divided by a power of
// ten, both exact in a double: the quotient is the correctly rounded value, as toDouble gives
// it, without its cost. Everything else goes to toDouble.
std::optional<double> plainDecimal(QStringView text)
{
    static constexpr double Tens[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    std::int64_t digits = 0;
    int count = 0;
    int decimals = -1;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            digits = digits * 10 + (c - u'0');
            ++count;
            if (decimals >= 0)
                ++decimals;
        } else if (c == u'.' && decimals < 0 && count > 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || count > 15 || decimals == 0)
        return std::nullopt;
    const double value = double(digits) / Tens[decimals < 0 ? 0 : decimals];
    return text.startsWith(u'-') ? -value : value;
}

std::optional<double> numberOf(QStringView text)
{
    text = text.trimmed();
    if (const std::optional<double> plain = plainDecimal(text))
        return plain;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The date of an ISO 8601 time as the machine wrote it ("2023-10-27T09:44:23.205+02:00"):
// the day in the machine's own time, which is the day the tree was cut.
QDate dateOf(QStringView text)
{
    return QDate::fromString(text.trimmed().left(10), Qt::ISODate);
}

// QXmlStreamReader with the few calls the parser needs, as XmlScanner offers them. It reads
// every file XML allows and words the messages for the faulty ones.
class StreamXml
{
public:
    StreamXml(QIODevice &device, const QString &filePath) : m_xml(&device), m_device(device), m_filePath(filePath)
    {
        // Entities are refused with the document type that declares them; none is ever expanded.
        m_xml.setEntityExpansionLimit(0);
    }

    bool readRoot()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::DTD
                && (!m_xml.entityDeclarations().isEmpty() || m_xml.text().contains(QLatin1String("<!ENTITY"))))
                throw HarvesterError(QStringLiteral("Die Datei %1 enthält eine Dokumenttypdefinition mit Entitäten"
                                                    " (Zeile %2); solche Dateien werden nicht gelesen.")
                                         .arg(shownName(m_filePath))
                                         .arg(m_xml.lineNumber()),
                                     m_filePath, m_xml.lineNumber());
            if (token == QXmlStreamReader::StartElement)
                return true;
        }
        return false;
    }

    bool readNextStartElement() { return m_xml.readNextStartElement(); }
    void skipCurrentElement() { m_xml.skipCurrentElement(); }
    QStringView readElementText()
    {
        m_text = m_xml.readElementText(QXmlStreamReader::SkipChildElements);
        return m_text;
    }
    void readToEnd()
    {
        while (!m_xml.atEnd())
            m_xml.readNext();
    }
    QStringView name() const { return m_xml.name(); }
    QStringView namespaceUri() const { return m_xml.namespaceUri(); }
    QString namespaceString() const { return m_xml.namespaceUri().toString(); }
    QStringView attribute(QLatin1StringView qualifiedName) const { return m_xml.attributes().value(qualifiedName); }
    qint64 lineNumber() const { return m_xml.lineNumber(); }

    // After the last read: a fault of the file, or a file without root element, as a message.
    void checkRead(bool rootSeen) const
    {
        if (m_xml.hasError())
            throwXmlError(rootSeen);
        if (!rootSeen)
            throw HarvesterError(notXmlText(m_filePath, m_xml.lineNumber()), m_filePath, m_xml.lineNumber());
    }

private:
    [[noreturn]] void throwXmlError(bool rootSeen) const
    {
        const qint64 line = m_xml.lineNumber();
        QString text;
        if (!rootSeen)
            text = notXmlText(m_filePath, line);
        else if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            text = QStringLiteral("Die Datei %1 endet mitten in den Daten (Zeile %2): sie ist unvollständig.")
                       .arg(shownName(m_filePath))
                       .arg(line);
        else
            text = QStringLiteral("Die Datei %1 ist beschädigt: in Zeile %2, Spalte %3 steht kein gültiges XML.")
                       .arg(shownName(m_filePath))
                       .arg(line)
                       .arg(m_xml.columnNumber());
        if (const auto *file = qobject_cast<const QFileDevice *>(&m_device); file && file->error() != QFileDevice::NoError)
            text = QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(shownName(m_filePath), file->errorString());
        throw HarvesterError(text, m_filePath, line);
    }

    static QString notXmlText(const QString &filePath, qint64 line)
    {
        return QStringLiteral("Die Datei %1 ist keine XML-Datei (Zeile %2) und damit keine Harvester-Produktionsdatei.")
            .arg(shownName(filePath))
            .arg(line);
    }

    QXmlStreamReader m_xml;
    QIODevice &m_device;
    const QString &m_filePath;
    QString m_text;
};

// The quick reader: any file it does not read exactly ends it with XmlScanner::Unsupported.
class ScannedXml : public XmlScanner
{
public:
    ScannedXml(QIODevice &device, const QString &) : XmlScanner(device) {}
    qint64 lineNumber() const { return 0; }
    void checkRead(bool rootSeen) const
    {
        if (!rootSeen)
            throw Unsupported{};
    }
};

// Reads one document through Xml (StreamXml or ScannedXml). Each read function starts on the
// start tag of its element and returns after its end tag.
template<class Xml>
class Parser
{
public:
    Parser(QIODevice &device, const QString &filePath, const ReadProgress &progress)
        : m_xml(device, filePath), m_device(device), m_filePath(filePath), m_progress(progress)
    {
    }

    Production read()
    {
        const bool rootSeen = m_xml.readRoot();
        if (rootSeen) {
            const QStringView ns = m_xml.namespaceUri();
            if (m_xml.name() != u"HarvestedProduction" || !(ns.isEmpty() || ns.contains(u"stanford2010", Qt::CaseInsensitive)))
                throw HarvesterError(notProductionText(m_filePath), m_filePath, m_xml.lineNumber());
            m_namespace = m_xml.namespaceString();
            m_production.header.version = m_xml.attribute(QLatin1StringView("version")).toString();
            readContainer();
            // Whatever follows the root must still be well-formed.
            m_xml.readToEnd();
        }
        m_xml.checkRead(rootSeen);
        report();
        return std::move(m_production);
    }

private:
    // The next child element of the current element in the file's namespace; false at the
    // current element's end tag (or an error).
    bool nextChild()
    {
        while (m_xml.readNextStartElement()) {
            const QStringView ns = m_xml.namespaceUri();
            if ((ns.data() == m_namespace.constData() && ns.size() == m_namespace.size()) || ns == m_namespace)
                return true;
            m_xml.skipCurrentElement();
        }
        return false;
    }

    // Called for every element with one name after another: the length of a name is known
    // when the program is built, not looked for in each call.
    template<qsizetype N>
    bool is(const char16_t (&name)[N]) const
    {
        const QStringView current = m_xml.name();
        return current.size() == N - 1 && current == QStringView(name, N - 1);
    }
    QStringView textView() { return m_xml.readElementText().trimmed(); }
    QString text() { return textView().toString(); }

    // The root and the machine: the definitions and stems may stand in either.
    void readContainer()
    {
        while (nextChild()) {
            if (is(u"HarvestedProductionHeader"))
                readHeader();
            else if (is(u"Machine"))
                readContainer();
            else if (is(u"MachineBaseManufacturer"))
                m_production.machine.manufacturer = text();
            else if (is(u"MachineBaseModel"))
                m_production.machine.model = text();
            else if (is(u"MachineUserID"))
                m_production.machine.userId = text();
            else if (is(u"SpeciesGroupDefinition"))
                readSpeciesGroup();
            else if (is(u"ProductDefinition"))
                readProduct(m_production.products.emplace_back());
            else if (is(u"ObjectDefinition"))
                readSite();
            else if (is(u"Stem"))
                readStem();
            else
                m_xml.skipCurrentElement();
        }
    }

    void readHeader()
    {
        ProductionHeader &header = m_production.header;
        QString created;
        while (nextChild()) {
            if (is(u"SenderApplication"))
                header.senderApplication = text();
            else if (is(u"ApplicationVersionCreated"))
                created = text();
            else if (is(u"CreationDate"))
                header.creationDate = text();
            else
                m_xml.skipCurrentElement();
        }
        if (header.senderApplication.isEmpty())
            header.senderApplication = created;
    }

    void readSpeciesGroup()
    {
        SpeciesGroup group;
        while (nextChild()) {
            if (is(u"SpeciesGroupKey"))
                group.key = text();
            else if (is(u"SpeciesGroupName"))
                group.name = text();
            else
                m_xml.skipCurrentElement();
        }
        m_production.speciesGroups.push_back(std::move(group));
    }

    // The key stands in the definition, the names in its classified or unclassified part.
    void readProduct(Product &product)
    {
        while (nextChild()) {
            if (is(u"ProductKey"))
                product.key = text();
            else if (is(u"ProductName"))
                product.name = text();
            else if (is(u"ProductGroupName"))
                product.groupName = text();
            else if (is(u"ClassifiedProductDefinition") || is(u"UnclassifiedProductDefinition"))
                readProduct(product);
            else
                m_xml.skipCurrentElement();
        }
    }

    void readSite()
    {
        Site site;
        while (nextChild()) {
            if (is(u"ObjectKey"))
                site.key = text();
            else if (is(u"ObjectName"))
                site.name = text();
            else if (is(u"ForestOwner"))
                site.forestOwner = text();
            else if (is(u"ContractNumber"))
                site.contractNumber = text();
            else
                m_xml.skipCurrentElement();
        }
        m_production.sites.push_back(std::move(site));
    }

    void readStem()
    {
        Stem &stem = m_production.stems.emplace_back();
        while (nextChild()) {
            if (is(u"StemKey"))
                stem.key = text();
            else if (is(u"ObjectKey"))
                stem.objectKey = text();
            else if (is(u"SpeciesGroupKey"))
                stem.speciesGroupKey = text();
            else if (is(u"HarvestDate"))
                stem.harvestDate = dateOf(textView());
            else if (is(u"StemCoordinates"))
                readCoordinates(stem);
            else if (m_xml.name().endsWith(u"Stem"))
                readProcessedStem(stem);
            else
                m_xml.skipCurrentElement();
        }
        if (++m_stemsSinceReport == ProgressEveryStems)
            report();
    }

    // The first position in WGS 84 that gives both latitude and longitude is the stem's.
    void readCoordinates(Stem &stem)
    {
        const QStringView system = m_xml.attribute(QLatin1StringView("coordinateReferenceSystem"));
        const bool wgs84 = system.isEmpty() || system.contains(u"WGS", Qt::CaseInsensitive);
        std::optional<double> latitude;
        std::optional<double> longitude;
        while (nextChild()) {
            if (is(u"Latitude") || is(u"Longitude")) {
                const bool isLatitude = is(u"Latitude");
                const QString category =
                    m_xml.attribute(isLatitude ? QLatin1StringView("latitudeCategory") : QLatin1StringView("longitudeCategory")).toString();
                std::optional<double> value = numberOf(textView());
                if (value && (category.compare(QStringLiteral("South"), Qt::CaseInsensitive) == 0
                              || category.compare(QStringLiteral("West"), Qt::CaseInsensitive) == 0))
                    value = -std::abs(*value);
                (isLatitude ? latitude : longitude) = value;
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (wgs84 && !stem.latitude && latitude && longitude && std::abs(*latitude) <= 90 && std::abs(*longitude) <= 180) {
            stem.latitude = latitude;
            stem.longitude = longitude;
        }
    }

    void readProcessedStem(Stem &stem)
    {
        while (nextChild()) {
            if (is(u"Log"))
                readLog(stem.logs.emplace_back());
            else
                m_xml.skipCurrentElement();
        }
    }

    // The measurements stand in LogMeasurement; the first value of each kind counts.
    void readLog(HarvestedLog &log)
    {
        while (nextChild()) {
            if (is(u"ProductKey")) {
                log.productKey = text();
            } else if (is(u"LogMeasurement")) {
                readLog(log);
            } else if (is(u"LogLength")) {
                const std::optional<double> value = numberOf(textView());
                if (!log.lengthCm)
                    log.lengthCm = value;
            } else if (is(u"LogDiameter")) {
                const QStringView category = m_xml.attribute(QLatin1StringView("logDiameterCategory"));
                const bool ob = category == u"Mid ob";
                const bool ub = category == u"Mid ub";
                const std::optional<double> value = numberOf(textView());
                if (ob && !log.midObMm)
                    log.midObMm = value;
                else if (ub && !log.midUbMm)
                    log.midUbMm = value;
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    void report()
    {
        m_stemsSinceReport = 0;
        if (m_progress)
            m_progress(m_device.pos(), m_device.isSequential() ? 0 : m_device.size());
    }

    Xml m_xml;
    QIODevice &m_device;
    const QString &m_filePath;
    const ReadProgress &m_progress;
    QString m_namespace;
    int m_stemsSinceReport = 0;
    Production m_production;
};

} // namespace

QString notProductionText(const QString &filePath)
{
    return QStringLiteral("Die Datei %1 ist keine Harvester-Produktionsdatei (StanForD 2010).").arg(shownName(filePath));
}

std::optional<Production> readProductionQuickly(QIODevice &device, const QString &filePath, const ReadProgress &progress)
{
    try {
        return Parser<ScannedXml>(device, filePath, progress).read();
    } catch (const XmlScanner::Unsupported &) {
    } catch (const HarvesterError &) {
        // Worded again, with its line, by the full reader.
    }
    return std::nullopt;
}

Production readProductionFully(QIODevice &device, const QString &filePath, const ReadProgress &progress)
{
    return Parser<StreamXml>(device, filePath, progress).read();
}

Production readProduction(QIODevice &device, const QString &filePath, const ReadProgress &progress)
{
    if (!device.isSequential()) {
        const qint64 start = device.pos();
        if (std::optional<Production> production = readProductionQuickly(device, filePath, progress))
            return std::move(*production);
        if (!device.seek(start))
            throw HarvesterError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(shownName(filePath), device.errorString()),
                                 filePath);
    }
    return readProductionFully(device, filePath, progress);
}

Production readProductionFile(const QString &path, const ReadProgress &progress)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw HarvesterError(QStringLiteral("'%1' ist keine gewöhnliche Datei und kann nicht gelesen werden.").arg(path), path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw HarvesterError(QStringLiteral("Die Datei %1 kann nicht geöffnet werden: %2").arg(shownName(path), file.errorString()),
                             path);
    return readProduction(file, path, progress);
}

} // namespace harvester
