#include "harvester/ListImport.h"

#include "data/EldatFactsStore.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "engine/Error.h"
#include "engine/Transaction.h"
#include "export/FactsOffer.h"
#include "harvester/ImportPlan.h"

#include <algorithm>

namespace harvester {

namespace {

// What one list gets from the file.
struct ListContent
{
    std::vector<std::pair<MeasuredLog, QString>> logs; // the row and the log's product key
    std::vector<QString> productKeys;
    std::vector<double> latitudes;
    std::vector<double> longitudes;
    QDate firstHarvest;
};

ListContent contentOf(const Production &production, const QString &speciesKey, Bark bark)
{
    ListContent content;
    for (const Stem &stem : production.stems) {
        if (stem.speciesGroupKey != speciesKey)
            continue;
        bool taken = false;
        for (const HarvestedLog &log : stem.logs) {
            const LogOutcome outcome = measuredLog(log, bark);
            if (!outcome.row)
                continue;
            taken = true;
            content.logs.emplace_back(*outcome.row, log.productKey);
            if (std::find(content.productKeys.begin(), content.productKeys.end(), log.productKey) == content.productKeys.end())
                content.productKeys.push_back(log.productKey);
        }
        if (!taken)
            continue;
        if (stem.latitude && stem.longitude) {
            content.latitudes.push_back(*stem.latitude);
            content.longitudes.push_back(*stem.longitude);
        }
        if (stem.harvestDate.isValid() && (!content.firstHarvest.isValid() || stem.harvestDate < content.firstHarvest))
            content.firstHarvest = stem.harvestDate;
    }
    return content;
}

} // namespace

std::optional<double> median(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1)
        return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + middle);
    return (lower + upper) / 2;
}

ImportCount importLists(engine::Connection &db, const Production &production, const ImportChoice &choice,
                        const ImportProgress &progress)
{
    if (int(choice.lists.size()) > MaxListsPerImport)
        throw engine::Error(QStringLiteral("Es können höchstens %1 Listen in einem Schritt importiert werden. Bitte wählen Sie "
                                           "weniger Baumarten aus und importieren Sie die übrigen danach.")
                                .arg(MaxListsPerImport));
    std::vector<ListContent> contents;
    qint64 total = 0;
    for (const ChosenList &list : choice.lists) {
        contents.push_back(contentOf(production, list.speciesKey, choice.bark));
        total += qint64(contents.back().logs.size());
    }
    const QString abteilung = siteText(production).left(AbteilungWidth);
    const QString zusatztext = machineText(production).left(ZusatztextWidth);
    // A file without harvest dates was written after the harvest: its date stands in.
    const QDate written = QDate::fromString(production.header.creationDate.left(10), Qt::ISODate);

    ImportCount count;
    qint64 done = 0;
    engine::Transaction tx(db);
    for (std::size_t i = 0; i < choice.lists.size(); ++i) {
        const ChosenList &list = choice.lists[i];
        const ListContent &content = contents[i];

        values::ListHeader header;
        header.species = speciesName(production, list.speciesKey).left(BaumartWidth);
        if (content.productKeys.size() == 1)
            header.assortment = productName(production, content.productKeys.front()).left(SorteWidth);
        header.department = abteilung;
        header.text = zusatztext;
        header.peeled = geschaelt(choice.bark);
        header.name = list.name;
        data::loglist::addListTables(db, list.name);
        data::loglist::addHeaderRow(db, list.name, header);

        data::loglist::LogWriter logs(db, list.name);
        int id = 0;
        for (const auto &[measured, productKey] : content.logs) {
            values::LogRow row = listRow(measured, choice.bark);
            row.id = ++id;
            row.gueteklasse = choice.qualities.value(productKey, QStringLiteral("B"));
            logs.insert(row);
            if (progress && ++done % 1024 == 0)
                progress(done, total);
        }

        values::EldatFacts facts = exporting::offeredFacts(
            header, std::nullopt,
            content.firstHarvest.isValid() ? content.firstHarvest : written);
        facts.latitude = median(content.latitudes);
        facts.longitude = median(content.longitudes);
        data::storeEldatFacts(db, list.name, facts);
        ++count.lists;
    }
    tx.commit();
    count.logs = total;
    if (progress)
        progress(total, total);
    return count;
}

} // namespace harvester
