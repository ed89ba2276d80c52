#include "SampleInvoices.h"

#include "support/ExportSamples.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace samples {

double lineAmount(double volume, double price)
{
    return std::trunc(volume * price * 100 + 0.5) / 100;
}

values::Seller seller()
{
    // The firm the export tests write from, with what an invoice needs besides.
    const values::Seller firm = sampleCompany();
    values::Seller s;
    s.company = firm.company;
    s.name1 = firm.name1;
    s.street = firm.street;
    s.postcode = firm.postcode;
    s.city = firm.city;
    s.phone = QStringLiteral("02972 12345");
    s.email = QStringLiteral("info@forst-muster.de");
    s.contactPerson = QStringLiteral("Max Mustermann");
    s.taxNumber = QStringLiteral("12/345/67890");
    s.vatId = QStringLiteral("DE123456789");
    s.iban = QStringLiteral("DE89 3704 0044 0532 0130 00");
    s.bic = QStringLiteral("COBADEFFXXX");
    s.vatExemption = QStringLiteral("Kein Ausweis von Umsatzsteuer, da Kleinunternehmer gemäß § 19 UStG");
    return s;
}

values::Buyer buyer()
{
    values::Buyer b;
    b.company = QStringLiteral("Sägewerk Eiche");
    b.firstName = QStringLiteral("Anna");
    b.lastName = QStringLiteral("Holz");
    b.street = QStringLiteral("Am Hang 2");
    b.country = QStringLiteral("D");
    b.postcode = QStringLiteral("57392");
    b.city = QStringLiteral("Schmallenberg");
    b.email = QStringLiteral("einkauf@saegewerk-eiche.de");
    b.vatId = QStringLiteral("DE987654321");
    b.buyerReference = QStringLiteral("04011000-12345-67");
    return b;
}

einvoice::Invoice example(einvoice::Profile profile)
{
    einvoice::Invoice inv;
    inv.profile = profile;
    inv.number = QStringLiteral("2024/17");
    inv.invoiceDate = QDate(2024, 11, 8);
    inv.deliveryDate = QDate(2024, 11, 4);
    inv.seller = seller();
    inv.buyer = buyer();
    inv.species = QStringLiteral("Fichte");
    inv.lines = {{QStringLiteral("B"), QStringLiteral("2a"), 10.0, 50.0, lineAmount(10.0, 50.0)}};
    inv.vatRate = 16;
    inv.levyRate = 0.2;
    inv.terms = {14, 10, 2};
    return inv;
}

einvoice::Invoice thirtyLinesWithoutVat(einvoice::Profile profile)
{
    einvoice::Invoice inv = example(profile);
    inv.number = QStringLiteral("R-0815");
    inv.seller.vatId.clear();
    inv.buyer.supplierNumber = QStringLiteral("L-4711");
    inv.buyer.vatId.clear();
    inv.buyer.country.clear();
    inv.species = QStringLiteral("Kiefer");
    inv.vatRate = 0;
    inv.levyRate = 0;
    inv.terms = {30, 0, 0};
    const QStringList qualities{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("Cgw")};
    const QStringList diameters{QStringLiteral("0"), QStringLiteral("1a"), QStringLiteral("1b1"), QStringLiteral("1b2"), QStringLiteral("2a"),
                                QStringLiteral("2b"), QStringLiteral("3a"), QStringLiteral("3b"), QStringLiteral("4"), QStringLiteral("5")};
    inv.lines.clear();
    for (int i = 0; i < 30; ++i) {
        const double volume = 0.37 + i * 1.1317;   // four decimals, as summed log volumes
        const double price = 19.99 + i * 3.33;     // odd cents
        inv.lines.push_back({qualities[i / 10], diameters[i % 10], volume, price, lineAmount(volume, price)});
    }
    return inv;
}

QStringList valuesAt(const QByteArray &xml, const QString &path)
{
    const qsizetype at = path.indexOf(u'@');
    const QString attribute = at < 0 ? QString() : path.mid(at + 1);
    const QStringList wanted = (at < 0 ? path : path.left(at)).split(u'/', Qt::SkipEmptyParts);
    QStringList found;
    QStringList stack;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement()) {
            stack.removeLast();
            continue;
        }
        if (!r.isStartElement())
            continue;
        stack << r.name().toString();
        const bool matches = wanted.size() <= stack.size() && std::equal(wanted.begin(), wanted.end(), stack.end() - wanted.size());
        if (matches && !attribute.isEmpty()) {
            found << r.attributes().value(attribute).toString();
        } else if (matches) {
            found << r.readElementText(QXmlStreamReader::IncludeChildElements); // consumes the end element
            stack.removeLast();
        }
    }
    return found;
}

QString value(const QByteArray &xml, const QString &path)
{
    const QStringList all = valuesAt(xml, path);
    return all.isEmpty() ? QStringLiteral("<none>") : all.first();
}

} // namespace samples
