#include "einvoice/CiiReader.h"

#include "einvoice/EInvoiceError.h"
#include "einvoice/InvoiceTexts.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <vector>

namespace einvoice {

namespace {

const QString xrechnung30 = QStringLiteral("urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0");

// One element of the document with its local name; the text of a leaf is kept as it stands.
struct Element
{
    QString name;
    QString text;
    QHash<QString, QString> attributes;
    std::vector<Element> children;

    // The first element along a path of local names ("PostalTradeAddress/CityName").
    const Element *at(const QString &path) const
    {
        const Element *e = this;
        for (const QString &step : path.split(u'/')) {
            const Element *next = nullptr;
            for (const Element &c : e->children) {
                if (c.name == step) {
                    next = &c;
                    break;
                }
            }
            if (!next)
                return nullptr;
            e = next;
        }
        return e;
    }

    QString textAt(const QString &path) const
    {
        const Element *e = at(path);
        return e ? e->text : QString();
    }

    std::vector<const Element *> all(const QString &name) const
    {
        std::vector<const Element *> found;
        for (const Element &c : children) {
            if (c.name == name)
                found.push_back(&c);
        }
        return found;
    }
};

[[noreturn]] void unreadable(const QString &reason)
{
    throw EInvoiceError(QStringLiteral("Die gespeicherte E-Rechnung kann nicht gelesen werden: %1").arg(reason));
}

Element parse(const QByteArray &xml)
{
    Element root;
    std::vector<Element *> open; // the element being read and its ancestors
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            Element e;
            e.name = r.name().toString();
            for (const QXmlStreamAttribute &a : r.attributes())
                e.attributes.insert(a.name().toString(), a.value().toString());
            if (open.empty()) {
                root = std::move(e);
                open.push_back(&root);
            } else {
                open.back()->children.push_back(std::move(e));
                open.push_back(&open.back()->children.back());
            }
        } else if (r.isCharacters() && !open.empty()) {
            open.back()->text += r.text();
        } else if (r.isEndElement()) {
            open.pop_back();
        }
    }
    if (r.hasError())
        unreadable(QStringLiteral("%1 (Zeile %2)").arg(r.errorString()).arg(r.lineNumber()));
    if (root.name != u"CrossIndustryInvoice")
        unreadable(QStringLiteral("kein Cross Industry Invoice"));
    return root;
}

QDate dateOf(const Element *e)
{
    return e ? QDate::fromString(e->textAt(QStringLiteral("DateTimeString")), QStringLiteral("yyyyMMdd")) : QDate();
}

double number(const QString &text)
{
    return text.trimmed().toDouble();
}

// A number as the invoice's German texts print it: "2,00", "-0,20".
double germanNumber(QString text)
{
    return text.remove(u'.').replace(u',', u'.').toDouble();
}

// A note of the invoice: the levy sentence with its rate, the flat rate's note, or the
// company's sales terms.
void readNote(const QString &note, Invoice &inv)
{
    static const QRegularExpression levy(QStringLiteral("^Vom Nettobetrag sind (\\S+) % FA = "));
    const QRegularExpressionMatch m = levy.match(note);
    if (m.hasMatch())
        inv.levyRate = germanNumber(m.captured(1));
    else if (note == AverageRateNote)
        inv.seller.averageRate = true;
    else
        inv.seller.salesTerms = note;
}

// The customer's terms from the text the invoice prints ("Zahlbar 14 Tage", "Bei Zahlung
// innerhalb 10 Tagen - 2,00 % Skonto", "- 2,00 % Skonto"); the structured XRechnung line
// repeats what the printed ones say.
PaymentTerms termsOf(const QString &text)
{
    static const QRegularExpression net(QStringLiteral("^Zahlbar (-?\\d+) Tage$"));
    static const QRegularExpression discountDays(QStringLiteral("^Bei Zahlung innerhalb (-?\\d+) Tagen - (\\S+) % Skonto$"));
    static const QRegularExpression discountOnly(QStringLiteral("^- (\\S+) % Skonto$"));
    PaymentTerms terms;
    for (const QString &line : text.split(u'\n')) {
        QRegularExpressionMatch m;
        if ((m = net.match(line)).hasMatch()) {
            terms.netDays = m.captured(1).toInt();
        } else if ((m = discountDays.match(line)).hasMatch()) {
            terms.cashDiscountDays = m.captured(1).toInt();
            terms.cashDiscountPercent = germanNumber(m.captured(2));
        } else if ((m = discountOnly.match(line)).hasMatch()) {
            terms.cashDiscountPercent = germanNumber(m.captured(1));
        }
    }
    return terms;
}

// "Fichte Stammholz GK B, Stärkeklasse 2a": the list's species, quality and diameter class.
InvoiceLine lineOf(const Element &item, QString &species)
{
    InvoiceLine line;
    const QString name = item.textAt(QStringLiteral("SpecifiedTradeProduct/Name"));
    const QString diameterMark = QStringLiteral(", Stärkeklasse ");
    const QString qualityMark = QStringLiteral("Stammholz GK ");
    const qsizetype d = name.lastIndexOf(diameterMark);
    const qsizetype q = d < 0 ? -1 : name.lastIndexOf(qualityMark, d);
    if (q < 0)
        unreadable(QStringLiteral("unbekannte Rechnungsposition \"%1\"").arg(name));
    line.diameterClass = name.mid(d + diameterMark.size());
    line.qualityClass = name.mid(q + qualityMark.size(), d - q - qualityMark.size());
    species = name.left(q).trimmed();
    line.price = number(item.textAt(QStringLiteral("SpecifiedLineTradeAgreement/NetPriceProductTradePrice/ChargeAmount")));
    line.volume = number(item.textAt(QStringLiteral("SpecifiedLineTradeDelivery/BilledQuantity")));
    line.amount = number(item.textAt(QStringLiteral("SpecifiedLineTradeSettlement/SpecifiedTradeSettlementLineMonetarySummation/LineTotalAmount")));
    return line;
}

// Tax registrations by scheme: "FC" the tax number, "VA" the VAT ID.
QString registration(const Element &party, const QString &scheme)
{
    for (const Element *r : party.all(QStringLiteral("SpecifiedTaxRegistration"))) {
        const Element *id = r->at(QStringLiteral("ID"));
        if (id && id->attributes.value(QStringLiteral("schemeID")) == scheme)
            return id->text;
    }
    return {};
}

void readAddress(const Element &party, QString &street, QString &postcode, QString &city, QString &country)
{
    street = party.textAt(QStringLiteral("PostalTradeAddress/LineOne"));
    postcode = party.textAt(QStringLiteral("PostalTradeAddress/PostcodeCode"));
    city = party.textAt(QStringLiteral("PostalTradeAddress/CityName"));
    country = party.textAt(QStringLiteral("PostalTradeAddress/CountryID"));
}

void readSeller(const Element &party, values::Seller &s, values::Buyer &b)
{
    b.supplierNumber = party.textAt(QStringLiteral("ID"));
    s.company = party.textAt(QStringLiteral("Name"));
    s.contactPerson = party.textAt(QStringLiteral("DefinedTradeContact/PersonName"));
    s.phone = party.textAt(QStringLiteral("DefinedTradeContact/TelephoneUniversalCommunication/CompleteNumber"));
    s.email = party.textAt(QStringLiteral("URIUniversalCommunication/URIID"));
    readAddress(party, s.street, s.postcode, s.city, s.country);
    s.taxNumber = registration(party, QStringLiteral("FC"));
    s.vatId = registration(party, QStringLiteral("VA"));
}

void readBuyer(const Element &party, values::Buyer &b)
{
    // A contact person is written for a company only; without one the name is the company's.
    b.company = party.textAt(QStringLiteral("Name"));
    b.lastName = party.textAt(QStringLiteral("DefinedTradeContact/PersonName"));
    b.email = party.textAt(QStringLiteral("URIUniversalCommunication/URIID"));
    readAddress(party, b.street, b.postcode, b.city, b.country);
    if (b.country.isEmpty())
        b.country = UnnamedCountry;
    b.vatId = registration(party, QStringLiteral("VA"));
}

void readSettlement(const Element &settlement, Invoice &inv)
{
    inv.seller.iban = settlement.textAt(QStringLiteral("SpecifiedTradeSettlementPaymentMeans/PayeePartyCreditorFinancialAccount/IBANID"));
    inv.seller.bic = settlement.textAt(QStringLiteral("SpecifiedTradeSettlementPaymentMeans/PayeeSpecifiedCreditorFinancialInstitution/BICID"));
    inv.seller.vatExemption = settlement.textAt(QStringLiteral("ApplicableTradeTax/ExemptionReason"));
    inv.vatRate = number(settlement.textAt(QStringLiteral("ApplicableTradeTax/RateApplicablePercent")));
    inv.terms = termsOf(settlement.textAt(QStringLiteral("SpecifiedTradePaymentTerms/Description")));
    // The due date says the payment term exactly, also where the text leaves it out.
    const QDate due = dateOf(settlement.at(QStringLiteral("SpecifiedTradePaymentTerms/DueDateDateTime")));
    if (inv.invoiceDate.isValid() && due.isValid())
        inv.terms.netDays = static_cast<int>(inv.invoiceDate.daysTo(due));
    inv.cancels.number = settlement.textAt(QStringLiteral("InvoiceReferencedDocument/IssuerAssignedID"));
    inv.cancels.date = dateOf(settlement.at(QStringLiteral("InvoiceReferencedDocument/FormattedIssueDateTime")));
}

} // namespace

Invoice readCii(const QByteArray &xml)
{
    const Element root = parse(xml);
    Invoice inv;
    const QString guideline = root.textAt(QStringLiteral("ExchangedDocumentContext/GuidelineSpecifiedDocumentContextParameter/ID"));
    inv.profile = guideline == xrechnung30 ? Profile::XRechnung : Profile::FacturX;

    const Element *document = root.at(QStringLiteral("ExchangedDocument"));
    const Element *transaction = root.at(QStringLiteral("SupplyChainTradeTransaction"));
    if (!document || !transaction)
        unreadable(QStringLiteral("Rechnungskopf fehlt"));
    inv.number = document->textAt(QStringLiteral("ID"));
    inv.invoiceDate = dateOf(document->at(QStringLiteral("IssueDateTime")));
    for (const Element *note : document->all(QStringLiteral("IncludedNote")))
        readNote(note->textAt(QStringLiteral("Content")), inv);

    for (const Element *item : transaction->all(QStringLiteral("IncludedSupplyChainTradeLineItem")))
        inv.lines.push_back(lineOf(*item, inv.species));

    const Element *agreement = transaction->at(QStringLiteral("ApplicableHeaderTradeAgreement"));
    if (agreement) {
        inv.buyer.buyerReference = agreement->textAt(QStringLiteral("BuyerReference"));
        if (const Element *seller = agreement->at(QStringLiteral("SellerTradeParty")))
            readSeller(*seller, inv.seller, inv.buyer);
        if (const Element *buyer = agreement->at(QStringLiteral("BuyerTradeParty")))
            readBuyer(*buyer, inv.buyer);
    }
    inv.deliveryDate = dateOf(transaction->at(QStringLiteral("ApplicableHeaderTradeDelivery/ActualDeliverySupplyChainEvent/OccurrenceDateTime")));
    if (const Element *settlement = transaction->at(QStringLiteral("ApplicableHeaderTradeSettlement")))
        readSettlement(*settlement, inv);
    return inv;
}

} // namespace einvoice
