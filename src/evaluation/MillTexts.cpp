#include "evaluation/MillTexts.h"

#include "evaluation/MillComparison.h"
#include "export/DecimalText.h"

namespace evaluation {

namespace {

QString number(const std::optional<int> &value)
{
    return value ? QString::number(*value) : QString();
}

QString fm(const std::optional<double> &value)
{
    return value ? fmText(*value) : QString();
}

QString millClassText(const MillRow &r)
{
    if (r.millClassOfDiameter.isEmpty() || r.millClassOfDiameter == r.millClass)
        return r.millClass;
    if (r.millClass.isEmpty())
        return QStringLiteral("(%1)").arg(r.millClassOfDiameter);
    return QStringLiteral("%1 (%2)").arg(r.millClass, r.millClassOfDiameter);
}

} // namespace

QStringList millRowTitles()
{
    return {QStringLiteral("Stamm-Nr"),    QStringLiteral("Werk-Nr"),         QStringLiteral("Zuordnung"),
            QStringLiteral("Länge"),       QStringLiteral("Länge Werk"),      QStringLiteral("Durchm. eff"),
            QStringLiteral("Durchm. Werk"), QStringLiteral("Güteklasse"),     QStringLiteral("Güteklasse Werk"),
            QStringLiteral("Stärkeklasse"), QStringLiteral("Stärkeklasse Werk"), QStringLiteral("Volumen"),
            QStringLiteral("Volumen Werk"), QStringLiteral("Abweichung")};
}

QStringList millRowTexts(const MillRow &r)
{
    const std::optional<double> difference = r.difference();
    return {number(r.number),
            r.millNumber,
            matchingText(r.matching),
            number(r.length),
            r.millLength ? exporting::decimalText(*r.millLength, u',') : QString(),
            number(r.diameter),
            number(r.millDiameter),
            r.quality,
            r.millQuality,
            r.diameterClass,
            millClassText(r),
            fm(r.volume),
            fm(r.millVolume),
            difference ? signedFmText(*difference) : QString()};
}

QStringList millClassTitles()
{
    return {QStringLiteral("Güteklasse"), QStringLiteral("Stärkeklasse"), QStringLiteral("Anzahl Liste"),
            QStringLiteral("FM Liste"),   QStringLiteral("Anzahl Werk"),  QStringLiteral("FM Werk"),
            QStringLiteral("Abweichung FM"), QStringLiteral("Abweichung %")};
}

QStringList millClassTexts(const MillClassRow &r)
{
    MillTotals t{r.listCount, r.listVolume, r.millCount, r.millVolume};
    return {r.quality,
            r.diameterClass,
            countText(r.listCount),
            fmText(r.listVolume),
            countText(r.millCount),
            fmText(r.millVolume),
            signedFmText(t.difference()),
            signedPercentText(t.difference(), r.listVolume)};
}

} // namespace evaluation
