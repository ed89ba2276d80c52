#include "export/EldatChecks.h"
#include "export/EldatWriter.h"
#include "export/FileOutput.h"
#include "support/ExportSamples.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace exporting;

namespace {

values::Seller fullCompany()
{
    values::Seller c = sampleCompany();
    c.contactPerson = QStringLiteral("Anna Maria Förster");
    c.iban = QStringLiteral("DE02 1203 0000 0000 2020 51");
    c.bic = QStringLiteral("BYLADEM1001");
    c.taxNumber = QStringLiteral("12/345/67890");
    return eldatCompany(c);
}

// Every kind of log a list can hold: each quality and diameter class, a quality typed but
// not recognised, no class, no volume, and volumes with up to four decimals.
EldatInput fullInput()
{
    EldatInput in;
    in.header = {.department = QStringLiteral("12 B"), .species = QStringLiteral("Fichte"), .assortment = QStringLiteral("Stammholz"),
                 .name = QStringLiteral("Wald2026")};
    in.company = fullCompany();
    in.facts = sampleFacts();
    in.envelope = {QStringLiteral("6f1c2a9e-0000-4000-8000-000000000001"), QStringLiteral("6f1c2a9e-0000-4000-8000-000000000003"),
                   QDateTime(QDate(2026, 1, 16), QTime(8, 0), Qt::UTC), QStringLiteral("3.0d")};
    const char *classes[] = {"0", "1a", "1b1", "1b2", "2a", "2b", "3a", "3b", "4", "5"};
    const char *qualities[] = {"B", "C", "Cgw"};
    int id = 0;
    for (const char *dc : classes)
        for (const char *q : qualities) {
            ++id;
            in.logs.push_back({id, 4 + id % 30, 20 + id, 18 + id, QString::fromLatin1(q), (10 + id) / 100.0, QString::fromLatin1(dc)});
        }
    in.logs.push_back({++id, 12, 62, 60, QStringLiteral("x"), 3.39, QString()});
    in.logs.push_back({++id, 3, 10, 9, QString(), std::nullopt, QStringLiteral("0")});
    in.logs.push_back({++id, 5, 21, 20, QStringLiteral("B"), 0.1234, QStringLiteral("2a")});
    return in;
}

// The smallest document: one log, a company without bank data, tax number or contact person.
EldatInput minimalInput()
{
    EldatInput in;
    in.header.name = QStringLiteral("A");
    values::Seller c = sampleCompany();
    c.name1.clear();
    c.postcode = QStringLiteral("1010");
    c.city = QStringLiteral("Wien");
    c.country = QStringLiteral("AT");
    c.phone = QStringLiteral("+43 1 234567");
    in.company = eldatCompany(c);
    in.facts = sampleFacts();
    in.facts.latitude = -0.5;
    in.facts.longitude = -179.99;
    in.facts.species = QStringLiteral("dgl");
    in.logs.push_back({1, 1, 2, 1, QStringLiteral("Cgw"), 0.0, QStringLiteral("0")});
    return in;
}

QJsonObject parsed(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

QJsonValue at(const QJsonValue &root, const QString &path)
{
    QJsonValue v = root;
    for (const QString &key : path.split(u'/')) {
        bool isIndex = false;
        const int index = key.toInt(&isIndex);
        v = isIndex ? v.toArray().at(index) : v.toObject().value(key);
    }
    return v;
}

const QString pile = QStringLiteral("document/eldat/wood_allocation/wood_data/allocated_pile/0/");

} // namespace

TEST(EldatDocument, HoldsTheListTheCompanyAndTheFactsWithEveryStoredFigure)
{
    const EldatInput in = fullInput();
    const QByteArray json = eldatDocument(in);
    const QJsonObject doc = parsed(json);

    EXPECT_EQ(at(doc, QStringLiteral("document/meta/version/code")).toString(), QStringLiteral("1.0.3"));
    EXPECT_EQ(at(doc, QStringLiteral("document/meta/process_id")).toString(), in.facts.processId);
    const QString allocation = QStringLiteral("document/eldat/wood_allocation/");
    EXPECT_EQ(at(doc, allocation + QStringLiteral("doc_type")).toString(), QStringLiteral("hba"));
    const QString business = allocation + QStringLiteral("address/supplier/business/");
    EXPECT_EQ(at(doc, business + QStringLiteral("business_data/name")).toString(), QStringLiteral("Forstbetrieb Muster"));
    EXPECT_EQ(at(doc, business + QStringLiteral("business_data/state")).toString(), QStringLiteral("DE"));
    EXPECT_EQ(at(doc, business + QStringLiteral("business_data/bank_data/payee_iban")).toString(), QStringLiteral("DE02120300000000202051"));
    EXPECT_EQ(at(doc, business + QStringLiteral("tax/tax_no")).toString(), QStringLiteral("12/345/67890"));
    const QString contact = allocation + QStringLiteral("address/supplier/contact/0/");
    EXPECT_EQ(at(doc, contact + QStringLiteral("contact_surname")).toString(), QStringLiteral("Förster"));
    EXPECT_EQ(at(doc, contact + QStringLiteral("contact_name")).toString(), QStringLiteral("Anna Maria"));
    EXPECT_EQ(at(doc, contact + QStringLiteral("contact_telephone/0")).toString(), QStringLiteral("01234 5678"));

    const QString wood = allocation + QStringLiteral("wood_data/");
    EXPECT_EQ(at(doc, wood + QStringLiteral("wood_id/0/wood_id_type")).toString(), QStringLiteral("los"));
    EXPECT_EQ(at(doc, wood + QStringLiteral("wood_id/0/wood_id_no")).toString(), QStringLiteral("Wald2026"));
    EXPECT_EQ(at(doc, wood + QStringLiteral("felling_date")).toString(), QStringLiteral("2026-01-15T00:00:00Z"));
    EXPECT_EQ(at(doc, pile + QStringLiteral("wood_id/0/wood_id_no")).toString(), QStringLiteral("P-17"));

    const QJsonArray logs = at(doc, pile + QStringLiteral("forest_measured/measurement_type_single_log/log")).toArray();
    ASSERT_EQ(logs.size(), qsizetype(in.logs.size()));
    for (qsizetype i = 0; i < logs.size(); ++i) {
        const ExportLog &stored = in.logs[size_t(i)];
        const QJsonObject log = logs[i].toObject();
        SCOPED_TRACE(stored.id);
        EXPECT_EQ(log.value(QStringLiteral("stam_id")).toString(), QString::number(stored.id));
        EXPECT_EQ(log.value(QStringLiteral("species")).toString(), QStringLiteral("fi"));
        EXPECT_EQ(log.value(QStringLiteral("stem_length")).toInt(), stored.length);
        EXPECT_EQ(log.value(QStringLiteral("diameter")).toInt(), stored.effectiveDiameter) << "the diameter the volume comes from";
        if (stored.volume)
            EXPECT_EQ(at(log, QStringLiteral("amount/amount_value")).toDouble(), *stored.volume) << "exactly the stored volume";
        else
            EXPECT_FALSE(log.contains(QStringLiteral("amount")));
    }
    EXPECT_EQ(at(logs[2], QStringLiteral("thickness_class")).toString(), QStringLiteral("d0"));
    EXPECT_EQ(at(logs[8], QStringLiteral("thickness_class")).toString(), QStringLiteral("d1b")) << "1b1";
    EXPECT_EQ(at(logs[11], QStringLiteral("thickness_class")).toString(), QStringLiteral("d1b")) << "1b2";
    EXPECT_EQ(at(logs[29], QStringLiteral("thickness_class")).toString(), QStringLiteral("d5"));
    EXPECT_FALSE(logs[30].toObject().contains(QStringLiteral("thickness_class"))) << "no class, no code";
    EXPECT_EQ(at(logs[2], QStringLiteral("quality_definition")).toObject(),
              (QJsonObject{{QStringLiteral("qual_type"), QStringLiteral("c")}, {QStringLiteral("other_qual_type"), QStringLiteral("gw")}}));
    EXPECT_FALSE(logs[31].toObject().contains(QStringLiteral("quality_definition")));

    const QString product = pile + QStringLiteral("product_data/0/");
    EXPECT_EQ(at(doc, product + QStringLiteral("amount/amount_unit")).toString(), QStringLiteral("fmo"));
    EXPECT_TRUE(json.contains("\"amount_value\":11.1634}")) << "the exact decimal sum of the stored volumes";
    EXPECT_EQ(at(doc, product + QStringLiteral("coordinate/latitude")).toDouble(), 49.8686);
    EXPECT_EQ(at(doc, product + QStringLiteral("coordinate/crs")).toString(), QStringLiteral("WGS84"));
    double shares = 0;
    for (const QJsonValue &q : at(doc, product + QStringLiteral("quality")).toArray())
        shares += q.toObject().value(QStringLiteral("qual_rat")).toDouble();
    EXPECT_NEAR(shares, 100.0, 1e-9);
}

TEST(EldatDocument, LeavesOutBankAndTaxDataTheCompanyDoesNotHave)
{
    const QJsonObject doc = parsed(eldatDocument(minimalInput()));
    const QJsonObject business = at(doc, QStringLiteral("document/eldat/wood_allocation/address/supplier/business")).toObject();
    EXPECT_FALSE(business.value(QStringLiteral("business_data")).toObject().contains(QStringLiteral("bank_data")));
    EXPECT_FALSE(business.contains(QStringLiteral("tax")));
    EXPECT_EQ(at(doc, QStringLiteral("document/eldat/wood_allocation/address/supplier/contact/0/contact_surname")).toString(),
              QStringLiteral("Forstbetrieb Muster")) << "the firm when there is no person";
    EXPECT_EQ(at(doc, pile + QStringLiteral("product_data/0/quality")).toArray(),
              (QJsonArray{QJsonObject{{QStringLiteral("qual_type"), QStringLiteral("c")},
                                      {QStringLiteral("other_qual_type"), QStringLiteral("gw")},
                                      {QStringLiteral("qual_rat"), 100.0}}}))
        << "a pile without volume shares its qualities by count";
}

// The official validator takes about a second per document: the documents above are checked
// in one test.
TEST(EldatDocument, PassesTheOfficialValidator)
{
    const QString validator = QStringLiteral(DORV_SHARED_DIR "/validators/validate-eldat");
    if (!QFileInfo::exists(validator))
        GTEST_SKIP() << "ELDATsmart validator not found at " << validator.toStdString() << "; documents not validated";
    QTemporaryDir dir;
    const std::pair<const char *, EldatInput> documents[] = {{"full.json", fullInput()}, {"minimal.json", minimalInput()}};
    for (const auto &[name, input] : documents) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeWholeFile(path, eldatDocument(input));
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(validator, {path});
        ASSERT_TRUE(run.waitForFinished(120000)) << name;
        EXPECT_EQ(run.exitCode(), 0) << name << ":\n" << run.readAll().toStdString();
    }
}
