#pragma once

#include "harvester/LogRows.h"
#include "harvester/Production.h"

#include <QDate>
#include <QString>

#include <array>
#include <vector>

// The figures the import window shows for a production file and a bark choice: one row per
// species group holding logs that can be taken, the products of those logs, the logs not taken
// and why, the site, the machine and the harvest dates.
namespace harvester {

struct GroupFigures
{
    QString speciesKey;
    QString speciesName;
    int logs = 0;
    double volume = 0;                 // FM, the sum of the rows' volumes
    std::vector<QString> productKeys;  // of its logs, in order of first appearance
};

struct ProductRow
{
    QString key;
    QString name;
};

class ImportPlan
{
public:
    ImportPlan(const Production &production, Bark bark);

    Bark bark() const { return m_bark; }
    // The species groups with logs that can be taken, in the order the file defines them
    // (groups only named by their stems follow). Two groups of one name are two rows.
    const std::vector<GroupFigures> &groups() const { return m_groups; }
    // The products of the logs that can be taken, in order of first appearance.
    const std::vector<ProductRow> &products() const { return m_products; }
    int importableLogs() const { return m_importable; }
    int refused(Refusal refusal) const { return m_refused[std::size_t(refusal)]; }
    int refusedTotal() const;
    // "keine", or the counts by reason: "3 zu kurz, 1 ohne Messung".
    QString refusedText() const;

    QDate firstHarvest() const { return m_firstHarvest; }
    QDate lastHarvest() const { return m_lastHarvest; }

private:
    Bark m_bark;
    std::vector<GroupFigures> m_groups;
    std::vector<ProductRow> m_products;
    std::array<int, RefusalKinds> m_refused{};
    int m_importable = 0;
    QDate m_firstHarvest;
    QDate m_lastHarvest;
};

// The name of a product by its key; the key itself for a product the file does not define or
// names not.
QString productName(const Production &production, const QString &key);
// The name of a species group by its key, the key itself when the file defines none.
QString speciesName(const Production &production, const QString &key);
// The names of the file's sites, "A, B"; the machine as maker and model, or its name.
QString siteText(const Production &production);
QString machineText(const Production &production);

} // namespace harvester
