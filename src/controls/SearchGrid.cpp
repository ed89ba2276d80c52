#include "controls/SearchGrid.h"

#include "controls/DatasetTableModel.h"
#include "data/Dataset.h"

#include <QHeaderView>

namespace controls {

SearchGrid::SearchGrid(DialogService &dialogs, QWidget *parent) : DataGrid(dialogs, parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->hide();
}

void SearchGrid::setDataset(data::Dataset &dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = &dataset;
    m_fields.clear();
    connect(m_dataset, &data::Dataset::reset, this, &SearchGrid::rebuildColumns);
    rebuildColumns();
}

void SearchGrid::rebuildColumns()
{
    if (!m_dataset)
        return;
    QStringList fields;
    for (int i = 0; i < m_dataset->fieldCount(); ++i)
        fields << m_dataset->field(i).name;
    // A closed dataset keeps the columns of its last opening.
    if (m_ownModel && &m_ownModel->dataset() == m_dataset.data() && (!m_dataset->isOpen() || fields == m_fields))
        return;
    m_fields = fields;
    std::vector<GridColumn> columns;
    for (const QString &name : fields) {
        GridColumn c;
        c.field = name;
        c.title = name;
        c.width = 100;
        c.readOnly = true;
        columns.push_back(c);
    }
    DatasetTableModel *old = m_ownModel;
    m_ownModel = new DatasetTableModel(*m_dataset, std::move(columns), this);
    m_ownModel->setReadOnly(true);
    setDatasetModel(m_ownModel);
    for (int i = 0; i < int(m_fields.size()); ++i)
        setColumnWidth(i, 100);
    delete old;
}

} // namespace controls
