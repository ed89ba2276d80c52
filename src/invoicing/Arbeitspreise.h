#pragma once

#include "data/Dataset.h"

#include <QString>

class TDMod;

namespace invoicing {

// The working prices of the invoice being prepared: the table Preise, refilled from
// Grundpreise, of which the price grid shows and edits the B rows, and from which the invoice
// lines are built.
class Arbeitspreise
{
public:
    explicit Arbeitspreise(TDMod &dmod);

    static const QString PreiseBSql;
    static const QString PreiseFuellenSql;
    static const QString AbzugSql;
    static const QString AbgeleitetSql;

    // The B rows of Preise, live; with the calculated prices PREISB, PREISC and PREISCGW.
    data::Dataset qryPreise;
    // Deductions of C and Cgw as read from Grundpreise; kept when a class has no row there.
    double AbzugC = 0.0;
    double AbzugCgw = 0.0;

    // Empties Preise and opens the B rows, which refills the table from Grundpreise.
    void oeffnen();
    void qryPreiseAfterOpen(data::Dataset &ds);
    void qryPreiseCalcFields(data::Dataset &ds);

    // The rules after an edit of the current B row: a new price sets the percentage of the
    // base price, a new percentage sets the price. Both post the row.
    void preisBearbeitet();
    void prozentBearbeitet();

    // Writes the C and Cgw prices the grid shows for every B row into Preise, all or none.
    void abgeleitetePreiseSchreiben();

private:
    void abzugLesen(const QString &klasse, double &abzug);

    TDMod &m_dmod;
};

// The line statement: one line per quality and diameter class of the list's logs with a row
// in Preise, with the summed volume and the working price.
QString rechnungZeilenSql(const QString &listName);

// Empties Rechnung, fills it from the list's logs and the working prices (all or nothing), and
// opens qryRechnung on the lines.
void RechnungAufbauen(TDMod &dmod, const QString &listName);

} // namespace invoicing
