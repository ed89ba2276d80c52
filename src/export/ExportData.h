#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// The plain values that the writers of other programs' formats take: a list's logs and
// header as stored, the seller's company data, and the facts an ELDATsmart document needs
// beyond the list. The windows gather them; the writers never touch the database.
namespace exporting {

// One log as its row is stored; an empty column is an empty optional or an empty text.
struct ExportLog
{
    int id = 0;
    std::optional<int> length;            // metres
    std::optional<int> diameter;          // as measured, cm
    std::optional<int> effectiveDiameter; // without bark, cm: the volume was computed from it
    QString quality;                      // "B", "C", "Cgw", or what was typed
    std::optional<double> volume;         // solid cubic metres
    QString diameterClass;                // "0", "1a", "1b1", ... "5", or empty
};

// The list header row.
struct ListHeader
{
    QString name;       // the list name
    QString department; // Abteilung
    QString species;    // Baumart, as typed
    QString assortment; // Sorte, as typed
    QString text;       // Beschreibung
};

// The seller: the company row as typed in the company window. Columns a data folder does not
// have stay empty.
struct Company
{
    QString name;    // Firma
    QString name1;   // Name line
    QString street;
    QString postcode;
    QString city;
    QString country; // ISO code; empty means Germany
    QString phone;
    QString email;
    QString contactPerson;
    QString iban;
    QString bic;
    QString taxNumber;
};

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

// The identity of one document: new ids for every file written.
struct EldatEnvelope
{
    QString transactionId;
    QString moduleId;
    QDateTime created;
    QString applicationVersion;
};

} // namespace exporting
