#pragma once

#include <QString>

namespace values {

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

} // namespace values
