#include "harvester/LogRows.h"

#include "rules/MeasurementRules.h"

#include <cmath>

namespace harvester {

QString refusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::TooShort:
        return QStringLiteral("zu kurz");
    case Refusal::TooLong:
        return QStringLiteral("zu lang");
    case Refusal::TooThin:
        return QStringLiteral("zu dünn");
    case Refusal::TooThick:
        return QStringLiteral("zu dick");
    case Refusal::NoMeasurement:
        break;
    }
    return QStringLiteral("ohne Messung");
}

LogOutcome measuredLog(const HarvestedLog &log, Bark bark)
{
    const std::optional<double> &diameterMm = bark == Bark::With ? log.midObMm : log.midUbMm;
    if (!log.lengthCm || !diameterMm)
        return {std::nullopt, Refusal::NoMeasurement};

    // Compared before turning into whole numbers, so that no value of a file is too large.
    const double metres = std::floor(*log.lengthCm / 100);
    if (metres < 1)
        return {std::nullopt, Refusal::TooShort};
    if (metres > rules::MaxLaenge)
        return {std::nullopt, Refusal::TooLong};
    const double centimetres = std::floor(*diameterMm / 10);
    const int maxDiameter = geschaelt(bark) ? rules::MaxDurchmesserGeschaelt : rules::MaxDurchmesserUngeschaelt;
    if (centimetres < 1)
        return {std::nullopt, Refusal::TooThin};
    if (centimetres > maxDiameter)
        return {std::nullopt, Refusal::TooThick};
    return {MeasuredLog{int(metres), int(centimetres)}, Refusal::NoMeasurement};
}

values::LogRow listRow(const MeasuredLog &log, Bark bark)
{
    values::LogRow row;
    row.laenge = log.laenge;
    row.durchmein = log.durchmein;
    row.durchmeff = rules::DurchmeffBerechnen(log.durchmein, geschaelt(bark));
    row.volumen = rules::VolumenBerechnen(row.durchmeff, row.laenge);
    row.staerkeklasse = rules::StaerkeklasseBerechnen(row.durchmeff);
    return row;
}

} // namespace harvester
