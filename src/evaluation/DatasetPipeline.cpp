#include "evaluation/DatasetPipeline.h"

#include "data/Dataset.h"

namespace evaluation {

DatasetPipeline::DatasetPipeline(const data::Dataset &dataset, Range range) : m_dataset(dataset), m_range(range)
{
}

int DatasetPipeline::rowCount() const
{
    if (!m_dataset.isOpen())
        return 0;
    if (m_range == Range::AllRows)
        return m_dataset.recordCount();
    return m_dataset.recNo() >= 0 ? 1 : 0;
}

QStringList DatasetPipeline::fieldNames() const
{
    QStringList names;
    for (int i = 0; i < m_dataset.fieldCount(); ++i)
        names << m_dataset.field(i).name;
    return names;
}

QVariant DatasetPipeline::value(int row, const QString &field) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const int column = m_dataset.fieldIndex(field);
    if (column < 0)
        return {};
    return m_dataset.value(m_range == Range::CurrentRecord ? m_dataset.recNo() : row, column);
}

bool DatasetPipeline::hasField(const QString &field) const
{
    return m_dataset.fieldIndex(field) >= 0;
}

} // namespace evaluation
