#include "harvester/ImportPlan.h"

#include "engine/DecimalSum.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace harvester {

namespace {

template<typename T>
const T *byKey(const std::vector<T> &items, const QString &key)
{
    const auto it = std::find_if(items.begin(), items.end(), [&](const T &item) { return item.key == key; });
    return it == items.end() ? nullptr : &*it;
}

} // namespace

QString productName(const Production &production, const QString &key)
{
    const Product *product = byKey(production.products, key);
    return product && !product->name.isEmpty() ? product->name : key;
}

QString speciesName(const Production &production, const QString &key)
{
    const SpeciesGroup *group = byKey(production.speciesGroups, key);
    return group && !group->name.isEmpty() ? group->name : key;
}

QString siteText(const Production &production)
{
    QStringList names;
    for (const Site &site : production.sites)
        if (!site.name.isEmpty() && !names.contains(site.name))
            names << site.name;
    return names.join(QStringLiteral(", "));
}

QString machineText(const Production &production)
{
    const MachineInfo &m = production.machine;
    const QString makerModel = QStringList{m.manufacturer, m.model}.join(u' ').trimmed();
    return makerModel.isEmpty() ? m.userId : makerModel;
}

ImportPlan::ImportPlan(const Production &production, Bark bark) : m_bark(bark)
{
    // Every group the file defines, then those only its stems name; a key defined twice is
    // the first definition's.
    std::vector<GroupFigures> all;
    QHash<QString, std::size_t> groupOf;
    for (const SpeciesGroup &group : production.speciesGroups) {
        if (groupOf.contains(group.key))
            continue;
        groupOf.insert(group.key, all.size());
        all.push_back({group.key, speciesName(production, group.key), 0, 0, {}});
    }
    std::vector<engine::DecimalSum> volumes(all.size());
    QHash<QString, bool> productSeen;

    for (const Stem &stem : production.stems) {
        if (stem.harvestDate.isValid()) {
            if (!m_firstHarvest.isValid() || stem.harvestDate < m_firstHarvest)
                m_firstHarvest = stem.harvestDate;
            if (!m_lastHarvest.isValid() || stem.harvestDate > m_lastHarvest)
                m_lastHarvest = stem.harvestDate;
        }
        auto found = groupOf.constFind(stem.speciesGroupKey);
        if (found == groupOf.cend()) {
            found = groupOf.insert(stem.speciesGroupKey, all.size());
            all.push_back({stem.speciesGroupKey, stem.speciesGroupKey, 0, 0, {}});
            volumes.emplace_back();
        }
        const std::size_t g = *found;
        for (const HarvestedLog &log : stem.logs) {
            const LogOutcome outcome = measuredLog(log, bark);
            if (!outcome.row) {
                ++m_refused[std::size_t(outcome.refusal)];
                continue;
            }
            ++m_importable;
            ++all[g].logs;
            volumes[g].add(listRow(*outcome.row, bark).volumen);
            if (std::find(all[g].productKeys.begin(), all[g].productKeys.end(), log.productKey) == all[g].productKeys.end())
                all[g].productKeys.push_back(log.productKey);
            if (!productSeen.contains(log.productKey)) {
                productSeen.insert(log.productKey, true);
                m_products.push_back({log.productKey, productName(production, log.productKey)});
            }
        }
    }
    for (std::size_t g = 0; g < all.size(); ++g) {
        if (all[g].logs == 0)
            continue;
        all[g].volume = volumes[g].toDouble();
        m_groups.push_back(std::move(all[g]));
    }
}

int ImportPlan::refusedTotal() const
{
    int total = 0;
    for (const int n : m_refused)
        total += n;
    return total;
}

QString ImportPlan::refusedText() const
{
    QStringList parts;
    for (std::size_t r = 0; r < RefusalKinds; ++r)
        if (m_refused[r] > 0)
            parts << QStringLiteral("%1 %2").arg(m_refused[r]).arg(refusalText(Refusal(r)));
    return parts.isEmpty() ? QStringLiteral("keine") : parts.join(QStringLiteral(", "));
}

} // namespace harvester
