#pragma once

#include <QString>

namespace values {

// The seller: the company record (table Firma) as typed in the company window, with its
// e-invoice master data. The invoice, the e-invoice and the exports all take it from here.
struct Seller
{
    QString company;        // Firma
    QString name1;          // Name1, the name used when the company name is empty
    QString street;         // Strasse
    QString postcode;       // Plz
    QString city;           // Ort
    QString country = QStringLiteral("DE"); // Land, an ISO 3166 code (older data: "D")
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
    QString displayName() const { return company.trimmed().isEmpty() ? name1.trimmed() : company.trimmed(); }
};

} // namespace values
