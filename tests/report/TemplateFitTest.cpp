// The shipped templates filled with the longest texts their columns allow and the largest
// figures a list of 100,000 logs gives: every figure prints whole, and no text runs over
// another or off the paper.
#include "ListData.h"
#include "report/Dump.h"
#include "report/FontMetrics.h"
#include "report/Report.h"

#include <gtest/gtest.h>

using report::TablePipeline;

namespace {

// The widest letter, as often as the column takes.
QString longest(int length)
{
    return QString(length, u'W');
}

// Loads a shipped template, printed with German separators on 8 November 2024.
void loadTemplate(report::Report &r, const char *file)
{
    r.setTemplateFileName(QStringLiteral(DORV_REPORT_DIR "/") + QString::fromLatin1(file));
    r.loadFromFile();
    r.setSeparators({u',', u'.'});
    r.setPrintDateTime(QDateTime(QDate(2024, 11, 8), QTime(9, 5)));
}

// Where a text is drawn on the paper: wrapped texts fill their box, others take their own
// width, placed in the box by their alignment. Blanks at either end draw nothing.
QRectF drawnRect(const report::TextPrimitive &t, report::FontMetrics &metrics)
{
    if (t.wordWrap)
        return {t.rect.topLeft(), QSizeF(t.rect.width(), metrics.wrappedHeightMm(t.font, t.rect.width(), t.text))};
    const double width = metrics.widthMm(t.font, t.text);
    double left = t.rect.left();
    if (t.rect.width() > 0 && t.align == report::Align::Right)
        left = t.rect.right() - width;
    else if (t.rect.width() > 0 && t.align == report::Align::Center)
        left = t.rect.left() + (t.rect.width() - width) / 2;
    const QString ink = t.text.trimmed();
    const qsizetype leading = ink.isEmpty() ? 0 : t.text.indexOf(ink);
    left += metrics.widthMm(t.font, t.text.left(leading));
    return {QPointF(left, t.rect.top()), QSizeF(metrics.widthMm(t.font, ink), metrics.lineHeightMm(t.font))};
}

// Fails for every text drawn beyond the paper and for every two texts drawn over each other.
void expectEveryTextInItsOwnPlace(const std::vector<report::Page> &pages, const char *file)
{
    report::FontMetrics metrics;
    constexpr double tolerance = 0.1; // mm; touching lines of text are no overlap
    for (size_t p = 0; p < pages.size(); ++p) {
        std::vector<std::pair<QRectF, QString>> drawn;
        for (const report::Primitive &primitive : pages[p].primitives)
            if (const auto *t = std::get_if<report::TextPrimitive>(&primitive))
                drawn.emplace_back(drawnRect(*t, metrics), t->text);
        const QRectF paper(0, 0, pages[p].widthMm, pages[p].heightMm);
        for (size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_TRUE(paper.contains(drawn[i].first)) << file << " page " << p + 1 << ": off the paper: " << drawn[i].second.toStdString();
            for (size_t j = i + 1; j < drawn.size(); ++j) {
                const QRectF both = drawn[i].first.intersected(drawn[j].first);
                EXPECT_FALSE(both.width() > tolerance && both.height() > tolerance)
                    << file << " page " << p + 1 << ": \"" << drawn[i].second.toStdString() << "\" runs over \""
                    << drawn[j].second.toStdString() << "\"";
            }
        }
    }
}

void expectWhole(const QString &dump, const QStringList &figures, const char *file)
{
    for (const QString &figure : figures)
        EXPECT_TRUE(dump.contains(u'"' + figure + u'"')) << file << ": " << figure.toStdString() << " is not printed whole";
}

// A list of 100,000 logs whose header and company fill every column to its length.
struct LongestList
{
    TablePipeline logs{{"ID", "LAENGE", "DURCHMEIN", "DURCHMEFF", "GUETEKLASSE", "VOLUMEN", "STAERKEKLASSE"}};
    TablePipeline zusatz{{"ID", "OFFSET", "ABTEILUNG", "BAUMART", "SORTE", "ZUSATZTEXT", "GESCHAELT", "GERUECKT"}};
    TablePipeline firma{{"ID", "Firma", "Name1", "Name2", "Strasse", "Plz", "Ort", "Telefon", "Fax", "EMail", "BLZ", "KTO", "Bank",
                         "SteuerNr", "MwSt", "FASatz"}};
    TablePipeline gesVol = listdata::gesVol(100000, 1065999.99);
    TablePipeline gewLaenge = listdata::gewLaenge(39);
    TablePipeline zusZusatz = listdata::zusZusatz(39, 61, 10.66);
    TablePipeline summary{{"Menge", "Volumen", "Staerkeklasse", "Gueteklasse"}};

    LongestList()
    {
        for (int id = 1; id <= 100000; ++id)
            logs.addRow({id, 39, 61, 61, "Cgw", 10.66, "1b2"});
        zusatz.addRow({1, longest(18), longest(50), longest(50), longest(50), longest(100), true, true});
        firma.addRow({1, longest(40), longest(40), longest(40), longest(50), longest(7), longest(40), longest(25), longest(25),
                      longest(50), longest(8), longest(10), longest(50), longest(15), 99.99, 99.99});
        summary.addRow({100000, 1065999.99, "1b2", "B"});
        summary.addRow({99999, 1065999.98, "1b2", "C"});
        summary.addRow({99998, 1065999.97, "1b2", "Cgw"});
    }

    void printWith(report::Report &r, const char *file) const
    {
        loadTemplate(r, file);
        r.setPipeline("Dorvliste", &logs);
        r.setPipeline("Zusatzdaten", &zusatz);
        r.setPipeline("Firma", &firma);
        r.setPipeline("gesVol", &gesVol);
        r.setPipeline("GewLaenge", &gewLaenge);
        r.setPipeline("ZusZusatz", &zusZusatz);
        r.setPipeline("Zusammenfassung", &summary);
    }
};

TEST(TemplateFit, LogListWithTheLongestValues)
{
    LongestList list;
    report::Report r;
    list.printWith(r, "Dorvliste.rtm");
    const std::vector<report::Page> pages = r.layOut();
    ASSERT_EQ(pages.size(), 1064u);
    // The first page, and the last with the widest page numbers.
    expectEveryTextInItsOwnPlace({pages.front(), pages.back()}, "Dorvliste.rtm");
    const QString last = report::dumpPages({pages.back()});
    EXPECT_EQ(last.count(QStringLiteral("\"100000\"")), 2) << "the last log's number and the number of logs";
    EXPECT_EQ(last.count(QStringLiteral("\"1064\"")), 2) << "page 1064 of 1064";
    expectWhole(last,
                {"1.065.999,99 FM", "39,00", "39", "61", "Cgw", "10,66 FM", "1b2", "Nr", "Lng (m)", "Ø (cm)", "Ø-eff (cm)", "GK",
                 "Vol (FM)", "Stkl.", "Abteilung:", "Sorte:", "Baumart:", "Zusatztext:", "Anzahl:", "Ges. Vol.:", "gew. Länge:",
                 "geschält", "gerückt", "Listenname:", longest(18), "Druckdatum:", "08.11.2024 09:05", "Seite:"},
                "Dorvliste.rtm");
}

TEST(TemplateFit, SummaryWithTheLongestValues)
{
    LongestList list;
    report::Report r;
    list.printWith(r, "Zusammenfassung.rtm");
    expectEveryTextInItsOwnPlace(r.layOut(), "Zusammenfassung.rtm");
    expectWhole(r.dump(),
                {"100000", "1065999,99", "99999", "1065999,98", "99998", "1065999,97", "1b2", "Cgw", "1.065.999,99 FM", "39,00",
                 "39,00 m", "61,00 cm", "10,66 FM", "GK:", "Stkl.", "Anzahl", "FM", "Summe:", "Ges. Anzahl:", "Ges. Volumen:",
                 "gewogene Länge:", " - Länge:", " - Durchmesser:", " - Volumen:", "Telefon:", "Telefax:", "eMail:", "Abteilung:",
                 "Baumart:", "Sorte:", "geschält:", "gerückt:"},
                "Zusammenfassung.rtm");
}

TEST(TemplateFit, InvoiceWithTheLongestValues)
{
    // The whole list in one line at a price of 9.999,99 EUR per FM.
    TablePipeline firma({"Firma", "Name1", "Strasse", "Plz", "Ort", "MwSt", "FASatz", "BLZ", "KTO", "Bank"});
    firma.addRow({longest(40), longest(40), longest(50), longest(7), longest(40), 19.0, 99.99, longest(8), longest(10), longest(50)});
    TablePipeline kunden({"FIRMA", "VORNAME", "NAME", "STRASSE", "LAND", "PLZ", "ORT", "SKONTO", "SKONTOTAGE", "NETTOTAGE"});
    kunden.addRow({longest(30), longest(30), longest(30), longest(40), longest(3), longest(5), longest(30), 3.0, 999, 999});
    TablePipeline lines({"GUETEKLASSE", "STAERKEKLASSE", "VOLUMEN", "PREIS", "Summe"});
    lines.addRow({"Cgw", "1b2", 1065999.99, 9999.99, 10659989240.0});
    TablePipeline zusatz({"ABTEILUNG", "BAUMART", "SORTE", "GESCHAELT", "GERUECKT"});
    zusatz.addRow({longest(50), longest(50), longest(50), false, false});
    TablePipeline rechnungsdaten({"RECHNUNGSNR"});
    rechnungsdaten.addRow({longest(20)});
    TablePipeline steuerNr({"SteuerNr"});
    steuerNr.addRow({longest(15)});
    // The page's texts as the invoice report words them, each as long as it gets: the longest
    // title, the bank line with the longest bank name and IBAN, the details with a long
    // Leitweg-ID and the longest supplier number of digits.
    TablePipeline werte({"RECHNUNGSDATUM", "LIEFERDATUM", "NETTO", "MWST", "BRUTTO", "SKONTOBETRAG", "NACHSKONTO", "ABGABE", "ABGABETEXT",
                         "TITEL", "EINLEITUNG", "MWSTTEXT", "BEDINGUNGEN", "BANKVERBINDUNG", "STEUERNUMMERN", "ANGABE1", "WERT1",
                         "ANGABE2", "WERT2", "ANGABE3", "WERT3", "ANGABE4", "WERT4", "ANGABE5", "WERT5"});
    werte.addRow({QDate(2024, 11, 8).startOfDay(), QDate(2024, 12, 28).startOfDay(), 10659989240.0, 2025397955.6, 12685387195.6,
                  380561615.87, 12304825579.73, 10658923241.08,
                  QString::fromUtf8("Vom Nettobetrag sind 99,99 % FA = 10.658.923.241,08  EUR abzuziehen und vom Holzkäufer abzuführen"),
                  "S T O R N O R E C H N U N G", "Storno zur Rechnung Nr. " + longest(20) + " vom 08.11.2024",
                  QString::fromUtf8("+ 99,99 % Durchschnittssatz nach § 24 UStG"), QStringLiteral("WWWWWWWWW ").repeated(25),
                  longest(50) + " IBAN DE89 3704 0044 0532 0130 0012 3456 78 BIC COBADEFFXXX",
                  "Steuer-Nr " + longest(15) + "   USt-IdNr. " + longest(20), "Rechnungsdatum:", "08.11.2024", "Lieferdatum:", "28.12.2024",
                  "Ihre Referenz:", "04011000-1234512345-06", "Unsere Lieferanten-Nr.:", "12345678901234567890", "Ihre USt-IdNr.:",
                  "DE123456789"});

    report::Report r;
    loadTemplate(r, "Rechnung.rtm");
    r.setPipeline("dbFirma", &firma);
    r.setPipeline("dbKunden", &kunden);
    r.setPipeline("dbDorvdaten", &lines);
    r.setPipeline("dbZusatzdaten", &zusatz);
    r.setPipeline("dbRechnungsdaten", &rechnungsdaten);
    r.setPipeline("Firma", &steuerNr);
    r.setPipeline("dbRechnungswerte", &werte);
    expectEveryTextInItsOwnPlace(r.layOut(), "Rechnung.rtm");
    expectWhole(r.dump(),
                {longest(20), "Nr:", "08.11.2024", "1.065.999,99 FM", "9.999,99 EUR",
                 "10.659.989.240,00 EUR", "Nettobetrag", "2.025.397.955,60 EUR", "Rechnungsbetrag",
                 "12.685.387.195,60 EUR", "Zahlbar 999 Tage", "(04.08.2027)", "Bei Zahlung innerhalb 999 Tagen", "- 3,00 % Skonto",
                 "380.561.615,87 EUR", "12.304.825.579,73 EUR", "Güteklasse", "Stärkeklasse", "Menge", "Preis/FM", "Gesamtpreis",
                 "Abteilung:", "Baumart:", "Cgw", "1b2", "Lieferdatum:", "28.12.2024", "04011000-1234512345-06",
                 "Unsere Lieferanten-Nr.:", "12345678901234567890", "S T O R N O R E C H N U N G",
                 QString::fromUtf8("+ 99,99 % Durchschnittssatz nach § 24 UStG")},
                "Rechnung.rtm");
}

} // namespace
