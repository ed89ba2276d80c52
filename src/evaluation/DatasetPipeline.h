#pragma once

#include "report/Pipeline.h"

#include <QHash>

namespace data {
class Dataset;
}

namespace evaluation {

// A query of the data module handed to a report: either all its rows, in the query's order,
// or only the record it stands on. The pipeline reads the dataset as it is at the moment the
// report is laid out; it owns nothing, so the dataset must outlive it.
class DatasetPipeline : public report::Pipeline
{
public:
    enum class Range { AllRows, CurrentRecord };

    DatasetPipeline(const data::Dataset &dataset, Range range);

    int rowCount() const override;
    QStringList fieldNames() const override;
    QVariant value(int row, const QString &field) const override;
    bool hasField(const QString &field) const override;

    const data::Dataset &dataset() const { return m_dataset; }
    Range range() const { return m_range; }

private:
    const data::Dataset &m_dataset;
    Range m_range;
};

} // namespace evaluation
