#pragma once

#include "engine/DecimalSum.h"
#include "report/FontMetrics.h"
#include "report/PipelineScope.h"
#include "report/ScriptScope.h"
#include "report/Template.h"
#include "values/DisplayFormat.h"

#include <QDateTime>
#include <QHash>

#include <memory>
#include <vector>

namespace report {

// A running sum of a field: stays an integer while every value is one; decimals such as
// volumes and amounts add up exactly.
class RunningSum
{
public:
    void add(const QVariant &value);
    void reset() { *this = RunningSum(); }
    QVariant value() const;

private:
    engine::DecimalSum m_sum;
};

// Everything one layout pass shares between the page flow and the band writer.
struct RunState
{
    RunState(const Template &t, PipelineScope &p, const values::display::Separators &s, const QDateTime &time)
        : tmpl(t), pipelines(p), sep(s), printTime(time)
    {
    }

    const Template &tmpl;
    PipelineScope &pipelines;
    values::display::Separators sep;
    QDateTime printTime;
    PipelineSlot *main = nullptr;
    std::unique_ptr<ScriptScope> scripts; // only when the template has scripts
    FontMetrics metrics;
    int pageNumber = 0;
    int pageCount = 0; // known in the second pass
    QHash<const Item *, RunningSum> sums;
    QHash<const Item *, QString> lastShown; // for values printed only when they change
    std::vector<Page> pages;
    std::vector<std::pair<size_t, size_t>> pageCountTexts; // page, primitive
};

} // namespace report
