#include "support/MillDocuments.h"
#include "support/SharedValidator.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace milldocs {

namespace {

const QString validator = sharedvalidator::path(QStringLiteral("validate-eldat"));

QString time(const QDate &date)
{
    return date.startOfDay(Qt::UTC).toString(Qt::ISODate);
}

QString thicknessOf(int diameter)
{
    static const std::pair<int, const char *> bounds[] = {{9, "d0"},   {14, "d1a"}, {19, "d1b"}, {24, "d2a"}, {29, "d2b"},
                                                          {34, "d3a"}, {39, "d3b"}, {49, "d4"},  {59, "d5"}};
    for (const auto &[upTo, code] : bounds)
        if (diameter <= upTo)
            return QString::fromLatin1(code);
    return QStringLiteral("d6");
}

QString qualityOf(const QString &quality)
{
    if (quality == u"C" || quality == u"Cgw")
        return QStringLiteral("c");
    return QStringLiteral("b");
}

QJsonObject address(const QString &name)
{
    return {{QStringLiteral("name"), name},
            {QStringLiteral("street"), QStringLiteral("Sägewerkstraße 5")},
            {QStringLiteral("postcode"), QStringLiteral("54321")},
            {QStringLiteral("city"), QStringLiteral("Holzhausen")},
            {QStringLiteral("state"), QStringLiteral("DE")}};
}

QJsonObject calibration(const Document &d)
{
    return {{QStringLiteral("calibration_id"), QStringLiteral("E-4711")}, {QStringLiteral("calibrated_until"), time(d.calibratedUntil)}};
}

QJsonObject quality(const Log &l)
{
    QJsonObject q{{QStringLiteral("qual_type"), l.quality}};
    if (!l.qualityOther.isEmpty())
        q.insert(QStringLiteral("other_qual_type"), l.qualityOther);
    return q;
}

QJsonObject singleLog(const Log &l, int index)
{
    QJsonObject o{{QStringLiteral("species"), QStringLiteral("fi")},
                  {QStringLiteral("grade_length"), l.gradeLength},
                  {QStringLiteral("real_length"), l.gradeLength + 0.1},
                  {QStringLiteral("single_log_thickness_class"), l.thicknessClass.isEmpty() ? thicknessOf(l.diameter) : l.thicknessClass},
                  {QStringLiteral("quality_definition"), quality(l)},
                  {QStringLiteral("crook_mid"), 0.4},
                  {QStringLiteral("ovality_relative"), 1.2},
                  {QStringLiteral("diameter_length_top"), l.diameter - 4}};
    // Required without a definition: every other log carries them in another form.
    if (index % 2 == 0) {
        o.insert(QStringLiteral("stem_length"), QStringLiteral("%1 m").arg(l.gradeLength));
        o.insert(QStringLiteral("diameter_length"), QJsonObject{{QStringLiteral("value"), l.diameter + 7}});
    } else {
        o.insert(QStringLiteral("stem_length"), l.gradeLength + 3);
        o.insert(QStringLiteral("diameter_length"), l.diameter + 9);
    }
    if (l.crosswise) {
        o.insert(QStringLiteral("grade_diameter_one"), l.diameter);
        o.insert(QStringLiteral("grade_diameter_two"), l.diameter + 1);
    } else {
        o.insert(QStringLiteral("grade_diameter_one"), l.diameter + 1);
        o.insert(QStringLiteral("diameter_length_forest"), l.diameter);
    }
    if (!l.stamId.isEmpty())
        o.insert(QStringLiteral("stam_id"), l.stamId);
    return o;
}

QJsonObject harvesterLog(const Log &l)
{
    // Diameters along the log; the one in its middle is the log's.
    const double middle = l.gradeLength * 50;
    QJsonObject o{{QStringLiteral("species"), QStringLiteral("fi")},
                  {QStringLiteral("stem_length"), l.gradeLength},
                  {QStringLiteral("diameter_length"),
                   QJsonArray{QJsonObject{{QStringLiteral("diameter_value"), l.diameter + 6}, {QStringLiteral("diameter_position"), 50}},
                              QJsonObject{{QStringLiteral("diameter_value"), l.diameter + 0.6}, {QStringLiteral("diameter_position"), middle}},
                              QJsonObject{{QStringLiteral("diameter_value"), l.diameter - 5},
                                          {QStringLiteral("diameter_position"), middle * 2 - 50}}}},
                  {QStringLiteral("quality_definition"), quality(l)}};
    if (!l.stamId.isEmpty())
        o.insert(QStringLiteral("stam_id"), l.stamId);
    return o;
}

QJsonObject measured(const Document &d)
{
    const QString when = time(d.measured);
    switch (d.kind) {
    case exporting::MillKind::SingleLog: {
        QJsonArray logs;
        for (std::size_t i = 0; i < d.logs.size(); ++i)
            logs.append(singleLog(d.logs[i], int(i)));
        return {{QStringLiteral("measurement_type_single_log_industrie"),
                 QJsonObject{{QStringLiteral("measuring_technique_single_log_industrie"), QStringLiteral("fewi")},
                             {QStringLiteral("measurement_id"), d.protocolNumber},
                             {QStringLiteral("measurement_datetime"), when},
                             {QStringLiteral("screening_valid_to"), time(d.screeningValidTo)},
                             {QStringLiteral("calibration"), calibration(d)},
                             {QStringLiteral("log_industrie"), logs}}}};
    }
    case exporting::MillKind::Harvester: {
        QJsonArray logs;
        for (const Log &l : d.logs)
            logs.append(harvesterLog(l));
        return {{QStringLiteral("measurement_type_harvester"),
                 QJsonObject{{QStringLiteral("measurement_id"), d.protocolNumber},
                             {QStringLiteral("measurement_datetime"), when},
                             {QStringLiteral("log"), logs}}}};
    }
    case exporting::MillKind::PhotoOptical:
        return {{QStringLiteral("measurement_type_photo_optical"),
                 QJsonObject{{QStringLiteral("measuring_technique_photo_optical"), QStringLiteral("fomo")},
                             {QStringLiteral("measurement_id"), d.protocolNumber},
                             {QStringLiteral("measurement_datetime"), when},
                             {QStringLiteral("calibration"), calibration(d)},
                             {QStringLiteral("estimate"),
                              QJsonArray{QJsonObject{{QStringLiteral("species_quality"), 100},
                                                     {QStringLiteral("species"), QStringLiteral("fi")},
                                                     {QStringLiteral("conversion_factor_qm"), d.areaFactor}}}},
                             {QStringLiteral("sample"), QJsonArray{}},
                             {QStringLiteral("count"), d.count},
                             {QStringLiteral("sort_length"), d.sortLength},
                             {QStringLiteral("pile_front_area"), d.frontArea},
                             {QStringLiteral("pile_back_area"), d.backArea}}}};
    case exporting::MillKind::Gravimetric:
        break;
    }
    // Two samples share the weight.
    const QJsonObject sample{{QStringLiteral("species"), QStringLiteral("fi")},
                             {QStringLiteral("stem_length"), 4},
                             {QStringLiteral("diameter_length"), 30},
                             {QStringLiteral("weighed_sample"), 55},
                             {QStringLiteral("weighed_amount"), d.weight / 2}};
    return {{QStringLiteral("measurement_type_gravimetric"),
             QJsonObject{{QStringLiteral("measurement_id"), d.protocolNumber},
                         {QStringLiteral("measurement_datetime"), when},
                         {QStringLiteral("calibration"), QJsonArray{calibration(d)}},
                         {QStringLiteral("sample"), QJsonArray{sample, sample}},
                         {QStringLiteral("conversion_factor_qm_t"), d.weightFactor}}}};
}

} // namespace

std::vector<Log> logsOf(const std::vector<exporting::ExportLog> &logs)
{
    std::vector<Log> out;
    for (const exporting::ExportLog &l : logs) {
        Log m;
        m.stamId = QString::number(l.id);
        m.gradeLength = l.length.value_or(0);
        m.diameter = l.effectiveDiameter.value_or(0);
        m.quality = qualityOf(l.quality);
        if (l.quality == u"Cgw")
            m.qualityOther = QStringLiteral("gw");
        out.push_back(m);
    }
    return out;
}

QByteArray json(const Document &d)
{
    QJsonObject meta{{QStringLiteral("version"), QJsonObject{{QStringLiteral("code"), d.version}}},
                     {QStringLiteral("transaction_id"), QStringLiteral("6f1c2a9e-0000-4000-8000-000000000099")},
                     {QStringLiteral("process_id"), d.processId},
                     {QStringLiteral("module_id"), QStringLiteral("6f1c2a9e-0000-4000-8000-000000000098")},
                     {QStringLiteral("created_by"), QJsonObject{{QStringLiteral("application"), QStringLiteral("Werkvermessung")}}}};
    if (!d.referenceModuleId.isEmpty())
        meta.insert(QStringLiteral("status_tech"),
                    QJsonObject{{QStringLiteral("code"), 100}, {QStringLiteral("reference_module_id"), d.referenceModuleId}});
    QJsonArray woodIds;
    if (!d.lot.isEmpty())
        woodIds.append(QJsonObject{{QStringLiteral("wood_id_type"), QStringLiteral("los")}, {QStringLiteral("wood_id_no"), d.lot}});
    if (!d.pile.isEmpty())
        woodIds.append(QJsonObject{{QStringLiteral("wood_id_type"), QStringLiteral("pol")}, {QStringLiteral("wood_id_no"), d.pile}});
    QJsonObject data{
        {QStringLiteral("measurer"),
         QJsonObject{{QStringLiteral("business"), QJsonObject{{QStringLiteral("business_data"), address(QStringLiteral("Sägewerk Holzhausen"))}}},
                     {QStringLiteral("contact"),
                      QJsonArray{QJsonObject{{QStringLiteral("role_contact"), QStringLiteral("Vermesser")},
                                             {QStringLiteral("contact_name"), QStringLiteral("Erika")},
                                             {QStringLiteral("contact_surname"), QStringLiteral("Maß")},
                                             {QStringLiteral("contact_telephone"), QJsonArray{QStringLiteral("0123 456")}},
                                             {QStringLiteral("contact_email"), QStringLiteral("werk@example.org")}}}}}},
        {QStringLiteral("industrie_measured"), measured(d)}};
    if (!woodIds.isEmpty())
        data.insert(QStringLiteral("wood_id"), woodIds);
    const QJsonObject journal{
        {QStringLiteral("other_address"),
         QJsonArray{QJsonObject{{QStringLiteral("other_business"),
                                 QJsonObject{{QStringLiteral("role_business"), QStringLiteral("abn")},
                                             {QStringLiteral("business_data"), address(QStringLiteral("Holzkauf GmbH"))}}}}}},
        {QStringLiteral("measurement_data"), data},
        {QStringLiteral("status_arr"),
         QJsonArray{QJsonObject{{QStringLiteral("creation_datetime"), time(d.measured)}, {QStringLiteral("statusid"), QStringLiteral("10")}}}}};
    const QJsonObject document{{QStringLiteral("meta"), meta},
                               {QStringLiteral("eldat"), QJsonObject{{QStringLiteral("measurement_journal"), journal}}}};
    return QJsonDocument(QJsonObject{{QStringLiteral("document"), document}}).toJson(QJsonDocument::Indented);
}

QString validatorMissing()
{
    if (QFileInfo(validator).isExecutable())
        return {};
    return QStringLiteral("No ELDATsmart validator at %1: the mill documents were not checked against the schema").arg(validator);
}

QString rejection(const QString &path)
{
    return sharedvalidator::rejection(validator, {path});
}

} // namespace milldocs
