#include "report/RunState.h"

namespace report {

void RunningSum::add(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
        m_sum.add(qint64(value.toLongLong()));
        break;
    default:
        m_sum.add(value.toDouble());
        break;
    }
}

QVariant RunningSum::value() const
{
    qint64 integer = 0;
    if (m_sum.onlyIntegers() && m_sum.toInteger(integer))
        return integer;
    return m_sum.toDouble();
}

} // namespace report
