#include "rules/MillRules.h"

#include "rules/MeasurementRules.h"

#include <cmath>

namespace rules {

std::optional<int> WerkDurchmesser(const std::optional<int> &forstlich, const std::vector<double> &sortendurchmesser)
{
    if (forstlich)
        return forstlich;
    if (sortendurchmesser.empty())
        return std::nullopt;
    double sum = 0;
    for (const double d : sortendurchmesser)
        sum += d;
    return int(std::floor(sum / double(sortendurchmesser.size())));
}

std::optional<double> WerkVolumen(const std::optional<int> &durchmesser, const std::optional<double> &laenge)
{
    if (!durchmesser || !laenge)
        return std::nullopt;
    return VolumenBerechnen(*durchmesser, *laenge);
}

QString Vergleichsklasse(const QString &klasse)
{
    QString k = klasse.trimmed();
    if (k.startsWith(u"ch_"))
        k = k.mid(3);
    else if (k.size() > 1 && k.at(0) == u'd' && k.at(1).isDigit())
        k = k.mid(1);
    if (k == u"1b1" || k == u"1b2")
        return QStringLiteral("1b");
    // The program's classes 4 and 5 are not divided.
    if (k == u"4a" || k == u"4b")
        return QStringLiteral("4");
    if (k == u"5a" || k == u"5b")
        return QStringLiteral("5");
    return k;
}

std::optional<int> KlassenUntergrenze(const QString &vergleichsklasse)
{
    const QString &k = vergleichsklasse;
    if (k.isEmpty() || !k.at(0).isDigit())
        return std::nullopt;
    const int decade = k.at(0).digitValue();
    if (k.size() == 1)
        return decade == 0 ? 0 : decade * 10;
    if (k.size() == 2 && k.at(1) == u'a')
        return decade * 10;
    if (k.size() == 2 && k.at(1) == u'b')
        return decade * 10 + 5;
    return std::nullopt;
}

QString WerkGueteklasse(const QString &qualType, const QString &other)
{
    const QString t = qualType.trimmed().toLower();
    if (t.isEmpty())
        return {};
    if (t == u"c" && other.trimmed().toLower() == u"gw")
        return Gueteklassen[2].toString();
    if (t == u"b")
        return Gueteklassen[0].toString();
    if (t == u"c")
        return Gueteklassen[1].toString();
    return t.toUpper();
}

std::optional<int> GueteRang(const QString &gueteklasse)
{
    static const QString order[] = {QStringLiteral("A"), Gueteklassen[0].toString(), Gueteklassen[1].toString(),
                                    Gueteklassen[2].toString(), QStringLiteral("D")};
    for (int i = 0; i < 5; ++i)
        if (gueteklasse == order[i])
            return i;
    return std::nullopt;
}

std::optional<double> PolterVolumenFotooptisch(const std::optional<double> &vorderseite, const std::optional<double> &rueckseite,
                                               const std::optional<double> &laenge, const std::vector<PolterAnteil> &anteile)
{
    if (!vorderseite || !laenge)
        return std::nullopt;
    const double flaeche = rueckseite ? (*vorderseite + *rueckseite) / 2 : *vorderseite;
    double gewichte = 0;
    double summe = 0;
    for (const PolterAnteil &a : anteile) {
        gewichte += a.prozent;
        summe += a.prozent * a.faktor;
    }
    const double faktor = gewichte > 0 ? summe / gewichte : 1;
    return VolumenRunden(flaeche * *laenge * faktor);
}

std::optional<double> PolterVolumenGewicht(const std::optional<double> &tonnen, const std::optional<double> &faktorJeTonne)
{
    if (!tonnen || !faktorJeTonne)
        return std::nullopt;
    return VolumenRunden(*tonnen * *faktorJeTonne);
}

} // namespace rules
