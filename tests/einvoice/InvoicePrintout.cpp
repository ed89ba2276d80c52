#include "InvoicePrintout.h"

#include "invoicing/RechnungsReport.h"
#include "report/PagePainter.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

InvoicePrintout::InvoicePrintout(const einvoice::Invoice &inv)
    : m_printout(invoicing::RechnungsReport(QStringLiteral(DORV_REPORT_DIR "/Rechnung.rtm"), inv,
                                            {.department = QStringLiteral("12 B"), .species = inv.species, .assortment = QStringLiteral("Stammholz"), .skidded = true}))
{
    m_printout.report().setSeparators(values::display::Separators{u',', u'.'});
    m_pages = m_printout.report().layOut();
}

einvoice::PdfPages InvoicePrintout::pdfPages() const
{
    const report::PageSetup &setup = m_printout.report().layout().page;
    return {static_cast<int>(m_pages.size()), QSizeF(setup.width, setup.height),
            [this](QPainter &painter, int index) { report::PagePainter::paint(painter, m_pages[static_cast<size_t>(index)]); }};
}

namespace {

// "1.234,56 EUR" in cents.
values::Cents cents(const QString &printed)
{
    static const QRegularExpression amount(QStringLiteral("^(-?[0-9.]+),([0-9]{2}) EUR$"));
    const auto m = amount.match(printed);
    if (!m.hasMatch())
        return -999999;
    return m.captured(1).remove(u'.').toLongLong() * 100 + m.captured(2).toLongLong();
}

} // namespace

InvoicePrintout::Figures InvoicePrintout::figures() const
{
    // The summary block is on the last page: its amounts stand in the amount column, right of the
    // label "Nettobetrag" on its line and below it, all ending where the net amount ends.
    std::vector<const report::TextPrimitive *> texts;
    for (const report::Primitive &p : m_pages.back().primitives) {
        if (const auto *t = std::get_if<report::TextPrimitive>(&p))
            texts.push_back(t);
    }
    Figures f;
    const auto label = std::find_if(texts.begin(), texts.end(), [](const auto *t) { return t->text == QStringLiteral("Nettobetrag"); });
    if (label == texts.end())
        return f;
    const double top = (*label)->rect.y() - 0.01;
    const auto net = std::find_if(texts.begin(), texts.end(), [&](const auto *t) {
        return std::fabs(t->rect.y() - (*label)->rect.y()) < 0.01 && t->rect.x() > (*label)->rect.right();
    });
    if (net == texts.end())
        return f;
    const double column = (*net)->rect.right();
    std::vector<const report::TextPrimitive *> amounts;
    for (const auto *t : texts) {
        if (std::fabs(t->rect.right() - column) < 0.01 && t->rect.y() >= top)
            amounts.push_back(t);
        if (t->text.startsWith(QStringLiteral("Vom Nettobetrag")))
            f.levySentence = t->text;
    }
    std::sort(amounts.begin(), amounts.end(), [](const auto *a, const auto *b) { return a->rect.y() < b->rect.y(); });
    const auto at = [&](size_t i) { return i < amounts.size() ? cents(amounts[i]->text) : -1; };
    f.net = at(0);
    f.vat = at(1);
    f.gross = at(2);
    if (amounts.size() >= 5) {
        f.cashDiscount = at(3);
        f.afterCashDiscount = at(4);
    }
    return f;
}
