#pragma once

#include "einvoice/Invoice.h"

#include <QString>
#include <QStringList>

namespace einvoice {

// What an e-invoice of the invoice's profile still needs before it may be written, each in the
// words of the message ("Rechnungsnummer", "IBAN der Firma", "USt-IdNr oder Lieferanten-Nr",
// "Käuferreferenz (Leitweg-ID)", ...). Empty when nothing is missing.
QStringList missingData(const Invoice &invoice);

// "Für die E-Rechnung fehlen: Rechnungsnummer, IBAN der Firma, USt-IdNr oder Lieferanten-Nr.",
// or an empty text when nothing is missing.
QString missingDataMessage(const Invoice &invoice);

} // namespace einvoice
