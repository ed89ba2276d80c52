#include "export/EldatWriter.h"
#include "export/FileOutput.h"
#include "export/MillReader.h"
#include "support/ExportSamples.h"
#include "support/MillDocuments.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace exporting;

namespace {

milldocs::Document documentOf(MillKind kind)
{
    milldocs::Document d;
    d.kind = kind;
    d.lot = QStringLiteral("Wald2026");
    d.pile = QStringLiteral("P-17");
    milldocs::Log crosswise = milldocs::log(12.25, 17);
    crosswise.crosswise = true;
    crosswise.quality = QStringLiteral("c");
    crosswise.qualityOther = QStringLiteral("gw");
    d.logs = {milldocs::log(4.5, 32, QStringLiteral("1")), crosswise};
    d.count = 48;
    d.sortLength = 4;
    d.frontArea = 10;
    d.backArea = 12;
    d.areaFactor = 0.7;
    d.weight = 20;
    d.weightFactor = 1.25;
    return d;
}

MillProtocol read(const milldocs::Document &d)
{
    return readMillProtocol(milldocs::json(d), QStringLiteral("werk.json"));
}

QString refusal(const QByteArray &json)
{
    try {
        readMillProtocol(json, QStringLiteral("werk.json"));
    } catch (const MillReadError &e) {
        return e.message();
    }
    return QStringLiteral("(read)");
}

} // namespace

TEST(MillReader, ReadsSingleLogsWithTheirHeaderAndReferences)
{
    const MillProtocol p = read(documentOf(MillKind::SingleLog));
    EXPECT_EQ(p.kind, MillKind::SingleLog);
    EXPECT_EQ(p.header.mill, QStringLiteral("Sägewerk Holzhausen"));
    EXPECT_EQ(p.header.measurer, QStringLiteral("Erika Maß"));
    EXPECT_EQ(p.header.protocolNumber, QStringLiteral("WM-2026-0042"));
    EXPECT_EQ(p.header.measured.date(), QDate(2026, 2, 3));
    ASSERT_TRUE(p.header.calibratedUntil && p.header.screeningValidTo);
    EXPECT_EQ(p.header.calibratedUntil->date(), QDate(2026, 12, 31));
    EXPECT_EQ(p.header.screeningValidTo->date(), QDate(2026, 6, 30));
    EXPECT_EQ(p.reference.processId, QStringLiteral("6f1c2a9e-0000-4000-8000-000000000002"));
    EXPECT_EQ(p.reference.referenceModuleId, QStringLiteral("6f1c2a9e-0000-4000-8000-000000000003"));
    EXPECT_EQ(p.reference.lotNumbers, QStringList{QStringLiteral("Wald2026")});
    EXPECT_EQ(p.reference.pileNumbers, QStringList{QStringLiteral("P-17")});

    ASSERT_EQ(p.logs.size(), 2u);
    const MillLog &forest = p.logs[0];
    EXPECT_EQ(forest.stamId, QStringLiteral("1"));
    EXPECT_EQ(forest.gradeLength, 4.5);
    EXPECT_EQ(forest.forestDiameter, 32);
    EXPECT_EQ(forest.qualityType, QStringLiteral("b"));
    EXPECT_EQ(forest.thicknessClass, QStringLiteral("d3a"));
    const MillLog &crosswise = p.logs[1];
    EXPECT_TRUE(crosswise.stamId.isEmpty());
    EXPECT_EQ(crosswise.gradeLength, 12.25) << "decimals of the length are kept";
    EXPECT_FALSE(crosswise.forestDiameter);
    EXPECT_EQ(crosswise.gradeDiameters, (std::vector<double>{17, 18}));
    EXPECT_EQ(crosswise.qualityOther, QStringLiteral("gw"));
}

TEST(MillReader, ReadsHarvesterLogsByTheDiameterInTheirMiddle)
{
    const MillProtocol p = read(documentOf(MillKind::Harvester));
    EXPECT_EQ(p.kind, MillKind::Harvester);
    ASSERT_EQ(p.logs.size(), 2u);
    EXPECT_EQ(p.logs[0].gradeLength, 4.5);
    EXPECT_EQ(p.logs[0].forestDiameter, 32) << "32.6 cm in the middle, rounded down";
    EXPECT_EQ(p.logs[1].forestDiameter, 17);
    EXPECT_EQ(p.logs[1].qualityType, QStringLiteral("c"));
}

TEST(MillReader, ReadsTheFiguresOfPiles)
{
    const MillProtocol photo = read(documentOf(MillKind::PhotoOptical));
    EXPECT_EQ(photo.kind, MillKind::PhotoOptical);
    EXPECT_TRUE(photo.logs.empty());
    EXPECT_EQ(photo.pile.count, 48);
    EXPECT_EQ(photo.pile.frontArea, 10.0);
    EXPECT_EQ(photo.pile.backArea, 12.0);
    EXPECT_EQ(photo.pile.sortLength, 4.0);
    ASSERT_EQ(photo.pile.shares.size(), 1u);
    EXPECT_EQ(photo.pile.shares[0].factor, 0.7);

    const MillProtocol weighed = read(documentOf(MillKind::Gravimetric));
    EXPECT_EQ(weighed.kind, MillKind::Gravimetric);
    EXPECT_EQ(weighed.pile.weight, 20.0) << "the samples' weights added";
    EXPECT_EQ(weighed.pile.weightFactor, 1.25);
    EXPECT_FALSE(weighed.pile.count);
    ASSERT_TRUE(weighed.header.calibratedUntil);
}

TEST(MillReader, RefusesWhatIsNoMeasurementProtocolNamingTheFile)
{
    EXPECT_EQ(refusal("{\"document\": "),
              QStringLiteral("Die Datei „werk.json“ kann nicht als Werkmaßprotokoll gelesen werden: Sie enthält kein gültiges JSON "
                             "(Fehler bei Zeichen 13)."));
    EXPECT_EQ(refusal("[1, 2]"),
              QStringLiteral("Die Datei „werk.json“ kann nicht als Werkmaßprotokoll gelesen werden: Sie ist kein ELDATsmart-Dokument."));

    EldatInput list;
    list.header.name = QStringLiteral("Wald");
    list.company = sampleCompany();
    list.facts = sampleFacts();
    list.logs = {{1, 4, 31, 29, QStringLiteral("B"), 0.26, QStringLiteral("2b")}};
    EXPECT_EQ(refusal(eldatDocument(list)),
              QStringLiteral("Die Datei „werk.json“ kann nicht als Werkmaßprotokoll gelesen werden: Sie enthält das Modul "
                             "„wood_allocation“, kein Messprotokoll (measurement_journal)."));

    milldocs::Document old = documentOf(MillKind::SingleLog);
    old.version = QStringLiteral("1.0.2");
    EXPECT_EQ(refusal(milldocs::json(old)),
              QStringLiteral("Die Datei „werk.json“ kann nicht als Werkmaßprotokoll gelesen werden: Sie hat die ELDATsmart-Version "
                             "„1.0.2“; gelesen wird die Version 1.0.3."));

    QByteArray textLength = milldocs::json(documentOf(MillKind::SingleLog));
    textLength.replace("\"grade_length\": 12.25", "\"grade_length\": \"12,25\"");
    EXPECT_EQ(refusal(textLength),
              QStringLiteral("Die Datei „werk.json“ kann nicht als Werkmaßprotokoll gelesen werden: Stamm 2: „grade_length“ ist keine Zahl."));

    QByteArray hugeCount = milldocs::json(documentOf(MillKind::PhotoOptical));
    hugeCount.replace("\"count\": 48", "\"count\": 1e300");
    EXPECT_EQ(refusal(hugeCount), QStringLiteral("Die Datei „werk.json“ kann nicht als Werkmaßprotokoll gelesen werden: "
                                                 "Foto-optische Vermessung: „count“ ist keine Stückzahl."));

    QByteArray noLogs = milldocs::json(documentOf(MillKind::Harvester));
    noLogs.replace("\"log\":", "\"logs\":");
    EXPECT_EQ(refusal(noLogs),
              QStringLiteral("Die Datei „werk.json“ kann nicht als Werkmaßprotokoll gelesen werden: Sie enthält keine Stämme (log)."));
}

TEST(MillReader, RefusesAFileThatCannotBeOpened)
{
    QTemporaryDir dir;
    try {
        readMillProtocolFile(dir.filePath(QStringLiteral("fehlt.json")));
        FAIL() << "read a missing file";
    } catch (const MillReadError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Die Datei „fehlt.json“ kann nicht geöffnet werden: "))) << e.what();
    }
}

// The documents the tests are made of are what the schema allows: every kind, logs with and
// without stam_id, forest and crosswise diameters, the undefined fields in several forms.
TEST(MillReader, TestDocumentsPassTheOfficialValidator)
{
    if (const QString missing = milldocs::validatorMissing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    QTemporaryDir dir;
    for (const MillKind kind : {MillKind::SingleLog, MillKind::Harvester, MillKind::PhotoOptical, MillKind::Gravimetric}) {
        const QString path = dir.filePath(QStringLiteral("werk-%1.json").arg(int(kind)));
        writeWholeFile(path, milldocs::json(documentOf(kind)));
        EXPECT_EQ(milldocs::rejection(path), QString()) << int(kind);
    }
}
