#pragma once

#include "report/PipelineScope.h"
#include "report/Template.h"
#include "values/DisplayFormat.h"

#include <QDateTime>

#include <vector>

namespace report {

// Lays a template out over its pipelines into pages. Two passes: the page count of the first
// fills every "page count" value of the second. Throws ReportError for a pipeline or field the
// template needs and the caller did not hand over, and for failing scripts.
std::vector<Page> layOutReport(const Template &tmpl, const PipelineScope &pipelines, const values::display::Separators &sep,
                               const QDateTime &printTime);

} // namespace report
