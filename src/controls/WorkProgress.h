#pragma once

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace controls {

// A progress window for work the user waits for: it appears when the work takes longer than
// a moment, blocks every window of the program meanwhile and goes when the object does. It has
// no cancel button.
class WorkProgress
{
public:
    WorkProgress(const QString &text, QWidget *parent);
    ~WorkProgress();
    WorkProgress(const WorkProgress &) = delete;
    WorkProgress &operator=(const WorkProgress &) = delete;

    // `done` of `total` steps are done.
    void operator()(qint64 done, qint64 total);

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace controls
