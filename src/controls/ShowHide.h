#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace controls {

// A window's work that begins each time the program shows the window and ends each time the
// program hides it: `shown` runs as it is shown, `hidden` (if given) as it is hidden. A window
// the user restores from the task bar is not shown anew and runs neither. A member of the
// window, declared last: it goes first, so nothing runs while the window is taken down.
class ShowHide : public QObject
{
public:
    ShowHide(QWidget *window, std::function<void()> shown, std::function<void()> hidden = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<void()> m_shown;
    std::function<void()> m_hidden;
};

} // namespace controls
