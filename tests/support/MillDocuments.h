#pragma once

#include "export/ExportData.h"
#include "export/MillProtocol.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// Sawmill measurement protocols (ELDATsmart measurement_journal) for tests, made from a
// list's own logs with the changes a test wants; every document passes the ELDATsmart
// validator.
namespace milldocs {

struct Log
{
    QString stamId;         // empty: the mill did not keep the seller's number
    double gradeLength = 4; // m
    int diameter = 30;      // cm: forest mid diameter, or the crosswise mean
    bool crosswise = false; // give the two crosswise diameters instead of the forest one
    QString quality = QStringLiteral("b");
    QString qualityOther;
    QString thicknessClass; // empty: the one of the diameter
};

// A log of these measures; the rest as the defaults above.
inline Log log(double gradeLength, int diameter, const QString &stamId = {})
{
    Log l;
    l.gradeLength = gradeLength;
    l.diameter = diameter;
    l.stamId = stamId;
    return l;
}

struct Document
{
    exporting::MillKind kind = exporting::MillKind::SingleLog;
    QString version = QStringLiteral("1.0.3");
    QString processId = QStringLiteral("6f1c2a9e-0000-4000-8000-000000000002");
    QString referenceModuleId = QStringLiteral("6f1c2a9e-0000-4000-8000-000000000003");
    QString lot;  // wood_id of type "los"; empty: none
    QString pile; // wood_id of type "pol"; empty: none
    QString protocolNumber = QStringLiteral("WM-2026-0042");
    QDate measured = QDate(2026, 2, 3);
    QDate calibratedUntil = QDate(2026, 12, 31);
    QDate screeningValidTo = QDate(2026, 6, 30);
    std::vector<Log> logs;
    // Pile kinds.
    int count = 0;
    double sortLength = 4;
    double frontArea = 0;
    double backArea = 0;
    double areaFactor = 1;
    double weight = 0;
    double weightFactor = 1;
};

// The list's logs as the mill measures them without any difference: the log number as
// stam_id, the length, the effective diameter, the quality and the class.
std::vector<Log> logsOf(const std::vector<exporting::ExportLog> &logs);

QByteArray json(const Document &document);

// Empty when the ELDATsmart validator accepts the file; otherwise its report. Callers first
// ask validatorMissing() and skip with its text.
QString validatorMissing();
QString rejection(const QString &path);

} // namespace milldocs
