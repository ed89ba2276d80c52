#include "values/Iban.h"

namespace values {

QString compactIban(const QString &iban)
{
    QString compact;
    compact.reserve(iban.size());
    for (const QChar c : iban) {
        if (!c.isSpace())
            compact.append(c.toUpper());
    }
    return compact;
}

bool ibanIsValid(const QString &iban)
{
    const QString s = compactIban(iban);
    if (s.size() < 5 || s.size() > 34)
        return false;
    const auto isAsciiLetter = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    const auto isAsciiDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (!isAsciiLetter(s[0]) || !isAsciiLetter(s[1]) || !isAsciiDigit(s[2]) || !isAsciiDigit(s[3]))
        return false;
    // The country code and check digits move to the end; letters count as 10 (A) to 35 (Z).
    const QString rearranged = s.mid(4) + s.left(4);
    int remainder = 0;
    for (const QChar c : rearranged) {
        if (isAsciiDigit(c))
            remainder = (remainder * 10 + (c.unicode() - u'0')) % 97;
        else if (isAsciiLetter(c))
            remainder = (remainder * 100 + (c.unicode() - u'A' + 10)) % 97;
        else
            return false;
    }
    return remainder == 1;
}

} // namespace values
