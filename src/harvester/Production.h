#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// What a harvester's production file holds, as far as the program uses it: plain values,
// no behaviour. Keys are kept as the file writes them (texts); lengths in cm, diameters in mm.
namespace harvester {

struct ProductionHeader
{
    QString version;            // the format version ("2.1", "3.2")
    QString senderApplication;  // the application that wrote the file
    QString creationDate;       // as written, ISO 8601

    bool operator==(const ProductionHeader &) const = default;
};

struct MachineInfo
{
    QString manufacturer; // of the base machine
    QString model;
    QString userId;       // the machine's name given by its owner

    bool operator==(const MachineInfo &) const = default;
};

struct SpeciesGroup
{
    QString key;
    QString name;

    bool operator==(const SpeciesGroup &) const = default;
};

struct Product
{
    QString key;
    QString name;
    QString groupName;

    bool operator==(const Product &) const = default;
};

struct Site
{
    QString key;
    QString name;
    QString forestOwner;
    QString contractNumber;

    bool operator==(const Site &) const = default;
};

// One log as the machine measured it; a measurement the file does not give is empty.
struct HarvestedLog
{
    QString productKey;
    std::optional<double> lengthCm;
    std::optional<double> midObMm; // middle diameter over bark
    std::optional<double> midUbMm; // middle diameter under bark

    bool operator==(const HarvestedLog &) const = default;
};

struct Stem
{
    QString key;
    QString objectKey;
    QString speciesGroupKey;
    QDate harvestDate;                // invalid when the file gives none
    std::optional<double> latitude;   // WGS 84, decimal degrees, north and east positive
    std::optional<double> longitude;
    std::vector<HarvestedLog> logs;   // in file order

    bool operator==(const Stem &) const = default;
};

struct Production
{
    ProductionHeader header;
    MachineInfo machine;
    std::vector<SpeciesGroup> speciesGroups; // in file order
    std::vector<Product> products;
    std::vector<Site> sites;
    std::vector<Stem> stems;                 // in file order

    bool operator==(const Production &) const = default;
};

} // namespace harvester
