#pragma once

#include <QString>

namespace values {

// Whether a text is a country code (ISO 3166-1 alpha-2, upper-case, with "1A" for Kosovo and
// "XI" for Northern Ireland).
bool isCountryCode(const QString &code);

// The ISO country code for a LAND as typed. LAND is printed before the postcode ("D-57392")
// and older data holds the international vehicle codes there: "D" becomes "DE", "A" "AT",
// "FL" "LI" and so on; an ISO code stays as it is, in any case. An empty LAND means
// `ownCountry` (the seller's, for a customer). A text that names no country gives an empty
// result.
QString countryCode(const QString &land, const QString &ownCountry);

} // namespace values
