#pragma once

#include "einvoice/Invoice.h"
#include "report/PreparedReport.h"
#include "report/Pipeline.h"

#include <QString>

class TDMod;
namespace data {
class Dataset;
}

namespace invoicing {

// The invoice's own values, one row for the pipeline dbRechnungswerte: the dates typed in the
// window (RECHNUNGSDATUM, LIEFERDATUM) and the amounts of the summary block exactly as the
// e-invoice states them (NETTO, MWST, BRUTTO, SKONTOBETRAG, NACHSKONTO, ABGABE in euros, and
// the levy sentence ABGABETEXT), so that paper and e-invoice agree to the cent.
report::TablePipeline rechnungswerte(const einvoice::Invoice &invoice);

// The invoice, ready to print: the template loaded from its file and the queries handed to it
// under the names its items use: dbFirma, dbKunden, dbDorvdaten (the invoice lines),
// dbZusatzdaten (the list header), dbRechnungsdaten (the invoice number), Firma, and
// dbRechnungswerte above. A template that cannot be read raises the report engine's error.
// The datasets must outlive the report.
report::PreparedReport RechnungsReport(const QString &templatePath, TDMod &dmod, const data::Dataset &rechnungsdaten,
                                           const einvoice::Invoice &invoice);

} // namespace invoicing
