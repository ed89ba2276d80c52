#pragma once

#include <QHBoxLayout>
#include <QPushButton>

#include <initializer_list>

namespace controls {

// A button of a window, named for its tests. A plain `button` never takes Enter pressed
// elsewhere in the window; the `defaultButton` is the one Enter presses.
QPushButton *button(const char *utf8Text, const char *objectName, QWidget *window);
QPushButton *defaultButton(const char *utf8Text, const char *objectName, QWidget *window);

// A plain button whose click runs the window's handler.
template <class Window>
QPushButton *button(const char *utf8Text, const char *objectName, Window *window, void (Window::*onClick)())
{
    QPushButton *b = button(utf8Text, objectName, window);
    QObject::connect(b, &QPushButton::clicked, window, onClick);
    return b;
}

// A row of buttons: `left` at the left edge, `right` at the right edge.
QHBoxLayout *buttonRow(std::initializer_list<QWidget *> left, std::initializer_list<QWidget *> right);
// A row of buttons at the right edge.
QHBoxLayout *buttonRow(std::initializer_list<QWidget *> right);

// The row that ends a dialog at the right edge: the button that confirms (the default button)
// and "&Abbruch" (objectName "btnAbbruch").
struct ConfirmRow
{
    QPushButton *confirm;
    QPushButton *cancel;
    QHBoxLayout *row;
};
ConfirmRow confirmRow(const char *utf8Text, const char *objectName, QWidget *window);

} // namespace controls
