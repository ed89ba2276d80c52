#pragma once

#include "values/EldatFacts.h"
#include "values/ListHeader.h"
#include "values/Seller.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// The plain values that only the writers of other programs' formats take: a list's logs as
// stored and the identity of one ELDATsmart document. The list header, the seller and the ELDAT
// facts they take too are the program's own (src/values). The windows gather them; the writers
// never touch the database.
namespace exporting {

// One log as its row is stored; an empty column is an empty optional or an empty text.
struct ExportLog
{
    int id = 0;
    std::optional<int> length;            // metres
    std::optional<int> diameter;          // as measured, cm
    std::optional<int> effectiveDiameter; // without bark, cm: the volume was computed from it
    QString quality;                      // "B", "C", "Cgw", or what was typed
    std::optional<double> volume;         // solid cubic metres
    QString diameterClass;                // "0", "1a", "1b1", ... "5", or empty
};

// The identity of one document: new ids for every file written.
struct EldatEnvelope
{
    QString transactionId;
    QString moduleId;
    QDateTime created;
    QString applicationVersion;
};

} // namespace exporting
