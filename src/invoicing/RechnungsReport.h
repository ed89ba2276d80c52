#pragma once

#include "einvoice/Invoice.h"
#include "values/ListHeader.h"
#include "report/PreparedReport.h"
#include "report/Pipeline.h"

#include <QString>

namespace invoicing {

// The invoice's own values, one row for the pipeline dbRechnungswerte: the dates
// (RECHNUNGSDATUM, LIEFERDATUM), the amounts of the summary block exactly as the e-invoice
// states them (NETTO, MWST, BRUTTO, SKONTOBETRAG, NACHSKONTO, ABGABE in euros), and the texts
// of the page: TITEL, EINLEITUNG, MWSTTEXT, ABGABETEXT (the levy sentence), BEDINGUNGEN (the
// company's sales terms), BANKVERBINDUNG, STEUERNUMMERN, and the details beside the invoice
// number as ANGABE1..5 with WERT1..5. Paper and e-invoice agree to the cent and word.
report::TablePipeline rechnungswerte(const einvoice::Invoice &invoice);

// The printed invoice, drawn from what the invoice says and the list header it prints: the
// template loaded from its file and filled through the pipelines its items use (dbFirma,
// Firma, dbKunden, dbDorvdaten, dbZusatzdaten, dbRechnungsdaten, dbRechnungswerte), dated on
// the invoice date. The invoice window prints a new invoice through it and the register shows
// a stored one again through it, so both pages are the same. A template that cannot be read
// raises the report engine's error.
report::PreparedReport RechnungsReport(const QString &templatePath, const einvoice::Invoice &invoice,
                                       const values::ListHeader &header);

} // namespace invoicing
