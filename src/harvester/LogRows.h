#pragma once

#include "harvester/Production.h"
#include "values/LogRow.h"

#include <QString>

#include <array>
#include <optional>

// How a harvester's log becomes a row of a log list, by the program's own measurement rules.
namespace harvester {

// Which of the machine's middle diameters the list gets.
enum class Bark {
    With,    // over bark; the list is not geschält, so the program deducts the bark
    Without, // under bark, the harvester's deduction; the list is geschält
};

// Why a log is not taken into a list.
enum class Refusal { TooShort, TooLong, TooThin, TooThick, NoMeasurement };
inline constexpr std::size_t RefusalKinds = 5;

// "zu kurz", "zu lang", "zu dünn", "zu dick", "ohne Messung".
QString refusalText(Refusal refusal);

// The measured values of a row: the length in whole metres (the machine's centimetres divided
// by 100, rounded down) and the diameter in whole centimetres (its millimetres divided by 10,
// rounded down).
struct MeasuredLog
{
    int laenge = 0;
    int durchmein = 0;
};

// A log either becomes a row or is refused for one reason.
struct LogOutcome
{
    std::optional<MeasuredLog> row;
    Refusal refusal = Refusal::NoMeasurement;
};

// The row a log gives with the chosen diameter, or why it gives none: without length or that
// diameter, or outside the ranges the log entry window accepts (length 1 to 39 m, diameter 1 to
// 61 cm over bark, 1 to 59 cm without).
LogOutcome measuredLog(const HarvestedLog &log, Bark bark);

// The row as the list table stores it, but for its number and quality class, which the import
// gives.
values::LogRow listRow(const MeasuredLog &log, Bark bark);

inline bool geschaelt(Bark bark)
{
    return bark == Bark::Without;
}

} // namespace harvester
