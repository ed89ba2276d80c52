#pragma once

// The column names of the company table Firma, whose first row is the seller: the delivered
// columns, then those added behind them for e-invoices (data::invoicecolumns::addMissing adds
// them to older data folders).
namespace values::companycolumn {

inline constexpr char Firma[] = "Firma";
inline constexpr char Name1[] = "Name1";
inline constexpr char Strasse[] = "Strasse";
inline constexpr char Plz[] = "Plz";
inline constexpr char Ort[] = "Ort";
inline constexpr char Telefon[] = "Telefon";
inline constexpr char Fax[] = "Fax";
inline constexpr char EMail[] = "EMail";
inline constexpr char Blz[] = "BLZ";
inline constexpr char Kto[] = "KTO";
inline constexpr char Bank[] = "Bank";
inline constexpr char SteuerNr[] = "SteuerNr";
inline constexpr char MwSt[] = "MwSt";
inline constexpr char FaSatz[] = "FASatz";

// Added for e-invoices
inline constexpr char Iban[] = "IBAN";
inline constexpr char Bic[] = "BIC";
inline constexpr char UStIdNr[] = "UStIdNr";
inline constexpr char Land[] = "Land";
inline constexpr char Ansprechpartner[] = "Ansprechpartner";
inline constexpr char Steuerbefreiung[] = "Steuerbefreiung";
inline constexpr char Verkaufsbedingungen[] = "Verkaufsbedingungen"; // printed below the totals
inline constexpr char Durchschnittssatz[] = "Durchschnittssatz";     // Ja: taxed at the flat rate of § 24 UStG
inline constexpr char Ja[] = "J";

} // namespace values::companycolumn
