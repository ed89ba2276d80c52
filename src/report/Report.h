#pragma once

#include "report/Page.h"
#include "report/Pipeline.h"
#include "report/PreviewDialog.h"
#include "report/ReportError.h"
#include "report/Template.h"
#include "values/DisplayFormat.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace report {

// A banded report: a template loaded from a file, laid out over the pipelines handed to it,
// shown in the print preview ("Screen"), printed ("Printer") or written as PDF.
class Report
{
public:
    void clear();                                   // empty layout
    void setTemplateFileName(const QString &path);
    QString templateFileName() const { return m_fileName; }
    // Replaces the layout by the template file's. A missing file: "File not found: <full path>";
    // a file that does not parse: the message names line and column. On failure the layout
    // stays empty.
    void loadFromFile();
    void loadFromData(const QByteArray &json, const QString &sourceName);
    const Template &layout() const { return m_template; }

    void setDeviceType(const QString &device);      // "Screen" (modal preview) or "Printer"
    QString deviceType() const { return m_device; }
    void setPipeline(const QString &name, const Pipeline *pipeline); // not owned; nullptr removes
    void reset();                                   // forgets pipelines and device

    // Separators of numbers and the time printed as print date; by default the locale's and
    // the moment of laying out.
    void setSeparators(const values::display::Separators &sep) { m_sep = sep; }
    void setPrintDateTime(const QDateTime &time) { m_printTime = time; }
    void setPreviewHooks(PreviewHooks hooks) { m_hooks = std::move(hooks); }

    // Lays out and shows the preview or prints. An unknown device and an empty layout are
    // refused with ReportError.
    void print(QWidget *parent = nullptr);
    std::vector<Page> layOut() const;               // two passes: the page count is known
    QString dump() const;                           // readable text of layOut()
    void writePdf(const QString &path) const;

private:
    Template m_template;
    QString m_fileName;
    QString m_device = QStringLiteral("Screen");
    QHash<QString, std::pair<QString, const Pipeline *>> m_pipelines; // lower-case name -> name, pipeline
    std::optional<values::display::Separators> m_sep;
    std::optional<QDateTime> m_printTime;
    PreviewHooks m_hooks;
};

} // namespace report
