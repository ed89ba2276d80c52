#include "report/PreparedReport.h"

namespace report {

PreparedReport::PreparedReport(const QString &templatePath)
{
    m_report.clear();
    m_report.setTemplateFileName(templatePath);
    m_report.loadFromFile();
}

void PreparedReport::addPipeline(const QString &name, const data::Dataset &dataset, report::DatasetPipeline::Range range)
{
    addPipeline(name, std::make_unique<report::DatasetPipeline>(dataset, range));
}

void PreparedReport::addPipeline(const QString &name, std::unique_ptr<report::Pipeline> pipeline)
{
    m_pipelines.push_back(std::move(pipeline));
    m_report.setPipeline(name, m_pipelines.back().get());
}

void PreparedReport::print(const QString &device, QWidget *parent)
{
    // The report forgets device and pipelines afterwards, whether printing worked or not.
    struct ResetOnExit
    {
        report::Report &report;
        ~ResetOnExit() { report.reset(); }
    } resetOnExit{m_report};
    m_report.setDeviceType(device);
    m_report.print(parent);
}

} // namespace report
