#include "values/Buyer.h"

namespace values {

QString Buyer::personName() const
{
    const QString first = firstName.trimmed();
    return first.isEmpty() ? lastName.trimmed() : first + u' ' + lastName.trimmed();
}

QString Buyer::displayName() const
{
    return company.trimmed().isEmpty() ? personName() : company.trimmed();
}

} // namespace values
