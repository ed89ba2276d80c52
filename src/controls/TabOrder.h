#pragma once

#include <QWidget>

#include <initializer_list>

namespace controls {

// The widgets take the focus with Tab in the order of the list.
inline void tabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace controls
