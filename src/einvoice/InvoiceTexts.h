#pragma once

#include "einvoice/Invoice.h"
#include "einvoice/Totals.h"

#include <QString>

namespace einvoice {

// The German texts an e-invoice carries, worded as the printed invoice words them. Numbers in
// them use German separators ("2,00 %"), as on paper.

// The item of an invoice line: "Fichte Stammholz GK B, Stärkeklasse 2a", without the species
// when the list has none.
QString lineName(const QString &species, const InvoiceLine &line);

// The payment terms, one per line: "Zahlbar 14 Tage" and "Bei Zahlung innerhalb 10 Tagen -
// 2,00 % Skonto" where the customer has them. An XRechnung adds the cash discount in the
// structured form its rules demand, "#SKONTO#TAGE=10#PROZENT=2.00#" and a line break.
QString paymentTermsText(const PaymentTerms &terms, Profile profile);

// "Vom Nettobetrag sind 0,20 % FA = 1,00  EUR abzuziehen und vom Dorvkäufer abzuführen".
QString levySentence(double levyRate, Cents levy);

} // namespace einvoice
