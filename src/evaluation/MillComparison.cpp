#include "evaluation/MillComparison.h"

#include "engine/DecimalSum.h"
#include "rules/MeasurementRules.h"
#include "rules/MillRules.h"
#include "values/DisplayFormat.h"

#include <QMap>

#include <algorithm>
#include <tuple>

namespace evaluation {

namespace {

const values::display::Separators german{u',', u'.'};

// a − b, added exactly as the decimals they stand for.
double exactDifference(double a, double b)
{
    engine::DecimalSum sum;
    sum.add(a);
    sum.remove(b);
    return sum.toDouble();
}

QString dateText(const QDateTime &t)
{
    return t.isValid() ? t.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

// A sort key that puts the known qualities and classes in their order, the others behind.
std::tuple<int, QString, int, QString> classOrder(const MillClassRow &r)
{
    return {rules::GueteRang(r.quality).value_or(99), r.quality, rules::KlassenUntergrenze(r.diameterClass).value_or(999),
            r.diameterClass};
}

struct ClassSums
{
    int listCount = 0;
    engine::DecimalSum listVolume;
    int millCount = 0;
    engine::DecimalSum millVolume;
};

MillRow rowOf(const MillMatcher::Pair &pair, const std::vector<exporting::ExportLog> &list, const std::vector<exporting::MillLog> &mill)
{
    MillRow r;
    r.matching = pair.matching;
    if (pair.list) {
        const exporting::ExportLog &l = list[*pair.list];
        r.number = l.id;
        r.length = l.length;
        r.diameter = l.effectiveDiameter;
        r.quality = l.quality;
        r.diameterClass = l.diameterClass;
        r.volume = l.volume;
    }
    if (pair.mill) {
        const exporting::MillLog &m = mill[*pair.mill];
        r.millNumber = m.stamId.isEmpty() ? QString::number(*pair.mill + 1) : m.stamId;
        r.millLength = m.gradeLength;
        r.millDiameter = rules::WerkDurchmesser(m.forestDiameter, m.gradeDiameters);
        r.millQuality = rules::WerkGueteklasse(m.qualityType, m.qualityOther);
        r.millClass = rules::Vergleichsklasse(m.thicknessClass);
        if (r.millDiameter)
            r.millClassOfDiameter = rules::Vergleichsklasse(rules::StaerkeklasseBerechnen(*r.millDiameter));
        r.millVolume = rules::WerkVolumen(r.millDiameter, r.millLength);
    }
    if (pair.list && pair.mill) {
        r.thinner = r.diameter && r.millDiameter && *r.millDiameter <= *r.diameter - 2;
        const auto listBound = rules::KlassenUntergrenze(rules::Vergleichsklasse(r.diameterClass));
        const QString millClass = r.millClass.isEmpty() ? r.millClassOfDiameter : r.millClass;
        const auto millBound = rules::KlassenUntergrenze(millClass);
        r.lowerClass = listBound && millBound && *millBound < *listBound;
        const auto listRank = rules::GueteRang(r.quality);
        const auto millRank = rules::GueteRang(r.millQuality);
        r.lowerQuality = listRank && millRank && *millRank > *listRank;
    }
    return r;
}

} // namespace

std::optional<double> MillRow::difference() const
{
    if (!volume || !millVolume)
        return std::nullopt;
    return exactDifference(*millVolume, *volume);
}

double MillTotals::difference() const
{
    return exactDifference(millVolume, listVolume);
}

bool MillRow::notable() const
{
    return thinner || lowerClass || lowerQuality || matching == Matching::MillOnly || matching == Matching::ListOnly;
}

MillComparison::MillComparison(const std::vector<exporting::ExportLog> &listLogs, const exporting::MillProtocol &protocol)
    : m_kind(protocol.kind), m_header(protocol.header)
{
    engine::DecimalSum listTotal;
    for (const exporting::ExportLog &l : listLogs)
        listTotal.add(l.volume.value_or(0));
    m_totals.listCount = int(listLogs.size());
    m_totals.listVolume = listTotal.toDouble();

    if (exporting::isPileKind(protocol.kind)) {
        const exporting::MillPile &p = protocol.pile;
        std::optional<double> volume;
        if (protocol.kind == exporting::MillKind::PhotoOptical) {
            std::vector<rules::PolterAnteil> shares;
            for (const exporting::MillPile::Share &s : p.shares)
                shares.push_back({s.percent, s.factor});
            volume = rules::PolterVolumenFotooptisch(p.frontArea, p.backArea, p.sortLength, shares);
        } else {
            volume = rules::PolterVolumenGewicht(p.weight, p.weightFactor);
        }
        m_totals.millCount = p.count;
        m_totals.millVolume = volume.value_or(0);
        m_classRows.push_back({QStringLiteral("Summe"), QString(), m_totals.listCount, m_totals.listVolume, p.count.value_or(0),
                               m_totals.millVolume});
        return;
    }

    std::vector<MillMatcher::ListMeasures> listSide;
    listSide.reserve(listLogs.size());
    for (const exporting::ExportLog &l : listLogs)
        listSide.push_back({l.id, l.length, l.effectiveDiameter});
    std::vector<MillMatcher::MillMeasures> millSide;
    millSide.reserve(protocol.logs.size());
    for (const exporting::MillLog &m : protocol.logs)
        millSide.push_back({m.stamId, m.gradeLength, rules::WerkDurchmesser(m.forestDiameter, m.gradeDiameters)});

    const std::vector<MillMatcher::Pair> pairs = MillMatcher::match(listSide, millSide);
    m_rows.reserve(pairs.size());
    QMap<std::pair<QString, QString>, ClassSums> classes;
    engine::DecimalSum millTotal;
    int millCount = 0;
    for (const MillMatcher::Pair &pair : pairs) {
        MillRow row = rowOf(pair, listLogs, protocol.logs);
        if (pair.list) {
            ClassSums &c = classes[{row.quality, rules::Vergleichsklasse(row.diameterClass)}];
            ++c.listCount;
            c.listVolume.add(row.volume.value_or(0));
        }
        if (pair.mill) {
            const QString millClass = row.millClass.isEmpty() ? row.millClassOfDiameter : row.millClass;
            ClassSums &c = classes[{row.millQuality, millClass}];
            ++c.millCount;
            c.millVolume.add(row.millVolume.value_or(0));
            millTotal.add(row.millVolume.value_or(0));
            ++millCount;
        }
        m_rows.push_back(std::move(row));
    }
    m_totals.millCount = millCount;
    m_totals.millVolume = millTotal.toDouble();

    for (auto it = classes.cbegin(); it != classes.cend(); ++it)
        m_classRows.push_back({it.key().first, it.key().second, it->listCount, it->listVolume.toDouble(), it->millCount,
                               it->millVolume.toDouble()});
    std::sort(m_classRows.begin(), m_classRows.end(),
              [](const MillClassRow &a, const MillClassRow &b) { return classOrder(a) < classOrder(b); });
}

QString MillComparison::summaryLine() const
{
    const MillTotals &t = m_totals;
    const QString millCount = t.millCount ? countText(*t.millCount) : QStringLiteral("–");
    return QStringLiteral("Liste: %1 Stämme, %2 FM – Werk: %3 Stämme, %4 FM – Abweichung: %5 FM (%6 %)")
        .arg(countText(t.listCount), fmText(t.listVolume), millCount, fmText(t.millVolume),
             signedFmText(t.difference()), signedPercentText(t.difference(), t.listVolume));
}

QStringList MillComparison::headerLines() const
{
    QStringList lines;
    lines << QStringLiteral("Werk: %1").arg(m_header.mill);
    if (!m_header.measurer.isEmpty())
        lines << QStringLiteral("Vermesser: %1").arg(m_header.measurer);
    lines << QStringLiteral("Protokoll-Nr.: %1").arg(m_header.protocolNumber);
    lines << QStringLiteral("Vermessen am: %1").arg(dateText(m_header.measured));
    lines << QStringLiteral("Geeicht bis: %1").arg(m_header.calibratedUntil ? dateText(*m_header.calibratedUntil) : QStringLiteral("–"));
    lines << QStringLiteral("Sortierprüfung gültig bis: %1")
                 .arg(m_header.screeningValidTo ? dateText(*m_header.screeningValidTo) : QStringLiteral("–"));
    return lines;
}

QStringList MillComparison::warnings() const
{
    QStringList out;
    if (!m_header.measured.isValid())
        return out;
    const QDate day = m_header.measured.date();
    if (m_header.calibratedUntil && m_header.calibratedUntil->date() < day)
        out << QStringLiteral("Die Eichung war am Tag der Vermessung abgelaufen (geeicht bis %1).").arg(dateText(*m_header.calibratedUntil));
    if (m_header.screeningValidTo && m_header.screeningValidTo->date() < day)
        out << QStringLiteral("Die Sortierprüfung war am Tag der Vermessung abgelaufen (gültig bis %1).")
                   .arg(dateText(*m_header.screeningValidTo));
    return out;
}

QString fmText(double volume)
{
    return values::display::formatFloat(QStringLiteral("###,##0.00"), volume, german);
}

QString signedFmText(double difference)
{
    const QString text = fmText(difference);
    return difference > 0 && text != u"0,00" ? u'+' + text : text;
}

QString signedPercentText(double value, double of)
{
    if (of == 0)
        return QStringLiteral("–");
    const double percent = value / of * 100;
    const QString text = values::display::formatFloat(QStringLiteral("###,##0.0"), percent, german);
    return percent > 0 && text != u"0,0" ? u'+' + text : text;
}

QString countText(int count)
{
    return values::display::formatFloat(QStringLiteral("###,##0"), count, german);
}

} // namespace evaluation
