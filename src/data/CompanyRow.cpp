#include "data/CompanyRow.h"

#include "data/Dataset.h"
#include "data/InvoiceColumns.h"

namespace data {

values::Seller companyRow(const Dataset &firma)
{
    const bool present = firma.isOpen() && !firma.isEmpty();
    const auto text = [&](const char *field) {
        const QString name = QString::fromLatin1(field);
        return present && firma.hasField(name) ? firma.value(name).toString().trimmed() : QString();
    };
    namespace col = invoicecolumns;
    values::Seller s;
    s.company = text("Firma");
    s.name1 = text("Name1");
    s.street = text("Strasse");
    s.postcode = text("Plz");
    s.city = text("Ort");
    s.country = text(col::Land).toUpper();
    s.phone = text("Telefon");
    s.email = text("EMail");
    s.contactPerson = text(col::Ansprechpartner);
    s.taxNumber = text("SteuerNr");
    s.vatId = text(col::UStIdNr);
    s.iban = text(col::Iban);
    s.bic = text(col::Bic);
    s.vatExemption = text(col::Steuerbefreiung);
    s.averageRate = text(col::Durchschnittssatz) == QLatin1String(col::Ja);
    s.salesTerms = text(col::Verkaufsbedingungen);
    s.bank = text("Bank");
    s.bankCode = text("BLZ");
    s.accountNumber = text("KTO");
    return s;
}

} // namespace data
