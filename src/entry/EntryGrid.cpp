#include "entry/EntryGrid.h"

#include "entry/EntryGridDelegate.h"

#include <QHeaderView>
#include <QPointer>
#include <QKeyEvent>

namespace entry {

namespace {

class Counter
{
public:
    explicit Counter(int &slot) : m_slot(slot) { ++m_slot; }
    ~Counter() { --m_slot; }
    Counter(const Counter &) = delete;
    Counter &operator=(const Counter &) = delete;

private:
    int &m_slot;
};

} // namespace

EntryGrid::EntryGrid(QWidget *parent) : QTableView(parent)
{
    setItemDelegate(new EntryGridDelegate(*this));
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    // Every row is one line high: opening a long list asks no row for its size.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (hooks.cellClicked && index.isValid())
            hooks.cellClicked(index.column());
    });
}

void EntryGrid::placeCursor(int row, int column)
{
    if (!model())
        return;
    Counter quiet(m_quiet);
    const QModelIndex index = model()->index(row, column);
    if (index.isValid())
        setCurrentIndex(index);
}

QWidget *EntryGrid::openEditor() const
{
    if (!editorOpen())
        return nullptr;
    return indexWidget(currentIndex()) ? indexWidget(currentIndex()) : focusWidget();
}

bool EntryGrid::writeEditor(QWidget *editor)
{
    commitData(editor);
    if (m_keepEditor) {
        m_keepEditor = false;
        if (hooks.textRefused)
            hooks.textRefused();
        return false;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

bool EntryGrid::finishEditing()
{
    if (!editorOpen())
        return true;
    // The editor of the current cell is the view's focus child while it is open.
    QWidget *editor = nullptr;
    for (QWidget *w = focusWidget(); w; w = w->parentWidget()) {
        if (w->parentWidget() == viewport()) {
            editor = w;
            break;
        }
    }
    if (!editor) {
        const auto children = viewport()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget *w : children)
            if (w->isVisible())
                editor = w;
    }
    if (!editor)
        return true;
    return writeEditor(editor);
}

void EntryGrid::dropEditor()
{
    if (!editorOpen())
        return;
    const auto children = viewport()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *w : children)
        if (w->isVisible())
            QTableView::closeEditor(w, QAbstractItemDelegate::RevertModelCache);
}

void EntryGrid::editorEnter(QWidget *editor)
{
    if (!writeEditor(editor))
        return;
    if (hooks.enterKey)
        hooks.enterKey();
}

void EntryGrid::editorTab(QWidget *editor, bool forward)
{
    if (!writeEditor(editor))
        return;
    // The grid does not move between cells with Tab: it hands the focus on.
    focusNextPrevChild(forward);
}

void EntryGrid::commitData(QWidget *editor)
{
    m_commitRefused = false;
    QTableView::commitData(editor);
    m_keepEditor = m_commitRefused;
    m_commitRefused = false;
}

void EntryGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (m_keepEditor && hint != QAbstractItemDelegate::RevertModelCache) {
        // The field refused the text: it stays in its editor for correction.
        m_keepEditor = false;
        m_refusedEditor = editor;
        if (m_inCurrentChanged)
            m_moveRefused = true;
        else if (hooks.textRefused)
            hooks.textRefused();
        return;
    }
    m_keepEditor = false;
    QTableView::closeEditor(editor, hint);
}

void EntryGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    {
        Counter inside(m_inCurrentChanged);
        QTableView::currentChanged(current, previous);
    }
    if (m_moveRefused) {
        // The move wrote a text the field refused: the cursor goes back to it.
        m_moveRefused = false;
        Counter quiet(m_quiet);
        if (previous.isValid())
            setCurrentIndex(previous);
        if (m_refusedEditor)
            m_refusedEditor->setFocus(Qt::OtherFocusReason);
        if (hooks.textRefused)
            hooks.textRefused();
        return;
    }
    if (m_quiet || !m_userInput || current == previous)
        return;
    Counter quiet(m_quiet);
    if (hooks.cursorMoved)
        hooks.cursorMoved(previous, current);
}

void EntryGrid::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        event->accept();
        if (!finishEditing())
            return;
        if (hooks.enterKey)
            hooks.enterKey();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        event->accept();
        if (hooks.deleteKey)
            hooks.deleteKey();
        return;
    }
    if (event->key() == Qt::Key_Escape && !editorOpen()) {
        // Esc belongs to the grid; it does not close the window.
        event->accept();
        if (hooks.escapeKey)
            hooks.escapeKey();
        return;
    }
    const int rowBefore = currentIndex().row();
    {
        Counter input(m_userInput);
        QTableView::keyPressEvent(event);
    }
    if (event->key() == Qt::Key_Down && plain && model() && rowBefore == model()->rowCount() - 1
        && currentIndex().row() == rowBefore && hooks.downPastLastRow) {
        if (!finishEditing())
            return;
        hooks.downPastLastRow();
    }
}

void EntryGrid::mousePressEvent(QMouseEvent *event)
{
    Counter input(m_userInput);
    QTableView::mousePressEvent(event);
}

void EntryGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    Counter input(m_userInput);
    QTableView::mouseDoubleClickEvent(event);
}

} // namespace entry
