#include "export/MillReader.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace exporting {

namespace {

const QString supportedVersion = QStringLiteral("1.0.3");

// Reads one document; every refusal names the file.
class Reader
{
public:
    explicit Reader(const QString &fileName) : m_file(fileName) {}

    [[noreturn]] void refuse(const QString &what) const
    {
        throw MillReadError(QStringLiteral("Die Datei „%1“ kann nicht als Werkmaßprotokoll gelesen werden: %2").arg(m_file, what));
    }

    MillProtocol read(const QByteArray &json) const
    {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
        if (error.error != QJsonParseError::NoError)
            refuse(QStringLiteral("Sie enthält kein gültiges JSON (Fehler bei Zeichen %1).").arg(error.offset));
        const QJsonObject document = doc.object().value(u"document").toObject();
        const QJsonObject meta = document.value(u"meta").toObject();
        const QJsonObject eldat = document.value(u"eldat").toObject();
        if (!doc.isObject() || meta.isEmpty() || eldat.isEmpty())
            refuse(QStringLiteral("Sie ist kein ELDATsmart-Dokument."));
        const QString version = meta.value(u"version").toObject().value(u"code").toString();
        if (version != supportedVersion)
            refuse(QStringLiteral("Sie hat die ELDATsmart-Version „%1“; gelesen wird die Version %2.").arg(version, supportedVersion));
        const QJsonValue journalValue = eldat.value(u"measurement_journal");
        if (!journalValue.isObject()) {
            const QString module = eldat.isEmpty() ? QString() : eldat.keys().constFirst();
            refuse(QStringLiteral("Sie enthält das Modul „%1“, kein Messprotokoll (measurement_journal).").arg(module));
        }
        const QJsonObject data = journalValue.toObject().value(u"measurement_data").toObject();

        MillProtocol p;
        p.reference = reference(meta, data);
        p.header.mill = millName(journalValue.toObject(), data);
        p.header.measurer = measurerName(data);
        const QJsonObject measured = data.value(u"industrie_measured").toObject();
        if (const QJsonValue v = measured.value(u"measurement_type_single_log_industrie"); v.isObject()) {
            p.kind = MillKind::SingleLog;
            const QJsonObject o = v.toObject();
            readHeader(o, p.header);
            p.header.calibratedUntil = dateTime(o.value(u"calibration").toObject().value(u"calibrated_until"));
            p.header.screeningValidTo = dateTime(o.value(u"screening_valid_to"));
            p.logs = logs(o.value(u"log_industrie"), QStringLiteral("log_industrie"));
        } else if (const QJsonValue v = measured.value(u"measurement_type_harvester"); v.isObject()) {
            p.kind = MillKind::Harvester;
            readHeader(v.toObject(), p.header);
            p.logs = logs(v.toObject().value(u"log"), QStringLiteral("log"));
        } else if (const QJsonValue v = measured.value(u"measurement_type_photo_optical"); v.isObject()) {
            p.kind = MillKind::PhotoOptical;
            const QJsonObject o = v.toObject();
            readHeader(o, p.header);
            p.header.calibratedUntil = dateTime(o.value(u"calibration").toObject().value(u"calibrated_until"));
            p.pile = photoOptical(o);
        } else if (const QJsonValue v = measured.value(u"measurement_type_gravimetric"); v.isObject()) {
            p.kind = MillKind::Gravimetric;
            const QJsonObject o = v.toObject();
            readHeader(o, p.header);
            p.header.calibratedUntil = earliestCalibration(o.value(u"calibration").toArray());
            p.pile = gravimetric(o);
        } else {
            refuse(QStringLiteral("Sie enthält kein Werkmaß (industrie_measured) einer der vier bekannten Arten."));
        }
        return p;
    }

private:
    static MillReference reference(const QJsonObject &meta, const QJsonObject &data)
    {
        MillReference r;
        r.processId = meta.value(u"process_id").toString();
        r.referenceModuleId = meta.value(u"status_tech").toObject().value(u"reference_module_id").toString();
        for (const QJsonValue &id : data.value(u"wood_id").toArray()) {
            const QJsonObject o = id.toObject();
            const QString type = o.value(u"wood_id_type").toString();
            const QString number = o.value(u"wood_id_no").toString();
            if (type == u"los")
                r.lotNumbers.append(number);
            else if (type == u"pol")
                r.pileNumbers.append(number);
        }
        return r;
    }

    // The measuring firm; else the buyer or measuring firm among the other addresses; else the
    // first of them.
    static QString millName(const QJsonObject &journal, const QJsonObject &data)
    {
        const QString measurer =
            data.value(u"measurer").toObject().value(u"business").toObject().value(u"business_data").toObject().value(u"name").toString();
        if (!measurer.isEmpty())
            return measurer;
        QString first;
        for (const QJsonValue &a : journal.value(u"other_address").toArray()) {
            const QJsonObject business = a.toObject().value(u"other_business").toObject();
            const QString name = business.value(u"business_data").toObject().value(u"name").toString();
            const QString role = business.value(u"role_business").toString();
            if (!name.isEmpty() && (role == u"ver" || role == u"abn"))
                return name;
            if (first.isEmpty())
                first = name;
        }
        return first;
    }

    static QString measurerName(const QJsonObject &data)
    {
        const QJsonObject contact = data.value(u"measurer").toObject().value(u"contact").toArray().first().toObject();
        return QStringList{contact.value(u"contact_name").toString(), contact.value(u"contact_surname").toString()}
            .filter(QRegularExpression(QStringLiteral("\\S")))
            .join(u' ');
    }

    void readHeader(const QJsonObject &o, MillHeader &h) const
    {
        const QJsonValue id = o.value(u"measurement_id");
        h.protocolNumber = id.isDouble() ? QString::number(id.toDouble()) : id.toString();
        if (const auto measured = dateTime(o.value(u"measurement_datetime")))
            h.measured = *measured;
    }

    std::optional<QDateTime> dateTime(const QJsonValue &v) const
    {
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
        if (!t.isValid())
            t = QDateTime::fromString(v.toString(), Qt::ISODate);
        if (!t.isValid())
            t = QDate::fromString(v.toString(), Qt::ISODate).startOfDay(Qt::UTC);
        if (!t.isValid())
            refuse(QStringLiteral("„%1“ ist kein Datum.").arg(v.toVariant().toString()));
        return t;
    }

    std::optional<QDateTime> earliestCalibration(const QJsonArray &devices) const
    {
        std::optional<QDateTime> earliest;
        for (const QJsonValue &d : devices) {
            const auto until = dateTime(d.toObject().value(u"calibrated_until"));
            if (until && (!earliest || *until < *earliest))
                earliest = until;
        }
        return earliest;
    }

    // A figure that must be a number when it is there at all.
    std::optional<double> number(const QJsonObject &o, QStringView key, const QString &where) const
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            refuse(QStringLiteral("%1: „%2“ ist keine Zahl.").arg(where, key.toString()));
        return v.toDouble();
    }

    std::optional<int> wholeCentimetres(const QJsonObject &o, QStringView key, const QString &where) const
    {
        const auto v = number(o, key, where);
        if (!v)
            return std::nullopt;
        if (*v < 0 || *v > 1000)
            refuse(QStringLiteral("%1: „%2“ ist kein Durchmesser in cm.").arg(where, key.toString()));
        return int(std::floor(*v));
    }

    std::vector<MillLog> logs(const QJsonValue &array, const QString &key) const
    {
        if (!array.isArray() || array.toArray().isEmpty())
            refuse(QStringLiteral("Sie enthält keine Stämme (%1).").arg(key));
        const QJsonArray items = array.toArray();
        std::vector<MillLog> out;
        out.reserve(std::size_t(items.size()));
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (!items[i].isObject())
                refuse(QStringLiteral("Stamm %1 der Liste ist kein Objekt.").arg(i + 1));
            out.push_back(log(items[i].toObject(), QStringLiteral("Stamm %1").arg(i + 1)));
        }
        return out;
    }

    MillLog log(const QJsonObject &o, const QString &where) const
    {
        MillLog l;
        const QJsonValue stam = o.value(u"stam_id");
        l.stamId = stam.isDouble() ? QString::number(stam.toDouble()) : stam.toString().trimmed();
        l.species = o.value(u"species").toString();
        l.gradeLength = number(o, u"grade_length", where);
        l.realLength = number(o, u"real_length", where);
        if (l.gradeLength && (*l.gradeLength < 0 || *l.gradeLength > 1000))
            refuse(QStringLiteral("%1: „grade_length“ ist keine Länge in m.").arg(where));
        l.forestDiameter = wholeCentimetres(o, u"diameter_length_forest", where);
        for (const char16_t *key : {u"grade_diameter_one", u"grade_diameter_two", u"grade_diameter_three", u"grade_diameter_four"})
            if (wholeCentimetres(o, key, where))
                l.gradeDiameters.push_back(o.value(key).toDouble());
        const QJsonObject quality = o.value(u"quality_definition").toObject();
        l.qualityType = quality.value(u"qual_type").toString();
        l.qualityOther = quality.value(u"other_qual_type").toString();
        l.thicknessClass = o.value(u"single_log_thickness_class").toString();
        if (l.thicknessClass.isEmpty())
            l.thicknessClass = o.value(u"thickness_class").toString();
        l.text = o.value(u"single_log_text").toString();
        // Harvester figures: taken only where they have their defined form.
        const QJsonValue stem = o.value(u"stem_length");
        if (!l.gradeLength && stem.isDouble() && stem.toDouble() >= 0 && stem.toDouble() <= 1000)
            l.gradeLength = stem.toDouble();
        if (!l.forestDiameter && l.gradeDiameters.empty())
            l.forestDiameter = middleDiameter(o.value(u"diameter_length"), l.gradeLength);
        return l;
    }

    // Of the diameters measured along the log, the one nearest its middle.
    static std::optional<int> middleDiameter(const QJsonValue &list, const std::optional<double> &length)
    {
        if (!list.isArray())
            return std::nullopt;
        const double middle = length.value_or(0) * 100 / 2;
        std::optional<int> best;
        double bestDistance = std::numeric_limits<double>::infinity();
        for (const QJsonValue &v : list.toArray()) {
            const QJsonObject o = v.toObject();
            const QJsonValue d = o.value(u"diameter_value");
            if (!d.isDouble() || d.toDouble() < 0 || d.toDouble() > 1000)
                continue;
            const double distance = std::abs(o.value(u"diameter_position").toDouble(middle) - middle);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = int(std::floor(d.toDouble()));
            }
        }
        return best;
    }

    MillPile photoOptical(const QJsonObject &o) const
    {
        const QString where = QStringLiteral("Foto-optische Vermessung");
        MillPile pile;
        if (const auto count = number(o, u"count", where)) {
            if (*count < 0 || *count > 1e9)
                refuse(QStringLiteral("%1: „count“ ist keine Stückzahl.").arg(where));
            pile.count = int(*count);
        }
        pile.sortLength = number(o, u"sort_length", where);
        pile.frontArea = number(o, u"pile_front_area", where);
        pile.backArea = number(o, u"pile_back_area", where);
        for (const QJsonValue &e : o.value(u"estimate").toArray()) {
            const QJsonObject estimate = e.toObject();
            MillPile::Share share;
            share.percent = number(estimate, u"species_quality", where).value_or(0);
            share.factor = number(estimate, u"conversion_factor_qm", where).value_or(1);
            pile.shares.push_back(share);
        }
        return pile;
    }

    MillPile gravimetric(const QJsonObject &o) const
    {
        const QString where = QStringLiteral("Gravimetrische Vermessung");
        MillPile pile;
        pile.weightFactor = number(o, u"conversion_factor_qm_t", where);
        for (const QJsonValue &s : o.value(u"sample").toArray())
            if (const auto weight = number(s.toObject(), u"weighed_amount", where))
                pile.weight = pile.weight.value_or(0) + *weight;
        return pile;
    }

    QString m_file;
};

} // namespace

MillProtocol readMillProtocol(const QByteArray &json, const QString &fileName)
{
    return Reader(fileName).read(json);
}

MillProtocol readMillProtocolFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw MillReadError(QStringLiteral("Die Datei „%1“ kann nicht geöffnet werden: %2").arg(name, file.errorString()));
    return readMillProtocol(file.readAll(), name);
}

} // namespace exporting
