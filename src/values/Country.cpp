#include "values/Country.h"

#include <QHash>
#include <QStringList>

namespace values {

namespace {

// The codes of ISO 3166-1 alpha-2 that an address may name, with "1A" (Kosovo) and "XI"
// (Northern Ireland).
const QStringList &isoCodes()
{
    static const QStringList codes = QStringLiteral(
        "1A AD AE AF AG AI AL AM AN AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BL BJ BM BN BO BQ BR BS BT BV BW BY "
        "BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU CV CW CX CY CZ DE DJ DK DM DO DZ EC EE EG EH ER ES ET FI FJ FK FM FO "
        "FR GA GB GD GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HM HN HR HT HU ID IE IL IM IN IO IQ IR IS IT JE JM "
        "JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR LS LT LU LV LY MA MC MD ME MF MG MH MK ML MM MN MO MP MQ "
        "MR MS MT MU MV MW MX MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM PN PR PS PT PW PY QA RE "
        "RO RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR ST SV SX SY SZ TC TD TF TG TH TJ TK TL TM TN TO TR TT TV "
        "TW TZ UA UG UM US UY UZ VA VC VE VG VI VN VU WF WS XI YE YT ZA ZM ZW")
                                          .split(u' ');
    return codes;
}

// International vehicle codes that differ from the ISO code of their country.
const QHash<QString, QString> &vehicleCodes()
{
    static const QHash<QString, QString> codes = {
        {QStringLiteral("D"), QStringLiteral("DE")},   {QStringLiteral("A"), QStringLiteral("AT")},
        {QStringLiteral("B"), QStringLiteral("BE")},   {QStringLiteral("F"), QStringLiteral("FR")},
        {QStringLiteral("I"), QStringLiteral("IT")},   {QStringLiteral("E"), QStringLiteral("ES")},
        {QStringLiteral("P"), QStringLiteral("PT")},   {QStringLiteral("L"), QStringLiteral("LU")},
        {QStringLiteral("S"), QStringLiteral("SE")},   {QStringLiteral("N"), QStringLiteral("NO")},
        {QStringLiteral("H"), QStringLiteral("HU")},   {QStringLiteral("M"), QStringLiteral("MT")},
        {QStringLiteral("V"), QStringLiteral("VA")},   {QStringLiteral("FL"), QStringLiteral("LI")},
        {QStringLiteral("IRL"), QStringLiteral("IE")}, {QStringLiteral("FIN"), QStringLiteral("FI")},
        {QStringLiteral("SLO"), QStringLiteral("SI")}, {QStringLiteral("EST"), QStringLiteral("EE")},
        {QStringLiteral("RSM"), QStringLiteral("SM")}, {QStringLiteral("AND"), QStringLiteral("AD")},
        {QStringLiteral("GBZ"), QStringLiteral("GI")}, {QStringLiteral("MNE"), QStringLiteral("ME")},
        {QStringLiteral("SRB"), QStringLiteral("RS")}, {QStringLiteral("BIH"), QStringLiteral("BA")},
        {QStringLiteral("NMK"), QStringLiteral("MK")}, {QStringLiteral("RUS"), QStringLiteral("RU")},
        {QStringLiteral("USA"), QStringLiteral("US")},
    };
    return codes;
}

} // namespace

bool isCountryCode(const QString &code)
{
    return code.size() == 2 && isoCodes().contains(code);
}

QString countryCode(const QString &land, const QString &ownCountry)
{
    const QString code = land.trimmed().toUpper();
    if (code.isEmpty())
        return isCountryCode(ownCountry) ? ownCountry : QString();
    if (isCountryCode(code))
        return code;
    return vehicleCodes().value(code);
}

} // namespace values
