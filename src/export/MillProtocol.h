#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A sawmill's measurement protocol (ELDATsmart module measurement_journal) as plain values:
// what the mill measured, without anything the program computes from it. Only Qt value types,
// so the structures stand on their own.
namespace exporting {

// How the mill measured: log by log, or the pile as a whole.
enum class MillKind { SingleLog, Harvester, PhotoOptical, Gravimetric };

// One log as the mill measured it; a figure the document does not carry is empty.
struct MillLog
{
    QString stamId;                      // the seller's log number when the mill kept it
    QString species;                     // ELDATsmart species code
    std::optional<double> gradeLength;   // m, decimals kept
    std::optional<double> realLength;    // m
    std::optional<int> forestDiameter;   // cm, rounded down as foresters do
    std::vector<double> gradeDiameters;  // cm, measured crosswise, up to four
    QString qualityType;                 // qual_type: "b", "c", "d", ...
    QString qualityOther;                // other_qual_type ("gw")
    QString thicknessClass;              // single_log_thickness_class: "d0" ... "d8"
    QString text;                        // single_log_text
};

// What links the protocol to the list it answers.
struct MillReference
{
    QString processId;         // meta.process_id
    QString referenceModuleId; // meta.status_tech.reference_module_id
    QStringList lotNumbers;    // wood_id of type "los"
    QStringList pileNumbers;   // wood_id of type "pol"
};

// The protocol's header as the seller reads it.
struct MillHeader
{
    QString mill;                     // the measuring firm, else the buyer
    QString measurer;                 // the measurer's name
    QString protocolNumber;           // measurement_id
    QDateTime measured;               // measurement_datetime
    std::optional<QDateTime> calibratedUntil;
    std::optional<QDateTime> screeningValidTo;
};

// The figures of a pile measured as a whole (photo-optical or by weight); the volume is
// computed from them.
struct MillPile
{
    std::optional<int> count;         // logs counted
    std::optional<double> sortLength; // m
    std::optional<double> frontArea;  // m², face of the pile
    std::optional<double> backArea;   // m², its back
    struct Share
    {
        double percent = 0; // share of this species and quality
        double factor = 1;  // solid cubic metres per cubic metre of pile
    };
    std::vector<Share> shares;
    std::optional<double> weight;       // t, the samples' weights added
    std::optional<double> weightFactor; // solid cubic metres without bark per tonne
};

struct MillProtocol
{
    MillKind kind = MillKind::SingleLog;
    MillHeader header;
    MillReference reference;
    std::vector<MillLog> logs; // single-log kinds, in document order
    MillPile pile;             // pile kinds
};

inline bool isPileKind(MillKind kind)
{
    return kind == MillKind::PhotoOptical || kind == MillKind::Gravimetric;
}

} // namespace exporting
