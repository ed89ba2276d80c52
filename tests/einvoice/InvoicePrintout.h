#pragma once

// The invoice as the program prints it: the delivered template Report/Rechnung.rtm laid out by
// the report engine over pipelines holding the invoice's values, as the invoice window hands
// its queries to it.
#include "einvoice/Invoice.h"
#include "einvoice/PdfPages.h"
#include "einvoice/Totals.h"
#include "report/Pipeline.h"
#include "report/Report.h"

#include <optional>
#include <vector>

class InvoicePrintout
{
public:
    explicit InvoicePrintout(const einvoice::Invoice &invoice);
    InvoicePrintout(const InvoicePrintout &) = delete;
    InvoicePrintout &operator=(const InvoicePrintout &) = delete;

    const std::vector<report::Page> &pages() const { return m_pages; }
    // The pages for the hybrid PDF, drawn by the engine's page painter.
    einvoice::PdfPages pdfPages() const;

    // The amounts of the summary block as printed; the cash discount pair only where printed.
    struct Figures
    {
        einvoice::Cents net = -1;
        einvoice::Cents vat = -1;
        einvoice::Cents gross = -1;
        std::optional<einvoice::Cents> cashDiscount;
        std::optional<einvoice::Cents> afterCashDiscount;
        QString levySentence;
    };
    Figures figures() const;

private:
    report::TablePipeline m_firma;
    report::TablePipeline m_kunden;
    report::TablePipeline m_lines;
    report::TablePipeline m_zusatz;
    report::TablePipeline m_nummer;
    report::TablePipeline m_werte;
    report::Report m_report;
    std::vector<report::Page> m_pages;
};
