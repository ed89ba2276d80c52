#include "harvester/ProductionReader.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <cmath>

namespace harvester {

namespace {

// How many stems are read between two calls of the progress function.
constexpr int ProgressEveryStems = 64;

QString shownName(const QString &filePath)
{
    return QFileInfo(filePath).fileName();
}

std::optional<double> numberOf(const QString &text)
{
    bool ok = false;
    const double value = QStringView(text).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The date of an ISO 8601 time as the machine wrote it ("2023-10-27T09:44:23.205+02:00"):
// the day in the machine's own time, which is the day the tree was cut.
QDate dateOf(const QString &text)
{
    return QDate::fromString(QStringView(text).trimmed().left(10).toString(), Qt::ISODate);
}

// Reads one document. Each read function starts on the start tag of its element and returns
// after its end tag.
class Parser
{
public:
    Parser(QIODevice &device, const QString &filePath, const ReadProgress &progress)
        : m_xml(&device), m_device(device), m_filePath(filePath), m_progress(progress)
    {
        // Entities are refused with the document type that declares them; none is ever expanded.
        m_xml.setEntityExpansionLimit(0);
    }

    Production read()
    {
        readProlog();
        if (m_rootSeen) {
            readContainer();
            // Whatever follows the root must still be well-formed.
            while (!m_xml.atEnd())
                m_xml.readNext();
        }
        if (m_xml.hasError())
            throwXmlError();
        if (!m_rootSeen)
            throw HarvesterError(notXmlText(m_xml.lineNumber()), m_filePath, m_xml.lineNumber());
        report();
        return std::move(m_production);
    }

private:
    void readProlog()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::DTD) {
                if (!m_xml.entityDeclarations().isEmpty() || m_xml.text().contains(QLatin1String("<!ENTITY")))
                    throw HarvesterError(QStringLiteral("Die Datei %1 enthält eine Dokumenttypdefinition mit Entitäten"
                                                        " (Zeile %2); solche Dateien werden nicht gelesen.")
                                             .arg(shownName(m_filePath))
                                             .arg(m_xml.lineNumber()),
                                         m_filePath, m_xml.lineNumber());
            } else if (token == QXmlStreamReader::StartElement) {
                const QStringView ns = m_xml.namespaceUri();
                if (m_xml.name() != u"HarvestedProduction"
                    || !(ns.isEmpty() || ns.contains(u"stanford2010", Qt::CaseInsensitive)))
                    throw HarvesterError(notProductionText(m_filePath), m_filePath, m_xml.lineNumber());
                m_namespace = ns.toString();
                m_production.header.version = m_xml.attributes().value(QStringLiteral("version")).toString();
                m_rootSeen = true;
                return;
            }
        }
    }

    [[noreturn]] void throwXmlError() const
    {
        const qint64 line = m_xml.lineNumber();
        QString text;
        if (!m_rootSeen)
            text = notXmlText(line);
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

    QString notXmlText(qint64 line) const
    {
        return QStringLiteral("Die Datei %1 ist keine XML-Datei (Zeile %2) und damit keine Harvester-Produktionsdatei.")
            .arg(shownName(m_filePath))
            .arg(line);
    }

    // The next child element of the current element in the file's namespace; false at the
    // current element's end tag (or an error).
    bool nextChild()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.namespaceUri() == m_namespace)
                return true;
            m_xml.skipCurrentElement();
        }
        return false;
    }

    bool is(QStringView name) const { return m_xml.name() == name; }
    QString text() { return m_xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed(); }

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
                stem.harvestDate = dateOf(text());
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
        const QStringView system = m_xml.attributes().value(QStringLiteral("coordinateReferenceSystem"));
        const bool wgs84 = system.isEmpty() || system.contains(u"WGS", Qt::CaseInsensitive);
        std::optional<double> latitude;
        std::optional<double> longitude;
        while (nextChild()) {
            if (is(u"Latitude") || is(u"Longitude")) {
                const bool isLatitude = is(u"Latitude");
                const QString category =
                    m_xml.attributes().value(isLatitude ? QStringLiteral("latitudeCategory") : QStringLiteral("longitudeCategory")).toString();
                std::optional<double> value = numberOf(text());
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
                const std::optional<double> value = numberOf(text());
                if (!log.lengthCm)
                    log.lengthCm = value;
            } else if (is(u"LogDiameter")) {
                const QStringView category = m_xml.attributes().value(QStringLiteral("logDiameterCategory"));
                const bool ob = category == u"Mid ob";
                const bool ub = category == u"Mid ub";
                const std::optional<double> value = numberOf(text());
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

    QXmlStreamReader m_xml;
    QIODevice &m_device;
    const QString &m_filePath;
    const ReadProgress &m_progress;
    QString m_namespace;
    bool m_rootSeen = false;
    int m_stemsSinceReport = 0;
    Production m_production;
};

} // namespace

QString notProductionText(const QString &filePath)
{
    return QStringLiteral("Die Datei %1 ist keine Harvester-Produktionsdatei (StanForD 2010).").arg(shownName(filePath));
}

Production readProduction(QIODevice &device, const QString &filePath, const ReadProgress &progress)
{
    return Parser(device, filePath, progress).read();
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
