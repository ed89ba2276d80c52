#include "evaluation/MillIdentity.h"

#include <QStringList>

namespace evaluation {

namespace {

bool names(const QStringList &numbers, const QString &number)
{
    return numbers.contains(number.trimmed(), Qt::CaseInsensitive);
}

QString quoted(const QStringList &numbers)
{
    return u'„' + numbers.join(QStringLiteral("“, „")) + u'“';
}

} // namespace

QString otherListQuestion(const exporting::MillReference &reference, const QString &listName,
                          const std::optional<values::EldatFacts> &facts)
{
    QStringList reasons;
    if (!reference.lotNumbers.isEmpty() && !names(reference.lotNumbers, listName))
        reasons << QStringLiteral("Los-Nr. %1").arg(quoted(reference.lotNumbers));
    if (facts) {
        if (!reference.pileNumbers.isEmpty() && !facts->pileNumber.isEmpty() && !names(reference.pileNumbers, facts->pileNumber))
            reasons << QStringLiteral("Polter-Nr. %1 statt „%2“").arg(quoted(reference.pileNumbers), facts->pileNumber);
        if (!reference.processId.isEmpty() && !facts->processId.isEmpty() && reference.processId != facts->processId)
            reasons << QStringLiteral("Prozess-Kennung „%1“").arg(reference.processId);
        if (!reference.referenceModuleId.isEmpty() && !facts->moduleId.isEmpty() && reference.referenceModuleId != facts->moduleId)
            reasons << QStringLiteral("Bezug auf das Dokument „%1“").arg(reference.referenceModuleId);
    }
    if (reasons.isEmpty())
        return {};
    return QStringLiteral("Das Werkmaßprotokoll nennt eine andere Liste als „%1“:\n%2\n\nTrotzdem vergleichen?")
        .arg(listName, reasons.join(u'\n'));
}

} // namespace evaluation
