#pragma once

#include <QByteArray>
#include <QString>

namespace einvoice {

// The file name proposed for an invoice's e-invoice, without extension: "Rechnung_" and the
// invoice number, each character that a file name cannot hold (/ \ : * ? " < > | and control
// characters) replaced by "_". "2024/17" gives "Rechnung_2024_17".
QString proposedFileName(const QString &invoiceNumber);

// Writes the bytes to a temporary file beside the target and renames it into place, so that a
// failure never leaves half a file and never touches an existing file of that name. Throws
// EInvoiceError with a German message naming the file.
void saveFile(const QString &path, const QByteArray &bytes);

} // namespace einvoice
