#include "export/EldatChecks.h"

#include "export/DecimalText.h"
#include "export/EldatCodes.h"
#include "values/Country.h"
#include "values/Iban.h"

#include <QRegularExpression>

namespace exporting {

namespace {

// The limit ELDATsmart sets on a log's length and diameter.
constexpr int maxLogMeasure = 255;
constexpr int namedLogs = 5;

QString quoted(const QString &text)
{
    return QStringLiteral("„") + text + QStringLiteral("“");
}

QString normalisedPhone(QString phone)
{
    phone = phone.simplified();
    // "+49 (0)123 45" is dialled from abroad without the 0 in brackets.
    if (phone.startsWith(u'+'))
        phone.remove(QStringLiteral("(0)"));
    QString out;
    for (const QChar c : phone) {
        if (c.isDigit() || c == u' ' || c == u'/' || c == u'-' || (c == u'+' && out.isEmpty()))
            out += c;
    }
    return out.simplified();
}

QString normalisedPostcode(QString postcode)
{
    postcode.remove(u' ');
    // "D-12345": the country goes in front of German postcodes on old letterheads.
    static const QRegularExpression countryPrefix(QStringLiteral("^[A-Za-z]{1,2}-(?=[0-9])"));
    postcode.remove(countryPrefix);
    return postcode;
}

// The ISO code of the country as typed; empty is Germany. A text that names no country stays
// as typed, so that the refusal can show it.
QString normalisedCountry(const QString &country)
{
    const QString code = values::countryCode(country, QStringLiteral("DE"));
    return code.isEmpty() ? country.trimmed().toUpper() : code;
}

QString missingOrInvalid(const QString &what, const QString &value)
{
    return value.isEmpty() ? what + QStringLiteral(" fehlt") : what + u' ' + quoted(value) + QStringLiteral(" ungültig");
}

bool matches(const QRegularExpression &re, const QString &text)
{
    return re.match(text).hasMatch();
}

} // namespace

values::Seller eldatCompany(const values::Seller &company)
{
    values::Seller c = company;
    for (QString *text : {&c.company, &c.name1, &c.street, &c.city, &c.email, &c.contactPerson, &c.taxNumber})
        *text = text->trimmed();
    c.postcode = normalisedPostcode(company.postcode);
    c.country = normalisedCountry(company.country);
    c.phone = normalisedPhone(company.phone);
    c.iban = company.iban.toUpper().remove(u' ');
    c.bic = company.bic.toUpper().remove(u' ');
    return c;
}

QStringList companyProblems(const values::Seller &c)
{
    static const QRegularExpression postcode(QStringLiteral("^[0-9a-zA-Z]{3,10}$"));
    static const QRegularExpression phone(QStringLiteral("^\\+?[0-9 /-]{5,20}$"));
    static const QRegularExpression email(
        QStringLiteral("^[^<>()\\[\\]\\\\.,;:\\s@\"]+(\\.[^<>()\\[\\]\\\\.,;:\\s@\"]+)*@([a-zA-Z0-9-]+\\.)+[a-zA-Z]{2,}$"));

    QStringList problems;
    if (c.company.isEmpty() && c.name1.isEmpty())
        problems << QStringLiteral("Firmenname fehlt");
    if (c.street.isEmpty())
        problems << QStringLiteral("Straße fehlt");
    if (!matches(postcode, c.postcode))
        problems << missingOrInvalid(QStringLiteral("Postleitzahl"), c.postcode);
    if (c.city.isEmpty())
        problems << QStringLiteral("Ort fehlt");
    if (!isEldatCountry(c.country))
        problems << missingOrInvalid(QStringLiteral("Land"), c.country);
    if (!matches(phone, c.phone))
        problems << missingOrInvalid(QStringLiteral("Telefon"), c.phone);
    if (!matches(email, c.email))
        problems << missingOrInvalid(QStringLiteral("E-Mail"), c.email);
    if (!c.iban.isEmpty() && !values::ibanIsValid(c.iban))
        problems << missingOrInvalid(QStringLiteral("IBAN"), c.iban);
    return problems;
}

QStringList logProblems(const std::vector<ExportLog> &logs)
{
    QStringList problems;
    int named = 0;
    int more = 0;
    for (const ExportLog &log : logs) {
        const int length = log.length.value_or(0);
        const int diameter = log.effectiveDiameter.value_or(0);
        if (length <= maxLogMeasure && diameter <= maxLogMeasure)
            continue;
        if (named == namedLogs) {
            ++more;
            continue;
        }
        ++named;
        problems << (length > maxLogMeasure ? QStringLiteral("Stamm %1: Länge %2 m").arg(log.id).arg(length)
                                            : QStringLiteral("Stamm %1: Durchmesser %2 cm").arg(log.id).arg(diameter));
    }
    if (more > 0)
        problems << QStringLiteral("und %1 weitere Stämme").arg(more);
    return problems;
}

QString eldatRefusal(const values::Seller &company, const std::vector<ExportLog> &logs)
{
    QStringList sections;
    const auto section = [&](const QString &title, const QStringList &items) {
        if (!items.isEmpty())
            sections << title + QStringLiteral("\n– ") + items.join(QStringLiteral("\n– "));
    };
    if (logs.empty())
        sections << QStringLiteral("Die Liste enthält keine Stämme.");
    section(QStringLiteral("ELDATsmart nimmt Längen und Durchmesser bis %1 an:").arg(maxLogMeasure), logProblems(logs));
    section(QStringLiteral("Für ELDATsmart fehlen oder passen nicht in den Firmendaten (Stammdaten → Firma):"),
            companyProblems(company));
    return sections.join(QStringLiteral("\n\n"));
}

CoordinateCheck checkCoordinate(const QString &text, Axis axis)
{
    const bool latitude = axis == Axis::Latitude;
    const QString what = latitude ? QStringLiteral("Breitengrad") : QStringLiteral("Längengrad");
    const QString example = latitude ? QStringLiteral("49,8686") : QStringLiteral("8,9161");
    const int limit = latitude ? 90 : 180;

    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)\\s*([0-9]+)(?:[.,]([0-9]+))?\\s*°?\\s*$"));
    if (text.trimmed().isEmpty())
        return {std::nullopt, QStringLiteral("Bitte den %1 des Polters eingeben (Dezimalgrad WGS 84, z. B. %2).").arg(what, example)};
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return {std::nullopt, QStringLiteral("%1 ist kein gültiger %2. Bitte in Dezimalgrad mit Komma oder Punkt eingeben, z. B. %3.")
                                  .arg(quoted(text.trimmed()), what, example)};
    const QString plain = m.captured(1) + m.captured(2) + (m.hasCaptured(3) ? QStringLiteral(".") + m.captured(3) : QString());
    const double value = plain.toDouble();
    if (value < -limit || value > limit)
        return {std::nullopt, QStringLiteral("Der %1 muss zwischen -%2 und %2 liegen.").arg(what).arg(limit)};
    return {value, {}};
}

QString coordinateText(double value)
{
    return decimalText(value, u',');
}

} // namespace exporting
