#pragma once

// The log grid's columns as the entry rules count them: position 0 is the row indicator, the
// data columns follow at fixed positions. The view has no indicator column of its own (the
// indicator is its vertical header), so both modes map a position onto the same view column
// and the rules always act on the data column the cursor really stands in.
namespace entry::position {

inline constexpr int Indikator = 0;
inline constexpr int StammNr = 1;
inline constexpr int Laenge = 2;
inline constexpr int Durchmesser = 3;
inline constexpr int DurchmEff = 4;
inline constexpr int Gueteklasse = 5;
inline constexpr int Volumen = 6;
inline constexpr int Staerkeklasse = 7;

inline constexpr int First = StammNr;
inline constexpr int Last = Staerkeklasse;

// The view column of a data position, and back.
constexpr int column(int position)
{
    return position - 1;
}
constexpr int ofColumn(int column)
{
    return column + 1;
}

} // namespace entry::position
