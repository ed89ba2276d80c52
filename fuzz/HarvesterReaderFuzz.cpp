#include "fuzz/FuzzLogic.h"

#include "harvester/ImportPlan.h"
#include "harvester/ProductionReader.h"

#include <QBuffer>

namespace fuzzlogic {

namespace {

qsizetype textSize(const harvester::Production &p)
{
    qsizetype n = p.header.version.size() + p.header.senderApplication.size() + p.header.creationDate.size()
                  + p.machine.manufacturer.size() + p.machine.model.size() + p.machine.userId.size();
    for (const auto &g : p.speciesGroups)
        n += g.key.size() + g.name.size();
    for (const auto &product : p.products)
        n += product.key.size() + product.name.size() + product.groupName.size();
    for (const auto &s : p.sites)
        n += s.key.size() + s.name.size() + s.forestOwner.size() + s.contractNumber.size();
    return n;
}

// What the quick reader reads, the full reader reads to the same values.
void quickReaderAgrees(const QByteArray &bytes)
{
    QBuffer quickBuffer;
    quickBuffer.setData(bytes);
    quickBuffer.open(QIODevice::ReadOnly);
    const std::optional<harvester::Production> quick = harvester::readProductionQuickly(quickBuffer, QStringLiteral("Schlag.hpr"));
    if (!quick)
        return;
    QBuffer fullBuffer;
    fullBuffer.setData(bytes);
    fullBuffer.open(QIODevice::ReadOnly);
    try {
        if (!(*quick == harvester::readProductionFully(fullBuffer, QStringLiteral("Schlag.hpr"))))
            throw Violation("the quick reader read a file otherwise than the full reader");
    } catch (const harvester::HarvesterError &) {
        throw Violation("the quick reader read a file the full reader refuses");
    }
}

} // namespace

void harvesterReader(QByteArrayView input)
{
    quickReaderAgrees(input.toByteArray());
    QBuffer buffer;
    buffer.setData(input.toByteArray());
    buffer.open(QIODevice::ReadOnly);
    harvester::Production production;
    try {
        production = harvester::readProduction(buffer, QStringLiteral("Schlag.hpr"));
    } catch (const harvester::HarvesterError &e) {
        if (e.message().isEmpty() || !e.message().contains(QStringLiteral("Schlag.hpr")))
            throw Violation("a refused file without a message naming it");
        if (e.lineNumber() < 0)
            throw Violation("an error names a line before the first");
        return;
    }
    // Nothing read is longer than what came in: no entity was expanded.
    if (textSize(production) > input.size())
        throw Violation("the texts read are longer than the file");

    int logs = 0;
    for (const harvester::Stem &stem : production.stems)
        logs += int(stem.logs.size());
    for (const harvester::Bark bark : {harvester::Bark::With, harvester::Bark::Without}) {
        const harvester::ImportPlan plan(production, bark);
        if (plan.importableLogs() + plan.refusedTotal() != logs)
            throw Violation("a log neither taken nor refused");
        int inGroups = 0;
        for (const harvester::GroupFigures &g : plan.groups()) {
            inGroups += g.logs;
            if (g.logs <= 0 || g.volume < 0)
                throw Violation("a group without logs or with a negative volume");
        }
        if (inGroups != plan.importableLogs())
            throw Violation("the groups do not hold every log taken");
        for (const harvester::Stem &stem : production.stems) {
            for (const harvester::HarvestedLog &log : stem.logs) {
                const harvester::LogOutcome outcome = harvester::measuredLog(log, bark);
                if (!outcome.row)
                    continue;
                const int maxDiameter = bark == harvester::Bark::With ? 61 : 59;
                if (outcome.row->laenge < 1 || outcome.row->laenge > 39 || outcome.row->durchmein < 1
                    || outcome.row->durchmein > maxDiameter)
                    throw Violation("a log outside the accepted ranges was taken");
            }
        }
    }
}

} // namespace fuzzlogic
