#pragma once

#include "data/Dataset.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <functional>
#include <vector>

namespace controls {

struct GridColumn
{
    QString field;
    QString title;
    int width = 64;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool readOnly = false;
    QColor background;    // invalid: the view's own
    QStringList pickList; // drop-down choices of the cell editor
};

// The thin model of a data grid: rows are the dataset's rows, columns are the chosen fields.
// Edits go to the dataset as typed text (it converts them); the dataset's changes come back
// as the model's signals.
class DatasetTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    DatasetTableModel(data::Dataset &dataset, std::vector<GridColumn> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    data::Dataset &dataset() const { return m_dataset; }
    const GridColumn &column(int index) const { return m_columns.at(index); }
    int columnOfField(const QString &field) const;
    void setReadOnly(bool readOnly);

    // Called with an error that setData could not pass on (a text that does not convert).
    std::function<void(const std::exception &)> onError;

private:
    int fieldIndex(int column) const;

    data::Dataset &m_dataset;
    std::vector<GridColumn> m_columns;
    bool m_readOnly = false;
};

} // namespace controls
