#pragma once

#include "evaluation/MillComparison.h"
#include "export/MillReader.h"
#include "rules/MeasurementRules.h"
#include "support/MillDocuments.h"

// A list of eight logs of distinct measures and the mill documents made from it.
inline std::vector<exporting::ExportLog> millSampleList()
{
    struct Sample
    {
        int length;
        int diameter;
        const char *quality;
    };
    const Sample samples[] = {{4, 32, "B"}, {5, 17, "C"}, {4, 25, "Cgw"}, {6, 40, "B"},
                          {12, 29, "B"}, {4, 16, "C"}, {5, 45, "B"}, {3, 12, "C"}};
    std::vector<exporting::ExportLog> logs;
    int id = 0;
    for (const Sample &s : samples) {
        ++id;
        logs.push_back({id, s.length, s.diameter + 2, s.diameter, QString::fromLatin1(s.quality), rules::VolumenBerechnen(s.diameter, s.length),
                        rules::StaerkeklasseBerechnen(s.diameter)});
    }
    return logs;
}

// A protocol of single logs measured from the list without a difference.
inline milldocs::Document millDocumentOf(const std::vector<exporting::ExportLog> &logs)
{
    milldocs::Document d;
    d.lot = QStringLiteral("Wald");
    d.logs = milldocs::logsOf(logs);
    return d;
}

inline evaluation::MillComparison compareWith(const std::vector<exporting::ExportLog> &list, const milldocs::Document &d)
{
    return evaluation::MillComparison(list, exporting::readMillProtocol(milldocs::json(d), QStringLiteral("werk.json")));
}
