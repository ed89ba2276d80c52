#include "invoicing/PreisGrid.h"

#include <QAbstractItemModel>

namespace invoicing {

QModelIndex PreisGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (m_first < 0 || !model() || (cursorAction != MoveNext && cursorAction != MovePrevious))
        return controls::DataGrid::moveCursor(cursorAction, modifiers);
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->rowCount() > 0 ? model()->index(0, m_first) : current;
    int row = current.row();
    int column = current.column();
    if (cursorAction == MoveNext) {
        if (column == m_first) {
            column = m_second;
        } else {
            column = m_first;
            ++row;
        }
    } else {
        if (column == m_second) {
            column = m_first;
        } else {
            column = m_second;
            --row;
        }
    }
    if (row < 0 || row >= model()->rowCount())
        return current; // no move: the focus leaves the grid
    return model()->index(row, column);
}

} // namespace invoicing
