#include "controls/ShowHide.h"

#include <QEvent>
#include <QWidget>

#include <utility>

namespace controls {

ShowHide::ShowHide(QWidget *window, std::function<void()> shown, std::function<void()> hidden)
    : m_window(window), m_shown(std::move(shown)), m_hidden(std::move(hidden))
{
    window->installEventFilter(this);
}

bool ShowHide::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && !event->spontaneous()) {
        if (event->type() == QEvent::Show && m_shown)
            m_shown();
        else if (event->type() == QEvent::Hide && m_hidden)
            m_hidden();
    }
    return false;
}

} // namespace controls
