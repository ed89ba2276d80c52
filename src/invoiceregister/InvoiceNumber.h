#pragma once

#include <QString>

namespace invoiceregister {

// The number after an invoice number: its trailing digits counted up by one, the prefix and
// the width kept ("R-2026-0041" gives "R-2026-0042", "R-0099" "R-0100", "99" "100"). A
// number without trailing digits has no next one: the result is empty.
QString nextInvoiceNumber(const QString &number);

// The number of the cancellation of an invoice: "R-2026-0041" gives "R-2026-0041-S".
QString cancellationNumber(const QString &number);

} // namespace invoiceregister
