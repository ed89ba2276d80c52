#pragma once

#include "export/ExportData.h"

#include <QStringList>

#include <optional>
#include <vector>

// What must hold before an ELDATsmart document is written, and the forms ELDATsmart wants of
// the values the user typed elsewhere.
namespace exporting {

// The company data in ELDATsmart's forms: postcode, phone and IBAN without the blanks and
// signs ELDATsmart does not take, the country as an ISO code (values::countryCode: "D" is
// "DE", "A" "AT", empty is "DE").
values::Seller eldatCompany(const values::Seller &company);

// What keeps the company data of an ELDATsmart document from being complete, one item each
// ("Telefon fehlt", "E-Mail „x“ ungültig", an IBAN that fails values::ibanIsValid); empty when
// it is complete. Takes the data as eldatCompany gives it.
QStringList companyProblems(const values::Seller &company);

// The logs whose length or effective diameter is beyond what ELDATsmart takes (255), one
// item each; at most a few logs are named.
QStringList logProblems(const std::vector<ExportLog> &logs);

// The message that refuses an ELDATsmart document of these logs from this company (as
// eldatCompany gives it): an empty list, logs too long or too thick, company data missing.
// Empty when the document can be written.
QString eldatRefusal(const values::Seller &company, const std::vector<ExportLog> &logs);

// A coordinate as typed into the ELDAT facts: decimal degrees with decimal comma or point,
// an optional sign and degree sign. The value, or the message that says what is wrong.
enum class Axis { Latitude, Longitude };
struct CoordinateCheck
{
    std::optional<double> value;
    QString message;
};
CoordinateCheck checkCoordinate(const QString &text, Axis axis);

// The coordinate as the facts dialog shows it: decimal comma, as many decimals as typed.
QString coordinateText(double value);

} // namespace exporting
