#include "invoiceregister/RegisterCsv.h"

#include "einvoice/Numbers.h"

#include <QStringList>

namespace invoiceregister {

namespace {

const QString titleLine =
    QStringLiteral("Rechnungsnummer;Rechnungsdatum;Lieferdatum;Kundennummer;Kunde;Liste;Netto;MwSt-Satz;MwSt;Brutto;Art;Ausgestellt");

// A text field; quoted (quotes doubled) when it holds a separator, a quote or a line break.
QString field(const QString &text)
{
    if (!(text.contains(u';') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QChar(u'"') + quoted + QChar(u'"');
}

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
            field(e->number),
            date(e->invoiceDate),
            date(e->deliveryDate),
            field(e->customerNumber),
            field(e->customerName),
            field(e->listName),
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
