#include "invoiceregister/InvoiceNumber.h"

namespace invoiceregister {

QString nextInvoiceNumber(const QString &number)
{
    const QString trimmed = number.trimmed();
    qsizetype start = trimmed.size();
    while (start > 0 && trimmed[start - 1] >= u'0' && trimmed[start - 1] <= u'9')
        --start;
    if (start == trimmed.size())
        return {};
    // Counted as text, so that no run of digits is too long to count.
    QString digits = trimmed.mid(start);
    qsizetype i = digits.size() - 1;
    while (i >= 0 && digits[i] == u'9')
        digits[i--] = u'0';
    if (i < 0)
        digits.prepend(u'1');
    else
        digits[i] = QChar(digits[i].unicode() + 1);
    return trimmed.left(start) + digits;
}

QString cancellationNumber(const QString &number)
{
    return number + QStringLiteral("-S");
}

} // namespace invoiceregister
