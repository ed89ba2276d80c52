#pragma once

#include <QString>

namespace values {

// One log as a list's table stores it: the typed or imported measures and what the
// measurement rules made of them.
struct LogRow
{
    int id = 0;         // ID, the log number in its list
    int laenge = 0;     // LAENGE, whole metres
    int durchmein = 0;  // DURCHMEIN, as measured, cm
    int durchmeff = 0;  // DURCHMEFF, without bark, cm
    QString gueteklasse; // GUETEKLASSE
    double volumen = 0; // VOLUMEN, FM
    QString staerkeklasse; // STAERKEKLASSE

    bool operator==(const LogRow &) const = default;
};

} // namespace values
