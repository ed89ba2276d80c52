#include "invoicing/StoredInvoiceReport.h"

#include "einvoice/CiiReader.h"
#include "invoicing/RechnungsReport.h"

#include <memory>

namespace invoicing {

namespace {

using report::TablePipeline;

std::unique_ptr<TablePipeline> oneRow(const QStringList &fields, const QVariantList &values)
{
    auto p = std::make_unique<TablePipeline>(fields);
    p->addRow(values);
    return p;
}

} // namespace

report::PreparedReport StoredInvoiceReport(const QString &templatePath, const einvoice::Invoice &inv,
                                               const invoiceregister::ListHeader &header)
{
    report::PreparedReport r(templatePath);
    const einvoice::Seller &s = inv.seller;
    const einvoice::Buyer &b = inv.buyer;
    // The document names the seller once and keeps the IBAN, not the old account number.
    const QStringList firmaFields{"Firma", "Name1", "Strasse", "Plz", "Ort", "MwSt", "FASatz", "BLZ", "KTO", "Bank", "SteuerNr", "IBAN", "BIC"};
    const QVariantList firma{s.displayName(), QString(), s.street, s.postcode, s.city, inv.vatRate, inv.levyRate, QString(),
                             QString(),       QString(), s.taxNumber, s.iban, s.bic};
    r.addPipeline(QStringLiteral("dbFirma"), oneRow(firmaFields, firma));
    r.addPipeline(QStringLiteral("Firma"), oneRow(firmaFields, firma));

    const QString land = b.country == einvoice::UnnamedCountry ? QString() : b.country;
    r.addPipeline(QStringLiteral("dbKunden"),
                  oneRow({"FIRMA", "VORNAME", "NAME", "STRASSE", "LAND", "PLZ", "ORT", "SKONTO", "SKONTOTAGE", "NETTOTAGE"},
                         {b.company, b.firstName, b.lastName, b.street, land, b.postcode, b.city, inv.terms.cashDiscountPercent,
                          inv.terms.cashDiscountDays, inv.terms.netDays}));

    auto lines = std::make_unique<TablePipeline>(QStringList{"GUETEKLASSE", "STAERKEKLASSE", "VOLUMEN", "PREIS", "SUMME"});
    for (const einvoice::InvoiceLine &l : inv.lines)
        lines->addRow({l.qualityClass, l.diameterClass, l.volume, l.price, l.amount});
    r.addPipeline(QStringLiteral("dbDorvdaten"), std::move(lines));

    r.addPipeline(QStringLiteral("dbZusatzdaten"), oneRow({"ABTEILUNG", "BAUMART", "SORTE", "GESCHAELT", "GERUECKT"},
                                                          {header.department, header.species, header.assortment, header.peeled,
                                                           header.skidded}));
    r.addPipeline(QStringLiteral("dbRechnungsdaten"), oneRow({"RECHNUNGSNR"}, {inv.number}));
    r.addPipeline(QStringLiteral("dbRechnungswerte"), std::make_unique<TablePipeline>(rechnungswerte(inv)));
    r.report().setPrintDateTime(QDateTime(inv.invoiceDate, QTime(12, 0)));
    return r;
}

} // namespace invoicing
