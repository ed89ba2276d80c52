#pragma once

#include "evaluation/MillMatcher.h"
#include "export/ExportData.h"
#include "export/MillProtocol.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The seller's list compared with the sawmill's measurement of it: log by log, by quality and
// diameter class, and in total. Reads nothing and writes nothing; the windows, the printout
// and the CSV show what it holds.
namespace evaluation {

// One line of the single-log table: a list log with the mill log paired with it, or either
// alone.
struct MillRow
{
    Matching matching = Matching::ListOnly;
    std::optional<int> number;         // the list's log number
    QString millNumber;                // the mill's number of the log: stam_id, else its place in the protocol
    std::optional<int> length;         // m
    std::optional<double> millLength;  // m, grade length
    std::optional<int> diameter;       // effective, cm
    std::optional<int> millDiameter;   // cm
    QString quality;
    QString millQuality;               // in the program's spelling ("B", "C", "Cgw", "D")
    QString diameterClass;             // as stored ("1b1")
    QString millClass;                 // as the mill reports it, in the program's spelling ("1b")
    QString millClassOfDiameter;       // the program's class of the mill's diameter, comparing spelling
    std::optional<double> volume;      // FM
    std::optional<double> millVolume;  // FM, by the program's rule
    // Mill volume less list volume, where both sides have a log.
    std::optional<double> difference() const;

    bool thinner = false;      // the mill's diameter is 2 cm or more below the effective one
    bool lowerClass = false;   // the mill's class is below the list's
    bool lowerQuality = false; // the mill's quality is below the list's
    // Marked in the table: thinner, a lower class or quality, or a log on one side only.
    bool notable() const;
};

// One line of the table by quality and diameter class (diameter classes in comparing
// spelling, "1b" for 1b1 and 1b2).
struct MillClassRow
{
    QString quality;
    QString diameterClass;
    int listCount = 0;
    double listVolume = 0;
    int millCount = 0;
    double millVolume = 0;
};

struct MillTotals
{
    int listCount = 0;
    double listVolume = 0;
    std::optional<int> millCount; // a pile weighed has no count
    double millVolume = 0;
    // Mill volume less list volume, added exactly.
    double difference() const;
};

class MillComparison
{
public:
    // Pairs the list's logs (in log-number order) with the protocol's and adds up both sides.
    // For a pile measured as a whole only the totals compare: no rows, one class row "Summe".
    MillComparison(const std::vector<exporting::ExportLog> &listLogs, const exporting::MillProtocol &protocol);

    const exporting::MillHeader &header() const { return m_header; }
    exporting::MillKind kind() const { return m_kind; }
    const std::vector<MillRow> &rows() const { return m_rows; }
    const std::vector<MillClassRow> &classRows() const { return m_classRows; }
    const MillTotals &totals() const { return m_totals; }

    // "Liste: 12 Stämme, 3,45 FM – Werk: 11 Stämme, 3,20 FM – Abweichung: -0,25 FM (-7,2 %)"
    QString summaryLine() const;
    // The protocol's header as lines "Werk: ...", "Protokoll-Nr.: ...", ...
    QStringList headerLines() const;
    // The warnings that the calibration or the sorting check had run out on the day of
    // measurement; empty when neither had.
    QStringList warnings() const;

private:
    exporting::MillKind m_kind;
    exporting::MillHeader m_header;
    std::vector<MillRow> m_rows;
    std::vector<MillClassRow> m_classRows;
    MillTotals m_totals;
};

// Numbers as the comparison shows them, German: "1.234,56", a sign before differences.
QString fmText(double volume);            // "1.234,56"
QString signedFmText(double difference);  // "+1,23", "-0,50", "0,00"
QString signedPercentText(double value, double of); // "+2,5", "-7,2"; "–" when `of` is 0
QString countText(int count);             // "10.000"

} // namespace evaluation
