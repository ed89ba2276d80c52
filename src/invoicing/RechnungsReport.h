#pragma once

#include "report/Pipeline.h"
#include "report/Report.h"

#include <QString>

#include <memory>
#include <vector>

class QWidget;
class TDMod;
namespace data {
class Dataset;
}

namespace invoicing {

// The invoice, ready to print: the template loaded from its file and the queries handed to it
// under the names its items use: dbFirma, dbKunden, dbDorvdaten (the invoice lines),
// dbZusatzdaten (the list header), dbRechnungsdaten (the invoice number) and Firma.
class RechnungsReport
{
public:
    // A template that cannot be read raises the report engine's error. The datasets must
    // outlive the report.
    RechnungsReport(const QString &templatePath, TDMod &dmod, const data::Dataset &rechnungsdaten);

    report::Report &report() { return m_report; }
    const report::Report &report() const { return m_report; }

    // "Screen": the modal print preview; "Printer". The report forgets device and pipelines
    // afterwards.
    void print(const QString &device, QWidget *parent = nullptr);

private:
    void addPipeline(const QString &name, std::unique_ptr<report::Pipeline> pipeline);

    report::Report m_report;
    std::vector<std::unique_ptr<report::Pipeline>> m_pipelines; // the report points into these
};

} // namespace invoicing
