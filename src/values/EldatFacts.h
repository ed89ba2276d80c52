#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace values {

// What an ELDATsmart document needs that the list does not hold; asked for once per list and
// kept with it.
struct EldatFacts
{
    QDate fellingDate;
    QString pileNumber;
    std::optional<double> latitude;  // the pile's, WGS 84, decimal degrees
    std::optional<double> longitude;
    QString species;      // ELDATsmart species code ("fi")
    QString speciesFor;   // the Baumart the species was chosen for
    QString grade;        // ELDATsmart grade code ("st")
    QString use;          // ELDATsmart use code ("sg")
    QString processId;    // the same for every document about this list
    QString moduleId;     // the module id of the list's documents, kept so that a mill's answer can name it
};

} // namespace values
