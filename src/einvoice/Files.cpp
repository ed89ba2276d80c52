#include "einvoice/Files.h"

#include "einvoice/EInvoiceError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace einvoice {

QString proposedFileName(const QString &invoiceNumber)
{
    static const QString unsafe = QStringLiteral("/\\:*?\"<>|");
    QString name = invoiceNumber.trimmed();
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || unsafe.contains(c))
            c = u'_';
    }
    return QStringLiteral("Rechnung_") + name;
}

void saveFile(const QString &path, const QByteArray &bytes)
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QSaveFile file(path);
    const auto fail = [&](const QString &reason) {
        file.cancelWriting();
        throw EInvoiceError(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2").arg(shown, reason));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    if (file.write(bytes) != bytes.size())
        fail(file.errorString());
    if (!file.commit())
        fail(file.errorString());
}

} // namespace einvoice
