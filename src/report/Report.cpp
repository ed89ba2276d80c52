#include "report/Report.h"

#include "report/Dump.h"
#include "report/Layout.h"
#include "report/Output.h"
#include "report/TemplateLoader.h"

#include <QPrinter>

namespace report {

void Report::clear()
{
    m_template = Template();
}

void Report::setTemplateFileName(const QString &path)
{
    m_fileName = path;
}

void Report::loadFromFile()
{
    clear();
    m_template = loadTemplate(m_fileName);
}

void Report::loadFromData(const QByteArray &json, const QString &sourceName)
{
    clear();
    m_template = parseTemplate(json, sourceName);
}

void Report::setDeviceType(const QString &device)
{
    m_device = device;
}

void Report::setPipeline(const QString &name, const Pipeline *pipeline)
{
    if (pipeline)
        m_pipelines.insert(name.toLower(), {name, pipeline});
    else
        m_pipelines.remove(name.toLower());
}

void Report::reset()
{
    m_pipelines.clear();
    m_device = QStringLiteral("Screen");
}

std::vector<Page> Report::layOut() const
{
    PipelineScope scope;
    for (const auto &[name, pipeline] : m_pipelines)
        scope.add(name, pipeline);
    return layOutReport(m_template, scope, m_sep.value_or(values::display::localeSeparators()), m_printTime.value_or(QDateTime::currentDateTime()));
}

QString Report::dump() const
{
    return dumpPages(layOut());
}

void Report::writePdf(const QString &path) const
{
    writePdfFile(path, layOut(), m_template.page);
}

void Report::print(QWidget *parent)
{
    const bool screen = m_device.compare(u"Screen", Qt::CaseInsensitive) == 0;
    if (!screen && m_device.compare(u"Printer", Qt::CaseInsensitive) != 0)
        throw ReportError(QStringLiteral("Unknown device type: %1").arg(m_device));
    if (m_template.isEmpty())
        throw ReportError(QStringLiteral("The report has no layout: load a template first"));
    const std::vector<Page> pages = layOut();
    if (!screen) {
        printToDefaultPrinter(pages, m_template.page);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    configurePrinter(printer, m_template.page);
    PreviewDialog preview(pages, m_template.page, &printer, parent, m_hooks);
    preview.exec();
}

} // namespace report
