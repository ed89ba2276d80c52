#pragma once

#include "einvoice/Invoice.h"

#include <QByteArray>

namespace einvoice {

// The invoice as a Cross Industry Invoice (UN/CEFACT CII D16B, UTF-8) for its profile:
// Factur-X / ZUGFeRD EN 16931 or XRechnung 3.0. Every amount in it is the amount the printed
// invoice shows (see Totals.h). The invoice must be complete (MissingData.h); what is missing
// is left out of the document, not invented.
QByteArray ciiXml(const Invoice &invoice);

} // namespace einvoice
