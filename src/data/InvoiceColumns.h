#pragma once

#include <QString>

namespace engine {
class Connection;
}

// The master data an e-invoice needs beyond the company's address and the customer's address
// and terms: columns added behind the delivered columns of Firma and Kunden, so that statements
// written for the delivered layouts keep working.
namespace data::invoicecolumns {

// Kunden (those of Firma are named in values/CompanyColumns.h)
inline constexpr char EMail[] = "EMAIL";
inline constexpr char KundeUStIdNr[] = "USTIDNR";
inline constexpr char Kaeuferreferenz[] = "KAEUFERREFERENZ";
inline constexpr char LieferantenNr[] = "LIEFERANTENNR";

// What a company without its own entries gets: its country and the reason printed when it
// charges no VAT.
inline constexpr char DefaultLand[] = "DE";
QString defaultSteuerbefreiung();

// Adds every missing column to Firma and Kunden, each table in one transaction; a company row
// gets the defaults above in the columns just added. Tables that do not exist are left alone.
// Raises the engine's error when a table cannot be changed; what was stored stays as it was.
void addMissing(engine::Connection &db);

} // namespace data::invoicecolumns
