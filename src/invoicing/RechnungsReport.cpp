#include "invoicing/RechnungsReport.h"

#include "data/DataModule.h"
#include "einvoice/InvoiceTexts.h"
#include "einvoice/Totals.h"
#include "report/DatasetPipeline.h"

namespace invoicing {

namespace {

using report::DatasetPipeline;
using Range = DatasetPipeline::Range;

// The customer columns the invoice reads; offered empty when no customer has been looked up
// yet, so that the address prints empty instead of the print failing.
report::TablePipeline keinKunde()
{
    return report::TablePipeline({QStringLiteral("ID"), QStringLiteral("NRKD"), QStringLiteral("SUCHNAME"), QStringLiteral("FIRMA"),
                                  QStringLiteral("VORNAME"), QStringLiteral("NAME"), QStringLiteral("STRASSE"), QStringLiteral("LAND"),
                                  QStringLiteral("PLZ"), QStringLiteral("ORT"), QStringLiteral("SKONTO"), QStringLiteral("SKONTOTAGE"),
                                  QStringLiteral("NETTOTAGE")});
}

QVariant day(const QDate &date)
{
    return date.isValid() ? QVariant(date.startOfDay()) : QVariant();
}

} // namespace

report::TablePipeline rechnungswerte(const einvoice::Invoice &invoice)
{
    const einvoice::Totals t = einvoice::invoiceTotals(invoice);
    report::TablePipeline p({QStringLiteral("RECHNUNGSDATUM"), QStringLiteral("LIEFERDATUM"), QStringLiteral("NETTO"),
                             QStringLiteral("MWST"), QStringLiteral("BRUTTO"), QStringLiteral("SKONTOBETRAG"),
                             QStringLiteral("NACHSKONTO"), QStringLiteral("ABGABE"), QStringLiteral("ABGABETEXT")});
    using einvoice::toAmount;
    p.addRow({day(invoice.invoiceDate), day(invoice.deliveryDate), toAmount(t.net), toAmount(t.vat), toAmount(t.gross),
              toAmount(t.cashDiscount), toAmount(t.afterCashDiscount), toAmount(t.levy),
              einvoice::levySentence(invoice.levyRate, t.levy)});
    return p;
}

report::PreparedReport RechnungsReport(const QString &templatePath, TDMod &dmod, const data::Dataset &rechnungsdaten,
                                           const einvoice::Invoice &invoice)
{
    report::PreparedReport r(templatePath);
    r.addPipeline(QStringLiteral("dbFirma"), dmod.qryFirma, Range::CurrentRecord);
    if (dmod.qryKunden.fieldCount() > 0)
        r.addPipeline(QStringLiteral("dbKunden"), dmod.qryKunden, Range::CurrentRecord);
    else
        r.addPipeline(QStringLiteral("dbKunden"), std::make_unique<report::TablePipeline>(keinKunde()));
    r.addPipeline(QStringLiteral("dbDorvdaten"), dmod.qryRechnung, Range::AllRows);
    r.addPipeline(QStringLiteral("dbZusatzdaten"), dmod.qryDorvZusatz, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("dbRechnungsdaten"), rechnungsdaten, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("Firma"), dmod.qryFirma, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("dbRechnungswerte"), std::make_unique<report::TablePipeline>(rechnungswerte(invoice)));
    return r;
}

} // namespace invoicing
