#include "invoiceregister/InvoiceRegister.h"

#include "einvoice/CiiReader.h"
#include "einvoice/CiiWriter.h"
#include "einvoice/EInvoiceError.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "invoiceregister/InvoiceNumber.h"
#include "invoiceregister/RegisterTable.h"

#include <QSet>

namespace invoiceregister {

namespace {

QString germanDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

Entry entryOf(const Issue &issue, bool copy, const QDateTime &at)
{
    const einvoice::Invoice &inv = issue.invoice;
    const einvoice::Totals totals = einvoice::invoiceTotals(inv);
    Entry e;
    e.number = inv.number;
    e.invoiceDate = inv.invoiceDate;
    e.deliveryDate = inv.deliveryDate;
    e.customerNumber = issue.customerNumber;
    e.customerName = inv.buyer.displayName();
    e.listName = issue.listName;
    e.net = totals.net;
    e.vatRate = inv.vatRate;
    e.vat = totals.vat;
    e.gross = totals.gross;
    e.terms = inv.terms;
    e.kind = issue.kind;
    e.copy = copy;
    e.issuedAt = at;
    e.header = issue.header;
    e.seller = printedSellerOf(inv.seller);
    return e;
}

// Whether a row has been cancelled. Its cancellations carry the number "<nr>-S"; where one
// number was given to several invoices, each cancellation belongs to the first of them, in the
// order of issue, that is not cancelled yet and has its customer, list and amount (else to the
// first one not cancelled yet).
bool isCancelled(engine::Connection &db, const Entry &original)
{
    std::vector<Entry> invoices;
    for (const Entry &e : table::entriesWithNumber(db, original.number))
        if (e.kind != Kind::Cancellation && !e.copy)
            invoices.push_back(e);
    const auto cancels = [](const Entry &cancellation, const Entry &invoice) {
        return cancellation.customerNumber == invoice.customerNumber && cancellation.listName == invoice.listName
               && cancellation.header == invoice.header && qAbs(cancellation.net) == qAbs(invoice.net);
    };
    QSet<qint64> cancelled;
    for (const Entry &c : table::entriesWithNumber(db, cancellationNumber(original.number))) {
        if (c.kind != Kind::Cancellation)
            continue;
        const Entry *owner = nullptr;
        for (const Entry &i : invoices) {
            if (cancelled.contains(i.id))
                continue;
            if (cancels(c, i)) {
                owner = &i;
                break;
            }
            if (!owner)
                owner = &i; // the first not cancelled yet, unless a later one fits
        }
        if (owner)
            cancelled.insert(owner->id);
    }
    if (!original.copy)
        return cancelled.contains(original.id);
    // A copy is cancelled with the invoice it copies.
    for (const Entry &i : invoices)
        if (cancels(i, original))
            return cancelled.contains(i.id);
    return !cancelled.isEmpty();
}

} // namespace

const QString InvoiceRegister::EmptyNumberMessage = QStringLiteral("Bitte geben Sie eine Rechnungsnummer ein.");

QString NumberCheck::question(const QString &number) const
{
    return QStringLiteral("Die Rechnungsnummer %1 wurde bereits am %2 vergeben. Trotzdem verwenden?").arg(number, germanDate(firstIssued));
}

InvoiceRegister::InvoiceRegister(engine::Connection &db) : m_db(db)
{
}

std::vector<Entry> InvoiceRegister::entries() const
{
    if (!m_db.tableExists(table::Name))
        return {};
    return table::entries(m_db);
}

qint64 InvoiceRegister::newestId() const
{
    return m_db.tableExists(table::Name) ? table::newestId(m_db) : 0;
}

QByteArray InvoiceRegister::xml(qint64 id) const
{
    return table::xml(m_db, id);
}

einvoice::Invoice InvoiceRegister::invoice(qint64 id) const
{
    einvoice::Invoice inv = einvoice::readCii(xml(id));
    if (const std::optional<Entry> row = table::entry(m_db, id))
        restore(inv.seller, row->seller);
    return inv;
}

// What an invoice says does not depend on the profile it was written in: the two profiles'
// documents differ only in what each derives from the same values. So the stored document,
// read and written again in the profile of the new one, equals it byte for byte exactly when
// both are the same invoice.
bool InvoiceRegister::sameInvoice(const Entry &stored, const Issue &issue, const QByteArray &document) const
{
    if (stored.header != issue.header)
        return false;
    const QByteArray storedDocument = xml(stored.id);
    if (storedDocument == document)
        return true;
    try {
        einvoice::Invoice storedInvoice = einvoice::readCii(storedDocument);
        storedInvoice.profile = issue.profile();
        return einvoice::ciiXml(storedInvoice) == document;
    } catch (const einvoice::EInvoiceError &) {
        return false; // a document that cannot be read is no proof of the same invoice
    }
}

NumberCheck InvoiceRegister::checkNumber(const Issue &issue) const
{
    return checkNumber(issue, issue.xml());
}

NumberCheck InvoiceRegister::checkNumber(const Issue &issue, const QByteArray &document) const
{
    NumberCheck check;
    if (!m_db.tableExists(table::Name))
        return check;
    const std::vector<Entry> used = table::entriesWithNumber(m_db, issue.invoice.number);
    if (used.empty())
        return check;
    for (const Entry &e : used) {
        if (sameInvoice(e, issue, document)) {
            check.use = NumberCheck::Use::SameInvoice;
            return check;
        }
    }
    check.use = NumberCheck::Use::OtherInvoice;
    check.firstIssued = used.front().issuedAt.date();
    return check;
}

std::optional<Entry> InvoiceRegister::add(const Issue &issue, const QByteArray &document, bool copy, const QDateTime &at,
                                          const std::function<bool()> &deliver, const std::function<void()> &afterRecording)
{
    if (issue.invoice.number.trimmed().isEmpty())
        throw RegisterError(EmptyNumberMessage);
    Entry entry = entryOf(issue, copy, at);
    engine::Transaction tx(m_db);
    table::ensure(m_db);
    entry.id = table::insert(m_db, entry, document);
    if (deliver && !deliver())
        return std::nullopt; // cancelled by the user: the row goes with the transaction
    tx.commit();
    if (afterRecording)
        afterRecording();
    return entry;
}

Entry InvoiceRegister::record(const Issue &issue, bool copy, const QDateTime &at)
{
    return *add(issue, issue.xml(), copy, at, {});
}

std::optional<Entry> InvoiceRegister::issue(const Issue &issue, const QDateTime &at,
                                            const std::function<bool(const QString &)> &confirm,
                                            const std::function<bool()> &deliver, const std::function<void()> &afterRecording)
{
    return this->issue(issue, issue.xml(), at, confirm, deliver, afterRecording);
}

std::optional<Entry> InvoiceRegister::issue(const Issue &issue, const QByteArray &document, const QDateTime &at,
                                            const std::function<bool(const QString &)> &confirm,
                                            const std::function<bool()> &deliver, const std::function<void()> &afterRecording)
{
    if (issue.invoice.number.trimmed().isEmpty())
        throw RegisterError(EmptyNumberMessage);
    const NumberCheck check = checkNumber(issue, document);
    if (check.use == NumberCheck::Use::OtherInvoice && !confirm(check.question(issue.invoice.number)))
        return std::nullopt;
    return add(issue, document, check.use == NumberCheck::Use::SameInvoice, at, deliver, afterRecording);
}

QString InvoiceRegister::proposedNumber() const
{
    const std::vector<Entry> all = entries();
    QSet<QString> used;
    for (const Entry &e : all)
        used.insert(e.number);
    for (const Entry &e : all) { // newest first
        if (e.kind == Kind::Cancellation || e.copy)
            continue;
        QString next = nextInvoiceNumber(e.number);
        while (!next.isEmpty() && used.contains(next))
            next = nextInvoiceNumber(next);
        return next;
    }
    return {};
}

QString InvoiceRegister::cancelQuestion(const Entry &entry)
{
    return QStringLiteral("Rechnung %1 vom %2 stornieren?").arg(entry.number, germanDate(entry.invoiceDate));
}

Entry InvoiceRegister::cancel(qint64 id, const QDateTime &at)
{
    const std::optional<Entry> original = m_db.tableExists(table::Name) ? table::entry(m_db, id) : std::nullopt;
    if (!original)
        throw RegisterError(QStringLiteral("Die Rechnung ist nicht im Rechnungsausgangsbuch."));
    if (original->kind == Kind::Cancellation)
        throw RegisterError(QStringLiteral("Ein Storno kann nicht storniert werden."));
    const QString number = cancellationNumber(original->number);
    if (isCancelled(m_db, *original))
        throw RegisterError(QStringLiteral("Die Rechnung %1 ist bereits storniert.").arg(original->number));

    Entry storno = *original;
    storno.number = number;
    storno.invoiceDate = at.date();
    storno.net = -original->net;
    storno.vat = -original->vat;
    storno.gross = -original->gross;
    storno.kind = Kind::Cancellation;
    storno.copy = false;
    storno.issuedAt = at;
    einvoice::Invoice document = einvoice::cancellationOf(invoice(id), number, at.date());
    document.profile = einvoice::Profile::FacturX; // as a print keeps it
    storno.id = table::insert(m_db, storno, einvoice::ciiXml(document));
    return storno;
}

} // namespace invoiceregister
