#include "einvoice/InvoiceTexts.h"

#include "data/DisplayFormat.h"
#include "einvoice/Numbers.h"

#include <QStringList>

namespace einvoice {

namespace {

const data::display::Separators german{u',', u'.'};

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
    const QString discount = data::display::formatFloat(QStringLiteral("##0.00 % Skonto"), terms.cashDiscountPercent, german);
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

QString levySentence(double levyRate, Cents levy)
{
    return QStringLiteral("Vom Nettobetrag sind ") + data::display::formatFloat(QStringLiteral("##0.00 %"), levyRate, german) + QStringLiteral(" FA = ")
           + data::display::formatFloat(QStringLiteral("###,##0.00 "), toAmount(levy), german)
           + QStringLiteral(" EUR abzuziehen und vom Dorvkäufer abzuführen");
}

} // namespace einvoice
