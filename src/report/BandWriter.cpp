#include "report/BandWriter.h"

#include "report/ValueText.h"

#include <QDateTime>

#include <algorithm>

namespace report {
namespace {

QVariant jsToVariant(const QJSValue &v)
{
    if (v.isUndefined() || v.isNull())
        return {};
    if (v.isDate())
        return v.toDateTime();
    if (v.isBool())
        return v.toBool();
    if (v.isNumber())
        return v.toNumber();
    return v.toString();
}

// Calculated items in the band's calculation order, then the others as they stand.
std::vector<size_t> calculationSequence(const Band &band)
{
    std::vector<size_t> order;
    for (const QString &name : band.calculationOrder) {
        for (size_t i = 0; i < band.items.size(); ++i) {
            if (band.items[i].kind == ItemKind::Calc && band.items[i].name == name && std::find(order.begin(), order.end(), i) == order.end())
                order.push_back(i);
        }
    }
    for (size_t i = 0; i < band.items.size(); ++i) {
        if (band.items[i].kind == ItemKind::Calc && std::find(order.begin(), order.end(), i) == order.end())
            order.push_back(i);
    }
    return order;
}

QString itemContext(const QString &bandName, const Item &item, size_t index)
{
    return item.name.isEmpty() ? QStringLiteral("%1, item %2").arg(bandName).arg(index + 1) : QStringLiteral("%1, item %2").arg(bandName, item.name);
}

} // namespace

QVariant BandWriter::itemValue(const Item &item) const
{
    switch (item.kind) {
    case ItemKind::Label:
        return item.text;
    case ItemKind::Data: {
        const PipelineSlot *slot = m_state.pipelines.find(item.pipeline);
        return slot ? slot->value(item.field) : QVariant();
    }
    case ItemKind::Sum:
        return m_state.sums.value(&item).value();
    case ItemKind::System:
        switch (item.system) {
        case SystemValue::PrintDateTime:
            return m_state.printTime;
        case SystemValue::PageNumber:
            return m_state.pageNumber;
        case SystemValue::PageCount:
            return m_state.pageCount;
        }
        return {};
    case ItemKind::Calc:
    case ItemKind::Line:
        return {};
    }
    return {};
}

QString BandWriter::textOf(const Item &item, const QVariant &value) const
{
    if (item.kind == ItemKind::Label)
        return item.text;
    if (item.kind == ItemKind::System && item.system == SystemValue::PrintDateTime)
        return values::display::formatDateTime(item.format.isEmpty() ? QStringLiteral("dd.mm.yyyy hh:nn") : item.format, value.toDateTime());
    return valueText(value, item.format, m_state.sep);
}

// A text is cut where it leaves its box, or the printable area when it has no width of its own:
// it never runs over its neighbours or off the paper.
QString BandWriter::clipped(const Item &item, const QString &text, double x)
{
    if (item.wordWrap)
        return text;
    const double left = x + item.left;
    if (item.width > 0)
        return m_state.metrics.clipped(item.font, text, item.width, item.align);
    const PageSetup &page = m_state.tmpl.page;
    return m_state.metrics.clipped(item.font, text, page.width - page.marginRight - left, Align::Left);
}

// Wrapped texts take the height their lines need. One that needs more than its box pushes
// every item below that box down by as much, and the band grows with it.
double BandWriter::growWithWrappedTexts(const Band &band, const std::vector<QString> &texts, const std::vector<char> &shown,
                                        std::vector<double> &wrappedHeight, std::vector<double> &shift)
{
    constexpr double epsilon = 1e-6;
    double growth = 0;
    for (size_t i = 0; i < band.items.size(); ++i) {
        const Item &item = band.items[i];
        if (!shown[i] || !item.wordWrap)
            continue;
        wrappedHeight[i] = m_state.metrics.wrappedHeightMm(item.font, item.width, texts[i]);
        const double box = item.height > 0 ? item.height : m_state.metrics.lineHeightMm(item.font);
        const double grown = wrappedHeight[i] - box;
        if (grown <= epsilon)
            continue;
        growth += grown;
        for (size_t k = 0; k < band.items.size(); ++k)
            if (band.items[k].top >= item.top + box - epsilon)
                shift[k] += grown;
    }
    double height = band.height + growth;
    for (size_t i = 0; i < band.items.size(); ++i)
        if (shown[i] && band.items[i].wordWrap)
            height = std::max(height, band.items[i].top + shift[i] + wrappedHeight[i]);
    return height;
}

double BandWriter::write(const Band &band, const QString &bandName, double x, double y)
{
    ScriptScope *scripts = m_state.scripts.get();
    if (scripts && !band.beforePrint.isEmpty())
        scripts->evaluate(band.beforePrint, bandName);

    const size_t count = band.items.size();
    std::vector<QString> texts(count);
    for (size_t i = 0; i < count; ++i) {
        const Item &item = band.items[i];
        if (item.kind == ItemKind::Calc || item.kind == ItemKind::Line)
            continue;
        const QVariant value = itemValue(item);
        texts[i] = textOf(item, value);
        if (scripts && !item.name.isEmpty() && !m_state.pipelines.find(item.name))
            scripts->setVariable(item.name, value);
    }
    if (scripts) {
        for (size_t i : calculationSequence(band)) {
            const Item &item = band.items[i];
            const QJSValue result = scripts->evaluate(item.expression, itemContext(bandName, item, i));
            texts[i] = valueText(jsToVariant(result), item.format, m_state.sep);
            if (!item.name.isEmpty() && !m_state.pipelines.find(item.name))
                scripts->setVariable(item.name, result);
        }
    }

    std::vector<char> shown(count);
    for (size_t i = 0; i < count; ++i) {
        const Item &item = band.items[i];
        bool visible = item.visible;
        if (scripts) {
            if (!item.name.isEmpty())
                visible = scripts->bridge().visibility(item.name).value_or(visible);
            if (!item.visibleIf.isEmpty())
                visible = scripts->isTrue(item.visibleIf, itemContext(bandName, item, i) + QStringLiteral(" (visibility)"));
        }
        if (visible && item.suppressRepeated) {
            auto last = m_state.lastShown.find(&item);
            if (last != m_state.lastShown.end() && *last == texts[i])
                visible = false;
            else
                m_state.lastShown.insert(&item, texts[i]);
        }
        shown[i] = visible;
    }
    std::vector<double> wrappedHeight(count);
    std::vector<double> shift(count);
    const double height = growWithWrappedTexts(band, texts, shown, wrappedHeight, shift);

    Page &page = m_state.pages.back();
    for (size_t i = 0; i < count; ++i) {
        if (!shown[i])
            continue;
        const Item &item = band.items[i];
        const double top = y + item.top + shift[i];
        if (item.kind == ItemKind::Line) {
            const QPointF from(x + item.left, top);
            const QPointF to = item.vertical ? from + QPointF(0, item.height) : from + QPointF(item.width, 0);
            page.primitives.emplace_back(LinePrimitive{from, to, item.weightPt});
            continue;
        }
        if (texts[i].isEmpty() && !(item.kind == ItemKind::System && item.system == SystemValue::PageCount))
            continue;
        const double h = item.wordWrap ? std::max(item.height, wrappedHeight[i]) : item.height;
        if (item.kind == ItemKind::System && item.system == SystemValue::PageCount)
            m_state.pageCountTexts.emplace_back(m_state.pages.size() - 1, page.primitives.size());
        page.primitives.emplace_back(
            TextPrimitive{QRectF(x + item.left, top, item.width, h), clipped(item, texts[i], x), item.font, item.align, item.wordWrap});
    }
    return height;
}

} // namespace report
