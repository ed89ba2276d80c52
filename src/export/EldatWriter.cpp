#include "export/EldatWriter.h"

#include "engine/DecimalSum.h"
#include "export/DecimalText.h"
#include "export/EldatCodes.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace exporting {

namespace {

const QString eldatVersion = QStringLiteral("1.0.3");
const QString solidCubicMetresWithoutBark = QStringLiteral("fmo");

QString dateTimeText(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}

QJsonObject amount(double value)
{
    return {{QStringLiteral("amount_value"), value}, {QStringLiteral("amount_unit"), solidCubicMetresWithoutBark}};
}

QJsonObject qualityObject(const EldatQuality &q)
{
    QJsonObject o{{QStringLiteral("qual_type"), q.type}};
    if (!q.other.isEmpty())
        o.insert(QStringLiteral("other_qual_type"), q.other);
    return o;
}

QJsonObject meta(const EldatInput &in)
{
    return {{QStringLiteral("version"), QJsonObject{{QStringLiteral("code"), eldatVersion}}},
            {QStringLiteral("transaction_id"), in.envelope.transactionId},
            {QStringLiteral("process_id"), in.facts.processId},
            {QStringLiteral("module_id"), in.envelope.moduleId},
            {QStringLiteral("created_by"), QJsonObject{{QStringLiteral("application"), QStringLiteral("Dorv")},
                                                       {QStringLiteral("application_version"), in.envelope.applicationVersion}}}};
}

QJsonObject supplier(const values::Seller &c)
{
    const QString name = c.company.isEmpty() ? c.name1 : c.company;
    QJsonObject businessData{{QStringLiteral("name"), name},
                             {QStringLiteral("street"), c.street},
                             {QStringLiteral("postcode"), c.postcode},
                             {QStringLiteral("city"), c.city},
                             {QStringLiteral("state"), c.country}};
    if (!c.iban.isEmpty()) {
        QJsonObject bank{{QStringLiteral("payee_name"), name}, {QStringLiteral("payee_iban"), c.iban}};
        static const QRegularExpression bic(QStringLiteral("^[A-Z]{6}[A-Z0-9]{2,5}$"));
        if (bic.match(c.bic).hasMatch())
            bank.insert(QStringLiteral("payee_bic"), c.bic);
        businessData.insert(QStringLiteral("bank_data"), bank);
    }
    QJsonObject business{{QStringLiteral("business_data"), businessData}};
    static const QRegularExpression taxNumber(QStringLiteral("[A-Z0-9/]{4,13}"));
    if (!c.taxNumber.isEmpty() && taxNumber.match(c.taxNumber).hasMatch())
        business.insert(QStringLiteral("tax"), QJsonObject{{QStringLiteral("tax_no_type"), QStringLiteral("stn")},
                                                           {QStringLiteral("tax_no"), c.taxNumber}});

    QJsonObject contact{{QStringLiteral("role_contact"), QStringLiteral("Ansprechpartner")},
                        {QStringLiteral("contact_telephone"), QJsonArray{c.phone}},
                        {QStringLiteral("contact_email"), c.email}};
    // A person's last word is the surname; without a person the firm stands there.
    const QString person = c.contactPerson.isEmpty() ? c.name1 : c.contactPerson;
    const qsizetype blank = person.lastIndexOf(u' ');
    contact.insert(QStringLiteral("contact_surname"), person.isEmpty() ? name : person.mid(blank + 1));
    if (blank > 0)
        contact.insert(QStringLiteral("contact_name"), person.left(blank));

    return {{QStringLiteral("business"), business}, {QStringLiteral("contact"), QJsonArray{contact}}};
}

// The pile's quality classes with their shares of its volume in percent, to one decimal,
// adding up to exactly 100 (by count when the pile has no volume).
QJsonArray qualityShares(const std::vector<ExportLog> &logs)
{
    struct Share
    {
        EldatQuality quality;
        engine::DecimalSum volume;
        int count = 0;
    };
    std::vector<Share> shares;
    for (const ExportLog &log : logs) {
        EldatQuality q = eldatQuality(log.quality);
        if (q.type.isEmpty())
            q.type = QStringLiteral("o");
        auto it = std::find_if(shares.begin(), shares.end(), [&](const Share &s) { return s.quality == q; });
        if (it == shares.end())
            it = shares.insert(shares.end(), Share{q, {}, 0});
        it->volume.add(log.volume.value_or(0));
        ++it->count;
    }
    double total = 0;
    for (const Share &s : shares)
        total += s.volume.toDouble();
    const bool byVolume = total > 0;
    if (!byVolume)
        total = double(logs.size());

    // Largest remainder: tenths of a percent, the rest to the largest fractions.
    std::vector<long long> tenths(shares.size());
    std::vector<std::pair<double, std::size_t>> fractions;
    long long given = 0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const double weight = byVolume ? shares[i].volume.toDouble() : shares[i].count;
        const double exact = std::max(0.0, weight) / total * 1000.0;
        tenths[i] = (long long)std::floor(exact);
        given += tenths[i];
        fractions.push_back({exact - double(tenths[i]), i});
    }
    std::stable_sort(fractions.begin(), fractions.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (std::size_t k = 0; given < 1000 && k < fractions.size(); ++k, ++given)
        ++tenths[fractions[k].second];

    QJsonArray out;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        QJsonObject o = qualityObject(shares[i].quality);
        o.insert(QStringLiteral("qual_rat"), double(tenths[i]) / 10.0);
        out.append(o);
    }
    return out;
}

// The objects of the single logs. Logs of one quality and diameter class share everything
// but number, length, diameter and volume: each is a copy of its class's object in which
// these values replace placeholders, several times faster than building 100,000 objects key
// by key.
class LogObjects
{
public:
    explicit LogObjects(const QString &species) : m_species(species) {}

    QJsonObject operator()(const ExportLog &log)
    {
        QJsonObject o = shape(log);
        o[QLatin1String("stam_id")] = QString::number(log.id);
        o[QLatin1String("stem_length")] = log.length.value_or(0);
        o[QLatin1String("diameter")] = log.effectiveDiameter.value_or(0);
        if (log.volume) {
            QJsonObject volume = m_amount;
            volume[QLatin1String("amount_value")] = *log.volume;
            o[QLatin1String("amount")] = volume;
        }
        return o;
    }

private:
    const QJsonObject &shape(const ExportLog &log)
    {
        const QString key = log.quality + u'\n' + log.diameterClass + (log.volume ? u'v' : u'-');
        auto it = m_shapes.find(key);
        if (it != m_shapes.end())
            return *it;
        QJsonObject o{{QStringLiteral("species"), m_species},
                      {QStringLiteral("stam_id"), QString()},
                      {QStringLiteral("stem_length"), 0},
                      {QStringLiteral("diameter"), 0}};
        const QString thickness = thicknessClass(log.diameterClass);
        if (!thickness.isEmpty())
            o.insert(QStringLiteral("thickness_class"), thickness);
        const EldatQuality quality = eldatQuality(log.quality);
        if (!quality.type.isEmpty())
            o.insert(QStringLiteral("quality_definition"), qualityObject(quality));
        if (log.volume)
            o.insert(QStringLiteral("amount"), m_amount);
        return *m_shapes.insert(key, o);
    }

    QString m_species;
    QJsonObject m_amount = amount(0);
    QHash<QString, QJsonObject> m_shapes;
};

QJsonObject pile(const EldatInput &in, const Progress &progress)
{
    QJsonArray logs;
    LogObjects logObject(in.facts.species);
    engine::DecimalSum total;
    const qint64 count = qint64(in.logs.size());
    for (qint64 i = 0; i < count; ++i) {
        const ExportLog &log = in.logs[size_t(i)];
        logs.append(logObject(log));
        total.add(log.volume.value_or(0));
        if (progress && i % 1024 == 0)
            progress(i, count);
    }
    const QJsonObject measured{
        {QStringLiteral("measurement_type_single_log"),
         QJsonObject{{QStringLiteral("measurement_id"), in.header.name}, {QStringLiteral("log"), logs}}}};
    const QJsonObject product{
        {QStringLiteral("quality"), qualityShares(in.logs)},
        {QStringLiteral("grade"), in.facts.grade},
        {QStringLiteral("use"), in.facts.use},
        {QStringLiteral("amount"), amount(total.toDouble())},
        {QStringLiteral("coordinate"), QJsonObject{{QStringLiteral("longitude"), in.facts.longitude.value_or(0)},
                                                   {QStringLiteral("latitude"), in.facts.latitude.value_or(0)},
                                                   {QStringLiteral("crs"), QStringLiteral("WGS84")}}}};
    return {{QStringLiteral("wood_id"),
             QJsonArray{QJsonObject{{QStringLiteral("wood_id_type"), QStringLiteral("pol")},
                                    {QStringLiteral("wood_id_no"), in.facts.pileNumber}}}},
            {QStringLiteral("forest_measured"), measured},
            {QStringLiteral("product_data"), QJsonArray{product}}};
}

QJsonObject woodAllocation(const EldatInput &in, const Progress &progress)
{
    const QJsonObject woodData{
        {QStringLiteral("wood_id"), QJsonArray{QJsonObject{{QStringLiteral("wood_id_type"), QStringLiteral("los")},
                                                           {QStringLiteral("wood_id_no"), in.header.name}}}},
        {QStringLiteral("felling_date"), dateTimeText(in.facts.fellingDate.startOfDay(Qt::UTC))},
        {QStringLiteral("allocated_pile"), QJsonArray{pile(in, progress)}}};
    const QJsonObject status{{QStringLiteral("creation_datetime"), dateTimeText(in.envelope.created)},
                             {QStringLiteral("statusid"), QStringLiteral("10")}};
    return {{QStringLiteral("doc_type"), QStringLiteral("hba")},
            {QStringLiteral("address"), QJsonObject{{QStringLiteral("supplier"), supplier(in.company)}}},
            {QStringLiteral("wood_data"), woodData},
            {QStringLiteral("status_arr"), QJsonArray{status}}};
}

} // namespace

QByteArray eldatDocument(const EldatInput &in, const Progress &progress)
{
    const QJsonObject document{
        {QStringLiteral("meta"), meta(in)},
        {QStringLiteral("eldat"), QJsonObject{{QStringLiteral("wood_allocation"), woodAllocation(in, progress)}}}};
    return QJsonDocument(QJsonObject{{QStringLiteral("document"), document}}).toJson(QJsonDocument::Compact);
}

} // namespace exporting
