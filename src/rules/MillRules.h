#pragma once

#include <QString>

#include <optional>
#include <vector>

// The rules that turn what a sawmill measured into figures comparable with the seller's list:
// the mill's diameter and volume by the program's own volume rule, classes and qualities put
// into one order so that "lower" can be told.
namespace rules {

// The mill's diameter of a log: the forest mid diameter when the mill gives it, else the mean
// of the diameters measured crosswise, rounded down to whole centimetres; nothing without
// either.
std::optional<int> WerkDurchmesser(const std::optional<int> &forstlich, const std::vector<double> &sortendurchmesser);

// The mill's volume of a log: the program's volume rule on the mill's diameter and its
// grade length in metres with decimals; nothing when either is missing.
std::optional<double> WerkVolumen(const std::optional<int> &durchmesser, const std::optional<double> &laenge);

// A diameter class as it compares: "1b1" and "1b2" are both "1b". The mill's thickness
// classes ("d2a", "d1b", "d4a", "ch_3a") come in the program's spelling ("2a", "1b", "4",
// "3a"); classes the program does not divide stay as they are ("d6" gives "6"). Empty stays
// empty.
QString Vergleichsklasse(const QString &klasse);

// The smallest diameter (cm) of a class in comparing spelling, so that classes can be told
// lower or higher; nothing for a class unknown.
std::optional<int> KlassenUntergrenze(const QString &vergleichsklasse);

// The mill's quality (qual_type with other_qual_type) in the program's spelling: "b" gives
// "B", "c" "C", "c" with "gw" "Cgw", "d" "D"; anything else its code in capitals; empty stays
// empty.
QString WerkGueteklasse(const QString &qualType, const QString &other);

// The rank of a quality class, the best first: A, B, C, Cgw, D; nothing for others.
std::optional<int> GueteRang(const QString &gueteklasse);

// The volume of a pile measured as a whole, in solid cubic metres: the mean of its face and
// back area (the face alone without a back) times its length times the mean conversion
// factor weighted by the shares; or its weight times the factor per tonne. Rounded as a log's
// volume; nothing when a figure is missing.
struct PolterAnteil
{
    double prozent = 0;
    double faktor = 1;
};
std::optional<double> PolterVolumenFotooptisch(const std::optional<double> &vorderseite, const std::optional<double> &rueckseite,
                                               const std::optional<double> &laenge, const std::vector<PolterAnteil> &anteile);
std::optional<double> PolterVolumenGewicht(const std::optional<double> &tonnen, const std::optional<double> &faktorJeTonne);

} // namespace rules
