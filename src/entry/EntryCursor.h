#pragma once

#include <QString>
#include <QVariant>

namespace entry {

// The rules by which the entry window's cursor moves over the columns of the log grid
// (positions as in GridPositions.h). The user types length, diameter and quality class; the
// cursor passes over the row number and the derived columns, and each column it enters names
// what to type in the status bar.
class EntryCursor
{
public:
    // Where a position sends the cursor: the row number (and anything before it) to the
    // length, the derived columns to the quality class.
    static int editable(int position);

    // The column the cursor takes on entering `position` when it left `lastColumn`: as
    // editable(), except that the effective diameter, entered from the right, sends it back to
    // the diameter.
    static int entered(int position, int lastColumn);

    // The hint on entering a column, the cursor coming from `lastColumn`: after the quality
    // class a new log begins with its length. Empty where there is nothing to type.
    static QString enterHint(int position, int lastColumn, int maxDurchmesser);
    // The hint after a click moved the cursor into a column.
    static QString clickHint(int position);

    // A value the range check of length and diameter accepts: filled, whole, from 1 to max.
    static bool inRange(const QVariant &value, int max);
    static QString rangeMessage(int max);
};

} // namespace entry
