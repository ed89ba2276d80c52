#include "invoiceregister/Entry.h"

#include "einvoice/CiiWriter.h"

namespace invoiceregister {

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Print: return QStringLiteral("Druck");
    case Kind::Zugferd: return QStringLiteral("ZUGFeRD");
    case Kind::XRechnung: return QStringLiteral("XRechnung");
    case Kind::Cancellation: return QStringLiteral("Storno");
    }
    return {};
}

Kind kindOf(const QString &text)
{
    for (Kind k : {Kind::Zugferd, Kind::XRechnung, Kind::Cancellation}) {
        if (text == kindText(k))
            return k;
    }
    return Kind::Print;
}

PrintedSeller printedSellerOf(const values::Seller &seller)
{
    return {seller.name1, seller.bank, seller.bankCode, seller.accountNumber};
}

void restore(values::Seller &seller, const PrintedSeller &printed)
{
    seller.name1 = printed.name;
    seller.bank = printed.bank;
    seller.bankCode = printed.bankCode;
    seller.accountNumber = printed.accountNumber;
}

QString Entry::kindLabel() const
{
    return copy ? kindText(kind) + QStringLiteral(" (Kopie)") : kindText(kind);
}

einvoice::Profile Issue::profile() const
{
    return kind == Kind::XRechnung ? einvoice::Profile::XRechnung : einvoice::Profile::FacturX;
}

QByteArray Issue::xml() const
{
    einvoice::Invoice document = invoice;
    document.profile = profile();
    return einvoice::ciiXml(document);
}

} // namespace invoiceregister
