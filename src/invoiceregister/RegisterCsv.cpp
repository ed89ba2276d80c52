#include "invoiceregister/RegisterCsv.h"

#include "einvoice/Numbers.h"
#include "export/CsvWriter.h"

#include <QStringList>

namespace invoiceregister {

namespace {

const QString titleLine =
    QStringLiteral("Rechnungsnummer;Rechnungsdatum;Lieferdatum;Kundennummer;Kunde;Liste;Netto;MwSt-Satz;MwSt;Brutto;Art;Ausgestellt");

QString germanDecimal(QString text)
{
    return text.replace(u'.', u',');
}

QString date(const QDate &d)
{
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

QByteArray registerCsv(const std::vector<const Entry *> &rows)
{
    QByteArray out("\xEF\xBB\xBF");
    out += titleLine.toUtf8();
    out += "\r\n";
    for (const Entry *e : rows) {
        if (e->copy)
            continue;
        const QStringList fields{
            exporting::csvField(e->number),
            date(e->invoiceDate),
            date(e->deliveryDate),
            exporting::csvField(e->customerNumber),
            exporting::csvField(e->customerName),
            exporting::csvField(e->listName),
            germanDecimal(einvoice::amountText(e->net)),
            germanDecimal(einvoice::decimalText(e->vatRate)),
            germanDecimal(einvoice::amountText(e->vat)),
            germanDecimal(einvoice::amountText(e->gross)),
            kindText(e->kind),
            e->issuedAt.toString(QStringLiteral("dd.MM.yyyy hh:mm")),
        };
        out += fields.join(u';').toUtf8();
        out += "\r\n";
    }
    return out;
}

} // namespace invoiceregister
