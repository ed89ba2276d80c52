// The register's rules: recording, the number check, copies, the next number, cancellations,
// and what the window shows and exports.
#include "einvoice/CiiReader.h"
#include "engine/Connection.h"
#include "invoiceregister/InvoiceRegister.h"
#include "invoiceregister/RegisterCsv.h"
#include "invoiceregister/RegisterTable.h"
#include "invoiceregister/RegisterView.h"
#include "support/DataFolder.h"

#include "einvoice/SampleInvoices.h"

#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

using namespace invoiceregister;

namespace {

const QDateTime morning(QDate(2026, 3, 2), QTime(9, 15));

class Register : public ::testing::Test
{
protected:
    void SetUp() override { db.open({QStringLiteral("PATH=") + folder.path()}); }

    static Issue issue(const QString &number, Kind kind = Kind::Print)
    {
        Issue i;
        i.invoice = samples::example(einvoice::Profile::FacturX);
        i.invoice.number = number;
        i.kind = kind;
        i.customerNumber = QStringLiteral("10001");
        i.listName = QStringLiteral("Fichte2026");
        i.header = {.department = QStringLiteral("12a"), .species = QStringLiteral("Fichte"), .assortment = QStringLiteral("Langholz"), .skidded = true};
        return i;
    }

    Entry record(const Issue &i, bool copy = false, const QDateTime &at = morning)
    {
        return reg.record(i, copy, at);
    }

    DataFolder folder;
    engine::Connection db;
    InvoiceRegister reg{db};
};

} // namespace

TEST_F(Register, RecordsWhatWasIssuedWithItsDocument)
{
    EXPECT_TRUE(reg.entries().empty()) << "a data folder without a register";
    const Issue i = issue(QStringLiteral("R-2026-0041"), Kind::XRechnung);
    record(i);
    EXPECT_TRUE(QFileInfo::exists(folder.file("rechnungsausgang.db")));

    const std::vector<Entry> all = reg.entries();
    ASSERT_EQ(all.size(), 1u);
    const Entry &e = all.front();
    EXPECT_EQ(e.number, "R-2026-0041");
    EXPECT_EQ(e.invoiceDate, QDate(2024, 11, 8));
    EXPECT_EQ(e.deliveryDate, QDate(2024, 11, 4));
    EXPECT_EQ(e.customerNumber, "10001");
    EXPECT_EQ(e.customerName, QString::fromUtf8("Sägewerk Eiche"));
    EXPECT_EQ(e.listName, "Fichte2026");
    EXPECT_EQ(e.net, 50000);
    EXPECT_DOUBLE_EQ(e.vatRate, 16);
    EXPECT_EQ(e.vat, 8000);
    EXPECT_EQ(e.gross, 58000);
    EXPECT_EQ(e.terms.netDays, 14);
    EXPECT_EQ(e.terms.cashDiscountDays, 10);
    EXPECT_DOUBLE_EQ(e.terms.cashDiscountPercent, 2);
    EXPECT_EQ(e.kindLabel(), "XRechnung");
    EXPECT_EQ(e.issuedAt, morning);
    EXPECT_EQ(e.header, i.header);
    EXPECT_EQ(reg.xml(e.id), i.xml()) << "the document is kept byte for byte";
    EXPECT_EQ(reg.invoice(e.id).profile, einvoice::Profile::XRechnung);
}

TEST_F(Register, IssuingAsksDeliversAndRecordsInOneStep)
{
    QStringList questions;
    bool answer = false;
    const auto confirm = [&](const QString &q) {
        questions << q;
        return answer;
    };
    const Issue i = issue(QStringLiteral("R-1"));
    EXPECT_THROW(reg.issue(i, morning, confirm, [] () -> bool { throw std::runtime_error("printer gone"); }), std::runtime_error);
    EXPECT_TRUE(reg.entries().empty()) << "an invoice that did not leave is not recorded";
    EXPECT_FALSE(reg.issue(i, morning, confirm, [] { return false; })) << "print dialog cancelled";
    EXPECT_TRUE(reg.entries().empty());

    int deliveries = 0;
    const auto deliver = [&] { return ++deliveries > 0; };
    ASSERT_TRUE(reg.issue(i, morning, confirm, deliver));
    const std::optional<Entry> again = reg.issue(i, morning.addDays(1), confirm, deliver);
    ASSERT_TRUE(again) << "printed a second time";
    EXPECT_EQ(again->kindLabel(), "Druck (Kopie)");
    EXPECT_TRUE(questions.isEmpty()) << "a copy is issued without a question";

    Issue other = i;
    other.invoice.lines.front().price = 51;
    EXPECT_FALSE(reg.issue(other, morning, confirm, deliver)) << "No issues nothing";
    EXPECT_EQ(questions, QStringList{"Die Rechnungsnummer R-1 wurde bereits am 02.03.2026 vergeben. Trotzdem verwenden?"});
    EXPECT_EQ(deliveries, 2);
    answer = true;
    ASSERT_TRUE(reg.issue(other, morning, confirm, deliver));
    EXPECT_FALSE(reg.entries().front().copy) << "Yes gives the number again, to another invoice";
    EXPECT_EQ(reg.entries().size(), 3u);

    try {
        reg.issue(issue(QStringLiteral("  ")), morning, confirm, deliver);
        FAIL() << "an empty number was issued";
    } catch (const RegisterError &e) {
        EXPECT_STREQ(e.what(), "Bitte geben Sie eine Rechnungsnummer ein.");
    }
    EXPECT_EQ(deliveries, 3);
}

TEST_F(Register, AsksBeforeANumberIsGivenToAnotherInvoice)
{
    const Issue first = issue(QStringLiteral("R-2026-0041"));
    EXPECT_EQ(reg.checkNumber(first).use, NumberCheck::Use::Free);
    record(first);

    // The same invoice printed again or saved as e-invoice is a copy: no question.
    EXPECT_EQ(reg.checkNumber(first).use, NumberCheck::Use::SameInvoice);
    EXPECT_EQ(reg.checkNumber(issue(QStringLiteral("R-2026-0041"), Kind::XRechnung)).use, NumberCheck::Use::SameInvoice);

    Issue otherPrice = first;
    otherPrice.invoice.lines.front().price = 51;
    otherPrice.invoice.lines.front().amount = 510;
    const NumberCheck check = reg.checkNumber(otherPrice);
    EXPECT_EQ(check.use, NumberCheck::Use::OtherInvoice);
    EXPECT_EQ(check.question(otherPrice.invoice.number),
              "Die Rechnungsnummer R-2026-0041 wurde bereits am 02.03.2026 vergeben. Trotzdem verwenden?");

    Issue otherList = first;
    otherList.header.department = QStringLiteral("13b");
    EXPECT_EQ(reg.checkNumber(otherList).use, NumberCheck::Use::OtherInvoice) << "the printed list header is content";
    Issue otherCustomer = first;
    otherCustomer.invoice.buyer.street = QStringLiteral("Am Hang 3");
    EXPECT_EQ(reg.checkNumber(otherCustomer).use, NumberCheck::Use::OtherInvoice);
    EXPECT_EQ(reg.checkNumber(issue(QStringLiteral("R-2026-0042"))).use, NumberCheck::Use::Free);
}

TEST_F(Register, AnInvoiceStoredAsXRechnungIsKnownAgainInPrint)
{
    record(issue(QStringLiteral("R-1"), Kind::XRechnung));
    EXPECT_EQ(reg.checkNumber(issue(QStringLiteral("R-1"))).use, NumberCheck::Use::SameInvoice);
    Issue otherTerms = issue(QStringLiteral("R-1"));
    otherTerms.invoice.terms.cashDiscountPercent = 3;
    EXPECT_EQ(reg.checkNumber(otherTerms).use, NumberCheck::Use::OtherInvoice) << "the cash discount is content";
}

TEST_F(Register, ProposesTheNumberAfterTheLastIssuedOne)
{
    EXPECT_EQ(reg.proposedNumber(), "") << "nothing issued yet";
    record(issue(QStringLiteral("R-2026-0041")));
    EXPECT_EQ(reg.proposedNumber(), "R-2026-0042");

    record(issue(QStringLiteral("R-2026-0043")));
    record(issue(QStringLiteral("R-2026-0041")), true); // a copy of an older one
    reg.cancel(reg.entries().back().id, morning);        // and a cancellation
    EXPECT_EQ(reg.proposedNumber(), "R-2026-0044") << "copies and cancellations are no new numbers";

    record(issue(QStringLiteral("R-2026-0042")));
    EXPECT_EQ(reg.proposedNumber(), "R-2026-0044") << "a number the register holds is skipped";

    record(issue(QStringLiteral("Barverkauf")));
    EXPECT_EQ(reg.proposedNumber(), "") << "a number without digits has no successor";
}

TEST_F(Register, TheRowIsCommittedBeforeTheFileTakesItsName)
{
    bool committedFirst = false;
    const auto afterRecording = [&] {
        engine::Connection other; // what a program started after a kill would find
        other.open({QStringLiteral("PATH=") + folder.path()});
        committedFirst = InvoiceRegister(other).entries().size() == 1;
    };
    ASSERT_TRUE(reg.issue(issue(QStringLiteral("R-1"), Kind::XRechnung), morning, [](const QString &) { return true; },
                          [] { return true; }, afterRecording));
    EXPECT_TRUE(committedFirst);

    EXPECT_THROW(reg.issue(issue(QStringLiteral("R-2"), Kind::XRechnung), morning, [](const QString &) { return true; },
                           [] { return true; }, [] { throw std::runtime_error("rename failed"); }),
                 std::runtime_error);
    EXPECT_EQ(reg.entries().size(), 2u) << "the row stays: the file can be saved again from the register";
}

TEST_F(Register, InvoicesSharingANumberAreEachCancelledOnce)
{
    const Entry first = record(issue(QStringLiteral("R-2026-0041")));
    Issue otherCustomer = issue(QStringLiteral("R-2026-0041"));
    otherCustomer.customerNumber = QStringLiteral("10002");
    otherCustomer.invoice.buyer.company = QStringLiteral("Holzhandel Berg");
    const Entry second = record(otherCustomer);

    reg.cancel(first.id, morning);
    EXPECT_THROW(reg.cancel(first.id, morning), RegisterError);
    const Entry storno = reg.cancel(second.id, morning);
    EXPECT_EQ(storno.customerNumber, "10002");
    try {
        reg.cancel(second.id, morning);
        FAIL() << "cancelled twice";
    } catch (const RegisterError &e) {
        EXPECT_EQ(e.message(), "Die Rechnung R-2026-0041 ist bereits storniert.");
    }
    EXPECT_THROW(reg.cancel(first.id, morning), RegisterError);
}

TEST_F(Register, CancellationIsANewRowWithNegatedAmounts)
{
    const Entry original = record(issue(QStringLiteral("R-2026-0041")));
    const QDateTime later(QDate(2026, 4, 1), QTime(14, 0));
    EXPECT_EQ(InvoiceRegister::cancelQuestion(original), "Rechnung R-2026-0041 vom 08.11.2024 stornieren?");
    const Entry storno = reg.cancel(original.id, later);

    const std::vector<Entry> all = reg.entries();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, storno.id) << "newest first";
    EXPECT_EQ(all[1].number, "R-2026-0041") << "the original stays";
    EXPECT_EQ(all[1].gross, 58000);
    EXPECT_EQ(storno.number, "R-2026-0041-S");
    EXPECT_EQ(storno.kindLabel(), "Storno");
    EXPECT_EQ(storno.invoiceDate, later.date());
    EXPECT_EQ(storno.customerName, original.customerName);
    EXPECT_EQ(std::tuple(storno.net, storno.vat, storno.gross), std::tuple(-50000LL, -8000LL, -58000LL));
    EXPECT_EQ(all[0].gross, -58000);

    const Sums sums = sumsOf(filtered(all, {}));
    EXPECT_EQ(std::tuple(sums.net, sums.vat, sums.gross), std::tuple(0LL, 0LL, 0LL));

    // Its document is a credit note for the original with the same amounts, stated positive.
    const einvoice::Invoice doc = reg.invoice(storno.id);
    EXPECT_EQ(doc.number, "R-2026-0041-S");
    EXPECT_TRUE(doc.isCancellation());
    EXPECT_EQ(doc.cancels.number, "R-2026-0041");
    EXPECT_EQ(doc.cancels.date, QDate(2024, 11, 8));
    EXPECT_EQ(einvoice::invoiceTotals(doc).gross, 58000);
    EXPECT_EQ(doc.terms.netDays, 0) << "nothing to pay within a term";

    EXPECT_THROW(reg.cancel(original.id, later), RegisterError) << "cancelled twice";
    EXPECT_THROW(reg.cancel(storno.id, later), RegisterError) << "a cancellation cancelled";
    EXPECT_THROW(reg.cancel(4711, later), RegisterError);
    EXPECT_EQ(reg.entries().size(), 2u);
}

TEST_F(Register, KeepsWhatThePagePrintedOfTheSellerBesideTheDocument)
{
    // A register made before the seller's printed data were kept gets their columns.
    db.execute(QStringLiteral("CREATE TABLE RECHNUNGSAUSGANG ( ID AUTOINC, RECHNUNGSNR CHAR(40), RECHNUNGSDATUM CHAR(10), "
                              "LIEFERDATUM CHAR(10), NRKD CHAR(13), KUNDE CHAR(100), LISTE CHAR(64), NETTO NUMERIC(15,2), "
                              "MWSTSATZ NUMERIC(15,4), MWST NUMERIC(15,2), BRUTTO NUMERIC(15,2), SKONTO NUMERIC(15,4), SKONTOTAGE INT, "
                              "NETTOTAGE INT, ART CHAR(10), KOPIE BOOLEAN, AUSGESTELLT CHAR(19), ABTEILUNG CHAR(50), BAUMART CHAR(50), "
                              "SORTE CHAR(50), GESCHAELT BOOLEAN, GERUECKT BOOLEAN, XML TEXT, Primary Key(ID))"));
    db.execute(QStringLiteral("INSERT INTO RECHNUNGSAUSGANG ( RECHNUNGSNR, ART, XML ) VALUES ( 'ALT-1', 'Druck', '' )"));
    table::ensure(db);
    table::ensure(db);
    ASSERT_EQ(reg.entries().size(), 1u);
    EXPECT_EQ(reg.entries()[0].number, "ALT-1") << "the old row stays";

    Issue i = issue(QStringLiteral("R-7"));
    i.invoice.seller.name1 = QStringLiteral("Inh. Max Mustermann");
    i.invoice.seller.bank = QStringLiteral("Musterbank");
    i.invoice.seller.bankCode = QStringLiteral("12345678");
    i.invoice.seller.accountNumber = QStringLiteral("1234567890");
    const Entry e = record(i);
    const einvoice::Invoice shown = reg.invoice(e.id);
    EXPECT_EQ(std::tuple(shown.seller.name1, shown.seller.bank, shown.seller.bankCode, shown.seller.accountNumber),
              std::tuple(i.invoice.seller.name1, i.invoice.seller.bank, i.invoice.seller.bankCode, i.invoice.seller.accountNumber));
    EXPECT_EQ(reg.invoice(reg.cancel(e.id, morning).id).seller.bank, "Musterbank") << "the cancellation prints the same letterhead";
}

TEST_F(Register, FiltersByYearAndCustomerAndSumsWhatIsShown)
{
    Issue a = issue(QStringLiteral("1"));
    Issue b = issue(QStringLiteral("2"));
    b.invoice.invoiceDate = QDate(2025, 1, 10);
    b.invoice.buyer.company = QStringLiteral("Holzhandel Berg");
    b.invoice.lines.front().amount = 123.45;
    Issue c = issue(QStringLiteral("3"));
    c.invoice.invoiceDate = QDate(2025, 6, 1);
    record(a);
    record(b);
    record(c);
    record(c, true); // a copy counts once
    const std::vector<Entry> all = reg.entries();

    EXPECT_EQ(yearsOf(all), (std::vector<int>{2025, 2024}));
    EXPECT_EQ(filtered(all, {}).size(), 4u);
    EXPECT_EQ(filtered(all, {2024, {}}).size(), 1u);

    const std::vector<const Entry *> sawmill2025 = filtered(all, {2025, QString::fromUtf8("säge")});
    ASSERT_EQ(sawmill2025.size(), 2u) << "the beginning of the name, without regard to case";
    EXPECT_EQ(sawmill2025[0]->number, "3");
    const Sums s = sumsOf(sawmill2025);
    EXPECT_EQ(std::tuple(s.net, s.vat, s.gross), std::tuple(50000LL, 8000LL, 58000LL));

    const Sums year = sumsOf(filtered(all, {2025, {}}));
    EXPECT_EQ(year.net, 50000 + 12345);
    EXPECT_EQ(year.vat, 8000 + 1975) << "16 % of 123,45 is 19,752";
    EXPECT_TRUE(filtered(all, {2025, QStringLiteral("Eiche")}).empty()) << "not a word inside the name";
}

TEST(RegisterCsv, OneInvoicePerLineForTheTaxAdviser)
{
    Entry e;
    e.number = QStringLiteral("R-1");
    e.invoiceDate = QDate(2026, 3, 2);
    e.deliveryDate = QDate(2026, 2, 27);
    e.customerNumber = QStringLiteral("10001");
    e.customerName = QString::fromUtf8("Säge; \"Eiche\"");
    e.listName = QStringLiteral("Fichte2026");
    e.net = 123456789;
    e.vatRate = 19;
    e.vat = 23456790;
    e.gross = 146913579;
    e.issuedAt = QDateTime(QDate(2026, 3, 2), QTime(9, 5, 59));
    Entry copy = e;
    copy.copy = true;
    Entry storno = e;
    storno.number = QStringLiteral("R-1-S");
    storno.kind = Kind::Cancellation;
    storno.vatRate = 5.5;
    storno.net = -5;
    storno.vat = 0;
    storno.gross = -5;

    const QByteArray csv = registerCsv({&e, &copy, &storno});
    EXPECT_EQ(QString::fromUtf8(csv),
              QString::fromUtf8("\xEF\xBB\xBF"
                                "Rechnungsnummer;Rechnungsdatum;Lieferdatum;Kundennummer;Kunde;Liste;Netto;MwSt-Satz;MwSt;Brutto;Art;"
                                "Ausgestellt\r\n"
                                "R-1;02.03.2026;27.02.2026;10001;\"Säge; \"\"Eiche\"\"\";Fichte2026;1234567,89;19,00;234567,90;"
                                "1469135,79;Druck;02.03.2026 09:05\r\n"
                                "R-1-S;02.03.2026;27.02.2026;10001;\"Säge; \"\"Eiche\"\"\";Fichte2026;-0,05;5,50;0,00;-0,05;"
                                "Storno;02.03.2026 09:05\r\n"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));

    // A customer name a spreadsheet would run as a formula arrives as the text it is.
    e.customerName = QStringLiteral("=HYPERLINK(\"//x.de\";\"Nord\")");
    EXPECT_TRUE(QString::fromUtf8(registerCsv({&e})).contains(QStringLiteral(";10001;\"'=HYPERLINK(\"\"//x.de\"\";\"\"Nord\"\")\";Fichte2026;")));
}
