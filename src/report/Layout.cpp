#include "report/Layout.h"

#include "report/BandWriter.h"
#include "report/ReportError.h"
#include "report/RunState.h"

namespace report {
namespace {

constexpr double epsilon = 1e-6;

// The newspaper flow: bands run down a column, then into the next column, then onto the next
// page. Page header and footer frame every page, column header and footer every column used.
class Flow
{
public:
    explicit Flow(RunState &state)
        : m_state(state)
        , m_t(state.tmpl)
        , m_columns(state.tmpl.effectiveColumns())
        , m_writer(state)
    {
    }

    void run();

private:
    void startPage();
    void finishPage();
    void startColumn();
    void finishColumn();
    void nextColumn();
    // Places a band in the flow; `keepWith` is room that must remain below it in the column.
    void place(const Band &band, const QString &name, double keepWith = 0);
    void groupHeader(size_t level, bool first);
    void groupFooter(size_t level);
    QVariant groupValue(size_t level, int row) const;

    RunState &m_state;
    const Template &m_t;
    std::vector<Column> m_columns;
    BandWriter m_writer;
    size_t m_column = 0;
    double m_y = 0;
    double m_columnTop = 0;
    double m_columnBottom = 0;
    bool m_columnUsed = false;
};

void Flow::startPage()
{
    m_state.pages.push_back(Page{m_t.page.width, m_t.page.height, {}});
    m_state.pageNumber = static_cast<int>(m_state.pages.size());
    if (m_state.scripts) {
        m_state.scripts->setVariable(QStringLiteral("page"), QJSValue(m_state.pageNumber));
        if (!m_t.beforePageHeader.isEmpty())
            m_state.scripts->evaluate(m_t.beforePageHeader, QStringLiteral("beforePageHeader"));
    }
    double top = m_t.page.marginTop;
    if (m_t.pageHeader.present)
        top += m_writer.write(m_t.pageHeader, QStringLiteral("pageHeader"), m_t.page.marginLeft, top);
    m_columnTop = top;
    const double footerTop = m_t.page.height - m_t.page.marginBottom - (m_t.pageFooter.present ? m_t.pageFooter.height : 0);
    m_columnBottom = footerTop - (m_t.columnFooter.present ? m_t.columnFooter.height : 0);
    m_column = 0;
    startColumn();
}

void Flow::finishPage()
{
    finishColumn();
    if (m_t.pageFooter.present) {
        const double top = m_t.page.height - m_t.page.marginBottom - m_t.pageFooter.height;
        m_writer.write(m_t.pageFooter, QStringLiteral("pageFooter"), m_t.page.marginLeft, top);
    }
}

void Flow::startColumn()
{
    m_y = m_columnTop;
    m_columnUsed = false;
    m_state.lastShown.clear();
    if (m_t.columnHeader.present)
        m_y += m_writer.write(m_t.columnHeader, QStringLiteral("columnHeader"), m_columns[m_column].left, m_y);
}

void Flow::finishColumn()
{
    if (m_t.columnFooter.present)
        m_writer.write(m_t.columnFooter, QStringLiteral("columnFooter"), m_columns[m_column].left, m_columnBottom);
}

void Flow::nextColumn()
{
    if (m_column + 1 < m_columns.size()) {
        finishColumn();
        ++m_column;
        startColumn();
    } else {
        finishPage();
        startPage();
    }
}

void Flow::place(const Band &band, const QString &name, double keepWith)
{
    if (!band.present)
        return;
    if (m_columnUsed && m_y + band.height + keepWith > m_columnBottom + epsilon)
        nextColumn();
    const size_t page = m_state.pages.size();
    const size_t mark = m_state.pages.back().primitives.size();
    const size_t countMark = m_state.pageCountTexts.size();
    double height = m_writer.write(band, name, m_columns[m_column].left, m_y);
    if (m_columnUsed && m_y + height > m_columnBottom + epsilon) {
        // Grown beyond the column: take it back and write it again at the top of the next one.
        if (m_state.pages.size() == page)
            m_state.pages.back().primitives.resize(mark);
        m_state.pageCountTexts.resize(countMark);
        nextColumn();
        height = m_writer.write(band, name, m_columns[m_column].left, m_y);
    }
    m_y = std::min(m_y + height + band.bottomOffset, std::max(m_columnBottom, m_y + height));
    m_columnUsed = true;
}

QVariant Flow::groupValue(size_t level, int row) const
{
    const Group &g = m_t.groups[level];
    const PipelineSlot *slot = g.pipeline.isEmpty() ? m_state.main : m_state.pipelines.find(g.pipeline);
    if (!slot || !slot->pipeline)
        return {};
    return slot->pipeline->value(slot == m_state.main ? row : 0, g.field);
}

void Flow::groupHeader(size_t level, bool first)
{
    const Group &g = m_t.groups[level];
    for (auto it = m_state.sums.begin(); it != m_state.sums.end(); ++it) {
        if (it.key()->reset == SumReset::Group && it.key()->groupLevel >= static_cast<int>(level))
            it->reset();
    }
    if (!first && g.newPage) {
        finishPage();
        startPage();
    } else if (!first && g.newColumn && m_columnUsed) {
        nextColumn();
    }
    place(g.header, QStringLiteral("group %1 header").arg(level + 1), m_t.detail.present ? m_t.detail.height : 0);
}

void Flow::groupFooter(size_t level)
{
    place(m_t.groups[level].footer, QStringLiteral("group %1 footer").arg(level + 1));
}

void Flow::run()
{
    const int rows = m_state.main ? m_state.main->pipeline->rowCount() : 1;
    const size_t levels = m_t.groups.size();
    startPage();
    place(m_t.title, QStringLiteral("title"), m_t.detail.present ? m_t.detail.height : 0);
    for (int row = 0; row < rows; ++row) {
        size_t changed = 0;
        if (row > 0) {
            changed = levels;
            for (size_t level = 0; level < levels; ++level) {
                if (groupValue(level, row) != groupValue(level, row - 1)) {
                    changed = level;
                    break;
                }
            }
            for (size_t level = levels; level-- > changed;)
                groupFooter(level);
        }
        if (m_state.main)
            m_state.main->row = row;
        for (size_t level = changed; level < levels; ++level)
            groupHeader(level, row == 0);
        for (auto it = m_state.sums.begin(); it != m_state.sums.end(); ++it) {
            const PipelineSlot *slot = m_state.pipelines.find(it.key()->pipeline);
            it->add(slot ? slot->value(it.key()->field) : QVariant());
        }
        place(m_t.detail, QStringLiteral("detail"));
    }
    if (rows > 0) {
        for (size_t level = levels; level-- > 0;)
            groupFooter(level);
    }
    place(m_t.summary, QStringLiteral("summary"));
    finishPage();
}

bool mentions(const Template &t, const QString &word)
{
    bool found = t.beforePageHeader.contains(word);
    auto band = [&](const Band &b) {
        found = found || b.beforePrint.contains(word);
        for (const Item &item : b.items)
            found = found || item.expression.contains(word) || item.visibleIf.contains(word);
    };
    forEachBand(t, band);
    return found;
}

bool hasScripts(const Template &t)
{
    bool found = !t.beforePageHeader.isEmpty();
    auto band = [&](const Band &b) {
        found = found || !b.beforePrint.isEmpty();
        for (const Item &item : b.items)
            found = found || item.kind == ItemKind::Calc || !item.visibleIf.isEmpty() || !item.name.isEmpty();
    };
    forEachBand(t, band);
    return found;
}

// Every pipeline and field the template names must have been handed over.
void checkData(const Template &t, const PipelineScope &pipelines)
{
    auto need = [&](const QString &pipeline, const QString &field) {
        const PipelineSlot *slot = pipelines.find(pipeline);
        if (!slot || !slot->pipeline)
            throw ReportError(QStringLiteral("Pipeline not set: %1").arg(pipeline));
        if (!field.isEmpty() && !slot->pipeline->hasField(field))
            throw ReportError(QStringLiteral("Field not found: %1.%2").arg(pipeline, field));
    };
    if (!t.mainPipeline.isEmpty())
        need(t.mainPipeline, {});
    auto band = [&](const Band &b) {
        for (const Item &item : b.items) {
            if (item.kind == ItemKind::Data || item.kind == ItemKind::Sum)
                need(item.pipeline, item.field);
        }
    };
    forEachBand(t, band);
    for (const Group &g : t.groups)
        need(g.pipeline.isEmpty() ? t.mainPipeline : g.pipeline, g.field);
}

void registerSums(const Template &t, RunState &state)
{
    auto band = [&](const Band &b) {
        for (const Item &item : b.items) {
            if (item.kind == ItemKind::Sum)
                state.sums.insert(&item, RunningSum());
        }
    };
    forEachBand(t, band);
}

QHash<QString, bool> namedItems(const Template &t)
{
    QHash<QString, bool> names;
    auto band = [&](const Band &b) {
        for (const Item &item : b.items) {
            if (!item.name.isEmpty())
                names.insert(item.name, item.visible);
        }
    };
    forEachBand(t, band);
    return names;
}

std::vector<Page> runOnce(const Template &t, const PipelineScope &pipelines, const values::display::Separators &sep, const QDateTime &printTime,
                          int pageCount, bool scripted)
{
    PipelineScope scope = pipelines; // rows of this pass
    RunState state(t, scope, sep, printTime);
    state.pageCount = pageCount;
    if (!t.mainPipeline.isEmpty())
        state.main = scope.find(t.mainPipeline);
    registerSums(t, state);
    if (scripted) {
        state.scripts = std::make_unique<ScriptScope>(scope, sep, printTime);
        state.scripts->bridge().setItemDefaults(namedItems(t));
        state.scripts->setVariable(QStringLiteral("pageCount"), QJSValue(pageCount));
    }
    Flow(state).run();
    const QString count = QString::number(state.pages.size());
    for (const auto &[page, index] : state.pageCountTexts)
        std::get<TextPrimitive>(state.pages[page].primitives[index]).text = count;
    return std::move(state.pages);
}

} // namespace

std::vector<Page> layOutReport(const Template &t, const PipelineScope &pipelines, const values::display::Separators &sep, const QDateTime &printTime)
{
    if (t.isEmpty())
        return {};
    checkData(t, pipelines);
    const bool scripted = hasScripts(t);
    std::vector<Page> pages = runOnce(t, pipelines, sep, printTime, 0, scripted);
    // Scripts that read the page count see it only in a second pass over the whole report.
    if (scripted && mentions(t, QStringLiteral("pageCount")))
        pages = runOnce(t, pipelines, sep, printTime, static_cast<int>(pages.size()), scripted);
    return pages;
}

} // namespace report
