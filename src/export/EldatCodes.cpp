#include "export/EldatCodes.h"

#include <QHash>

namespace exporting {

namespace {

struct Entry
{
    const char *code;
    const char *name;
};

// Offered in the species choice, in this order.
constexpr Entry speciesTable[] = {
    {"fi", "Fichte"},           {"kie", "Kiefer"},          {"ta", "Tanne"},
    {"dgl", "Douglasie"},       {"la", "Lärche"},           {"ela", "Europäische Lärche"},
    {"jla", "Japanische Lärche"}, {"sfi", "Sitkafichte"},   {"wki", "Weymouthskiefer"},
    {"ski", "Schwarzkiefer"},   {"kta", "Küstentanne"},     {"fita", "Mischsortiment Fichte/Tanne"},
    {"ndh", "Nadelholz"},       {"bu", "Buche"},            {"ei", "Eiche"},
    {"sei", "Stieleiche"},      {"tei", "Traubeneiche"},    {"rei", "Roteiche"},
    {"es", "Esche"},            {"hbu", "Hainbuche"},       {"ah", "Ahorn"},
    {"bah", "Bergahorn"},       {"sah", "Spitzahorn"},      {"bi", "Birke"},
    {"erl", "Erle"},            {"ser", "Schwarzerle"},     {"pap", "Pappel"},
    {"zpa", "Aspe"},            {"li", "Linde"},            {"ul", "Ulme"},
    {"rob", "Robinie"},         {"eka", "Edelkastanie"},    {"kir", "Kirsche"},
    {"vk", "Vogelkirsche"},     {"wnu", "Walnuss"},         {"els", "Elsbeere"},
    {"wei", "Weide"},           {"lbh", "Laubholz"},
};

// Further names and short forms found in Baumart, with their codes.
constexpr Entry speciesAliases[] = {
    {"fi", "Rotfichte"},        {"gfi", "Gemeine Fichte"},  {"kie", "Föhre"},
    {"kie", "Forche"},          {"ki", "Gemeine Kiefer"},   {"ki", "Waldkiefer"},
    {"bki", "Bergkiefer"},      {"zki", "Zirbe"},           {"zki", "Zirbelkiefer"},
    {"wki", "Strobe"},          {"wta", "Weißtanne"},       {"nota", "Nordmannstanne"},
    {"kta", "Große Küstentanne"}, {"dgl", "Douglas"},       {"dgl", "Douglastanne"},
    {"dgl", "Dou"},             {"la", "Lä"},               {"eib", "Eibe"},
    {"bu", "Rotbuche"},         {"hbu", "Weißbuche"},       {"ges", "Gemeine Esche"},
    {"fah", "Feldahorn"},       {"wli", "Winterlinde"},     {"sli", "Sommerlinde"},
    {"bul", "Bergulme"},        {"ful", "Feldulme"},        {"flu", "Flatterulme"},
    {"ka", "Kastanie"},         {"eka", "Esskastanie"},     {"rka", "Rosskastanie"},
    {"nus", "Nussbaum"},        {"snu", "Schwarznuss"},     {"vk", "Wildkirsche"},
    {"gtk", "Traubenkirsche"},  {"spe", "Speierling"},      {"vb", "Vogelbeere"},
    {"vb", "Eberesche"},        {"gbi", "Sandbirke"},       {"gbi", "Gemeine Birke"},
    {"mbi", "Moorbirke"},       {"ser", "Roterle"},         {"wer", "Grauerle"},
    {"wer", "Weißerle"},        {"erl", "Er"},              {"zpa", "Espe"},
    {"zpa", "Zitterpappel"},    {"spa", "Schwarzpappel"},   {"bpa", "Balsampappel"},
    {"pap", "Pa"},              {"swei", "Salweide"},       {"pla", "Platane"},
    {"fita", "Fichte/Tanne"},   {"fita", "Fi/Ta"},
};

constexpr Entry gradeTable[] = {
    {"st", "Stammholz lang"},     {"fl", "Stammholz Abschnitte"}, {"il", "Industrieholz lang"},
    {"is", "Industrieholz kurz"}, {"bl", "Energieholz lang"},     {"bs", "Energieholz kurz"},
};

constexpr Entry useTable[] = {
    {"sg", "Sägeholz"},      {"f", "Furnier"},        {"tf", "Teilfurnier"},  {"wh", "Wertholz"},
    {"ss", "Schälholz"},     {"st", "Starkholz"},     {"sw", "Schwellenholz"}, {"pa", "Palette"},
    {"m", "Masten"},         {"p", "Stangen"},        {"ih", "Industrieholz"}, {"eh", "Energieholz"},
};

constexpr const char *countries[] = {"DE", "BY", "BE", "BG", "DK", "EE", "FI", "FR", "GE", "GR", "IE", "IS", "IT",
                                     "CA", "HR", "LV", "LI", "LT", "LU", "NL", "NO", "AT", "PL", "PT", "RO", "RU",
                                     "SE", "CH", "RS", "SK", "SI", "ES", "CZ", "UA", "HU", "US", "GB", "CX"};

template <std::size_t N>
std::vector<CodeName> codeNames(const Entry (&table)[N])
{
    std::vector<CodeName> out;
    out.reserve(N);
    for (const Entry &e : table)
        out.push_back({QString::fromUtf8(e.code), QString::fromUtf8(e.name)});
    return out;
}

// A name as compared: without case, surrounding or doubled blanks, and with umlauts written
// out, so that "Laerche" finds "Lärche".
QString folded(const QString &name)
{
    QString s = name.simplified().toLower();
    s.replace(u'ä', QStringLiteral("ae"));
    s.replace(u'ö', QStringLiteral("oe"));
    s.replace(u'ü', QStringLiteral("ue"));
    s.replace(u'ß', QStringLiteral("ss"));
    s.replace(QStringLiteral(" / "), QStringLiteral("/"));
    return s;
}

QHash<QString, QString> speciesByName()
{
    QHash<QString, QString> byName;
    for (const Entry &e : speciesTable) {
        byName.insert(folded(QString::fromUtf8(e.name)), QString::fromUtf8(e.code));
        byName.insert(QString::fromUtf8(e.code), QString::fromUtf8(e.code));
    }
    for (const Entry &e : speciesAliases) {
        byName.insert(folded(QString::fromUtf8(e.name)), QString::fromUtf8(e.code));
        byName.insert(QString::fromUtf8(e.code), QString::fromUtf8(e.code));
    }
    return byName;
}

} // namespace

const std::vector<CodeName> &commonSpecies()
{
    static const std::vector<CodeName> list = codeNames(speciesTable);
    return list;
}

QString speciesName(const QString &code)
{
    for (const Entry &e : speciesTable)
        if (code == QLatin1String(e.code))
            return QString::fromUtf8(e.name);
    for (const Entry &e : speciesAliases)
        if (code == QLatin1String(e.code))
            return QString::fromUtf8(e.name);
    return {};
}

QString speciesCode(const QString &baumart)
{
    static const QHash<QString, QString> byName = speciesByName();
    return byName.value(folded(baumart));
}

QString thicknessClass(const QString &diameterClass)
{
    static const QHash<QString, QString> classes{
        {QStringLiteral("0"), QStringLiteral("d0")},    {QStringLiteral("1a"), QStringLiteral("d1a")},
        {QStringLiteral("1b1"), QStringLiteral("d1b")}, {QStringLiteral("1b2"), QStringLiteral("d1b")},
        {QStringLiteral("2a"), QStringLiteral("d2a")},  {QStringLiteral("2b"), QStringLiteral("d2b")},
        {QStringLiteral("3a"), QStringLiteral("d3a")},  {QStringLiteral("3b"), QStringLiteral("d3b")},
        {QStringLiteral("4"), QStringLiteral("d4")},    {QStringLiteral("5"), QStringLiteral("d5")},
    };
    return classes.value(diameterClass.trimmed().toLower());
}

EldatQuality eldatQuality(const QString &qualityClass)
{
    const QString q = qualityClass.trimmed();
    if (q.isEmpty())
        return {};
    if (q.compare(QLatin1String("B"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("b"), {}};
    if (q.compare(QLatin1String("C"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("c"), {}};
    if (q.compare(QLatin1String("Cgw"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("c"), QStringLiteral("gw")};
    return {QStringLiteral("o"), q};
}

const std::vector<CodeName> &grades()
{
    static const std::vector<CodeName> list = codeNames(gradeTable);
    return list;
}

const std::vector<CodeName> &uses()
{
    static const std::vector<CodeName> list = codeNames(useTable);
    return list;
}

QString proposedGrade(const QString &sorte)
{
    const QString s = folded(sorte);
    const bool shortWood = s.contains(QLatin1String("kurz")) || s.contains(QLatin1String("schicht"));
    if (s.contains(QLatin1String("industrie")))
        return shortWood ? QStringLiteral("is") : QStringLiteral("il");
    if (s.contains(QLatin1String("energie")) || s.contains(QLatin1String("brenn")))
        return shortWood ? QStringLiteral("bs") : QStringLiteral("bl");
    if (s.contains(QLatin1String("abschnitt")) || s.contains(QLatin1String("fix")) || s.contains(QLatin1String("kurz")))
        return QStringLiteral("fl");
    return QStringLiteral("st");
}

QString proposedUse(const QString &sorte)
{
    const QString s = folded(sorte);
    if (s.contains(QLatin1String("furnier")))
        return QStringLiteral("f");
    if (s.contains(QLatin1String("wertholz")))
        return QStringLiteral("wh");
    if (s.contains(QLatin1String("industrie")))
        return QStringLiteral("ih");
    if (s.contains(QLatin1String("energie")) || s.contains(QLatin1String("brenn")))
        return QStringLiteral("eh");
    return QStringLiteral("sg");
}

bool isEldatCountry(const QString &code)
{
    for (const char *c : countries)
        if (code == QLatin1String(c))
            return true;
    return false;
}

} // namespace exporting
