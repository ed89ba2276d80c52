#pragma once

#include <QString>

namespace values {

// The IBAN as it is written out: blanks removed, letters upper-case.
QString compactIban(const QString &iban);

// The one rule for an IBAN, wherever one is typed or written: a country code of two letters,
// two check digits, up to 30 letters or digits, and the check sum modulo 97 is 1. Blanks and
// either case are allowed as typed.
bool ibanIsValid(const QString &iban);

} // namespace values
