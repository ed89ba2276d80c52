#pragma once

// The column names of a list: its own table of logs and its row in the header table. A name
// used alone (a dataset's field, a statement's parameter, a report's field) is written with
// these; the statements of the list module name many columns at once and spell them out.
namespace values {

// The fields of a list's log table, in the order of its columns. The price tables (Grundpreise,
// Preise) and the invoice table Rechnung carry the two classes and the volume of the logs under
// the same names.
namespace listcolumn {
inline constexpr char Id[] = "ID";
inline constexpr char Laenge[] = "LAENGE";
inline constexpr char Durchmein[] = "DURCHMEIN";
inline constexpr char Durchmeff[] = "DURCHMEFF";
inline constexpr char Gueteklasse[] = "GUETEKLASSE";
inline constexpr char Volumen[] = "VOLUMEN";
inline constexpr char Staerkeklasse[] = "STAERKEKLASSE";
} // namespace listcolumn

// The fields of a list's header row: the list's name, then what the user types above its logs.
namespace headercolumn {
inline constexpr char Offset[] = "OFFSET"; // the list's name
inline constexpr char Abteilung[] = "ABTEILUNG";
inline constexpr char Baumart[] = "BAUMART";
inline constexpr char Sorte[] = "SORTE";
inline constexpr char Zusatztext[] = "ZUSATZTEXT";
inline constexpr char Geschaelt[] = "GESCHAELT";
inline constexpr char Gerueckt[] = "GERUECKT";
} // namespace headercolumn

} // namespace values
