#pragma once

#include <QString>

#include <vector>

// The code lists of ELDATsmart that a Dorv list maps onto: species, diameter classes,
// quality classes, grades and uses.
namespace exporting {

struct CodeName
{
    QString code;
    QString name; // German
};

// The species a user picks from: the common ones of German forests, by German name.
const std::vector<CodeName> &commonSpecies();
// The German name of a species code, or empty when it is none of ours.
QString speciesName(const QString &code);
// The species code of a German tree name as typed into Baumart ("Fichte", "fichte",
// "Rotbuche", "Lärche" or "Laerche", a code such as "dgl"); empty when not recognised.
QString speciesCode(const QString &baumart);

// ELDATsmart's thickness class of a diameter class: "0" gives "d0", "1a" "d1a", "1b1" and
// "1b2" "d1b", "2a" "d2a", ... "5" "d5"; empty for anything else.
QString thicknessClass(const QString &diameterClass);

// ELDATsmart's quality of a quality class: B gives "b", C "c", Cgw "c" with "gw" as the
// further quality type. Anything else typed stays visible as quality "o" with the text as
// further type; an empty class gives no quality.
struct EldatQuality
{
    QString type;  // qual_type, empty for none
    QString other; // other_qual_type, empty for none
    bool operator==(const EldatQuality &) const = default;
};
EldatQuality eldatQuality(const QString &qualityClass);

// The grades and uses a user picks from for the list's assortment.
const std::vector<CodeName> &grades();
const std::vector<CodeName> &uses();
// Grade and use proposed for a list's Sorte as typed ("Stammholz lang", "Abschnitte",
// "Industrieholz"); log lists are stem wood for the sawmill unless the Sorte says otherwise.
QString proposedGrade(const QString &sorte);
QString proposedUse(const QString &sorte);

// True for the country codes ELDATsmart accepts for an address.
bool isEldatCountry(const QString &code);

} // namespace exporting
