// The quick reader of plain harvester XML must read every file it accepts exactly as
// QXmlStreamReader does, and leave to it every file it cannot read so.
#include "harvester/ProductionReader.h"
#include "support/HarvesterFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

using namespace harvesterfiles;
using harvester::HarvesterError;
using harvester::Production;

const QString Name = QStringLiteral("Schlag.hpr");

std::optional<Production> quickly(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return harvester::readProductionQuickly(buffer, Name);
}

std::optional<Production> fully(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        return harvester::readProductionFully(buffer, Name);
    } catch (const HarvesterError &) {
        return std::nullopt;
    }
}

QByteArray sample()
{
    return production(definitions()
                      + stem("1", log("10", 410, 300, 280) + log("11", 320, 250),
                             "2024-01-15T09:00:00+01:00", "SingleTreeProcessedStem", coordinates("48.1", "11.2"))
                      + stem("2", log("10", 510, 420, 400)));
}

TEST(QuickReader, ReadsTheRealFilesAsTheFullReaderDoes)
{
    for (const QString &name : {Version21, Version32}) {
        const QString path = shared(name);
        if (path.isEmpty())
            GTEST_SKIP() << "../shared/harvester is missing: the real production files are not read";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const std::optional<Production> quick = quickly(bytes);
        ASSERT_TRUE(quick) << name.toStdString() << " was left to the full reader";
        EXPECT_TRUE(*quick == *fully(bytes)) << name.toStdString();
    }
}

TEST(QuickReader, ReadsWhatHarvestersWriteToTheSameValues)
{
    const QByteArray machine = definitions() + stem("1", log("10", 410, 300, 280));
    const QByteArray plain = production(machine);
    const QByteArray cases[] = {
        plain,
        "\xEF\xBB\xBF" + plain,
        QByteArray(plain).replace("\n", "\r\n"),
        QByteArray(plain).replace("<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<?xml version='1.0' standalone='yes' ?>"),
        QByteArray(plain).replace("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n", ""),
        QByteArray(plain).replace("Fichte", "Bj\xC3\xB6rk &amp; &#x46;&#105;chte &lt;1&gt;\r\n"),
        QByteArray(plain).replace("<Machine>", "<!-- Maschine - 1 --><Machine >").replace("</Machine>", "</Machine\n>"),
        QByteArray(plain).replace("<LogKey>1</LogKey>", "<LogKey/><Extra a='1' b=\"x>y\"><v:x xmlns:v='urn:v'/></Extra>"),
        "<?xml version=\"1.0\"?><s:HarvestedProduction xmlns:s=\"urn:skogforsk:stanford2010\" version=\"2.1\">"
        "<s:Machine><s:MachineBaseModel>Ergo</s:MachineBaseModel><Stem xmlns=\"urn:skogforsk:stanford2010\"><StemKey>4</StemKey>"
        "<SingleTreeProcessedStem>" + log("10", 300, 200) + "</SingleTreeProcessedStem></Stem></s:Machine></s:HarvestedProduction>"
        "\n<!-- Ende -->\n",
    };
    for (const QByteArray &bytes : cases) {
        const std::optional<Production> quick = quickly(bytes);
        const std::optional<Production> full = fully(bytes);
        ASSERT_TRUE(full) << bytes.left(200).toStdString();
        ASSERT_TRUE(quick) << "left to the full reader: " << bytes.left(200).toStdString();
        EXPECT_TRUE(*quick == *full) << bytes.left(200).toStdString();
    }
    const Production special = *quickly(cases[5]);
    EXPECT_EQ(special.speciesGroups[0].name, QStringLiteral("Björk & Fichte <1>"));
}

TEST(QuickReader, LeavesWhatItCannotReadExactlyToTheFullReader)
{
    const QByteArray plain = sample();
    const QByteArray cases[] = {
        QByteArray(plain).replace("<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"),
        QByteArray(plain).replace("<HarvestedProduction", "<!DOCTYPE HarvestedProduction []><HarvestedProduction"),
        QByteArray(plain).replace("Fichte", "<![CDATA[Fichte]]>"),
        QByteArray(plain).replace("Fichte", "&nbsp;"),
        QByteArray(plain).replace("Fichte", "Fi\xC3"),
        QByteArray(plain).replace("Fichte", "Fi\x01"),
        QByteArray(plain).replace("Fichte", "a]]>b"),
        QByteArray(plain).replace("</Stem>", "</Stamm>"),
        QByteArray(plain).replace("<Stem>", "<x:Stem>"),
        QByteArray(plain).replace("logDiameterCategory=\"Mid ob\"", "logDiameterCategory=\"Mid\tob\""),
        QByteArray(plain).replace("<StemKey>", "<StemKey a=\"1\" a=\"2\">"),
        QByteArray(plain).replace("<Machine>", "<!-- a -- b --><Machine>"),
        plain + "<HarvestedProduction/>",
        plain + "Rest",
        plain.left(plain.size() / 2),
    };
    for (const QByteArray &bytes : cases)
        EXPECT_FALSE(quickly(bytes)) << bytes.left(300).toStdString();
}

TEST(QuickReader, NumbersAreReadAsQtReadsThem)
{
    for (const char *text : {"410", "410.25", "0.1", "-33.5", " 7.30 ", "123456789012345", "1234567890123456789", "0.000000000000001",
                             "1e2", "+5", ".5", "5.", "-", "1.2.3", "x", "", "0x10", "1,5"}) {
        const QByteArray bytes = production(definitions()
                                            + stem("1", "<Log><ProductKey>10</ProductKey><LogMeasurement><LogLength>" + QByteArray(text)
                                                            + "</LogLength></LogMeasurement></Log>"));
        bool ok = false;
        const double expected = QString::fromLatin1(text).trimmed().toDouble(&ok);
        const std::optional<double> read = quickly(bytes)->stems[0].logs[0].lengthCm;
        ASSERT_EQ(read.has_value(), ok) << text;
        if (ok) {
            EXPECT_EQ(*read, expected) << text << ": not the same double";
        }
    }
}

// Every small fault in every place: what the quick reader reads, the full one reads the same.
TEST(QuickReader, NeverReadsAFileOtherwiseThanTheFullReader)
{
    const QByteArray plain = sample();
    const char replacements[] = {'<', '>', '/', '&', '"', '\'', '=', ':', ' ', '\0', '\xC3', 'x', '-', ';', '#'};
    int readQuickly = 0;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        QList<QByteArray> mutants{plain.left(i), QByteArray(plain).remove(i, 1)};
        for (const char c : replacements)
            mutants.append(QByteArray(plain).replace(i, 1, QByteArray(1, c)));
        for (const QByteArray &bytes : mutants) {
            const std::optional<Production> quick = quickly(bytes);
            if (!quick)
                continue;
            ++readQuickly;
            const std::optional<Production> full = fully(bytes);
            ASSERT_TRUE(full) << "read quickly, refused by the full reader: " << bytes.toStdString();
            ASSERT_TRUE(*quick == *full) << "read otherwise: " << bytes.toStdString();
        }
    }
    EXPECT_GT(readQuickly, plain.size()) << "the harmless changes (in texts) are read quickly too";
}

} // namespace
