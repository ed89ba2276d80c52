#include "report/ValueText.h"

#include <QDate>
#include <QDateTime>

namespace report {

QString valueText(const QVariant &value, const QString &format, const values::display::Separators &sep)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nein");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return format.isEmpty() ? QString::number(value.toLongLong()) : values::display::formatFloat(format, value.toDouble(), sep);
    case QMetaType::Double:
    case QMetaType::Float:
        return format.isEmpty() ? values::display::formatGeneral(value.toDouble(), sep) : values::display::formatFloat(format, value.toDouble(), sep);
    case QMetaType::QDate:
        return values::display::formatDateTime(format.isEmpty() ? QStringLiteral("dd.mm.yyyy") : format, value.toDate().startOfDay());
    case QMetaType::QDateTime:
        return values::display::formatDateTime(format.isEmpty() ? QStringLiteral("dd.mm.yyyy hh:nn") : format, value.toDateTime());
    default:
        return value.toString();
    }
}

} // namespace report
