#include "einvoice/CiiWriter.h"

#include "values/Country.h"
#include "values/Iban.h"
#include "einvoice/InvoiceTexts.h"
#include "einvoice/Numbers.h"
#include "einvoice/Totals.h"

#include <QXmlStreamWriter>

namespace einvoice {

namespace {

const QString rsmNs = QStringLiteral("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
const QString ramNs = QStringLiteral("urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
const QString udtNs = QStringLiteral("urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");
const QString qdtNs = QStringLiteral("urn:un:unece:uncefact:data:standard:QualifiedDataType:100");

const QString en16931 = QStringLiteral("urn:cen.eu:en16931:2017");
const QString xrechnung30 = QStringLiteral("urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0");
const QString peppolBilling = QStringLiteral("urn:fdc:peppol.eu:2017:poacc:billing:01:1.0");

// Text as XML can carry it: control characters other than line break and tab are dropped.
QString clean(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 || c == u'\n' || c == u'\t')
            out.append(c);
    }
    return out;
}

bool blank(const QString &text)
{
    return clean(text).trimmed().isEmpty();
}

class Cii
{
public:
    Cii(const Invoice &invoice, QByteArray &out)
        : m_invoice(invoice)
        , m_totals(invoiceTotals(invoice))
        , m_sellerCountry(values::countryCode(invoice.seller.country, QString()))
        , m_exempt(invoice.vatRate == 0)
        , m_xml(&out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
    }

    void write()
    {
        m_xml.writeStartDocument();
        m_xml.writeNamespace(rsmNs, QStringLiteral("rsm"));
        m_xml.writeNamespace(ramNs, QStringLiteral("ram"));
        m_xml.writeNamespace(udtNs, QStringLiteral("udt"));
        m_xml.writeStartElement(rsmNs, QStringLiteral("CrossIndustryInvoice"));
        context();
        document();
        m_xml.writeStartElement(rsmNs, QStringLiteral("SupplyChainTradeTransaction"));
        for (std::size_t i = 0; i < m_invoice.lines.size(); ++i)
            line(static_cast<int>(i) + 1, m_invoice.lines[i]);
        agreement();
        delivery();
        settlement();
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
    }

private:
    void start(const char *name) { m_xml.writeStartElement(ramNs, QLatin1String(name)); }
    void end() { m_xml.writeEndElement(); }

    // An element with the text trimmed; nothing at all when the text is empty, since the rules
    // refuse empty elements.
    void text(const char *name, const QString &value, const char *schemeId = nullptr)
    {
        untrimmedText(name, clean(value).trimmed(), schemeId);
    }

    void untrimmedText(const char *name, const QString &value, const char *schemeId = nullptr)
    {
        if (blank(value))
            return;
        start(name);
        if (schemeId)
            m_xml.writeAttribute(QStringLiteral("schemeID"), QLatin1String(schemeId));
        m_xml.writeCharacters(clean(value));
        end();
    }

    void date(const char *name, const QDate &d)
    {
        start(name);
        m_xml.writeStartElement(udtNs, QStringLiteral("DateTimeString"));
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
        m_xml.writeCharacters(d.toString(QStringLiteral("yyyyMMdd")));
        m_xml.writeEndElement();
        end();
    }

    void amount(const char *name, values::Cents value, bool withCurrency = false)
    {
        start(name);
        if (withCurrency)
            m_xml.writeAttribute(QStringLiteral("currencyID"), QStringLiteral("EUR"));
        m_xml.writeCharacters(amountText(value));
        end();
    }

    void context()
    {
        m_xml.writeStartElement(rsmNs, QStringLiteral("ExchangedDocumentContext"));
        const bool xr = m_invoice.profile == Profile::XRechnung;
        if (xr) {
            start("BusinessProcessSpecifiedDocumentContextParameter");
            text("ID", peppolBilling);
            end();
        }
        start("GuidelineSpecifiedDocumentContextParameter");
        text("ID", xr ? xrechnung30 : en16931);
        end();
        m_xml.writeEndElement();
    }

    void document()
    {
        m_xml.writeStartElement(rsmNs, QStringLiteral("ExchangedDocument"));
        text("ID", m_invoice.number);
        // A commercial invoice, or the credit note that cancels one.
        text("TypeCode", m_invoice.isCancellation() ? QStringLiteral("381") : QStringLiteral("380"));
        date("IssueDateTime", m_invoice.invoiceDate);
        note(levySentence(m_invoice.levyRate, m_totals.levy));
        if (m_invoice.seller.averageRate)
            note(AverageRateNote);
        note(m_invoice.seller.salesTerms);
        m_xml.writeEndElement();
    }

    // A free text of the invoice, as the page prints it; nothing when it is empty.
    void note(const QString &content)
    {
        if (blank(content))
            return;
        start("IncludedNote");
        text("Content", content);
        end();
    }

    // Standard rate, or exempt with the reason the company states.
    QString vatCategory() const { return m_exempt ? QStringLiteral("E") : QStringLiteral("S"); }

    void line(int number, const InvoiceLine &l)
    {
        start("IncludedSupplyChainTradeLineItem");
        start("AssociatedDocumentLineDocument");
        text("LineID", QString::number(number));
        end();
        start("SpecifiedTradeProduct");
        text("Name", lineName(m_invoice.species, l));
        end();
        start("SpecifiedLineTradeAgreement");
        start("NetPriceProductTradePrice");
        text("ChargeAmount", decimalText(l.price));
        end();
        end();
        start("SpecifiedLineTradeDelivery");
        start("BilledQuantity");
        m_xml.writeAttribute(QStringLiteral("unitCode"), QStringLiteral("MTQ")); // solid cubic metre (FM)
        m_xml.writeCharacters(decimalText(l.volume));
        end();
        end();
        start("SpecifiedLineTradeSettlement");
        start("ApplicableTradeTax");
        text("TypeCode", QStringLiteral("VAT"));
        text("CategoryCode", vatCategory());
        text("RateApplicablePercent", decimalText(m_invoice.vatRate));
        end();
        start("SpecifiedTradeSettlementLineMonetarySummation");
        amount("LineTotalAmount", values::toCents(l.amount));
        end();
        end();
        end();
    }

    // Street, postcode, town and country; only what is filled in.
    void address(const QString &street, const QString &postcode, const QString &city, const QString &country)
    {
        start("PostalTradeAddress");
        text("PostcodeCode", postcode);
        text("LineOne", street);
        text("CityName", city);
        text("CountryID", country);
        end();
    }

    void contact(const QString &person, const QString &phone, const QString &email)
    {
        if (blank(person) && blank(phone) && blank(email))
            return;
        start("DefinedTradeContact");
        text("PersonName", person);
        if (!blank(phone)) {
            start("TelephoneUniversalCommunication");
            text("CompleteNumber", phone);
            end();
        }
        if (!blank(email)) {
            start("EmailURIUniversalCommunication");
            text("URIID", email);
            end();
        }
        end();
    }

    void electronicAddress(const QString &email)
    {
        if (blank(email))
            return;
        start("URIUniversalCommunication");
        text("URIID", email, "EM");
        end();
    }

    void taxRegistration(const QString &id, const char *scheme)
    {
        if (blank(id))
            return;
        start("SpecifiedTaxRegistration");
        text("ID", id, scheme);
        end();
    }

    void agreement()
    {
        const values::Seller &s = m_invoice.seller;
        const values::Buyer &b = m_invoice.buyer;
        start("ApplicableHeaderTradeAgreement");
        text("BuyerReference", b.buyerReference);

        start("SellerTradeParty");
        text("ID", b.supplierNumber); // how the buyer knows the seller
        text("Name", s.displayName());
        contact(s.contactPerson, s.phone, s.email);
        address(s.street, s.postcode, s.city, m_sellerCountry);
        electronicAddress(s.email);
        taxRegistration(s.taxNumber, "FC");
        taxRegistration(s.vatId, "VA");
        end();

        start("BuyerTradeParty");
        text("Name", b.displayName());
        if (!blank(b.company))
            contact(b.personName(), QString(), QString());
        address(b.street, b.postcode, b.city, values::countryCode(b.country, m_sellerCountry));
        electronicAddress(b.email);
        taxRegistration(b.vatId, "VA");
        end();
        end();
    }

    void delivery()
    {
        start("ApplicableHeaderTradeDelivery");
        start("ActualDeliverySupplyChainEvent");
        date("OccurrenceDateTime", m_invoice.deliveryDate);
        end();
        end();
    }

    void settlement()
    {
        const values::Seller &s = m_invoice.seller;
        start("ApplicableHeaderTradeSettlement");
        text("PaymentReference", m_invoice.number);
        text("InvoiceCurrencyCode", QStringLiteral("EUR"));

        start("SpecifiedTradeSettlementPaymentMeans");
        text("TypeCode", QStringLiteral("58")); // SEPA credit transfer
        start("PayeePartyCreditorFinancialAccount");
        text("IBANID", values::compactIban(s.iban));
        text("AccountName", s.displayName());
        end();
        if (!blank(s.bic)) {
            start("PayeeSpecifiedCreditorFinancialInstitution");
            text("BICID", s.bic.simplified().remove(u' ').toUpper());
            end();
        }
        end();

        start("ApplicableTradeTax");
        amount("CalculatedAmount", m_totals.vat);
        text("TypeCode", QStringLiteral("VAT"));
        if (m_exempt)
            text("ExemptionReason", s.vatExemption);
        amount("BasisAmount", m_totals.net);
        text("CategoryCode", vatCategory());
        text("RateApplicablePercent", decimalText(m_invoice.vatRate));
        end();

        // A credit note has no payment term and no cash discount.
        const PaymentTerms terms = m_invoice.isCancellation() ? PaymentTerms{} : m_invoice.terms;
        start("SpecifiedTradePaymentTerms");
        // The structured cash discount of an XRechnung must end with its line break.
        untrimmedText("Description", paymentTermsText(terms, m_invoice.profile));
        date("DueDateDateTime", m_invoice.invoiceDate.addDays(terms.netDays));
        end();

        start("SpecifiedTradeSettlementHeaderMonetarySummation");
        amount("LineTotalAmount", m_totals.net);
        amount("TaxBasisTotalAmount", m_totals.net);
        amount("TaxTotalAmount", m_totals.vat, true);
        amount("GrandTotalAmount", m_totals.gross);
        amount("DuePayableAmount", m_totals.gross);
        end();
        precedingInvoice();
        end();
    }

    // The invoice a cancellation cancels.
    void precedingInvoice()
    {
        const InvoiceReference &ref = m_invoice.cancels;
        if (blank(ref.number))
            return;
        start("InvoiceReferencedDocument");
        text("IssuerAssignedID", ref.number);
        if (ref.date.isValid()) {
            start("FormattedIssueDateTime");
            m_xml.writeNamespace(qdtNs, QStringLiteral("qdt"));
            m_xml.writeStartElement(qdtNs, QStringLiteral("DateTimeString"));
            m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
            m_xml.writeCharacters(ref.date.toString(QStringLiteral("yyyyMMdd")));
            m_xml.writeEndElement();
            end();
        }
        end();
    }

    const Invoice &m_invoice;
    const Totals m_totals;
    const QString m_sellerCountry;
    const bool m_exempt;
    QXmlStreamWriter m_xml;
};

} // namespace

QByteArray ciiXml(const Invoice &invoice)
{
    QByteArray out;
    Cii(invoice, out).write();
    return out;
}

} // namespace einvoice
