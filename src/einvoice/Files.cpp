#include "einvoice/Files.h"

namespace einvoice {

QString proposedFileName(const QString &invoiceNumber)
{
    static const QString unsafe = QStringLiteral("/\\:*?\"<>|");
    QString name = invoiceNumber.trimmed();
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || unsafe.contains(c))
            c = u'_';
    }
    return QStringLiteral("Rechnung_") + name;
}

} // namespace einvoice
