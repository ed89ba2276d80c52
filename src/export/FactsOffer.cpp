#include "export/FactsOffer.h"

#include "export/EldatCodes.h"

namespace exporting {

EldatFacts offeredFacts(const ListHeader &header, const std::optional<EldatFacts> &stored, const QDate &today)
{
    const QString suggested = speciesCode(header.species);
    if (stored) {
        EldatFacts facts = *stored;
        if (!suggested.isEmpty() && facts.speciesFor != header.species) {
            facts.species = suggested;
            facts.speciesFor = header.species;
        }
        return facts;
    }
    EldatFacts facts;
    facts.fellingDate = today;
    facts.species = suggested;
    facts.speciesFor = header.species;
    facts.grade = proposedGrade(header.assortment);
    facts.use = proposedUse(header.assortment);
    return facts;
}

} // namespace exporting
