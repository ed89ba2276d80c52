#include "controls/DataGrid.h"

#include "controls/DatasetTableModel.h"
#include "controls/ErrorGuard.h"

#include <QHeaderView>

namespace controls {

GridColumn gridColumn(const QString &field, const QString &title, bool readOnly, int width, Qt::Alignment alignment)
{
    GridColumn c;
    c.field = field;
    c.title = title;
    c.width = width;
    c.alignment = alignment;
    c.readOnly = readOnly;
    if (readOnly)
        c.background = readOnlyBackground;
    return c;
}

DataGrid::DataGrid(DialogService &dialogs, QWidget *parent) : QTableView(parent), m_dialogs(dialogs) {}

void DataGrid::setDatasetModel(DatasetTableModel *model)
{
    disconnect(m_onDatasetMove);
    disconnect(m_onDatasetReset);
    QItemSelectionModel *oldSelection = selectionModel();
    m_model = model;
    setModel(model);
    if (oldSelection != selectionModel())
        delete oldSelection;
    if (!model)
        return;
    if (!model->onError)
        model->onError = [this](const std::exception &e) { m_dialogs.error(errorText(e)); };
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DataGrid::onCurrentChanged);
    // Connected after the model, which has handled the same signal when these run.
    m_onDatasetMove = connect(&model->dataset(), &data::Dataset::currentChanged, this, &DataGrid::followDataset);
    m_onDatasetReset = connect(&model->dataset(), &data::Dataset::reset, this, &DataGrid::followDataset);
    followDataset();
}

void DataGrid::followDataset()
{
    if (!m_model || m_following)
        return;
    const int row = m_model->dataset().isOpen() ? m_model->dataset().recNo() : -1;
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (currentIndex().row() == row)
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}

void DataGrid::onCurrentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_following || !m_model || !current.isValid() || current.row() == previous.row())
        return;
    data::Dataset &ds = m_model->dataset();
    if (!ds.isOpen() || ds.recNo() == current.row())
        return;
    m_following = true;
    const bool moved = guarded(m_dialogs, [&] { ds.moveTo(current.row()); });
    m_following = false;
    if (!moved)
        followDataset(); // the row that could not be left stays current
}

void DataGrid::commitPendingEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DataGrid::focusColumn(int column)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (m_model->dataset().isOpen() && m_model->dataset().recNo() >= 0)
        row = m_model->dataset().recNo();
    setCurrentIndex(m_model->index(row, column));
}

int DataGrid::modelColumn(int visibleIndex) const
{
    if (!model())
        return -1;
    int seen = -1;
    for (int c = 0; c < model()->columnCount(); ++c) {
        if (!isColumnHidden(c) && ++seen == visibleIndex)
            return c;
    }
    return -1;
}

int DataGrid::visibleIndexOf(int column) const
{
    if (column < 0 || isColumnHidden(column))
        return -1;
    int visible = 0;
    for (int c = 0; c < column; ++c)
        if (!isColumnHidden(c))
            ++visible;
    return visible;
}

int DataGrid::focusedVisibleColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? visibleIndexOf(current.column()) : -1;
}

void DataGrid::focusVisibleColumn(int visibleIndex)
{
    focusColumn(modelColumn(visibleIndex));
}

QModelIndex DataGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (m_tabColumn < 0 || !m_model || (cursorAction != MoveNext && cursorAction != MovePrevious))
        return QTableView::moveCursor(cursorAction, modifiers);
    const QModelIndex current = currentIndex();
    const int row = (current.isValid() ? current.row() : -1) + (cursorAction == MoveNext ? 1 : -1);
    if (row < 0 || row >= m_model->rowCount())
        return current; // no move: the focus leaves the grid
    return m_model->index(row, m_tabColumn);
}

int DataGrid::widthShowingAllColumns(int rows)
{
    QHeaderView *rowNumbers = verticalHeader();
    rowNumbers->setFixedWidth(rowNumbers->fontMetrics().horizontalAdvance(QString::number(rows)) + 12);
    int width = rowNumbers->width() + 2 * frameWidth();
    for (int c = 0; c < horizontalHeader()->count(); ++c)
        if (!isColumnHidden(c))
            width += columnWidth(c);
    return width;
}

} // namespace controls
