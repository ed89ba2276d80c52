#pragma once

#include "report/Pipeline.h"

namespace data {
class Dataset;
}

namespace report {

// A dataset of the program as a pipeline: all its rows in their order, or only the row it
// stands on (none when it is closed or empty). The dataset is not owned and must outlive the
// print; master links are the datasets' own business.
class DatasetPipeline : public Pipeline
{
public:
    enum class Range { AllRows, CurrentRecord };

    explicit DatasetPipeline(const data::Dataset &dataset, Range range = Range::AllRows);

    int rowCount() const override;
    QStringList fieldNames() const override;
    QVariant value(int row, const QString &field) const override;
    bool hasField(const QString &field) const override;

private:
    const data::Dataset &m_dataset;
    Range m_range;
};

} // namespace report
