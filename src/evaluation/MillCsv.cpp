#include "evaluation/MillCsv.h"

#include "evaluation/MillComparison.h"
#include "evaluation/MillTexts.h"
#include "export/CsvWriter.h"
#include "export/DecimalText.h"

#include <QStringList>

namespace evaluation {

namespace {

QString number(const std::optional<int> &value)
{
    return value ? QString::number(*value) : QString();
}

QString decimal(const std::optional<double> &value)
{
    return value ? exporting::decimalText(*value, u',') : QString();
}

} // namespace

QByteArray millCsv(const MillComparison &comparison)
{
    QByteArray out("\xEF\xBB\xBF");
    out.reserve(qsizetype(comparison.rows().size()) * 64 + 256);
    out += millRowTitles().join(u';').toUtf8();
    out += "\r\n";
    for (const MillRow &r : comparison.rows()) {
        const QStringList fields{number(r.number),
                                 exporting::csvField(r.millNumber),
                                 matchingText(r.matching),
                                 number(r.length),
                                 decimal(r.millLength),
                                 number(r.diameter),
                                 number(r.millDiameter),
                                 exporting::csvField(r.quality),
                                 exporting::csvField(r.millQuality),
                                 exporting::csvField(r.diameterClass),
                                 exporting::csvField(r.millClass),
                                 decimal(r.volume),
                                 decimal(r.millVolume),
                                 decimal(r.difference())};
        out += fields.join(u';').toUtf8();
        out += "\r\n";
    }
    const MillTotals &t = comparison.totals();
    out += QStringLiteral("Summe;;;;;;;;;;;%1;%2;%3\r\n")
               .arg(exporting::decimalText(t.listVolume, u','), exporting::decimalText(t.millVolume, u','),
                    exporting::decimalText(t.difference(), u','))
               .toUtf8();
    return out;
}

} // namespace evaluation
