#pragma once

#include "values/EldatFacts.h"
#include "values/Seller.h"

// A company and pile facts that an ELDATsmart document can be written from, for tests to
// start from and change what they look at.
inline values::Seller sampleCompany()
{
    values::Seller c;
    c.company = QStringLiteral("Forstbetrieb Muster");
    c.name1 = QStringLiteral("Max Mustermann");
    c.street = QStringLiteral("Waldweg 1");
    c.postcode = QStringLiteral("12345");
    c.city = QStringLiteral("Musterstadt");
    c.phone = QStringLiteral("01234 5678");
    c.email = QStringLiteral("info@forst-muster.example");
    return c;
}

inline values::EldatFacts sampleFacts()
{
    values::EldatFacts f;
    f.fellingDate = QDate(2026, 1, 15);
    f.pileNumber = QStringLiteral("P-17");
    f.latitude = 49.8686;
    f.longitude = 8.9161;
    f.species = QStringLiteral("fi");
    f.speciesFor = QStringLiteral("Fichte");
    f.grade = QStringLiteral("st");
    f.use = QStringLiteral("sg");
    f.processId = QStringLiteral("6f1c2a9e-0000-4000-8000-000000000002");
    return f;
}
