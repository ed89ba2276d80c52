#include "invoicing/RechnungsReport.h"

#include "values/Country.h"
#include "einvoice/InvoiceTexts.h"
#include "einvoice/Totals.h"
#include "values/CompanyColumns.h"
#include "values/ListColumns.h"

#include <memory>

namespace invoicing {

namespace {

using report::TablePipeline;

constexpr int detailLines = 5; // ANGABE1..5 of the template

QVariant day(const QDate &date)
{
    return date.isValid() ? QVariant(date.startOfDay()) : QVariant();
}

std::unique_ptr<TablePipeline> oneRow(const QStringList &fields, const QVariantList &values)
{
    auto p = std::make_unique<TablePipeline>(fields);
    p->addRow(values);
    return p;
}

// The country before the customer's postcode: the ISO code of a foreign country; none at home,
// where the post needs none.
QString printedCountry(const einvoice::Invoice &inv)
{
    const QString sellerCountry = values::countryCode(inv.seller.country, QString());
    const QString code = values::countryCode(inv.buyer.country, sellerCountry);
    return code == sellerCountry ? QString() : code;
}

} // namespace

report::TablePipeline rechnungswerte(const einvoice::Invoice &invoice)
{
    const einvoice::Totals t = einvoice::invoiceTotals(invoice);
    QStringList fields{QStringLiteral("RECHNUNGSDATUM"), QStringLiteral("LIEFERDATUM"), QStringLiteral("NETTO"),
                       QStringLiteral("MWST"), QStringLiteral("BRUTTO"), QStringLiteral("SKONTOBETRAG"),
                       QStringLiteral("NACHSKONTO"), QStringLiteral("ABGABE"), QStringLiteral("ABGABETEXT"),
                       QStringLiteral("TITEL"), QStringLiteral("EINLEITUNG"), QStringLiteral("MWSTTEXT"),
                       QStringLiteral("BEDINGUNGEN"), QStringLiteral("BANKVERBINDUNG"), QStringLiteral("STEUERNUMMERN")};
    using values::toAmount;
    QVariantList values{day(invoice.invoiceDate), day(invoice.deliveryDate), toAmount(t.net), toAmount(t.vat), toAmount(t.gross),
                        toAmount(t.cashDiscount), toAmount(t.afterCashDiscount), toAmount(t.levy),
                        einvoice::levySentence(invoice.levyRate, t.levy), einvoice::pageTitle(invoice),
                        einvoice::introLine(invoice), einvoice::vatText(invoice.vatRate, invoice.seller.averageRate),
                        invoice.seller.salesTerms.trimmed(), einvoice::bankLine(invoice.seller),
                        einvoice::taxNumbersLine(invoice.seller)};
    const std::vector<einvoice::Detail> details = einvoice::pageDetails(invoice);
    for (int i = 0; i < detailLines; ++i) {
        const bool present = i < static_cast<int>(details.size());
        fields << QStringLiteral("ANGABE%1").arg(i + 1) << QStringLiteral("WERT%1").arg(i + 1);
        values << (present ? details[static_cast<size_t>(i)].label : QString())
               << (present ? details[static_cast<size_t>(i)].value : QString());
    }
    report::TablePipeline p(fields);
    p.addRow(values);
    return p;
}

report::PreparedReport RechnungsReport(const QString &templatePath, const einvoice::Invoice &inv,
                                       const values::ListHeader &header)
{
    report::PreparedReport r(templatePath);
    const values::Seller &s = inv.seller;
    const values::Buyer &b = inv.buyer;
    // The name that heads the letter, and the name line below it only beside a company name,
    // so that a page shown from the e-invoice document, which names the seller once, is the same.
    const bool sellerCompany = !s.company.trimmed().isEmpty();
    namespace firmacol = values::companycolumn;
    const QStringList firmaFields{firmacol::Firma, firmacol::Name1, firmacol::Strasse, firmacol::Plz,
                                  firmacol::Ort, firmacol::MwSt, firmacol::FaSatz, firmacol::SteuerNr};
    const QVariantList firma{s.displayName(), sellerCompany ? s.name1.trimmed() : QString(), s.street, s.postcode, s.city,
                             inv.vatRate, inv.levyRate, s.taxNumber};
    r.addPipeline(QStringLiteral("dbFirma"), oneRow(firmaFields, firma));
    r.addPipeline(QStringLiteral("Firma"), oneRow(firmaFields, firma));

    // The same for the customer: the name, and the person below a company.
    const bool buyerCompany = !b.company.trimmed().isEmpty();
    const einvoice::PaymentTerms terms = inv.isCancellation() ? einvoice::PaymentTerms{} : inv.terms;
    r.addPipeline(QStringLiteral("dbKunden"),
                  oneRow({"FIRMA", "VORNAME", "NAME", "STRASSE", "LAND", "PLZ", "ORT", "SKONTO", "SKONTOTAGE", "NETTOTAGE"},
                         {b.displayName(), buyerCompany ? b.firstName : QString(), buyerCompany ? b.lastName : QString(), b.street,
                          printedCountry(inv), b.postcode, b.city, terms.cashDiscountPercent, terms.cashDiscountDays,
                          terms.netDays}));

    namespace listcol = values::listcolumn;
    auto lines = std::make_unique<TablePipeline>(
        QStringList{listcol::Gueteklasse, listcol::Staerkeklasse, listcol::Volumen, "PREIS", "SUMME"});
    for (const einvoice::InvoiceLine &l : inv.lines)
        lines->addRow({l.qualityClass, l.diameterClass, l.volume, l.price, l.amount});
    r.addPipeline(QStringLiteral("dbDorvdaten"), std::move(lines));

    namespace headcol = values::headercolumn;
    r.addPipeline(QStringLiteral("dbZusatzdaten"),
                  oneRow({headcol::Abteilung, headcol::Baumart, headcol::Sorte, headcol::Geschaelt, headcol::Gerueckt},
                         {header.department, header.species, header.assortment, header.peeled, header.skidded}));
    r.addPipeline(QStringLiteral("dbRechnungsdaten"), oneRow({"RECHNUNGSNR"}, {inv.number}));
    r.addPipeline(QStringLiteral("dbRechnungswerte"), std::make_unique<TablePipeline>(rechnungswerte(inv)));
    r.report().setPrintDateTime(QDateTime(inv.invoiceDate, QTime(12, 0)));
    return r;
}

} // namespace invoicing
