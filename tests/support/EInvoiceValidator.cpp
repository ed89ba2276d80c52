#include "support/EInvoiceValidator.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

namespace einvoicevalidator {

namespace {

const QString validator = QStringLiteral(DORV_SHARED_DIR "/validators/validate-einvoice");

} // namespace

QString unavailableReason()
{
    if (QFileInfo(validator).isExecutable())
        return {};
    return QStringLiteral("No validators at %1: the e-invoices were not checked against the official rules").arg(validator);
}

QString rejection(const QString &path, bool xrechnung)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(validator, xrechnung ? QStringList{QStringLiteral("--xrechnung"), path} : QStringList{path});
    if (!run.waitForFinished(300000))
        return QStringLiteral("The validator did not finish within five minutes.");
    if (run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0)
        return {};
    const QString report = QString::fromUtf8(run.readAll());
    return report.isEmpty() ? QStringLiteral("The validator failed without a report.") : report;
}

} // namespace einvoicevalidator
