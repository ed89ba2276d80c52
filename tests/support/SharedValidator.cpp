#include "support/SharedValidator.h"

#include <QProcess>

namespace sharedvalidator {

QString path(const QString &script)
{
    return QStringLiteral(DORV_SHARED_DIR "/validators/") + script;
}

QString rejection(const QString &program, const QStringList &arguments)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(program, arguments);
    if (!run.waitForFinished(300000))
        return QStringLiteral("The validator did not finish within five minutes.");
    if (run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0)
        return {};
    const QString report = QString::fromUtf8(run.readAll());
    return report.isEmpty() ? QStringLiteral("The validator failed without a report.") : report;
}

} // namespace sharedvalidator
