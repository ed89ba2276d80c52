#pragma once

#include <QString>

// The official e-invoice validator beside the repository (../shared/validators), present on
// the CI and on developer machines that have it.
namespace einvoicevalidator {

// Empty when the validator can run; otherwise why not, for the test's skip message.
QString unavailableReason();

// Runs the validator on a file (with the XRechnung rules when asked); empty when the file is
// accepted with no error, else the validator's report.
QString rejection(const QString &path, bool xrechnung);

} // namespace einvoicevalidator
