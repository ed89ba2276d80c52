#include "entry/EntryCursor.h"

#include "entry/GridPositions.h"
#include "rules/MeasurementRules.h"

namespace entry {

namespace pos = entry::position;

namespace {

QString lengthHint()
{
    return QStringLiteral("Bitte die Länge des Stammes eingeben (01-%1)").arg(rules::MaxLaenge);
}

QString qualityHint()
{
    return QStringLiteral("Bitte die Güteklasse des Stammes eingeben (1->B 2->C 3->CgW)");
}

} // namespace

int EntryCursor::editable(int position)
{
    if (position <= pos::StammNr)
        return pos::Laenge;
    if (position > pos::Gueteklasse || position == pos::DurchmEff)
        return pos::Gueteklasse;
    return position;
}

int EntryCursor::entered(int position, int lastColumn)
{
    if (position == pos::DurchmEff)
        return lastColumn > pos::DurchmEff ? pos::Durchmesser : pos::Gueteklasse;
    return editable(position);
}

QString EntryCursor::enterHint(int position, int lastColumn, int maxDurchmesser)
{
    if (position == pos::Durchmesser)
        return QStringLiteral("Bitte den Durchmesser des Stammes eingeben (01-%1)").arg(maxDurchmesser);
    if (position == pos::Gueteklasse && lastColumn != pos::Gueteklasse)
        return qualityHint();
    if (position == pos::Laenge || lastColumn == pos::Gueteklasse)
        return lengthHint();
    return {};
}

QString EntryCursor::clickHint(int position)
{
    if (position == pos::Laenge)
        return lengthHint();
    if (position == pos::Gueteklasse)
        return qualityHint();
    return {};
}

bool EntryCursor::inRange(const QVariant &value, int max)
{
    if (value.isNull())
        return false;
    bool ok = false;
    const int v = value.toInt(&ok);
    return ok && v >= 1 && v <= max;
}

QString EntryCursor::rangeMessage(int max)
{
    return QStringLiteral("Bitte einen Wert zwischen 1 und %1 eingeben!").arg(max);
}

} // namespace entry
