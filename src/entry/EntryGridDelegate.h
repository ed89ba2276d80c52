#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace entry {

class EntryGrid;

// The in-place editors of the log grid: a line edit, or for the column with a pick list an
// editable drop-down. Enter and Tab are handed to the grid, which writes the typed text at
// once; losing the focus to another window (a message box) keeps the editor open.
class EntryGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit EntryGridDelegate(EntryGrid &grid);

    // The column with the drop-down, its choices and the longest input it takes.
    void setPickList(int column, const QStringList &items, int maxLength);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    QWidget *editorOf(QObject *object) const;

    EntryGrid &m_grid;
    int m_pickColumn = -1;
    QStringList m_pickItems;
    int m_pickMaxLength = 0;
};

} // namespace entry
