#pragma once

#include "controls/DatasetTableModel.h"

#include <QTableView>

namespace controls {

class DialogService;

// The background of the cells a grid shows but the user does not edit.
inline const QColor readOnlyBackground{0xFF, 0xFF, 0xE1};

// A grid column; one the user does not edit has the read-only background.
GridColumn gridColumn(const QString &field, const QString &title, bool readOnly, int width,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A table view over a dataset's grid model whose current row is the dataset's current record:
// moving in the grid moves the dataset, and a move of the dataset moves the grid.
class DataGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DataGrid(DialogService &dialogs, QWidget *parent = nullptr);

    void setDatasetModel(DatasetTableModel *model);
    DatasetTableModel *datasetModel() const { return m_model; }

    // Hands the text of an open cell editor to the model and closes the editor, as leaving
    // the cell would.
    void commitPendingEdit();

    // Focuses a column in the dataset's current row.
    void focusColumn(int column);

    // Columns as the user sees them, counted over the visible ones: the model column of a
    // visible one, and the other way round (-1: none, or hidden).
    int modelColumn(int visibleIndex) const;
    int visibleIndexOf(int column) const;
    // The focused column, counted over the visible ones (-1: none).
    int focusedVisibleColumn() const;
    void focusVisibleColumn(int visibleIndex);

    // For a grid that does not scroll sideways: gives the row numbers room for up to `rows`
    // rows and returns the width that shows them and every visible column whole.
    int widthShowingAllColumns(int rows);

    // With a tab column, Tab and Shift+Tab move to the next or previous row in that column
    // (the only one the user edits), and leave the grid at its last or first row.
    void setTabColumn(int column) { m_tabColumn = column; }

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void followDataset();
    void onCurrentChanged(const QModelIndex &current, const QModelIndex &previous);

    DialogService &m_dialogs;
    DatasetTableModel *m_model = nullptr;
    bool m_following = false;
    int m_tabColumn = -1;
    QMetaObject::Connection m_onDatasetMove;
    QMetaObject::Connection m_onDatasetReset;
};

// Takes a window's grid and its model down before the datasets they show. A window declares it
// as a member after those datasets (members go in reverse order, the window's child widgets
// only after all of them), so the model never outlives its dataset.
class DataGridTeardown
{
public:
    DataGridTeardown(DataGrid *const &grid, DatasetTableModel *const &model) : m_grid(grid), m_model(model) {}
    ~DataGridTeardown()
    {
        delete m_grid;
        delete m_model;
    }
    DataGridTeardown(const DataGridTeardown &) = delete;
    DataGridTeardown &operator=(const DataGridTeardown &) = delete;

private:
    DataGrid *const &m_grid;
    DatasetTableModel *const &m_model;
};

} // namespace controls
