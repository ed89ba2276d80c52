#include "data/EldatFactsStore.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "harvester/ImportPlan.h"
#include "harvester/ListImport.h"
#include "harvester/ListNaming.h"
#include "harvester/ProductionReader.h"
#include "rules/MeasurementRules.h"
#include "support/DataFolder.h"
#include "support/HarvesterFiles.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

using namespace harvesterfiles;
using harvester::Bark;

// Count and volume (in hundredths of FM) per species group key, recomputed from the file
// itself by the rules of the import, without the reader.
struct Recount
{
    int logs = 0;
    qint64 hundredths = 0;
};

std::map<QString, Recount> recount(const QString &path, Bark bark)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::map<QString, Recount> out;
    QString species;
    double length = -1, diameter = -1;
    const QString wanted = bark == Bark::With ? QStringLiteral("Mid ob") : QStringLiteral("Mid ub");
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"Log") {
                length = diameter = -1;
            } else if (xml.name() == u"SpeciesGroupKey" && !species.isNull()) {
                species = xml.readElementText();
            } else if (xml.name() == u"Stem") {
                species = QStringLiteral("");
            } else if (xml.name() == u"LogLength") {
                length = xml.readElementText().toDouble();
            } else if (xml.name() == u"LogDiameter" && xml.attributes().value(QStringLiteral("logDiameterCategory")) == wanted) {
                diameter = xml.readElementText().toDouble();
            }
        } else if (xml.isEndElement() && xml.name() == u"Log") {
            const int m = int(std::floor(length / 100));
            const int cm = int(std::floor(diameter / 10));
            const int maxCm = bark == Bark::With ? 61 : 59;
            if (length < 0 || diameter < 0 || m < 1 || m > 39 || cm < 1 || cm > maxCm)
                continue;
            const int eff = rules::DurchmeffBerechnen(cm, bark == Bark::Without);
            ++out[species].logs;
            out[species].hundredths += std::llround(rules::VolumenBerechnen(eff, m) * 100);
        }
    }
    EXPECT_FALSE(xml.hasError());
    return out;
}

class HarvesterImportTest : public ::testing::Test
{
protected:
    void SetUp() override { db.open({QStringLiteral("PATH=") + folder.path()}); }

    engine::ResultSet rows(const QString &sql) { return db.query(sql); }

    DataFolder folder;
    engine::Connection db;
};

TEST_F(HarvesterImportTest, RealFilesImportWithTheFiguresTheWindowShows)
{
    for (const QString &name : {Version21, Version32}) {
        const QString path = shared(name);
        if (path.isEmpty())
            GTEST_SKIP() << "../shared/harvester is missing: the real production files are not imported";
        const harvester::Production production = harvester::readProductionFile(path);
        for (const Bark bark : {Bark::With, Bark::Without}) {
            const harvester::ImportPlan plan(production, bark);
            const std::map<QString, Recount> expected = recount(path, bark);
            ASSERT_EQ(plan.groups().size(), expected.size()) << name.toStdString();
            for (const harvester::GroupFigures &g : plan.groups()) {
                ASSERT_TRUE(expected.count(g.speciesKey)) << g.speciesKey.toStdString();
                EXPECT_EQ(g.logs, expected.at(g.speciesKey).logs) << g.speciesName.toStdString();
                EXPECT_DOUBLE_EQ(g.volume, double(expected.at(g.speciesKey).hundredths) / 100) << g.speciesName.toStdString();
            }
            EXPECT_EQ(plan.importableLogs() + plan.refusedTotal(), [&] {
                int n = 0;
                for (const harvester::Stem &s : production.stems)
                    n += int(s.logs.size());
                return n;
            }());
            if (bark == Bark::Without)
                continue;

            // Every group becomes a list whose rows sum to the window's figures.
            harvester::ImportChoice choice;
            choice.bark = bark;
            QStringList taken;
            for (const harvester::GroupFigures &g : plan.groups()) {
                const QString list = harvester::proposedListName(g.speciesName, harvester::siteText(production), [&](const QString &n) {
                    return taken.contains(n, Qt::CaseInsensitive) || harvester::listNameTaken(db, folder.path(), n);
                });
                taken << list;
                choice.lists.push_back({g.speciesKey, list});
            }
            const harvester::ImportCount count = harvester::importLists(db, production, choice);
            EXPECT_EQ(count.logs, plan.importableLogs());
            EXPECT_EQ(count.lists, int(plan.groups().size()));
            for (std::size_t i = 0; i < plan.groups().size(); ++i) {
                const engine::ResultSet sum = rows(QStringLiteral("SELECT COUNT(*), SUM(VOLUMEN), MIN(ID), MAX(ID) FROM ") + taken[int(i)]);
                EXPECT_EQ(sum.rows[0][0].toInt(), plan.groups()[i].logs);
                EXPECT_NEAR(sum.rows[0][1].toDouble(), plan.groups()[i].volume, 1e-6);
                EXPECT_EQ(sum.rows[0][2].toInt(), 1);
                EXPECT_EQ(sum.rows[0][3].toInt(), plan.groups()[i].logs) << "numbered without gaps";
                const auto header = data::loglist::readHeader(db, taken[int(i)]);
                ASSERT_TRUE(header);
                EXPECT_EQ(header->species, plan.groups()[i].speciesName);
                EXPECT_FALSE(header->peeled);
                const auto facts = data::loadEldatFacts(db, taken[int(i)]);
                ASSERT_TRUE(facts);
                EXPECT_TRUE(facts->fellingDate.isValid());
                EXPECT_TRUE(facts->latitude && facts->longitude);
            }
        }
    }
}

TEST_F(HarvesterImportTest, ListsGetTheirHeaderFactsAndQualities)
{
    const QByteArray bytes = production(
        definitions()
        + stem("1", log("10", 410, 310, 290) + log("11", 250, 200, 185) + log("10", 50, 100, 90), "2024-01-16T08:00:00+01:00",
               "SingleTreeProcessedStem", coordinates("48.0", "11.0"))
        + stem("1", log("10", 390, 215, 200), "2024-01-15T17:00:00+01:00", "SingleTreeProcessedStem", coordinates("48.2", "11.4"))
        + stem("1", log("10", 800, 180, 170), {}, "SingleTreeProcessedStem", coordinates("48.1", "11.1"))
        + stem("1", log("10", 120, 120), "2024-01-10T08:00:00+01:00", "SingleTreeProcessedStem", coordinates("10", "10"))
        + stem("2", log("10", 1210, 350, 330), "2024-01-17T08:00:00+01:00"));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const harvester::Production production = harvester::readProduction(buffer, QStringLiteral("Schlag.hpr"));

    const harvester::ImportPlan with(production, Bark::With);
    ASSERT_EQ(with.groups().size(), 2u);
    EXPECT_EQ(with.groups()[0].logs, 5);
    EXPECT_EQ(with.refusedText(), QStringLiteral("1 zu kurz"));
    EXPECT_EQ(with.firstHarvest(), QDate(2024, 1, 10));
    EXPECT_EQ(with.lastHarvest(), QDate(2024, 1, 17));
    // Without bark the log measured only over bark is not taken.
    const harvester::ImportPlan without(production, Bark::Without);
    EXPECT_EQ(without.groups()[0].logs, 4);
    EXPECT_EQ(without.refusedText(), QStringLiteral("1 zu kurz, 1 ohne Messung"));

    harvester::ImportChoice choice;
    choice.bark = Bark::Without;
    choice.qualities.insert(QStringLiteral("11"), QStringLiteral("Cgw"));
    choice.lists = {{QStringLiteral("1"), QStringLiteral("Fichte_Hinten")}, {QStringLiteral("2"), QStringLiteral("Kiefer_Hinten")}};
    harvester::importLists(db, production, choice);

    const engine::ResultSet logs = rows(QStringLiteral("SELECT * FROM Fichte_Hinten ORDER BY ID"));
    ASSERT_EQ(logs.rows.size(), 4u);
    // ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE in file order.
    EXPECT_EQ(logs.rows[0][1].toInt(), 4);
    EXPECT_EQ(logs.rows[0][2].toInt(), 29);
    EXPECT_EQ(logs.rows[0][3].toInt(), 29) << "geschält: no deduction";
    EXPECT_EQ(logs.rows[0][4].toString(), QStringLiteral("B"));
    EXPECT_EQ(logs.rows[1][4].toString(), QStringLiteral("Cgw"));
    EXPECT_EQ(logs.rows[1][1].toInt(), 2);
    EXPECT_EQ(logs.rows[3][1].toInt(), 8);

    const auto fichte = data::loglist::readHeader(db, QStringLiteral("Fichte_Hinten"));
    ASSERT_TRUE(fichte);
    EXPECT_EQ(fichte->species, QStringLiteral("Fichte"));
    EXPECT_EQ(fichte->assortment, QString()) << "two products";
    EXPECT_EQ(fichte->department, QStringLiteral("Hinterer Schlag"));
    EXPECT_EQ(fichte->text, QStringLiteral("Ponsse Ergo"));
    EXPECT_TRUE(fichte->peeled);
    EXPECT_EQ(data::loglist::readHeader(db, QStringLiteral("Kiefer_Hinten"))->assortment, QStringLiteral("Stamm"));

    // The median of the three stems with a position and a log taken; the first harvest date.
    const auto facts = data::loadEldatFacts(db, QStringLiteral("Fichte_Hinten"));
    ASSERT_TRUE(facts);
    EXPECT_DOUBLE_EQ(*facts->latitude, 48.1);
    EXPECT_DOUBLE_EQ(*facts->longitude, 11.1);
    EXPECT_EQ(facts->fellingDate, QDate(2024, 1, 15));
    EXPECT_EQ(facts->speciesFor, QStringLiteral("Fichte"));
    // Without any harvest date, the day the file was written.
    const auto kiefer = data::loadEldatFacts(db, QStringLiteral("Kiefer_Hinten"));
    EXPECT_EQ(kiefer->fellingDate, QDate(2024, 1, 17));
}

TEST_F(HarvesterImportTest, AnErrorLeavesNoListBehind)
{
    const QByteArray bytes = production(definitions() + stem("1", log("10", 410, 310)) + stem("2", log("10", 410, 310)));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const harvester::Production production = harvester::readProduction(buffer, QStringLiteral("Schlag.hpr"));
    data::loglist::createList(db, QStringLiteral("Alt"));

    harvester::ImportChoice choice;
    choice.lists = {{QStringLiteral("1"), QStringLiteral("Neu")}, {QStringLiteral("2"), QStringLiteral("Alt")}};
    EXPECT_THROW(harvester::importLists(db, production, choice), engine::Error);
    EXPECT_FALSE(db.tableExists(QStringLiteral("Neu")));
    EXPECT_FALSE(data::loglist::readHeader(db, QStringLiteral("Neu")));
    EXPECT_FALSE(data::loadEldatFacts(db, QStringLiteral("Neu")));
    EXPECT_TRUE(db.tableExists(QStringLiteral("Alt")));
}

TEST_F(HarvesterImportTest, AsManyListsAsTheConnectionCanWriteAtOnce)
{
    // Every list is a table file of its own, and all of them are written in one transaction.
    QByteArray machine;
    harvester::ImportChoice choice;
    for (int s = 1; s <= harvester::MaxListsPerImport + 1; ++s) {
        const QByteArray key = QByteArray::number(s);
        machine += "<SpeciesGroupDefinition><SpeciesGroupKey>" + key + "</SpeciesGroupKey><SpeciesGroupName>Art" + key
                   + "</SpeciesGroupName></SpeciesGroupDefinition>" + stem(key, log("10", 410, 310) + log("10", 300, 250));
        choice.lists.push_back({QString::fromLatin1(key), QStringLiteral("Art") + QString::fromLatin1(key)});
    }
    QBuffer buffer;
    buffer.setData(production(machine));
    buffer.open(QIODevice::ReadOnly);
    const harvester::Production production = harvester::readProduction(buffer, QStringLiteral("Schlag.hpr"));

    try {
        harvester::importLists(db, production, choice);
        ADD_FAILURE() << "more lists imported than the connection can write at once";
    } catch (const engine::Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Es können höchstens 8 Listen in einem Schritt importiert werden. Bitte wählen Sie "
                                              "weniger Baumarten aus und importieren Sie die übrigen danach."));
    }
    EXPECT_FALSE(db.tableExists(QStringLiteral("Art1")));

    choice.lists.pop_back();
    EXPECT_EQ(harvester::importLists(db, production, choice).logs, 2 * harvester::MaxListsPerImport);
    for (int s = 1; s <= harvester::MaxListsPerImport; ++s)
        EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Art%1").arg(s)).rows[0][0].toInt(), 2);
}

TEST_F(HarvesterImportTest, ProposedNamesAreFreeAndValid)
{
    const auto none = [](const QString &) { return false; };
    EXPECT_EQ(harvester::proposedListName(QStringLiteral("GRAN"), QStringLiteral("Testing 2023"), none), QStringLiteral("GRAN_Testing_2023"));
    EXPECT_EQ(harvester::proposedListName(QStringLiteral("TØRRGRAN"), QStringLiteral("Größe Höhe"), none),
              QStringLiteral("TOeRRGRAN_Groesse"));
    EXPECT_EQ(harvester::proposedListName(QStringLiteral("Bjørk"), QStringLiteral("Vrangkattlia Slutt"), none),
              QStringLiteral("Bjoerk_Vrangkattli"));
    EXPECT_EQ(harvester::proposedListName(QStringLiteral("1 Furu"), QString(), none), QStringLiteral("H_1_Furu"));
    EXPECT_EQ(harvester::proposedListName(QStringLiteral("Gran"), QStringLiteral("Testing"), [](const QString &n) {
                  return n == QStringLiteral("Gran_Testing");
              }),
              QStringLiteral("Gran_Testing_2"));

    data::loglist::createList(db, QStringLiteral("Eiche_Wald"));
    EXPECT_TRUE(harvester::listNameTaken(db, folder.path(), QStringLiteral("EICHE_WALD")));
    EXPECT_FALSE(harvester::listNameTaken(db, folder.path(), QStringLiteral("Eiche_Wald2")));
    const auto refusal = harvester::refusalOfNames(db, folder.path(), {QStringLiteral("Buche"), QStringLiteral("BUCHE")});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, QStringLiteral("\"BUCHE\": Dieser Name ist für zwei Listen gewählt."));
    EXPECT_EQ(harvester::refusalOfNames(db, folder.path(), {QStringLiteral("eiche_wald")})->text,
              QStringLiteral("\"eiche_wald\": Die Liste \"eiche_wald\" ist bereits vorhanden!\r\nBitte wählen Sie einen anderen Namen."));
    EXPECT_FALSE(harvester::refusalOfNames(db, folder.path(), {QStringLiteral("Buche"), QStringLiteral("Eiche")}));
}

TEST(HarvesterMedian, MiddleValueOrMeanOfTheMiddleTwo)
{
    EXPECT_FALSE(harvester::median({}));
    EXPECT_DOUBLE_EQ(*harvester::median({3, 1, 2}), 2);
    EXPECT_DOUBLE_EQ(*harvester::median({4, 1, 3, 2}), 2.5);
}

} // namespace
