#pragma once

#include <QStringList>

namespace evaluation {

struct MillClassRow;
struct MillRow;

// The comparison's tables as the window and the printout show them: German numbers, a sign
// before differences, empty cells where a side has no log.

// "Stamm-Nr", "Werk-Nr", "Zuordnung", ... "Abweichung": the names of the CSV's columns.
QStringList millRowTitles();
// The mill's class is followed by the program's class of the mill's diameter where they
// differ: "2a (2b)".
QStringList millRowTexts(const MillRow &row);

// "Güteklasse", "Stärkeklasse", "Anzahl Liste", "FM Liste", "Anzahl Werk", "FM Werk",
// "Abweichung FM", "Abweichung %".
QStringList millClassTitles();
QStringList millClassTexts(const MillClassRow &row);

} // namespace evaluation
