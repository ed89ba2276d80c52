#pragma once

#include <QString>

namespace einvoice {

// The IBAN as it goes into an e-invoice: blanks removed, letters upper-case.
QString compactIban(const QString &iban);

// Whether a typed IBAN (blanks allowed, either case) is well formed: a country code of two
// letters, two check digits, up to 30 letters or digits, and the check sum modulo 97 is 1.
bool ibanIsValid(const QString &iban);

} // namespace einvoice
