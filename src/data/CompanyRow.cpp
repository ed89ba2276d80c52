#include "data/CompanyRow.h"

#include "data/Dataset.h"
#include "values/CompanyColumns.h"

namespace data {

values::Seller companyRow(const Dataset &firma)
{
    namespace col = values::companycolumn;
    const bool present = firma.isOpen() && !firma.isEmpty();
    const auto text = [&](const char *field) {
        const QString name = QString::fromLatin1(field);
        return present && firma.hasField(name) ? firma.value(name).toString().trimmed() : QString();
    };
    values::Seller s;
    s.company = text(col::Firma);
    s.name1 = text(col::Name1);
    s.street = text(col::Strasse);
    s.postcode = text(col::Plz);
    s.city = text(col::Ort);
    s.country = text(col::Land).toUpper();
    s.phone = text(col::Telefon);
    s.email = text(col::EMail);
    s.contactPerson = text(col::Ansprechpartner);
    s.taxNumber = text(col::SteuerNr);
    s.vatId = text(col::UStIdNr);
    s.iban = text(col::Iban);
    s.bic = text(col::Bic);
    s.vatExemption = text(col::Steuerbefreiung);
    s.averageRate = text(col::Durchschnittssatz) == QLatin1String(col::Ja);
    s.salesTerms = text(col::Verkaufsbedingungen);
    s.bank = text(col::Bank);
    s.bankCode = text(col::Blz);
    s.accountNumber = text(col::Kto);
    return s;
}

} // namespace data
