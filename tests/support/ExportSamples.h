#pragma once

#include "export/ExportData.h"

// A company and pile facts that an ELDATsmart document can be written from, for tests to
// start from and change what they look at.
inline exporting::Company sampleCompany()
{
    exporting::Company c;
    c.name = QStringLiteral("Forstbetrieb Muster");
    c.name1 = QStringLiteral("Max Mustermann");
    c.street = QStringLiteral("Waldweg 1");
    c.postcode = QStringLiteral("12345");
    c.city = QStringLiteral("Musterstadt");
    c.phone = QStringLiteral("01234 5678");
    c.email = QStringLiteral("info@forst-muster.example");
    return c;
}

inline exporting::EldatFacts sampleFacts()
{
    exporting::EldatFacts f;
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
