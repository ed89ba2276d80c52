#pragma once

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

// The seller: the company record (table Firma) with its e-invoice master data.
struct Seller
{
    QString company;        // Firma
    QString name;           // Name1, the name used when the company name is empty
    QString street;         // Strasse
    QString postcode;       // Plz
    QString city;           // Ort
    QString country = QStringLiteral("DE"); // Land, an ISO 3166 code
    QString phone;          // Telefon
    QString email;          // EMail, also the seller's electronic address
    QString contactPerson;  // Ansprechpartner
    QString taxNumber;      // SteuerNr (German tax number)
    QString vatId;          // USt-IdNr
    QString iban;           // IBAN
    QString bic;            // BIC
    QString vatExemption;   // Steuerbefreiung, the reason stated when the VAT rate is 0
    bool averageRate = false; // Durchschnittssatz: the VAT rate is the flat rate of § 24 UStG
    QString salesTerms;     // Verkaufsbedingungen, the terms printed below the totals
    // Printed only; the e-invoice document has no place for them.
    QString bank;           // Bank, the bank's name
    QString bankCode;       // BLZ, the old bank code
    QString accountNumber;  // KTO, the old account number

    // The name on the invoice: the company name, or Name1 when that is empty.
    QString displayName() const { return company.trimmed().isEmpty() ? name.trimmed() : company.trimmed(); }
};

// The buyer: the customer record (table Kunden) as the invoice window shows it.
struct Buyer
{
    QString company;        // FIRMA
    QString firstName;      // VORNAME
    QString lastName;       // NAME
    QString street;         // STRASSE
    QString country;        // LAND as stored: "DE", a legacy "D", or empty for the seller's country
    QString postcode;       // PLZ
    QString city;           // ORT
    QString email;          // E-Mail, also the buyer's electronic address
    QString vatId;          // USt-IdNr
    QString buyerReference; // Käuferreferenz (Leitweg-ID of a public buyer)
    QString supplierNumber; // Lieferanten-Nr: the seller's number at this customer

    // "Vorname Name", or the surname alone.
    QString personName() const;
    // The name on the invoice: the company, or the person when the company is empty.
    QString displayName() const;
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
    Seller seller;
    Buyer buyer;
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
