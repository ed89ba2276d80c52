#pragma once

#include "einvoice/Invoice.h"
#include "report/PreparedReport.h"
#include "invoiceregister/InvoiceRegister.h"

#include <QString>

namespace controls { class DialogService; }
class QWidget;

namespace invoicing {

// An invoice ready to leave the program: its values and its printout, made from the same lines.
struct PreparedInvoice
{
    einvoice::Invoice invoice;
    report::PreparedReport printout;
    // What the register keeps beside the invoice.
    QString customerNumber;
    QString listName;
    values::ListHeader header;
};

// The ways an invoice leaves the program, each in one function that knows the finished
// invoice: on paper, and as an e-invoice file (ZUGFeRD PDF or XRechnung). Every invoice that
// leaves is recorded in the invoice register in the same step (InvoiceRegister::issue): an
// empty number is refused, a number another invoice has is given again only after a question,
// and the same invoice again is recorded as a copy.
class InvoiceIssuer
{
public:
    InvoiceIssuer(controls::DialogService &dialogs, engine::Connection &db) : m_dialogs(dialogs), m_register(db) {}

    // Sends the printout to the printer.
    void print(PreparedInvoice &prepared, QWidget *parent);

    // Asks where to save the e-invoice and in which format ("ZUGFeRD-PDF (*.pdf)" or
    // "XRechnung (*.xml)", XRechnung chosen first when the customer has a buyer reference),
    // proposing "Rechnung_" and the number in the folder used last. What the chosen format
    // needs and the data lack is named in one message before anything is written. The file is
    // written whole or not at all; a message names it, or says why it could not be written.
    void saveEInvoice(PreparedInvoice &prepared);

    // The file filter of the save dialog, in the dialog service's form.
    static const QString Filter;

private:
    bool complete(const einvoice::Invoice &invoice);
    static invoiceregister::Issue issueOf(const PreparedInvoice &prepared, invoiceregister::Kind kind);
    // Records the invoice with its e-invoice document (built once, the bytes its file holds)
    // while `deliver` sends it, then runs `afterRecording`; false when nothing left.
    bool issue(const invoiceregister::Issue &issued, const QByteArray &document, const std::function<void()> &deliver,
               const std::function<void()> &afterRecording = {});

    controls::DialogService &m_dialogs;
    invoiceregister::InvoiceRegister m_register;
    QString m_folder; // where the last e-invoice went
};

} // namespace invoicing
