#pragma once

#include "einvoice/Invoice.h"
#include "einvoice/Totals.h"
#include "values/Cents.h"
#include "values/ListHeader.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace invoiceregister {

// How an invoice left the program.
enum class Kind {
    Print,        // "Druck": printed
    Zugferd,      // "ZUGFeRD": saved as ZUGFeRD PDF
    XRechnung,    // "XRechnung": saved as XRechnung
    Cancellation, // "Storno": an invoice cancelled in the register
};

// The word the register shows and stores for a kind.
QString kindText(Kind kind);
// The kind of a stored word; an unknown word is taken as a print.
Kind kindOf(const QString &text);

// What the page printed of the seller and the e-invoice document does not hold: the name line
// below the company name and the bank's name and old account.
struct PrintedSeller
{
    QString name;          // Name1
    QString bank;          // Bank
    QString bankCode;      // BLZ
    QString accountNumber; // KTO
};
PrintedSeller printedSellerOf(const values::Seller &seller);
// Puts them back into a seller read from the document.
void restore(values::Seller &seller, const PrintedSeller &printed);

// One row of the register: an issued invoice (or a copy or a cancellation of one), without
// its e-invoice document, which is read only when it is needed.
struct Entry
{
    qint64 id = 0; // in the order of issue
    QString number;
    QDate invoiceDate;
    QDate deliveryDate;
    QString customerNumber;
    QString customerName;
    QString listName;
    values::Cents net = 0;
    double vatRate = 0;
    values::Cents vat = 0;
    values::Cents gross = 0;
    einvoice::PaymentTerms terms;
    Kind kind = Kind::Print;
    bool copy = false; // the same invoice issued again; it counts once
    QDateTime issuedAt;
    values::ListHeader header; // the part the invoice printed: department, species, assortment, peeled, skidded
    PrintedSeller seller;

    // "Druck", "ZUGFeRD (Kopie)", "Storno".
    QString kindLabel() const;
};

// An invoice about to be issued, with everything the register keeps of it.
struct Issue
{
    einvoice::Invoice invoice;
    Kind kind = Kind::Print;
    QString customerNumber;
    QString listName;
    values::ListHeader header;

    // The profile its kind asks for: XRechnung for an XRechnung, else ZUGFeRD (a print keeps
    // the ZUGFeRD document).
    einvoice::Profile profile() const;
    // The e-invoice document of this invoice in that profile: what is written to the file and
    // stored in the register. It is built once per issue and the same bytes handed to both
    // (InvoiceRegister::issue with the document).
    QByteArray xml() const;
};

} // namespace invoiceregister
