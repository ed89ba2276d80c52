#pragma once

// Invoices as the invoice window would gather them, and a reader for what the generator wrote.
#include "einvoice/Invoice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace samples {

// The line amount as the invoice query computes it: volume × price in cents, plus a half,
// cut to an integer.
double lineAmount(double volume, double price);

// A seller and a buyer with every field an XRechnung needs.
values::Seller seller();
values::Buyer buyer();

// 10 FM of B 2a at 50,00, 16 % VAT, 2 % cash discount within 10 days, 14 days net, levy 0,20 %.
einvoice::Invoice example(einvoice::Profile profile);

// 30 lines of odd volumes and prices over all quality and diameter classes, 0 % VAT: a small
// business that states its exemption, identified by its supplier number and tax number only.
einvoice::Invoice thirtyLinesWithoutVat(einvoice::Profile profile);

// The texts of every element whose path of local names ends with `path` ("GrandTotalAmount",
// "SellerTradeParty/Name"), in document order; "@attr" at the end reads an attribute.
QStringList valuesAt(const QByteArray &xml, const QString &path);
QString value(const QByteArray &xml, const QString &path); // the first, or "<none>"

} // namespace samples
