#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The rules that turn one measured log into what the list table stores: the effective
// diameter, the volume in solid cubic metres (FM), the diameter class and the quality class.
// They take any whole number; the accepted input ranges are checked by the entry window.
namespace rules {

// Largest accepted length in metres.
inline constexpr int MaxLaenge = 39;
// Largest accepted measured diameter in centimetres when the list is measured without bark.
inline constexpr int MaxDurchmesserGeschaelt = 59;
// Largest accepted measured diameter over bark: it still gives an effective diameter of 59 cm.
inline constexpr int MaxDurchmesserUngeschaelt = MaxDurchmesserGeschaelt + 2;
// Measured diameter in centimetres from which the bark deduction is 2 cm instead of 1 cm.
inline constexpr int RindenabzugAb = 30;

// The quality classes in their order; the user may type the position 1, 2 or 3.
inline constexpr std::array<QStringView, 3> Gueteklassen{u"B", u"C", u"Cgw"};

// The diameter classes in ascending order of diameter.
inline constexpr std::array<QStringView, 10> Staerkeklassen{u"0",  u"1a", u"1b1", u"1b2", u"2a",
                                                            u"2b", u"3a", u"3b",  u"4",   u"5"};

// The effective diameter: the measured one when the list is geschält, otherwise less the bark
// deduction of 1 cm below RindenabzugAb and 2 cm from it on. The threshold is tested on the
// measured diameter, so 29 and 30 cm both give 28 cm.
int DurchmeffBerechnen(int durchmein, bool geschaelt);

// The volume of a cylinder with the effective diameter (cm) and the length (m) in cubic
// metres, rounded to hundredths, an exact half to the even neighbour.
double VolumenBerechnen(int durchmeff, int laenge);
// The same for a length in metres with decimals, as a sawmill measures it.
double VolumenBerechnen(int durchmeff, double laenge);
// A volume in cubic metres rounded to hundredths, an exact half to the even neighbour.
double VolumenRunden(double volumen);

// The diameter class of an effective diameter in whole centimetres. Every diameter gets one of
// the ten codes: below 0 cm counts as class "0", 60 cm and more as class "5".
QString StaerkeklasseBerechnen(int durchmeff);

// The quality class made from what the user typed: a whole number 1, 2 or 3 gives the class at
// that position, any other whole number "B"; otherwise (blanks removed) nothing gives "B", "+"
// gives "C", "-" gives "Cgw", and anything else is kept as typed. `accepted` tells whether the
// result is one of the three classes (any whole number counts as accepted).
QString GueteklasseUmsetzen(const QString &input, bool &accepted);

} // namespace rules
