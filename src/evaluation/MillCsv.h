#pragma once

#include <QByteArray>

namespace evaluation {

class MillComparison;

// The comparison's single logs as a CSV file with the conventions of the list CSV (byte order
// mark, ";", CRLF, decimal comma, fields through the list CSV's field writer): a title line,
// one line per row (empty cells where a side has no log; "Abweichung" is mill volume less
// list volume), a last line "Summe" with both total volumes and their difference.
QByteArray millCsv(const MillComparison &comparison);

} // namespace evaluation
