#pragma once

#include "controls/DatasetTableModel.h"

#include <vector>

namespace entry {

// The model of the log grid: the thin dataset model with titles aligned on their own and a
// row indicator in the vertical header (current row, row being edited, new row).
class EntryGridModel : public controls::DatasetTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        controls::GridColumn grid;
        Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    EntryGridModel(data::Dataset &dataset, const std::vector<Column> &columns, QObject *parent = nullptr);

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void indicatorMoved();

    std::vector<Qt::Alignment> m_titleAlignment;
    int m_indicatorRow = -1;
};

} // namespace entry
