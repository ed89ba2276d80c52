#pragma once

#include <QString>

namespace einvoice {

// Whether a text is a country code the e-invoice rules accept (ISO 3166-1 alpha-2, upper-case).
bool isCountryCode(const QString &code);

// The ISO country code for a customer's LAND. LAND is printed before the postcode ("D-57392")
// and older data holds the international vehicle codes there: "D" becomes "DE", "A" "AT",
// "FL" "LI" and so on; an ISO code stays as it is, in any case. An empty LAND means the
// seller's own country. A text that names no country gives an empty result.
QString countryCode(const QString &land, const QString &sellerCountry);

} // namespace einvoice
