// The window "Rechnungsausgangsbuch": what it shows and sums, and its four buttons.
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "einvoice/CiiReader.h"
#include "invoiceregister/InvoiceRegister.h"
#include "invoicing/FormRechnungsausgangsbuch.h"
#include "invoicing/RechnungsReport.h"
#include "support/ProgramWindow.h"
#include "support/WindowBed.h"

#include "einvoice/SampleInvoices.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using invoiceregister::Entry;
using invoiceregister::Issue;
using invoiceregister::Kind;

namespace {

template <class Surroundings>
class RegisterWindowOn : public ::testing::Test
{
protected:
    RegisterWindowOn() : around(dialogs), folder(around.folder()) { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    TFormRechnungsausgangsbuch &form() { return around.form; }

    Entry issue(const char *number, const QDate &date, const char *customer, double amount, Kind kind = Kind::Print)
    {
        Issue i;
        i.invoice = samples::example(einvoice::Profile::FacturX);
        i.invoice.number = QString::fromUtf8(number);
        i.invoice.invoiceDate = date;
        i.invoice.buyer.company = QString::fromUtf8(customer);
        i.invoice.lines.front().amount = amount;
        i.kind = kind;
        i.customerNumber = QStringLiteral("4711");
        i.listName = QStringLiteral("Wald");
        i.header = {.department = QStringLiteral("12 B"), .species = QStringLiteral("Fichte"), .assortment = QStringLiteral("Stammholz"), .peeled = true};
        return reg.record(i, false, QDateTime(date, QTime(10, 0)));
    }

    QStringList shownNumbers()
    {
        QStringList numbers;
        for (const Entry *e : form().shownRows())
            numbers << e->number;
        return numbers;
    }

    void selectRow(int row) { form().grdRechnungen->setCurrentIndex(form().grdRechnungen->model()->index(row, 0)); }

    controls::ScriptedDialogService dialogs;
    Surroundings around;
    const ProgramFolder &folder;
    invoiceregister::InvoiceRegister reg{around.dmod().dbDorv};
    QTemporaryDir out;
};

using RegisterWindowTest = RegisterWindowOn<WindowAlone<TFormRechnungsausgangsbuch>>;
// For the main window's menu item and what start-up creates.
using RegisterWindowInProgramTest =
    RegisterWindowOn<ProgramWindow<TFormRechnungsausgangsbuch, &app::DorvWindows::FormRechnungsausgangsbuch>>;

} // namespace

TEST_F(RegisterWindowInProgramTest, ShowsFiltersAndSumsTheIssuedInvoices)
{
    EXPECT_TRUE(QFile::exists(folder.dataPath() + "rechnungsausgang.db")) << "created at start";
    issue("R-1", QDate(2025, 3, 1), "Sägewerk Eiche", 500);
    issue("R-2", QDate(2026, 1, 15), "Holzhandel Berg", 1234.5);
    issue("R-3", QDate(2026, 2, 1), "Sägewerk Eiche", 100);

    // Offered without an open list; the window stays beside the main window.
    QAction *item = around.program.FormDorv().menuItem(QStringLiteral("mnuStammdatenRechnungsausgangsbuch"));
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isModal());
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Rechnungsausgangsbuch"));

    EXPECT_EQ(shownNumbers(), (QStringList{"R-3", "R-2", "R-1"})) << "newest first";
    const QAbstractItemModel &grid = *form().grdRechnungen->model();
    QStringList titles;
    for (int c = 0; c < grid.columnCount(); ++c)
        titles << grid.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Rechnungs-Nr", "Datum", "Kunde", "Liste", "Netto", "MwSt", "Brutto", "Art"}));
    EXPECT_EQ(grid.index(1, 1).data().toString(), "15.01.2026");
    EXPECT_EQ(grid.index(1, 4).data().toString(), "1.234,50");
    EXPECT_EQ(grid.index(1, 6).data().toString(), "1.432,02");
    EXPECT_EQ(grid.index(1, 7).data().toString(), "Druck");
    EXPECT_EQ(form().lblSummen->text(), "Summe: Netto 1.834,50 EUR   MwSt 293,52 EUR   Brutto 2.128,02 EUR");

    QStringList years;
    for (int i = 0; i < form().cboJahr->count(); ++i)
        years << form().cboJahr->itemText(i);
    EXPECT_EQ(years, (QStringList{"alle Jahre", "2026", "2025"}));
    form().cboJahr->setCurrentText(QStringLiteral("2026"));
    EXPECT_EQ(shownNumbers(), (QStringList{"R-3", "R-2"}));
    form().edtKunde->setText(QString::fromUtf8("säg"));
    EXPECT_EQ(shownNumbers(), QStringList{"R-3"});
    EXPECT_EQ(form().lblSummen->text(), "Summe: Netto 100,00 EUR   MwSt 16,00 EUR   Brutto 116,00 EUR");

    // An invoice issued while the window is open appears when it comes to the front again.
    issue("R-4", QDate(2026, 3, 1), "Sägewerk Eiche", 10);
    form().FormShow();
    EXPECT_EQ(shownNumbers(), (QStringList{"R-4", "R-3"}));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(RegisterWindowTest, CancelsAfterAQuestion)
{
    issue("R-1", QDate(2026, 3, 1), "Sägewerk Eiche", 500);
    form().show();
    selectRow(0);
    dialogs.answers = {false};
    form().btnStornierenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{"Rechnung R-1 vom 01.03.2026 stornieren?"});
    EXPECT_EQ(shownNumbers(), QStringList{"R-1"}) << "No cancels nothing";

    dialogs.answers = {true};
    form().btnStornierenClick();
    EXPECT_EQ(shownNumbers(), (QStringList{"R-1-S", "R-1"}));
    EXPECT_EQ(form().shownRows()[0]->kindLabel(), "Storno");
    EXPECT_EQ(form().grdRechnungen->currentIndex().row(), 0) << "the cursor on the cancellation";
    EXPECT_EQ(form().lblSummen->text(), "Summe: Netto 0,00 EUR   MwSt 0,00 EUR   Brutto 0,00 EUR");

    form().edtKunde->setText(QStringLiteral("niemand"));
    dialogs.clear();
    form().btnStornierenClick();
    EXPECT_EQ(dialogs.texts(), QStringList{"Bitte wählen Sie eine Rechnung aus."});
}

TEST_F(RegisterWindowTest, CancelsOnlyTheInvoiceTheUserConfirmed)
{
    issue("R-2026-0041", QDate(2026, 3, 1), "Sägewerk Eiche", 500);
    const Entry last = issue("R-2026-0042", QDate(2026, 3, 2), "Sägewerk Eiche", 700);
    form().show();
    // Behind the window's back the row of R-2026-0042 came to hold another invoice, as after a
    // restore without it and a new invoice given the same row.
    around.dmod().dbDorv.execute(QStringLiteral("UPDATE RECHNUNGSAUSGANG SET RECHNUNGSNR = 'R-2026-0050' WHERE ID = :ID"),
                                 {{QStringLiteral("ID"), last.id}});
    selectRow(0);
    dialogs.answers = {true};
    form().btnStornierenClick();
    EXPECT_EQ(dialogs.texts(), (QStringList{"Rechnung R-2026-0042 vom 02.03.2026 stornieren?",
                                            "Die Rechnung R-2026-0042 ist nicht mehr im Rechnungsausgangsbuch. Es wurde nichts storniert."}));
    EXPECT_EQ(reg.entries().size(), 2u) << "nothing was cancelled";
    EXPECT_EQ(shownNumbers(), (QStringList{"R-2026-0050", "R-2026-0041"})) << "the window shows the register as it is";

    // Hidden and shown again, the window reads the register afresh.
    around.dmod().dbDorv.execute(QStringLiteral("UPDATE RECHNUNGSAUSGANG SET RECHNUNGSNR = 'R-2026-0051' WHERE ID = :ID"),
                                 {{QStringLiteral("ID"), last.id}});
    form().hide();
    form().show();
    EXPECT_EQ(shownNumbers(), (QStringList{"R-2026-0051", "R-2026-0041"}));
}

TEST_F(RegisterWindowTest, TheStoredInvoiceIsShownAsItWasIssued)
{
    const Entry e = issue("R-1", QDate(2026, 3, 1), "Sägewerk Eiche", 500);
    // Today's master data have changed since.
    around.dmod().dbDorv.execute(QStringLiteral("UPDATE Firma SET Firma = 'Neue Firma', MwSt = 19"));
    around.dmod().dbDorv.execute(QStringLiteral("UPDATE Kunden SET FIRMA = 'Umbenannt'"));

    report::PreparedReport printout =
        invoicing::RechnungsReport(folder.reportPath() + "Rechnung.rtm", reg.invoice(e.id), e.header);
    const QString dump = printout.report().dump();
    for (const char *text : {"\"Forstbetrieb Muster\"", "\"Sägewerk Eiche\"", "\"Anna Holz\"", "\"01.03.2026\"", "\"R-1\"",
                             "\"500,00 EUR\"", "\"+ 16,00 % MwSt\"", "\"80,00 EUR\"", "\"580,00 EUR\"", "\"12 B geschält/ ungerückt\"",
                             "\"Fichte, Stammholz\"", "\"Bei Zahlung innerhalb 10 Tagen\"", "\"11,60 EUR\""})
        EXPECT_TRUE(dump.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(dump.contains(QStringLiteral("Neue Firma")));
    EXPECT_FALSE(dump.contains(QStringLiteral("Umbenannt")));
}

TEST_F(RegisterWindowTest, ACancellationIsShownAndSavedAsACreditNote)
{
    issue("R-1", QDate(2026, 3, 1), "Sägewerk Eiche", 500);
    form().show();
    selectRow(0);
    dialogs.answers = {true};
    form().btnStornierenClick();
    const Entry &storno = *form().shownRows()[0];

    report::PreparedReport printout = invoicing::RechnungsReport(folder.reportPath() + "Rechnung.rtm", reg.invoice(storno.id), storno.header);
    const QString dump = printout.report().dump();
    for (const char *text : {"\"S T O R N O R E C H N U N G\"", "\"Storno zur Rechnung Nr. R-1 vom 01.03.2026\"", "\"R-1-S\"",
                             "\"500,00 EUR\"", "\"580,00 EUR\""})
        EXPECT_TRUE(dump.contains(QString::fromUtf8(text))) << text << dump.toStdString();
    for (const char *gone : {"\"R E C H N U N G\"", "Sie kauften", "Zahlbar", "Skonto", "-580,00", "\"("})
        EXPECT_FALSE(dump.contains(QString::fromUtf8(gone))) << gone;

    const QString xml = out.filePath("storno.xml");
    dialogs.files = {xml};
    form().btnERechnungClick();
    QFile written(xml);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(samples::value(bytes, "ExchangedDocument/TypeCode"), "381");
    EXPECT_EQ(samples::value(bytes, "InvoiceReferencedDocument/IssuerAssignedID"), "R-1");
    EXPECT_EQ(samples::value(bytes, "GrandTotalAmount"), "580.00");
    EXPECT_FALSE(bytes.contains("#SKONTO#"));
    EXPECT_EQ(form().lblSummen->text(), "Summe: Netto 0,00 EUR   MwSt 0,00 EUR   Brutto 0,00 EUR") << "counted against the invoice";
}

TEST_F(RegisterWindowTest, SavesTheStoredDocumentAgain)
{
    issue("R/1", QDate(2026, 3, 1), "Sägewerk Eiche", 500, Kind::XRechnung);
    form().show();
    selectRow(0);

    const QString xml = out.filePath("again.xml");
    dialogs.files = {xml};
    form().btnERechnungClick();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].chosenFilter, 1) << "issued as XRechnung: offered as XRechnung";
    EXPECT_TRUE(dialogs.fileDialogs[0].folder.endsWith("Rechnung_R_1.xml"));
    QFile written(xml);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), reg.xml(form().shownRows()[0]->id)) << "the stored document, byte for byte";
    EXPECT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Information).value(0),
              "Die E-Rechnung wurde gespeichert: " + QDir::toNativeSeparators(xml));

    const QString pdf = out.filePath("again.pdf");
    dialogs.files = {pdf};
    form().btnERechnungClick();
    QFile hybrid(pdf);
    ASSERT_TRUE(hybrid.open(QIODevice::ReadOnly));
    const QByteArray bytes = hybrid.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-1.7"));
    EXPECT_TRUE(bytes.contains("factur-x.xml"));

    // A print of an invoice whose company had no IBAN cannot become an e-invoice.
    Issue noIban;
    noIban.invoice = samples::example(einvoice::Profile::FacturX);
    noIban.invoice.number = QStringLiteral("R-2");
    noIban.invoice.seller.iban.clear();
    reg.record(noIban, false, QDateTime::currentDateTime());
    form().FormShow();
    selectRow(0);
    dialogs.clear();
    dialogs.files = {out.filePath("none.pdf")};
    form().btnERechnungClick();
    EXPECT_EQ(dialogs.texts(), QStringList{"Für die E-Rechnung fehlen: IBAN der Firma."});
    EXPECT_FALSE(QFile::exists(out.filePath("none.pdf")));
}

TEST_F(RegisterWindowTest, ExportsWhatIsShownForTheTaxAdviser)
{
    issue("R-1", QDate(2025, 3, 1), "Sägewerk Eiche", 500);
    issue("R-2", QDate(2026, 1, 15), "Holzhandel Berg", 1234.5);
    form().show();
    form().cboJahr->setCurrentText(QStringLiteral("2026"));
    const QString csv = out.filePath("steuer");
    dialogs.files = {csv};
    form().btnCsvClick();
    EXPECT_TRUE(dialogs.fileDialogs.at(0).folder.endsWith("Rechnungsausgangsbuch_2026.csv"));
    QFile written(csv + ".csv");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3) << "title, one invoice, end";
    EXPECT_TRUE(lines[1].startsWith("R-2;15.01.2026;04.11.2024;4711;Holzhandel Berg;Wald;1234,50;16,00;197,52;1432,02;Druck;"));
}
