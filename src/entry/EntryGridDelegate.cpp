#include "entry/EntryGridDelegate.h"

#include "entry/EntryGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace entry {

EntryGridDelegate::EntryGridDelegate(EntryGrid &grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

void EntryGridDelegate::setPickList(int column, const QStringList &items, int maxLength)
{
    m_pickColumn = column;
    m_pickItems = items;
    m_pickMaxLength = maxLength;
}

QWidget *EntryGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != m_pickColumn)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(m_pickItems);
    combo->setMaxVisibleItems(int(m_pickItems.size()));
    combo->setFrame(false);
    combo->lineEdit()->setMaxLength(m_pickMaxLength);
    // What is typed is stored as typed: nothing completes "Cg" to "Cgw".
    combo->setCompleter(nullptr);
    // The line edit gets the keys; the grid must see Enter and Tab before it does.
    combo->lineEdit()->installEventFilter(const_cast<EntryGridDelegate *>(this));
    return combo;
}

void EntryGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setEditText(index.data(Qt::EditRole).toString());
        // What is typed replaces the class shown, as in the other cells.
        combo->lineEdit()->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void EntryGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

QWidget *EntryGridDelegate::editorOf(QObject *object) const
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (auto *combo = qobject_cast<QComboBox *>(widget->parentWidget()); combo && combo->lineEdit() == widget)
        return combo;
    return widget;
}

bool EntryGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    QWidget *editor = editorOf(object);
    const bool isInnerLineEdit = editor && editor != object;
    if (editor && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *combo = qobject_cast<QComboBox *>(editor);
        const bool popupOpen = combo && combo->view() && combo->view()->isVisible();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!popupOpen && plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            m_grid.editorEnter(editor);
            return true;
        }
        if (!popupOpen && plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            m_grid.editorTab(editor, key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        // Up, Down and the page keys leave the row as in every other column; they never step
        // through the pick list, which opens only with Alt+Down or a click on its arrow.
        const bool rowKey = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_PageUp
                            || key->key() == Qt::Key_PageDown;
        if (combo && !popupOpen && plain && rowKey) {
            QCoreApplication::sendEvent(&m_grid, key);
            return true;
        }
    }
    // Nor does the mouse wheel choose a class.
    if (event->type() == QEvent::Wheel && qobject_cast<QComboBox *>(editor)) {
        event->accept();
        return true;
    }
    if (isInnerLineEdit)
        return false;
    if (editor && event->type() == QEvent::FocusOut) {
        // A message box or another program took the focus: the user comes back to the text.
        const QWidget *now = QApplication::focusWidget();
        if (!now || now->window() != editor->window())
            return false;
        // The grid takes the focus just before it moves the cursor; the move writes the text.
        if (now == &m_grid)
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace entry
