#pragma once

#include <QPointer>
#include <QTableView>

#include <functional>

namespace entry {

// The log grid's view. It tells its window about what the user does in it (moves of the
// cursor made by the grid itself, Enter, Ctrl+Del, Down past the last row, clicks) and lets
// the window place the cursor without being told about it. Typed text is written into the
// field before any of the window's handlers run; a text the field refuses keeps its editor
// open, and the cursor stays on that cell.
class EntryGrid : public QTableView
{
    Q_OBJECT

public:
    struct Hooks
    {
        // The grid moved the cursor on a key or a click: from one cell to another.
        std::function<void(const QModelIndex &from, const QModelIndex &to)> cursorMoved;
        std::function<void()> enterKey;
        std::function<void()> deleteKey;        // Ctrl+Del
        std::function<void()> downPastLastRow;  // Down on the last row
        std::function<void()> escapeKey;        // Esc without an open editor
        std::function<void(int column)> cellClicked;
        std::function<void()> textRefused;      // a typed text was refused; its editor stays open
    };
    Hooks hooks;

    explicit EntryGrid(QWidget *parent = nullptr);

    // Places the cursor without calling the hooks.
    void placeCursor(int row, int column);
    // The model could not take the text being written (called from the model's error path).
    void refuseCommit() { m_commitRefused = true; }
    bool editorOpen() const { return state() == QAbstractItemView::EditingState; }
    // Writes the open editor's text into the field and closes it; false when the field
    // refused the text (the editor then stays open).
    bool finishEditing();
    // Closes an open editor without writing its text.
    void dropEditor();

    // From the delegate.
    void editorEnter(QWidget *editor);
    void editorTab(QWidget *editor, bool forward);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QWidget *openEditor() const;
    bool writeEditor(QWidget *editor);

    int m_userInput = 0;   // inside the processing of a key or mouse press
    int m_quiet = 0;       // inside placeCursor or a hook: moves are not reported
    bool m_commitRefused = false;
    bool m_keepEditor = false;    // the last commit was refused: the next close keeps the editor
    bool m_moveRefused = false;   // a move of the cursor wrote a refused text
    int m_inCurrentChanged = 0;
    QPointer<QWidget> m_refusedEditor;
};

} // namespace entry
