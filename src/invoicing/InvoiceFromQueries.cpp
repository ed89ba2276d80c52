#include "invoicing/InvoiceFromQueries.h"

#include "data/CompanyRow.h"
#include "data/DataModule.h"
#include "data/InvoiceColumns.h"
#include "values/CompanyColumns.h"
#include "values/ListColumns.h"

namespace invoicing {

namespace {

// The current record of a query as text, empty where the query is closed, empty or lacks the
// field.
class Record
{
public:
    explicit Record(const data::Dataset &ds) : m_ds(ds), m_present(ds.isOpen() && !ds.isEmpty()) {}

    QVariant value(const char *field) const
    {
        const QString name = QString::fromLatin1(field);
        return m_present && m_ds.hasField(name) ? m_ds.value(name) : QVariant();
    }
    QString text(const char *field) const { return value(field).toString().trimmed(); }
    double number(const char *field) const { return value(field).toDouble(); }

private:
    const data::Dataset &m_ds;
    bool m_present;
};

values::Buyer buyerFrom(const Record &kunde)
{
    namespace col = data::invoicecolumns;
    values::Buyer b;
    b.company = kunde.text("FIRMA");
    b.firstName = kunde.text("VORNAME");
    b.lastName = kunde.text("NAME");
    b.street = kunde.text("STRASSE");
    b.country = kunde.text("LAND");
    b.postcode = kunde.text("PLZ");
    b.city = kunde.text("ORT");
    b.email = kunde.text(col::EMail);
    b.vatId = kunde.text(col::KundeUStIdNr);
    b.buyerReference = kunde.text(col::Kaeuferreferenz);
    b.supplierNumber = kunde.text(col::LieferantenNr);
    return b;
}

} // namespace

einvoice::Invoice invoiceFromQueries(const TDMod &dmod, const InvoiceHeader &header)
{
    einvoice::Invoice inv;
    inv.number = header.number.trimmed();
    inv.invoiceDate = header.invoiceDate;
    inv.deliveryDate = header.deliveryDate;

    const Record firma(dmod.qryFirma);
    inv.seller = data::companyRow(dmod.qryFirma);
    inv.vatRate = firma.number(values::companycolumn::MwSt);
    inv.levyRate = firma.number(values::companycolumn::FaSatz);

    const Record kunde(dmod.qryKunden);
    inv.buyer = buyerFrom(kunde);
    inv.terms.netDays = kunde.value("NETTOTAGE").toInt();
    inv.terms.cashDiscountDays = kunde.value("SKONTOTAGE").toInt();
    inv.terms.cashDiscountPercent = kunde.number("SKONTO");

    inv.species = Record(dmod.qryDorvZusatz).text(values::headercolumn::Baumart);

    const data::Dataset &lines = dmod.qryRechnung;
    if (lines.isOpen()) {
        const int gk = lines.fieldIndex(values::listcolumn::Gueteklasse);
        const int sk = lines.fieldIndex(values::listcolumn::Staerkeklasse);
        const int volumen = lines.fieldIndex(values::listcolumn::Volumen);
        const int preis = lines.fieldIndex(QStringLiteral("PREIS"));
        const int summe = lines.fieldIndex(QStringLiteral("Summe"));
        for (int row = 0; row < lines.recordCount(); ++row)
            inv.lines.push_back({lines.value(row, gk).toString(), lines.value(row, sk).toString(), lines.value(row, volumen).toDouble(),
                                 lines.value(row, preis).toDouble(), lines.value(row, summe).toDouble()});
    }
    return inv;
}

values::ListHeader listHeaderFromQueries(const TDMod &dmod)
{
    const Record zusatz(dmod.qryDorvZusatz);
    namespace col = values::headercolumn;
    values::ListHeader header;
    header.department = zusatz.text(col::Abteilung);
    header.species = zusatz.text(col::Baumart);
    header.assortment = zusatz.text(col::Sorte);
    header.peeled = zusatz.value(col::Geschaelt).toBool();
    header.skidded = zusatz.value(col::Gerueckt).toBool();
    return header;
}

QString customerNumberFromQueries(const TDMod &dmod)
{
    return Record(dmod.qryKunden).text("NRKD");
}

} // namespace invoicing
