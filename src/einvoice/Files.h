#pragma once

#include <QString>

namespace einvoice {

// The file name proposed for an invoice's e-invoice, without extension: "Rechnung_" and the
// invoice number, each character that a file name cannot hold (/ \ : * ? " < > | and control
// characters) replaced by "_". "2024/17" gives "Rechnung_2024_17".
QString proposedFileName(const QString &invoiceNumber);

} // namespace einvoice
