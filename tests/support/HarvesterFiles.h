#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// The two production files of real harvesters in the shared folder beside the repository,
// and small production files written by the tests.
namespace harvesterfiles {

inline const QString Version21 = QStringLiteral("HPR_V0201_MaxiXplorer_0310_20170309.hpr");
inline const QString Version32 = QStringLiteral("HPR_V0302_TimberMaticH_020513_20240117.hpr");

// The path of a shared file; empty when the shared folder is not there.
inline QString shared(const QString &name)
{
    const QString path = QStringLiteral(DORV_SHARED_DIR "/harvester/") + name;
    return QFileInfo::exists(path) ? path : QString();
}

inline QString write(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// A production file around the given content of its Machine element.
inline QByteArray production(const QByteArray &machine, const QByteArray &ns = "urn:skogforsk:stanford2010",
                             const QByteArray &version = "3.2")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<HarvestedProduction xmlns=\"" + ns + "\" version=\"" + version
           + "\">\n<HarvestedProductionHeader><SenderApplication>Test 1.0</SenderApplication>"
             "<CreationDate>2024-02-01T10:00:00+01:00</CreationDate></HarvestedProductionHeader>\n"
             "<Machine><MachineBaseManufacturer>Ponsse</MachineBaseManufacturer><MachineBaseModel>Ergo</MachineBaseModel>\n"
           + machine + "\n</Machine>\n</HarvestedProduction>\n";
}

// One log: length in cm, diameters in mm; a negative value leaves the measurement out.
inline QByteArray log(const QByteArray &product, int lengthCm, int midOb, int midUb = -1)
{
    QByteArray out = "<Log><LogKey>1</LogKey><ProductKey>" + product + "</ProductKey><LogMeasurement>";
    if (midOb >= 0)
        out += "<LogDiameter logDiameterCategory=\"Mid ob\">" + QByteArray::number(midOb) + "</LogDiameter>";
    if (midUb >= 0)
        out += "<LogDiameter logDiameterCategory=\"Mid ub\">" + QByteArray::number(midUb) + "</LogDiameter>";
    if (lengthCm >= 0)
        out += "<LogLength>" + QByteArray::number(lengthCm) + "</LogLength>";
    return out + "</LogMeasurement></Log>";
}

inline QByteArray stem(const QByteArray &species, const QByteArray &logs, const QByteArray &date = "2024-01-15T09:00:00+01:00",
                       const QByteArray &kind = "SingleTreeProcessedStem", const QByteArray &coordinates = {})
{
    return "<Stem><StemKey>1</StemKey><ObjectKey>1</ObjectKey><SpeciesGroupKey>" + species + "</SpeciesGroupKey>"
           + (date.isEmpty() ? QByteArray() : "<HarvestDate>" + date + "</HarvestDate>") + coordinates + "<" + kind + ">" + logs
           + "</" + kind + "></Stem>\n";
}

inline QByteArray coordinates(const QByteArray &latitude, const QByteArray &longitude, const QByteArray &latCategory = "North",
                              const QByteArray &lonCategory = "East")
{
    return "<StemCoordinates coordinateReferenceSystem=\"WGS84\"><Latitude latitudeCategory=\"" + latCategory + "\">" + latitude
           + "</Latitude><Longitude longitudeCategory=\"" + lonCategory + "\">" + longitude + "</Longitude></StemCoordinates>";
}

inline QByteArray definitions()
{
    return "<SpeciesGroupDefinition><SpeciesGroupKey>1</SpeciesGroupKey><SpeciesGroupName>Fichte</SpeciesGroupName>"
           "</SpeciesGroupDefinition>\n"
           "<SpeciesGroupDefinition><SpeciesGroupKey>2</SpeciesGroupKey><SpeciesGroupName>Kiefer</SpeciesGroupName>"
           "</SpeciesGroupDefinition>\n"
           "<ProductDefinition><ProductKey>10</ProductKey><ClassifiedProductDefinition><ProductName>Stamm</ProductName>"
           "</ClassifiedProductDefinition></ProductDefinition>\n"
           "<ProductDefinition><ProductKey>11</ProductKey><UnclassifiedProductDefinition><ProductName>Abschnitt</ProductName>"
           "</UnclassifiedProductDefinition></ProductDefinition>\n"
           "<ObjectDefinition><ObjectKey>1</ObjectKey><ObjectName>Hinterer Schlag</ObjectName></ObjectDefinition>\n";
}

} // namespace harvesterfiles
