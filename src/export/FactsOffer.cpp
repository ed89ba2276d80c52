#include "export/FactsOffer.h"

#include "export/EldatCodes.h"

namespace exporting {

values::EldatFacts offeredFacts(const values::ListHeader &header, const std::optional<values::EldatFacts> &stored, const QDate &today)
{
    const QString suggested = speciesCode(header.species);
    if (stored) {
        values::EldatFacts facts = *stored;
        if (!suggested.isEmpty() && facts.speciesFor != header.species) {
            facts.species = suggested;
            facts.speciesFor = header.species;
        }
        return facts;
    }
    values::EldatFacts facts;
    facts.fellingDate = today;
    facts.species = suggested;
    facts.speciesFor = header.species;
    facts.grade = proposedGrade(header.assortment);
    facts.use = proposedUse(header.assortment);
    return facts;
}

} // namespace exporting
