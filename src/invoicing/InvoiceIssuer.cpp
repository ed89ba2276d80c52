#include "invoicing/InvoiceIssuer.h"

#include "controls/DialogService.h"
#include "invoicing/EInvoiceFile.h"
#include "einvoice/EInvoiceError.h"
#include "einvoice/Files.h"
#include "einvoice/MissingData.h"
#include "export/FileOutput.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <optional>

namespace invoicing {

namespace {

enum FilterIndex { ZugferdFilter, XRechnungFilter };

} // namespace

const QString InvoiceIssuer::Filter = QStringLiteral("ZUGFeRD-PDF|*.pdf|XRechnung|*.xml");

invoiceregister::Issue InvoiceIssuer::issueOf(const PreparedInvoice &prepared, invoiceregister::Kind kind)
{
    return {prepared.invoice, kind, prepared.customerNumber, prepared.listName, prepared.header};
}

bool InvoiceIssuer::issue(const invoiceregister::Issue &issued, const QByteArray &document, const std::function<void()> &deliver,
                          const std::function<void()> &afterRecording)
{
    return m_register
        .issue(issued, document, QDateTime::currentDateTime(), [this](const QString &question) { return m_dialogs.confirm(question); },
               [&deliver] {
                   deliver();
                   return true;
               },
               afterRecording)
        .has_value();
}

void InvoiceIssuer::print(PreparedInvoice &prepared, QWidget *parent)
{
    const invoiceregister::Issue issued = issueOf(prepared, invoiceregister::Kind::Print);
    issue(issued, issued.xml(), [&] { prepared.printout.print(QStringLiteral("Printer"), parent); });
}

bool InvoiceIssuer::complete(const einvoice::Invoice &invoice)
{
    const QString missing = einvoice::missingDataMessage(invoice);
    if (missing.isEmpty())
        return true;
    m_dialogs.error(missing);
    return false;
}

void InvoiceIssuer::saveEInvoice(PreparedInvoice &prepared)
{
    einvoice::Invoice &invoice = prepared.invoice;
    const bool forPublicBuyer = !invoice.buyer.buyerReference.trimmed().isEmpty();
    invoice.profile = forPublicBuyer ? einvoice::Profile::XRechnung : einvoice::Profile::FacturX;
    if (!complete(invoice))
        return;

    m_folder = controls::dialogFolder(m_folder);
    const QString proposed = QDir(m_folder).filePath(einvoice::proposedFileName(invoice.number)
                                                     + (forPublicBuyer ? QStringLiteral(".xml") : QStringLiteral(".pdf")));
    controls::DialogService::SaveChoice choice = m_dialogs.saveFile(QStringLiteral("E-Rechnung speichern"), Filter,
                                                          forPublicBuyer ? XRechnungFilter : ZugferdFilter, proposed);
    if (choice.path.isEmpty())
        return;
    const einvoice::Profile chosen = savedProfile(choice);
    if (chosen != invoice.profile) {
        invoice.profile = chosen;
        if (!complete(invoice))
            return;
    }

    try {
        const invoiceregister::Kind kind =
            chosen == einvoice::Profile::XRechnung ? invoiceregister::Kind::XRechnung : invoiceregister::Kind::Zugferd;
        const invoiceregister::Issue issued = issueOf(prepared, kind);
        // The document is built once: the file holds the very bytes the register stores.
        const QByteArray xml = issued.xml();
        const QByteArray bytes = eInvoiceFile(invoice, xml, prepared.printout.report(), QDateTime::currentDateTime());
        // The file is written whole under a temporary name, the row committed, and only then the
        // file renamed into place: no e-invoice leaves the program unrecorded.
        std::optional<exporting::PendingFile> file;
        if (!issue(issued, xml, [&] { file.emplace(QFileInfo(choice.path).absoluteFilePath(), bytes); }, [&] { file->place(); }))
            return;
        m_folder = QFileInfo(choice.path).absolutePath();
        m_dialogs.information(QStringLiteral("Die E-Rechnung (%1) wurde gespeichert:\n%2")
                                  .arg(invoiceregister::kindText(kind), QDir::toNativeSeparators(choice.path)));
    } catch (const einvoice::EInvoiceError &e) {
        m_dialogs.error(e.message());
    } catch (const exporting::FileError &e) {
        m_dialogs.error(e.message());
    }
}

} // namespace invoicing
