#include "einvoice/Invoice.h"

namespace einvoice {

QString Buyer::personName() const
{
    const QString first = firstName.trimmed();
    return first.isEmpty() ? lastName.trimmed() : first + u' ' + lastName.trimmed();
}

QString Buyer::displayName() const
{
    return company.trimmed().isEmpty() ? personName() : company.trimmed();
}

Invoice cancellationOf(Invoice original, const QString &number, const QDate &date)
{
    original.cancels = {original.number, original.invoiceDate};
    original.number = number;
    original.invoiceDate = date;
    original.terms = {};
    return original;
}

} // namespace einvoice
