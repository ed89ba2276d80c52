#pragma once

#include "einvoice/Invoice.h"

#include <QByteArray>
#include <QString>

namespace einvoice {

// The customer's LAND of a document that names no country for the buyer: a text that is no
// country, so that writing the invoice again leaves the country out as the document did,
// instead of putting in the seller's.
inline const QString UnnamedCountry = QStringLiteral("?");

// The invoice a CII document written by ciiXml() describes, so that a stored invoice can be
// shown and written again years later without today's master data: ciiXml(readCii(xml))
// gives the same document back. What the document does not hold stays empty: the seller's
// name line and its bank data but the IBAN and BIC, the structure of the buyer's person name
// (it becomes the surname), a LAND that was not an ISO code (the document holds the ISO code). Rates print with two decimals in
// the texts they come from (levy, cash discount). A document that is not such an invoice
// raises EInvoiceError.
Invoice readCii(const QByteArray &xml);

} // namespace einvoice
