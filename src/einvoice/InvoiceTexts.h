#pragma once

#include "einvoice/Invoice.h"
#include "einvoice/Totals.h"

#include <QString>

#include <vector>

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

// "Vom Nettobetrag sind 0,20 % FA = 1,00  EUR abzuziehen und vom Holzkäufer abzuführen";
// empty at a levy rate of 0.
QString levySentence(double levyRate, values::Cents levy);

// The note of a seller taxed at the flat rate for farming and forestry.
inline const QString AverageRateNote = QStringLiteral("Durchschnittssatz nach § 24 UStG");

// The VAT line of the totals: "+ 19,00 % MwSt", or "+ 5,50 % Durchschnittssatz nach § 24 UStG"
// for a seller at the flat rate.
QString vatText(double vatRate, bool averageRate);

// An IBAN in groups of four: "DE89 3704 0044 0532 0130 00".
QString groupedIban(const QString &iban);

// The bank line of the page: "<Bank> IBAN <IBAN in groups of four> BIC <BIC>" when there is
// an IBAN, else for old data "<Bank> (BLZ <BLZ>) Kto. <Kto>" when there is an account number,
// else empty.
QString bankLine(const values::Seller &seller);

// The seller's tax numbers: "Steuer-Nr 12/345/67890", with "   USt-IdNr. DE123456789" when
// the company has one.
QString taxNumbersLine(const values::Seller &seller);

// The title of the page: "R E C H N U N G", or "S T O R N O R E C H N U N G".
QString pageTitle(const Invoice &invoice);

// The line above the list header: "Sie kauften von uns folgendes Stammholz:", or for a
// cancellation "Storno zur Rechnung Nr. <nr> vom <TT.MM.JJJJ>".
QString introLine(const Invoice &invoice);

// One line of the details beside the invoice number.
struct Detail
{
    QString label;
    QString value;
};
// "Rechnungsdatum:", "Lieferdatum:", and where set "Ihre Referenz:", "Unsere Lieferanten-Nr.:"
// and "Ihre USt-IdNr.:", without gaps.
std::vector<Detail> pageDetails(const Invoice &invoice);

} // namespace einvoice
