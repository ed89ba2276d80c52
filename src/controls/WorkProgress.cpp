#include "controls/WorkProgress.h"

#include <QProgressDialog>

namespace controls {

namespace {

constexpr int Steps = 1000;
constexpr int DelayMs = 400;

} // namespace

WorkProgress::WorkProgress(const QString &text, QWidget *parent)
    : m_dialog(std::make_unique<QProgressDialog>(text, QString(), 0, Steps, parent))
{
    if (parent)
        m_dialog->setWindowTitle(parent->window()->windowTitle());
    // No window takes input meanwhile: nothing can change the data under the work.
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(DelayMs);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setValue(0);
}

WorkProgress::~WorkProgress() = default;

void WorkProgress::operator()(qint64 done, qint64 total)
{
    if (total > 0)
        m_dialog->setValue(int(qMin(done, total) * Steps / total));
}

} // namespace controls
