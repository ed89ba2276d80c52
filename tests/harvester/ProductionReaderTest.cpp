#include "harvester/ProductionReader.h"
#include "support/HarvesterFiles.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace harvesterfiles;
using harvester::HarvesterError;
using harvester::Production;

Production readBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return harvester::readProduction(buffer, QStringLiteral("/wald/Schlag.hpr"));
}

// The error reading the bytes raises; fails the test when they are read.
HarvesterError errorOf(const QByteArray &bytes)
{
    try {
        readBytes(bytes);
    } catch (const HarvesterError &e) {
        return e;
    }
    ADD_FAILURE() << "read without error";
    return HarvesterError(QString(), QString());
}

std::size_t logCount(const Production &p)
{
    std::size_t n = 0;
    for (const harvester::Stem &s : p.stems)
        n += s.logs.size();
    return n;
}

TEST(ProductionReader, ReadsTheRealFilesOfBothVersions)
{
    struct Expected
    {
        QString file;
        std::size_t stems, logs;
        QStringList species;
        QString site, manufacturer;
    };
    for (const Expected &e : {Expected{Version21, 9, 40, {"Furu", "Gran", "Bjork", "Andre"}, "Vrangkattlia Slutt", "Komatsu Forest"},
                              Expected{Version32, 37, 121, {"FURU", "GRAN", "LAUV", "BIOVIRKE"}, "Testing 2023", "John Deere"}}) {
        const QString path = shared(e.file);
        if (path.isEmpty())
            GTEST_SKIP() << "../shared/harvester is missing: the real production files are not read";
        const Production p = harvester::readProductionFile(path);
        EXPECT_EQ(p.stems.size(), e.stems) << e.file.toStdString();
        EXPECT_EQ(logCount(p), e.logs) << e.file.toStdString();
        QStringList species;
        for (const harvester::SpeciesGroup &g : p.speciesGroups)
            species << g.name;
        EXPECT_EQ(species, e.species);
        ASSERT_FALSE(p.sites.empty());
        EXPECT_EQ(p.sites.front().name, e.site);
        EXPECT_EQ(p.machine.manufacturer, e.manufacturer);
        for (const harvester::Stem &s : p.stems) {
            EXPECT_TRUE(s.harvestDate.isValid());
            EXPECT_TRUE(s.latitude && s.longitude);
            for (const harvester::HarvestedLog &l : s.logs)
                EXPECT_TRUE(l.lengthCm && l.midObMm && l.midUbMm);
        }
    }
    // The first stem of version 2.1: its first position, its first log's measurements.
    if (const QString path = shared(Version21); !path.isEmpty()) {
        const Production p = harvester::readProductionFile(path);
        const harvester::Stem &first = p.stems.front();
        EXPECT_EQ(first.speciesGroupKey, QStringLiteral("341"));
        EXPECT_EQ(first.harvestDate, QDate(2017, 3, 9));
        EXPECT_DOUBLE_EQ(*first.latitude, 60.92401);
        EXPECT_DOUBLE_EQ(*first.longitude, 9.30683);
        EXPECT_EQ(first.logs.front().productKey, QStringLiteral("999999"));
        EXPECT_DOUBLE_EQ(*first.logs.front().midObMm, 218);
        EXPECT_DOUBLE_EQ(*first.logs.front().midUbMm, 207);
    }
}

TEST(ProductionReader, ReadsTheFormatNotOneLayout)
{
    // Another namespace of the format and version, definitions after the stems, a product
    // without names, a multi-tree stem without "ub" diameters and harvest date, a vendor's
    // element in its own namespace that reuses a known name, the length before the diameters,
    // positions south and west, an ampersand in a name.
    const QByteArray machine =
        stem("2", log("10", 410, 300, 280) + "<Log xmlns=\"urn:vendor\"><LogLength>999</LogLength></Log>", "2023-12-31T23:59:00-05:00",
             "SingleTreeProcessedStem", coordinates("33.5", "70.25", "South", "West"))
        + stem("1", "<Log><ProductKey>12</ProductKey><LogMeasurement><LogLength>310</LogLength>"
                    "<LogDiameter logDiameterCategory=\"Mid ob\">150</LogDiameter></LogMeasurement></Log>",
               {}, "MultiTreeProcessedStem")
        + "<SpeciesGroupDefinition><SpeciesGroupName>Birke &amp; Erle</SpeciesGroupName><SpeciesGroupKey>2</SpeciesGroupKey>"
          "<Grades><Grade><GradeName>x</GradeName></Grade></Grades></SpeciesGroupDefinition>"
          "<ProductDefinition><ProductKey>12</ProductKey></ProductDefinition>"
          "<Extension xmlns:v=\"urn:vendor\"><v:Stem><StemKey>9</StemKey></v:Stem></Extension>";
    const Production p = readBytes(production(machine, "urn:skogforsk:stanford2010:v4", "3.6"));

    EXPECT_EQ(p.header.version, QStringLiteral("3.6"));
    EXPECT_EQ(p.header.senderApplication, QStringLiteral("Test 1.0"));
    ASSERT_EQ(p.stems.size(), 2u);
    ASSERT_EQ(p.stems[0].logs.size(), 1u);
    EXPECT_EQ(*p.stems[0].logs[0].lengthCm, 410);
    EXPECT_EQ(*p.stems[0].logs[0].midUbMm, 280);
    EXPECT_EQ(p.stems[0].harvestDate, QDate(2023, 12, 31)) << "the day as the machine wrote it";
    EXPECT_DOUBLE_EQ(*p.stems[0].latitude, -33.5);
    EXPECT_DOUBLE_EQ(*p.stems[0].longitude, -70.25);
    ASSERT_EQ(p.stems[1].logs.size(), 1u);
    EXPECT_FALSE(p.stems[1].harvestDate.isValid());
    EXPECT_FALSE(p.stems[1].latitude);
    EXPECT_FALSE(p.stems[1].logs[0].midUbMm);
    EXPECT_EQ(*p.stems[1].logs[0].midObMm, 150);
    ASSERT_EQ(p.speciesGroups.size(), 1u);
    EXPECT_EQ(p.speciesGroups[0].name, QStringLiteral("Birke & Erle"));
    ASSERT_EQ(p.products.size(), 1u);
    EXPECT_TRUE(p.products[0].name.isEmpty());
}

TEST(ProductionReader, RefusesWhatIsNoProductionFile)
{
    struct Case
    {
        QByteArray bytes;
        QString message; // the whole message, or its start
        qint64 line;
    };
    const QByteArray whole = production(definitions() + stem("1", log("10", 400, 300)));
    const QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE HarvestedProduction [\n <!ENTITY a \"aaaaaaaaaa\">\n"
                              " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n]>\n"
                              "<HarvestedProduction xmlns=\"urn:skogforsk:stanford2010\">&b;</HarvestedProduction>\n";
    const QString notXml = QStringLiteral("Die Datei Schlag.hpr ist keine XML-Datei (Zeile 1) und damit keine Harvester-Produktionsdatei.");
    const QString otherKind = QStringLiteral("Die Datei Schlag.hpr ist keine Harvester-Produktionsdatei (StanForD 2010).");
    const QString damaged = QStringLiteral("Die Datei Schlag.hpr ist beschädigt: in Zeile ");
    for (const Case &c : {
             Case{"Stamm;Laenge\n1;4\n", notXml, 1},
             Case{{}, notXml, 1},
             Case{"<?xml version=\"1.0\"?>\n<Rechnung xmlns=\"urn:skogforsk:stanford2010\"/>", otherKind, 2},
             Case{"<?xml version=\"1.0\"?>\n<HarvestedProduction xmlns=\"urn:other\"/>", otherKind, 2},
             Case{whole.left(whole.indexOf("<LogLength>") + 5),
                  "Die Datei Schlag.hpr endet mitten in den Daten (Zeile 10): sie ist unvollständig.", 10},
             Case{QByteArray(whole).replace("</Log>", "</Lg>"), damaged + "10, Spalte ", 10},
             Case{laughs,
                  "Die Datei Schlag.hpr enthält eine Dokumenttypdefinition mit Entitäten (Zeile 5); solche Dateien werden nicht gelesen.",
                  5},
             Case{whole + "<HarvestedProduction/>", damaged + "14, Spalte ", 14},
         }) {
        const HarvesterError e = errorOf(c.bytes);
        EXPECT_TRUE(e.message().startsWith(c.message)) << e.what() << "\n" << c.bytes.left(60).toStdString();
        EXPECT_EQ(e.lineNumber(), c.line) << e.what();
        EXPECT_EQ(e.filePath(), QStringLiteral("/wald/Schlag.hpr"));
    }
}

TEST(ProductionReader, ReadsOnlyRegularFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath(QStringLiteral("pipe.hpr"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const QString &path : {dir.path(), fifo, QStringLiteral("/dev/zero")}) {
        try {
            harvester::readProductionFile(path);
            ADD_FAILURE() << "read " << path.toStdString();
        } catch (const HarvesterError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' ist keine gewöhnliche Datei und kann nicht gelesen werden.").arg(path));
        }
    }
    try {
        harvester::readProductionFile(dir.filePath(QStringLiteral("fehlt.hpr")));
        ADD_FAILURE() << "read a missing file";
    } catch (const HarvesterError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Die Datei fehlt.hpr kann nicht geöffnet werden"))) << e.what();
    }
}

} // namespace
