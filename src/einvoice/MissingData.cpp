#include "einvoice/MissingData.h"

#include "values/Country.h"
#include "values/Iban.h"

namespace einvoice {

namespace {

bool blank(const QString &s)
{
    return s.trimmed().isEmpty();
}

} // namespace

QStringList missingData(const Invoice &invoice)
{
    const values::Seller &s = invoice.seller;
    const values::Buyer &b = invoice.buyer;
    const bool xrechnung = invoice.profile == Profile::XRechnung;
    QStringList missing;
    const auto need = [&missing](bool lacking, const char *what) {
        if (lacking)
            missing << QString::fromUtf8(what);
    };

    need(blank(invoice.number), "Rechnungsnummer");
    need(!invoice.invoiceDate.isValid(), "Rechnungsdatum");
    need(!invoice.deliveryDate.isValid(), "Lieferdatum");
    need(invoice.lines.empty(), "Rechnungspositionen");

    need(blank(s.displayName()), "Name der Firma");
    need(xrechnung && blank(s.postcode), "Plz der Firma");
    need(xrechnung && blank(s.city), "Ort der Firma");
    need(values::countryCode(s.country, QString()).isEmpty(), "Land der Firma");
    need(blank(s.iban), "IBAN der Firma");
    need(!blank(s.iban) && !values::ibanIsValid(s.iban), "gültige IBAN der Firma");
    // A seller is identified by a VAT ID or an identifier the buyer knows it by.
    need(blank(s.vatId) && blank(b.supplierNumber), "USt-IdNr oder Lieferanten-Nr");
    // Whoever charges VAT, or states why not, names the tax number or the VAT ID.
    need(blank(s.vatId) && blank(s.taxNumber), "Steuernummer oder USt-IdNr der Firma");
    need(invoice.vatRate == 0 && blank(s.vatExemption), "Steuerbefreiung der Firma");
    need(xrechnung && blank(s.contactPerson), "Ansprechpartner der Firma");
    need(xrechnung && blank(s.phone), "Telefon der Firma");
    need(xrechnung && blank(s.email), "E-Mail der Firma");

    need(blank(b.displayName()), "Name des Kunden");
    need(xrechnung && blank(b.postcode), "Plz des Kunden");
    need(xrechnung && blank(b.city), "Ort des Kunden");
    need(values::countryCode(b.country, values::countryCode(s.country, QString())).isEmpty() && !blank(b.country), "Land des Kunden");
    need(xrechnung && blank(b.email), "E-Mail des Kunden");
    need(xrechnung && blank(b.buyerReference), "Käuferreferenz (Leitweg-ID)");
    return missing;
}

QString missingDataMessage(const Invoice &invoice)
{
    const QStringList missing = missingData(invoice);
    if (missing.isEmpty())
        return {};
    return QStringLiteral("Für die E-Rechnung fehlen: ") + missing.join(QStringLiteral(", ")) + u'.';
}

} // namespace einvoice
