#include "export/DecimalText.h"

#include <QLocale>

namespace exporting {

QString decimalText(double value, QChar separator)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    if (separator != u'.')
        text.replace(u'.', separator);
    return text;
}

} // namespace exporting
