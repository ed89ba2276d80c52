#include "einvoice/InvoiceTexts.h"

#include "values/Iban.h"
#include "einvoice/Numbers.h"
#include "values/DisplayFormat.h"

#include <QStringList>

namespace einvoice {

namespace {

const values::display::Separators german{u',', u'.'};

QString germanDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

} // namespace

QString lineName(const QString &species, const InvoiceLine &line)
{
    QString name = QStringLiteral("Stammholz GK %1, Stärkeklasse %2").arg(line.qualityClass.trimmed(), line.diameterClass.trimmed());
    const QString s = species.trimmed();
    return s.isEmpty() ? name : s + u' ' + name;
}

QString paymentTermsText(const PaymentTerms &terms, Profile profile)
{
    QStringList lines;
    if (terms.netDays != 0)
        lines << QStringLiteral("Zahlbar %1 Tage").arg(terms.netDays);
    const QString discount = values::display::formatFloat(QStringLiteral("##0.00 % Skonto"), terms.cashDiscountPercent, german);
    if (terms.cashDiscountDays != 0)
        lines << QStringLiteral("Bei Zahlung innerhalb %1 Tagen - %2").arg(terms.cashDiscountDays).arg(discount);
    else if (terms.cashDiscountPercent != 0)
        lines << QStringLiteral("- ") + discount;
    QString text = lines.join(u'\n');
    if (profile == Profile::XRechnung && terms.cashDiscountDays > 0 && terms.cashDiscountPercent > 0) {
        if (!text.isEmpty())
            text += u'\n';
        text += QStringLiteral("#SKONTO#TAGE=%1#PROZENT=%2#\n").arg(terms.cashDiscountDays).arg(decimalText(terms.cashDiscountPercent, 2, 2));
    }
    return text;
}

QString levySentence(double levyRate, values::Cents levy)
{
    if (levyRate == 0)
        return {};
    return QStringLiteral("Vom Nettobetrag sind ") + values::display::formatFloat(QStringLiteral("##0.00 %"), levyRate, german) + QStringLiteral(" FA = ")
           + values::display::formatFloat(QStringLiteral("###,##0.00 "), values::toAmount(levy), german)
           + QStringLiteral(" EUR abzuziehen und vom Holzkäufer abzuführen");
}

QString vatText(double vatRate, bool averageRate)
{
    const QString rate = values::display::formatFloat(QStringLiteral("##0.00 %"), vatRate, german);
    return QStringLiteral("+ ") + rate + u' ' + (averageRate ? AverageRateNote : QStringLiteral("MwSt"));
}

QString groupedIban(const QString &iban)
{
    const QString compact = values::compactIban(iban);
    QStringList groups;
    for (qsizetype i = 0; i < compact.size(); i += 4)
        groups << compact.mid(i, 4);
    return groups.join(u' ');
}

QString bankLine(const values::Seller &seller)
{
    const QString bank = seller.bank.trimmed();
    if (!values::compactIban(seller.iban).isEmpty()) {
        QString line = bank.isEmpty() ? QString() : bank + u' ';
        line += QStringLiteral("IBAN ") + groupedIban(seller.iban);
        const QString bic = seller.bic.simplified().remove(u' ').toUpper();
        return bic.isEmpty() ? line : line + QStringLiteral(" BIC ") + bic;
    }
    if (!seller.accountNumber.trimmed().isEmpty())
        return bank + QStringLiteral(" (BLZ ") + seller.bankCode.trimmed() + QStringLiteral(") Kto. ") + seller.accountNumber.trimmed();
    return {};
}

QString taxNumbersLine(const values::Seller &seller)
{
    QString line = QStringLiteral("Steuer-Nr ") + seller.taxNumber.trimmed();
    if (!seller.vatId.trimmed().isEmpty())
        line += QStringLiteral("   USt-IdNr. ") + seller.vatId.trimmed();
    return line;
}

QString pageTitle(const Invoice &invoice)
{
    return invoice.isCancellation() ? QStringLiteral("S T O R N O R E C H N U N G") : QStringLiteral("R E C H N U N G");
}

QString introLine(const Invoice &invoice)
{
    if (!invoice.isCancellation())
        return QStringLiteral("Sie kauften von uns folgendes Stammholz:");
    QString line = QStringLiteral("Storno zur Rechnung Nr. ") + invoice.cancels.number.trimmed();
    if (invoice.cancels.date.isValid())
        line += QStringLiteral(" vom ") + germanDate(invoice.cancels.date);
    return line;
}

std::vector<Detail> pageDetails(const Invoice &invoice)
{
    std::vector<Detail> details;
    const auto add = [&details](const char *label, const QString &value) {
        if (!value.trimmed().isEmpty())
            details.push_back({QString::fromUtf8(label), value.trimmed()});
    };
    add("Rechnungsdatum:", germanDate(invoice.invoiceDate));
    add("Lieferdatum:", germanDate(invoice.deliveryDate));
    add("Ihre Referenz:", invoice.buyer.buyerReference);
    add("Unsere Lieferanten-Nr.:", invoice.buyer.supplierNumber);
    add("Ihre USt-IdNr.:", invoice.buyer.vatId);
    return details;
}

} // namespace einvoice
