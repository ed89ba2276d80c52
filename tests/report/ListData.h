#pragma once

// Pipelines as the main window hands them to the log list and the summary.
#include "report/Pipeline.h"

#include <QString>

namespace listdata {

inline report::TablePipeline logs(int count)
{
    report::TablePipeline p({"ID", "LAENGE", "DURCHMEIN", "DURCHMEFF", "GUETEKLASSE", "VOLUMEN", "STAERKEKLASSE"});
    for (int i = 1; i <= count; ++i)
        p.addRow({i, 12, 35, 33, i % 3 == 0 ? "C" : "B", 1.03, "3a"});
    return p;
}

inline report::TablePipeline zusatzdaten(bool geschaelt, bool gerueckt)
{
    report::TablePipeline p({"ID", "OFFSET", "ABTEILUNG", "BAUMART", "SORTE", "ZUSATZTEXT", "GESCHAELT", "GERUECKT"});
    p.addRow({1, "Hiebsort 7", "12 B", "Fichte", "Stammholz", "am Weg", geschaelt, gerueckt});
    return p;
}

inline report::TablePipeline firma()
{
    report::TablePipeline p({"ID", "Firma", "Name1", "Name2", "Strasse", "Plz", "Ort", "Telefon", "Fax", "EMail", "BLZ", "KTO", "Bank",
                             "SteuerNr", "MwSt", "FASatz"});
    p.addRow({1, "Forstbetrieb Muster", "Hans Muster", "", "Waldweg 3", "57392", "Schmallenberg", "02972 1234", "02972 1235",
              "info@example.org", "", "", "", "123/456", 16.0, 0.2});
    return p;
}

inline report::TablePipeline gesVol(int menge, double volume)
{
    report::TablePipeline p({"GesVol", "Menge"});
    p.addRow({volume, menge});
    return p;
}

inline report::TablePipeline gewLaenge(double length)
{
    report::TablePipeline p({"GewLaenge"});
    p.addRow({length});
    return p;
}

inline report::TablePipeline zusZusatz(double laenge, double durchmesser, double volumen)
{
    report::TablePipeline p({"DLaenge", "DDurchmeff", "DVolumen"});
    p.addRow({laenge, durchmesser, volumen});
    return p;
}

} // namespace listdata
