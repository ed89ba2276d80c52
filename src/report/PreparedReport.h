#pragma once

#include "report/DatasetPipeline.h"
#include "report/Report.h"

#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace report {

// A report ready to print: its template loaded from a file and the program's queries handed
// to it under their pipeline names. The log list, the summary and the invoice are all printed
// this way: load, add the pipelines, then print on a device (or lay out, dump, write a PDF).
class PreparedReport
{
public:
    // Clears the layout, sets the template file name and loads it. A missing file raises the
    // report engine's "File not found: <path>".
    explicit PreparedReport(const QString &templatePath);
    PreparedReport(PreparedReport &&) = default;
    PreparedReport &operator=(PreparedReport &&) = default;

    // The dataset must outlive the report.
    void addPipeline(const QString &name, const data::Dataset &dataset, DatasetPipeline::Range range);
    void addPipeline(const QString &name, std::unique_ptr<Pipeline> pipeline);

    Report &report() { return m_report; }
    const Report &report() const { return m_report; }

    // Sets the device ("Screen": the modal print preview; "Printer"), prints and resets the
    // report. With the screen device this returns when the preview closes.
    void print(const QString &device, QWidget *parent = nullptr);

private:
    Report m_report;
    std::vector<std::unique_ptr<Pipeline>> m_pipelines; // the report points into these
};

} // namespace report
