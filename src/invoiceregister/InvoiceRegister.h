#pragma once

#include "engine/Error.h"
#include "invoiceregister/Entry.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace engine {
class Connection;
}

namespace invoiceregister {

// A step the register refuses; the text is German and meant for the user.
class RegisterError : public engine::Error
{
public:
    using Error::Error;
};

// What the number of an invoice about to be issued means.
struct NumberCheck
{
    enum class Use {
        Free,         // not in the register
        SameInvoice,  // this very invoice was issued before: a copy, no question
        OtherInvoice, // another invoice has it: ask before it is given again
    };
    Use use = Use::Free;
    QDate firstIssued; // the day the number was given first

    // "Die Rechnungsnummer <nr> wurde bereits am <Datum> vergeben. Trotzdem verwenden?"
    QString question(const QString &number) const;
};

// The register of every invoice that left the program (table RECHNUNGSAUSGANG): it records
// issued invoices, watches that a number is not given twice by accident, proposes the next
// number and records cancellations. Rows are never changed or deleted.
class InvoiceRegister
{
public:
    explicit InvoiceRegister(engine::Connection &db);

    static const QString EmptyNumberMessage; // "Bitte geben Sie eine Rechnungsnummer ein."

    // Every row without its document, newest first.
    std::vector<Entry> entries() const;
    // The ID of the newest row, 0 when there is none: it changes when a row is added.
    qint64 newestId() const;
    // The stored e-invoice document of a row.
    QByteArray xml(qint64 id) const;
    // The invoice as the stored document describes it, in the profile it was stored in, with
    // what the page printed of the seller beside it.
    einvoice::Invoice invoice(qint64 id) const;

    NumberCheck checkNumber(const Issue &issue) const;

    // Issues an invoice and records it. An empty number is refused (RegisterError with
    // EmptyNumberMessage); a number another invoice has is given again only when `confirm`
    // answers the question of NumberCheck with yes; the same invoice issued again is recorded
    // as a copy without a question. `deliver` (printing it, writing its file) runs inside the
    // recording's transaction: when it fails, no row remains, and when recording fails, nothing
    // is delivered; when it returns false (the user cancelled), nothing is recorded.
    // `afterRecording` runs once the row is committed: a file is written under a temporary name
    // in `deliver` and renamed into place here, so that no file leaves the program unrecorded
    // (a program ended between the two leaves the row, and the file can be saved again from
    // the register). Returns the row, or nothing when nothing was issued.
    std::optional<Entry> issue(const Issue &issue, const QDateTime &at, const std::function<bool(const QString &question)> &confirm,
                               const std::function<bool()> &deliver, const std::function<void()> &afterRecording = {});
    // The same with the issue's document built already (issue.xml()): the bytes the caller
    // writes to the file are the bytes stored.
    std::optional<Entry> issue(const Issue &issue, const QByteArray &document, const QDateTime &at,
                               const std::function<bool(const QString &question)> &confirm, const std::function<bool()> &deliver,
                               const std::function<void()> &afterRecording = {});

    // Adds the invoice's row (as a copy when `copy`) issued at `at`, without asking or
    // delivering anything.
    Entry record(const Issue &issue, bool copy, const QDateTime &at);

    // The number proposed for the next invoice: the last issued number (not a cancellation,
    // not a copy) counted up, past every number the register holds; empty when there is none.
    QString proposedNumber() const;

    // "Rechnung <nr> vom <Datum> stornieren?"
    static QString cancelQuestion(const Entry &entry);
    // Records the cancellation of a row on `at`: a row of kind "Storno", number "<nr>-S",
    // with the amounts negated and a document that cancels the original; the original stays.
    // RegisterError for a cancellation or an invoice that is cancelled already.
    Entry cancel(qint64 id, const QDateTime &at);

private:
    NumberCheck checkNumber(const Issue &issue, const QByteArray &document) const;
    std::optional<Entry> add(const Issue &issue, const QByteArray &document, bool copy, const QDateTime &at,
                             const std::function<bool()> &deliver, const std::function<void()> &afterRecording = {});
    bool sameInvoice(const Entry &stored, const Issue &issue, const QByteArray &document) const;

    engine::Connection &m_db;
};

} // namespace invoiceregister
