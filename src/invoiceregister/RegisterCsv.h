#pragma once

#include "invoiceregister/Entry.h"

#include <QByteArray>

#include <vector>

namespace invoiceregister {

// The rows for the tax adviser, as a German spreadsheet opens them: UTF-8 with byte order
// mark, CRLF line ends, ";" between fields, decimal comma, dates as dd.mm.yyyy. A title line,
// then one line per invoice; copies are left out, since each invoice counts once.
// Columns: Rechnungsnummer, Rechnungsdatum, Lieferdatum, Kundennummer, Kunde, Liste, Netto,
// MwSt-Satz, MwSt, Brutto, Art, Ausgestellt.
QByteArray registerCsv(const std::vector<const Entry *> &rows);

} // namespace invoiceregister
