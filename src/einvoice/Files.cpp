#include "einvoice/Files.h"

#include "einvoice/EInvoiceError.h"
#include "export/FileOutput.h"

#include <QFileInfo>

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
    try {
        exporting::writeWholeFile(QFileInfo(path).absoluteFilePath(), bytes);
    } catch (const exporting::FileError &e) {
        throw EInvoiceError(e.message());
    }
}

} // namespace einvoice
