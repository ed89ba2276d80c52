#include "evaluation/Summary.h"

#include "data/Dataset.h"
#include "values/DisplayFormat.h"
#include "values/ListColumns.h"

#include <QLocale>

namespace evaluation {

namespace {

// The value a volume shows as: its general format, read back.
double asShown(double volume)
{
    return QLocale::c().toDouble(values::display::formatGeneral(volume, {u'.', u','}));
}

void addTo(Summary::Total &total, std::optional<qint64> count, std::optional<double> volume)
{
    if (count)
        total.count.add(*count);
    if (volume)
        total.volume.add(asShown(*volume));
}

template<typename Map>
auto find(const Map &map, const typename Map::key_type &key) -> const typename Map::mapped_type *
{
    const auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}

} // namespace

void Summary::add(const QString &quality, const QString &diameter, std::optional<qint64> count, std::optional<double> volume)
{
    const QString q = quality.toUpper();
    const QString d = diameter.toUpper();
    m_pairs[{q, d}] = {count, volume};
    addTo(m_qualities[q], count, volume);
    addTo(m_diameters[d], count, volume);
    addTo(m_list, count, volume);
}

const Summary::Pair *Summary::pair(const QString &quality, const QString &diameter) const
{
    return find(m_pairs, {quality.toUpper(), diameter.toUpper()});
}

const Summary::Total *Summary::qualityTotal(const QString &quality) const
{
    return find(m_qualities, quality.toUpper());
}

const Summary::Total *Summary::diameterTotal(const QString &diameter) const
{
    return find(m_diameters, diameter.toUpper());
}

Summary summaryOf(const data::Dataset &query)
{
    Summary summary;
    if (!query.isOpen())
        return summary;
    const int quality = query.fieldIndex(values::listcolumn::Gueteklasse);
    const int diameter = query.fieldIndex(values::listcolumn::Staerkeklasse);
    const int count = query.fieldIndex(QStringLiteral("Menge"));
    const int volume = query.fieldIndex(QStringLiteral("Volumen"));
    for (int row = 0; row < query.recordCount(); ++row) {
        const QVariant m = query.value(row, count);
        const QVariant v = query.value(row, volume);
        summary.add(query.value(row, quality).toString(), query.value(row, diameter).toString(),
                    m.isNull() ? std::nullopt : std::optional<qint64>(m.toLongLong()),
                    v.isNull() ? std::nullopt : std::optional<double>(v.toDouble()));
    }
    return summary;
}

} // namespace evaluation
