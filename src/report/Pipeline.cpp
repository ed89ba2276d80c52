#include "report/Pipeline.h"

#include "report/ReportError.h"

namespace report {

bool Pipeline::hasField(const QString &field) const
{
    return fieldNames().contains(field, Qt::CaseInsensitive);
}

TablePipeline::TablePipeline(const QStringList &fields)
{
    setFields(fields);
}

void TablePipeline::setFields(const QStringList &fields)
{
    m_fields = fields;
    m_index.clear();
    m_rows.clear();
    for (int i = 0; i < fields.size(); ++i)
        m_index.insert(fields[i].toLower(), i);
}

void TablePipeline::addRow(const QVariantList &values)
{
    if (values.size() != m_fields.size())
        throw ReportError(QStringLiteral("A row of %1 values does not fit %2 fields").arg(values.size()).arg(m_fields.size()));
    m_rows.push_back(values);
}

QVariant TablePipeline::value(int row, const QString &field) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const auto it = m_index.constFind(field.toLower());
    return it == m_index.constEnd() ? QVariant() : m_rows[static_cast<size_t>(row)].at(*it);
}

bool TablePipeline::hasField(const QString &field) const
{
    return m_index.contains(field.toLower());
}

} // namespace report
