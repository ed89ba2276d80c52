#pragma once

#include "values/Buyer.h"
#include "values/Seller.h"

#include <QDate>
#include <QString>

#include <vector>

namespace einvoice {

// The two kinds of e-invoice Dorv writes. Both are the same Cross Industry Invoice (CII D16B);
// they differ in the rules they promise to keep.
enum class Profile {
    FacturX,   // ZUGFeRD / Factur-X, profile EN 16931: the XML inside the hybrid PDF
    XRechnung, // XRechnung 3.0, for buyers that ask for it (public buyers with a Leitweg-ID)
};

// The customer's payment terms as the invoice prints them.
struct PaymentTerms
{
    int netDays = 0;                // NETTOTAGE, the payment term ("Zahlbar 14 Tage")
    int cashDiscountDays = 0;       // SKONTOTAGE
    double cashDiscountPercent = 0; // SKONTO
};

// One printed invoice line: a quality class and diameter class of the list with its summed
// volume, the price per FM and the line amount exactly as printed (the invoice query's Summe).
struct InvoiceLine
{
    QString qualityClass;  // GUETEKLASSE
    QString diameterClass; // STAERKEKLASSE
    double volume = 0;     // VOLUMEN, FM
    double price = 0;      // PREIS per FM
    double amount = 0;     // Summe
};

// An earlier invoice this one refers to: the one a cancellation cancels.
struct InvoiceReference
{
    QString number;
    QDate date;
};

// Everything one e-invoice says; the invoice window gathers it from its queries.
struct Invoice
{
    Profile profile = Profile::FacturX;
    QString number;         // the invoice number typed in the window
    QDate invoiceDate;      // Rechnungsdatum
    QDate deliveryDate;     // Lieferdatum
    values::Seller seller;
    values::Buyer buyer;
    QString species;        // BAUMART of the list header, may be empty
    std::vector<InvoiceLine> lines;
    double vatRate = 0;     // MwSt of the company, percent
    double levyRate = 0;    // FASatz of the company, percent
    PaymentTerms terms;
    InvoiceReference cancels; // empty for an ordinary invoice

    // A cancellation is a credit note for the invoice it cancels.
    bool isCancellation() const { return !cancels.number.trimmed().isEmpty(); }
};

// The invoice that cancels `original`: a credit note with the same parties and lines (the
// amounts positive, as a credit note states them), numbered `number`, dated `date` and
// referring to the original; it has no payment term and no cash discount.
Invoice cancellationOf(Invoice original, const QString &number, const QDate &date);

} // namespace einvoice
