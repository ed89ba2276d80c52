#pragma once

#include <QTableView>

class DatasetTableModel;
class DialogService;

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
