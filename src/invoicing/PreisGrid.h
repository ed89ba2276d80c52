#pragma once

#include "controls/DataGrid.h"

namespace invoicing {

// The price grid of the invoice: Tab and Shift+Tab move only between the two columns the user
// edits (the price and its percentage), row by row, and leave the grid after the last row or
// before the first.
class PreisGrid : public controls::DataGrid
{
    Q_OBJECT

public:
    using controls::DataGrid::DataGrid;

    void setEditColumns(int first, int second)
    {
        m_first = first;
        m_second = second;
    }

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    int m_first = -1;
    int m_second = -1;
};

} // namespace invoicing
