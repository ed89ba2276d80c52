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
        m_integer += value.toLongLong();
        break;
    default:
        m_isFloat = true;
        m_float += value.toDouble();
        break;
    }
}

QVariant RunningSum::value() const
{
    if (m_isFloat)
        return m_float + static_cast<double>(m_integer);
    return m_integer;
}

} // namespace report
