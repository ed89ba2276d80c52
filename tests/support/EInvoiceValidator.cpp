#include "support/EInvoiceValidator.h"
#include "support/SharedValidator.h"

#include <QFileInfo>
#include <QStringList>

namespace einvoicevalidator {

namespace {

const QString validator = sharedvalidator::path(QStringLiteral("validate-einvoice"));

} // namespace

QString unavailableReason()
{
    if (QFileInfo(validator).isExecutable())
        return {};
    return QStringLiteral("No validators at %1: the e-invoices were not checked against the official rules").arg(validator);
}

QString rejection(const QString &path, bool xrechnung)
{
    return sharedvalidator::rejection(validator, xrechnung ? QStringList{QStringLiteral("--xrechnung"), path} : QStringList{path});
}

} // namespace einvoicevalidator
