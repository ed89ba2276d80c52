#include "InvoicePrintout.h"

#include "invoicing/RechnungsReport.h"
#include "report/PagePainter.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

InvoicePrintout::InvoicePrintout(const einvoice::Invoice &inv)
    : m_firma({"Firma", "Name1", "Strasse", "Plz", "Ort", "MwSt", "FASatz", "BLZ", "KTO", "Bank", "SteuerNr"})
    , m_kunden({"FIRMA", "VORNAME", "NAME", "STRASSE", "LAND", "PLZ", "ORT", "SKONTO", "SKONTOTAGE", "NETTOTAGE"})
    , m_lines({"GUETEKLASSE", "STAERKEKLASSE", "VOLUMEN", "PREIS", "SUMME"})
    , m_zusatz({"ABTEILUNG", "BAUMART", "SORTE", "GESCHAELT", "GERUECKT"})
    , m_nummer({"RECHNUNGSNR"})
    , m_werte(invoicing::rechnungswerte(inv))
{
    const einvoice::Seller &s = inv.seller;
    const einvoice::Buyer &b = inv.buyer;
    m_firma.addRow({s.company, s.name, s.street, s.postcode, s.city, inv.vatRate, inv.levyRate, "12345678", "1234567890", "Musterbank",
                    s.taxNumber});
    m_kunden.addRow({b.company, b.firstName, b.lastName, b.street, b.country, b.postcode, b.city, inv.terms.cashDiscountPercent,
                     inv.terms.cashDiscountDays, inv.terms.netDays});
    for (const einvoice::InvoiceLine &l : inv.lines)
        m_lines.addRow({l.qualityClass, l.diameterClass, l.volume, l.price, l.amount});
    m_zusatz.addRow({"12 B", inv.species, "Stammholz", false, true});
    m_nummer.addRow({inv.number});

    m_report.setTemplateFileName(QStringLiteral(DORV_REPORT_DIR "/Rechnung.rtm"));
    m_report.loadFromFile();
    m_report.setPipeline(QStringLiteral("dbFirma"), &m_firma);
    m_report.setPipeline(QStringLiteral("Firma"), &m_firma);
    m_report.setPipeline(QStringLiteral("dbKunden"), &m_kunden);
    m_report.setPipeline(QStringLiteral("dbDorvdaten"), &m_lines);
    m_report.setPipeline(QStringLiteral("dbZusatzdaten"), &m_zusatz);
    m_report.setPipeline(QStringLiteral("dbRechnungsdaten"), &m_nummer);
    m_report.setPipeline(QStringLiteral("dbRechnungswerte"), &m_werte);
    m_report.setSeparators(data::display::Separators{u',', u'.'});
    m_report.setPrintDateTime(QDateTime(inv.invoiceDate, QTime(10, 0)));
    m_pages = m_report.layOut();
}

einvoice::PdfPages InvoicePrintout::pdfPages() const
{
    const report::PageSetup &setup = m_report.layout().page;
    return {static_cast<int>(m_pages.size()), QSizeF(setup.width, setup.height),
            [this](QPainter &painter, int index) { report::PagePainter::paint(painter, m_pages[static_cast<size_t>(index)]); }};
}

namespace {

// "1.234,56 EUR" in cents.
einvoice::Cents cents(const QString &printed)
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
