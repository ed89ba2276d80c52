#pragma once

#include "controls/DataGrid.h"

#include <QPointer>
#include <QStringList>

namespace data {
class Dataset;
}

namespace controls {

// A read-only grid of search results: one column per field of the dataset, in their order,
// titled with the field names, rebuilt whenever an opening brings other fields; whole rows are
// selected.
class SearchGrid : public DataGrid
{
    Q_OBJECT

public:
    explicit SearchGrid(DialogService &dialogs, QWidget *parent = nullptr);

    void setDataset(data::Dataset &dataset);

private:
    void rebuildColumns();

    QPointer<data::Dataset> m_dataset;
    QStringList m_fields;
    DatasetTableModel *m_ownModel = nullptr;
};

} // namespace controls
