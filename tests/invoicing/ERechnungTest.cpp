// The invoice window's dates and its e-invoice: the button "E-Rechnung..." checks the data,
// asks where to save and writes a ZUGFeRD PDF or an XRechnung of the invoice it would print.
#include "invoicing/InvoiceIssuer.h"
#include "invoiceregister/InvoiceRegister.h"
#include "invoicing/RechnungWindow.h"
#include "support/EInvoiceValidator.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>

#include <gtest/gtest.h>

namespace {

// The invoice document a ZUGFeRD PDF carries; empty when it carries none.
QByteArray embeddedXml(const QByteArray &pdfBytes)
{
    QPDF pdf;
    pdf.processMemoryFile("invoice.pdf", pdfBytes.constData(), static_cast<size_t>(pdfBytes.size()));
    const auto attachment = QPDFEmbeddedFileDocumentHelper(pdf).getEmbeddedFile("factur-x.xml");
    if (!attachment)
        return {};
    const auto data = QPDFEFStreamObjectHelper(attachment->getEmbeddedFileStream()).getObjectHandle().getStreamData();
    return QByteArray(reinterpret_cast<const char *>(data->getBuffer()), static_cast<qsizetype>(data->getSize()));
}

using Kind = controls::ScriptedDialogService::Kind;

class ERechnungTest : public ::testing::Test, public RechnungWindow
{
protected:
    // The example invoice: 10 FM at 50,00 EUR, 16 % VAT, 2 % cash discount within 10 days,
    // 14 days net; a company and a customer with everything an e-invoice needs.
    void SetUp() override
    {
        setFirma("MwSt = 16, FASatz = 0.2, IBAN = 'DE89 3704 0044 0532 0130 00', BIC = 'COBADEFFXXX', UStIdNr = 'DE123456789',"
                 " Ansprechpartner = 'Max Mustermann'");
        addKunde("4711", "Sägewerk Eiche", 2, 10, 14);
        execute("UPDATE Kunden SET EMAIL = 'einkauf@saegewerk.example' WHERE NRKD = '4711'");
        setBasePrice("B", "2a", 50);
        addLog("B", "2a", 10.0);
        form().show();
        chooseCustomer("4711");
        form().edtRechnungsNr->setText(QStringLiteral("2024/17"));
        form().dtpRechnungsdatum->setDate(QDate(2024, 11, 8));
    }

    // Presses "E-Rechnung..." and answers the save dialog with the file and format given.
    void saveAs(const QString &file, int filter)
    {
        dialogs.files.push_back(file.isEmpty() ? QString() : m_dir.filePath(file));
        dialogs.saveFilters.push_back(filter);
        form().btnERechnung->click();
    }

    QByteArray written(const QString &file)
    {
        QFile f(m_dir.filePath(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void expectAcceptedByTheValidator(const QString &file, bool xrechnung)
    {
        if (const QString reason = einvoicevalidator::unavailableReason(); !reason.isEmpty())
            GTEST_SKIP() << reason.toStdString();
        const QString rejection = einvoicevalidator::rejection(m_dir.filePath(file), xrechnung);
        EXPECT_TRUE(rejection.isEmpty()) << rejection.toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_F(ERechnungTest, TheDeliveryDateFollowsTheInvoiceDateUntilItIsSetItself)
{
    form().hide();
    form().show();
    EXPECT_EQ(form().dtpRechnungsdatum->date(), QDate::currentDate());
    EXPECT_EQ(form().dtpLieferdatum->date(), QDate::currentDate());
    form().dtpRechnungsdatum->setDate(QDate(2024, 11, 8));
    EXPECT_EQ(form().dtpLieferdatum->date(), QDate(2024, 11, 8));
    form().dtpLieferdatum->setDate(QDate(2024, 10, 30));
    form().dtpRechnungsdatum->setDate(QDate(2024, 11, 9));
    EXPECT_EQ(form().dtpLieferdatum->date(), QDate(2024, 10, 30));
}

TEST_F(ERechnungTest, ThePrintoutDatesTheInvoiceAndItsTermsByTheInvoiceDate)
{
    chooseCustomer("4711");
    form().dtpRechnungsdatum->setDate(QDate(2024, 10, 1));
    form().dtpLieferdatum->setDate(QDate(2024, 9, 27));
    const QString dump = invoiceDump(QDate(2024, 10, 1)); // printed on another day, dated as typed
    EXPECT_TRUE(dump.contains("\"01.10.2024\" w21.2 right")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"Lieferdatum:\" w40.0 left Arial 9")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"27.09.2024\" w75.1 right Arial 9")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("\"(15.10.2024)\"")) << "due date";
    EXPECT_TRUE(dump.contains("\"(11.10.2024)\"")) << "cash discount date";
}

TEST_F(ERechnungTest, MissingDataIsNamedInOneMessageAndNothingIsAskedOrWritten)
{
    setFirma("IBAN = '', UStIdNr = ''");
    form().edtRechnungsNr->clear();
    saveAs(QStringLiteral("Rechnung.pdf"), 0);
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Für die E-Rechnung fehlen: Rechnungsnummer, IBAN der Firma, USt-IdNr oder Lieferanten-Nr.")});
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(ERechnungTest, AZugferdPdfOfThePrintedInvoiceIsWrittenAndNamed)
{
    saveAs(QStringLiteral("Rechnung_2024_17.pdf"), 0);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].filter, invoicing::InvoiceIssuer::Filter);
    EXPECT_EQ(dialogs.fileDialogs[0].chosenFilter, 0) << "no buyer reference: ZUGFeRD first";
    EXPECT_TRUE(dialogs.fileDialogs[0].folder.endsWith(QStringLiteral("/Rechnung_2024_17.pdf")));
    EXPECT_EQ(dialogs.textsOf(Kind::Information),
              QStringList{QStringLiteral("Die E-Rechnung (ZUGFeRD) wurde gespeichert:\n") + m_dir.filePath("Rechnung_2024_17.pdf")});
    const QByteArray pdf = written(QStringLiteral("Rechnung_2024_17.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.contains("factur-x.xml"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Rechnung_2024_17.pdf")}) << "no temporary file left";
    expectAcceptedByTheValidator(QStringLiteral("Rechnung_2024_17.pdf"), false);
}

TEST_F(ERechnungTest, ABuyerReferenceOffersXRechnungFirstWhoseRulesAreCheckedAsChosen)
{
    // Without a contact person XRechnung refuses; switching to ZUGFeRD in the dialog is fine.
    setFirma("Ansprechpartner = ''");
    execute("UPDATE Kunden SET KAEUFERREFERENZ = '04011000-12345-67' WHERE NRKD = '4711'");
    chooseCustomer("4711");
    saveAs(QStringLiteral("Rechnung_2024_17.xml"), 1);
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Für die E-Rechnung fehlen: Ansprechpartner der Firma.")});

    setFirma("Ansprechpartner = 'Max Mustermann'");
    dialogs.clear();
    saveAs(QStringLiteral("Rechnung_2024_17.xml"), 1);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].chosenFilter, 1);
    EXPECT_TRUE(dialogs.fileDialogs[0].folder.endsWith(QStringLiteral("/Rechnung_2024_17.xml")));
    EXPECT_EQ(dialogs.textsOf(Kind::Error), QStringList{});
    const QByteArray xml = written(QStringLiteral("Rechnung_2024_17.xml"));
    EXPECT_TRUE(xml.contains("urn:xeinkauf.de:kosit:xrechnung_3.0"));
    EXPECT_TRUE(xml.contains("<ram:BuyerReference>04011000-12345-67</ram:BuyerReference>"));
    EXPECT_TRUE(xml.contains("<ram:GrandTotalAmount>580.00</ram:GrandTotalAmount>"));
    expectAcceptedByTheValidator(QStringLiteral("Rechnung_2024_17.xml"), true);
}

TEST_F(ERechnungTest, ChoosingXRechnungWithoutBuyerReferenceNamesItAndWritesNothing)
{
    saveAs(QStringLiteral("Rechnung_2024_17.xml"), 1);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Für die E-Rechnung fehlen: Käuferreferenz (Leitweg-ID).")});
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(ERechnungTest, CancellingWritesNothingAndAFileThatCannotBeWrittenIsReported)
{
    saveAs(QString(), 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());

    saveAs(QStringLiteral("fehlt/Rechnung.pdf"), 0);
    ASSERT_EQ(dialogs.textsOf(Kind::Error).size(), 1);
    EXPECT_TRUE(dialogs.textsOf(Kind::Error).front().contains(QStringLiteral("Rechnung.pdf"))) << dialogs.texts().join('|').toStdString();
    EXPECT_TRUE(dialogs.textsOf(Kind::Information).isEmpty());
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(ERechnungTest, OntoAFullDiskNothingIsSavedOrRecordedAndTheOldFileStays)
{
    const std::unique_ptr<FullDisk> disk = FullDisk::mount();
    if (!disk)
        GTEST_SKIP() << FullDisk::SkipMessage;
    const QString old = disk->filePath(QStringLiteral("alt.pdf"));
    writeFile(old, "%PDF alt");
    disk->fill();
    for (const QString &target : {old, disk->filePath(QStringLiteral("neu.pdf"))}) {
        dialogs.clear();
        dialogs.files.push_back(target);
        dialogs.saveFilters.push_back(0);
        form().btnERechnung->click();
        EXPECT_EQ(dialogs.textsOf(Kind::Error),
                  QStringList{QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: Der Datenträger ist voll.").arg(target)});
        EXPECT_TRUE(dialogs.textsOf(Kind::Information).isEmpty());
    }
    EXPECT_EQ(readFile(old), QByteArray("%PDF alt"));
    EXPECT_FALSE(QFileInfo::exists(disk->filePath(QStringLiteral("neu.pdf"))));
    EXPECT_TRUE(invoiceregister::InvoiceRegister(dmod().dbDorv).entries().empty()) << "an invoice that was not written is recorded";
}

TEST_F(ERechnungTest, ATypedExtensionDecidesTheFormatOverTheFilterChosen)
{
    execute("UPDATE Kunden SET KAEUFERREFERENZ = '04011000-12345-67' WHERE NRKD = '4711'");
    chooseCustomer("4711");
    const invoiceregister::InvoiceRegister reg(dmod().dbDorv);
    saveAs(QStringLiteral("x.pdf"), 1); // XRechnung chosen, ".pdf" typed
    EXPECT_TRUE(written(QStringLiteral("x.pdf")).startsWith("%PDF-"));
    EXPECT_EQ(reg.entries().at(0).kindLabel(), QStringLiteral("ZUGFeRD")) << "recorded as what was written";

    saveAs(QStringLiteral("y.xml"), 0);
    EXPECT_TRUE(written(QStringLiteral("y.xml")).startsWith("<?xml"));
    EXPECT_EQ(reg.entries().at(0).kind, invoiceregister::Kind::XRechnung) << "a copy of the same invoice";

    saveAs(QStringLiteral("z"), 1); // no extension: the filter's
    EXPECT_TRUE(written(QStringLiteral("z.xml")).startsWith("<?xml"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), (QStringList{"x.pdf", "y.xml", "z.xml"}));
}

TEST_F(ERechnungTest, TheFileHoldsTheDocumentTheRegisterStores)
{
    execute("UPDATE Kunden SET KAEUFERREFERENZ = '04011000-12345-67' WHERE NRKD = '4711'");
    chooseCustomer("4711");
    const invoiceregister::InvoiceRegister reg(dmod().dbDorv);
    saveAs(QStringLiteral("Rechnung.pdf"), 0);
    ASSERT_EQ(reg.entries().size(), 1u);
    const QByteArray embedded = embeddedXml(written(QStringLiteral("Rechnung.pdf")));
    EXPECT_TRUE(embedded.contains("<ram:GrandTotalAmount>580.00</ram:GrandTotalAmount>"));
    EXPECT_EQ(embedded, reg.xml(reg.entries()[0].id)) << "ZUGFeRD";

    saveAs(QStringLiteral("Rechnung.xml"), 1); // the same invoice as XRechnung: a copy
    ASSERT_EQ(reg.entries().size(), 2u);
    EXPECT_EQ(reg.entries()[0].kindLabel(), QStringLiteral("XRechnung (Kopie)"));
    EXPECT_EQ(written(QStringLiteral("Rechnung.xml")), reg.xml(reg.entries()[0].id)) << "XRechnung";
}

TEST_F(ERechnungTest, EveryIssuedInvoiceIsRecordedAndItsNumberGuarded)
{
    const invoiceregister::InvoiceRegister reg(dmod().dbDorv);
    saveAs(QStringLiteral("Rechnung_2024_17.pdf"), 0);
    saveAs(QStringLiteral("Kopie.pdf"), 0);
    std::vector<invoiceregister::Entry> all = reg.entries();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].kindLabel(), QStringLiteral("ZUGFeRD"));
    EXPECT_EQ(all[0].kindLabel(), QStringLiteral("ZUGFeRD (Kopie)")) << "the same invoice again: no question";
    EXPECT_EQ(dialogs.textsOf(Kind::Confirmation), QStringList{});
    const invoiceregister::Entry &e = all[1];
    EXPECT_EQ(std::tuple(e.number, e.customerNumber, e.listName, e.gross), std::tuple(QStringLiteral("2024/17"), QStringLiteral("4711"),
                                                                                   QStringLiteral("Wald"), 58000LL));
    EXPECT_EQ(e.header, (values::ListHeader{.department = QStringLiteral("12 B"), .species = QStringLiteral("Fichte"), .assortment = QStringLiteral("Stammholz"), .peeled = true}));
    EXPECT_EQ(reg.invoice(e.id).buyer.displayName(), QString::fromUtf8("Sägewerk Eiche"));

    // Another invoice under the same number asks first; No writes and records nothing.
    form().dtpRechnungsdatum->setDate(QDate(2024, 11, 9));
    dialogs.clear();
    dialogs.answers = {false};
    saveAs(QStringLiteral("Andere.pdf"), 0);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Die Rechnungsnummer 2024/17 wurde bereits am ")
                                           + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))
                                           + QStringLiteral(" vergeben. Trotzdem verwenden?")});
    EXPECT_FALSE(QFile::exists(m_dir.filePath("Andere.pdf")));
    EXPECT_EQ(reg.entries().size(), 2u);

    // A file that cannot be written is not recorded.
    saveAs(QStringLiteral("fehlt/Rechnung.pdf"), 0);
    EXPECT_EQ(reg.entries().size(), 2u);

    // Shown again with an empty number field, the window proposes the next number.
    form().edtRechnungsNr->clear();
    form().hide();
    form().show();
    EXPECT_EQ(form().edtRechnungsNr->text(), QStringLiteral("2024/18"));
}

} // namespace
