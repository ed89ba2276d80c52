#pragma once

// The invoice as the program prints it: the delivered template Report/Rechnung.rtm filled by
// the program's own invoice report from the invoice's values.
#include "einvoice/Invoice.h"
#include "einvoice/PdfPages.h"
#include "einvoice/Totals.h"
#include "report/PreparedReport.h"

#include <optional>
#include <vector>

class InvoicePrintout
{
public:
    explicit InvoicePrintout(const einvoice::Invoice &invoice);
    InvoicePrintout(const InvoicePrintout &) = delete;
    InvoicePrintout &operator=(const InvoicePrintout &) = delete;

    const std::vector<report::Page> &pages() const { return m_pages; }
    // The readable text of the pages, for the golden files.
    QString dump() const { return m_printout.report().dump(); }
    // The pages for the hybrid PDF, drawn by the engine's page painter.
    einvoice::PdfPages pdfPages() const;

    // The amounts of the summary block as printed; the cash discount pair only where printed.
    struct Figures
    {
        values::Cents net = -1;
        values::Cents vat = -1;
        values::Cents gross = -1;
        std::optional<values::Cents> cashDiscount;
        std::optional<values::Cents> afterCashDiscount;
        QString levySentence;
    };
    Figures figures() const;

private:
    report::PreparedReport m_printout;
    std::vector<report::Page> m_pages;
};
