// The invoice register with 10,000 invoices of 200 customers over five years, each with its
// stored e-invoice document. Dorv opens its window (every row read, the newest first, the
// years filled, the sums computed) and filters by year and by the beginning of a customer's
// name; the raw work reads the same columns with SQLite into plain rows. Goal: opening and
// each filter under 0.2 s.
#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "einvoice/CiiWriter.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "invoiceregister/RegisterTable.h"
#include "invoicing/FormRechnungsausgangsbuch.h"

#include "ProgramFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int InvoiceCount = 10000;
constexpr int CustomerCount = 200;

QString customerName(int customer)
{
    static const char *const kinds[] = {"Sägewerk", "Holzhandel", "Zimmerei", "Forstbetrieb"};
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(kinds[customer % 4])).arg(customer);
}

// An invoice of five lines to one customer, as the invoice window would issue it.
einvoice::Invoice invoiceFor(int customer)
{
    einvoice::Invoice inv;
    inv.seller.company = QStringLiteral("Forstbetrieb Muster");
    inv.seller.street = QStringLiteral("Waldweg 1");
    inv.seller.postcode = QStringLiteral("59872");
    inv.seller.city = QStringLiteral("Meschede");
    inv.seller.iban = QStringLiteral("DE89370400440532013000");
    inv.seller.taxNumber = QStringLiteral("333/5555/4444");
    inv.buyer.company = customerName(customer);
    inv.buyer.street = QStringLiteral("Am Sägewerk 5");
    inv.buyer.postcode = QStringLiteral("34431");
    inv.buyer.city = QStringLiteral("Marsberg");
    inv.species = QStringLiteral("Fichte");
    inv.vatRate = 5.5;
    inv.levyRate = 0.2;
    inv.terms = {14, 10, 2};
    for (const char *diameter : {"1b", "2a", "2b", "3a", "3b"})
        inv.lines.push_back({QStringLiteral("B"), QString::fromLatin1(diameter), 12.3456, 81.5, 1006.16});
    return inv;
}

// A program folder whose register holds the invoices.
struct RegisterData
{
    ProgramFolder folder;

    RegisterData()
    {
        std::vector<QByteArray> documents;
        for (int c = 0; c < CustomerCount; ++c)
            documents.push_back(einvoice::ciiXml(invoiceFor(c)));
        engine::Connection db;
        db.open({QStringLiteral("PATH=") + folder.dataPath()});
        engine::Transaction tx(db);
        invoiceregister::table::ensure(db);
        for (int i = 0; i < InvoiceCount; ++i) {
            const int customer = i * 7 % CustomerCount;
            invoiceregister::Entry e;
            e.number = QStringLiteral("R-%1").arg(i + 1, 5, 10, QLatin1Char('0'));
            e.invoiceDate = QDate(2021, 1, 1).addDays(i * 5 * 365 / InvoiceCount);
            e.deliveryDate = e.invoiceDate;
            e.customerNumber = QString::number(10000 + customer);
            e.customerName = customerName(customer);
            e.listName = QStringLiteral("Liste%1").arg(i);
            e.net = 503080;
            e.vatRate = 5.5;
            e.vat = 27669;
            e.gross = 530749;
            e.terms = {14, 10, 2};
            e.issuedAt = QDateTime(e.invoiceDate, QTime(10, 0));
            e.header = {.department = QStringLiteral("12a"), .species = QStringLiteral("Fichte"), .assortment = QStringLiteral("Langholz"), .skidded = true};
            invoiceregister::table::insert(db, e, documents[static_cast<size_t>(customer)]);
        }
        tx.commit();
    }
};

RegisterData &data()
{
    static RegisterData d;
    return d;
}

// The running program on the register's folder, its register window not yet read.
struct RunningProgram
{
    controls::ScriptedDialogService dialogs;
    app::DorvProgram program{dialogs, data().folder.dir.path()};
};

void OpenRegister_Dorv(benchmark::State &state)
{
    RunningProgram run;
    for (auto _ : state) {
        TFormRechnungsausgangsbuch form(run.program.DMod(), run.program.FormDorv(), run.dialogs);
        form.show();
        QApplication::processEvents();
        state.PauseTiming();
        const bool complete = form.shownRows().size() == InvoiceCount && run.dialogs.messages.empty();
        form.hide();
        state.ResumeTiming();
        if (!complete) {
            state.SkipWithError(("the window did not show every invoice: " + run.dialogs.texts().join(u'|')).toStdString().c_str());
            break;
        }
    }
}

struct RawRow
{
    long long id;
    std::string number, date, customer, list, kind;
    double net, vat, gross;
};

void OpenRegister_Raw(benchmark::State &state)
{
    const QByteArray file = (data().folder.dataPath() + QStringLiteral("rechnungsausgang.db")).toUtf8();
    const auto text = [](sqlite3_stmt *s, int column) {
        const unsigned char *t = sqlite3_column_text(s, column);
        return t ? std::string(reinterpret_cast<const char *>(t)) : std::string();
    };
    for (auto _ : state) {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT ID, RECHNUNGSNR, RECHNUNGSDATUM, KUNDE, LISTE, NETTO, MWST, BRUTTO, ART"
                               " FROM RECHNUNGSAUSGANG ORDER BY ID DESC", -1, &stmt, nullptr);
        std::vector<RawRow> rows;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            rows.push_back({sqlite3_column_int64(stmt, 0), text(stmt, 1), text(stmt, 2), text(stmt, 3), text(stmt, 4), text(stmt, 8),
                            sqlite3_column_double(stmt, 5), sqlite3_column_double(stmt, 6), sqlite3_column_double(stmt, 7)});
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        if (rows.size() != InvoiceCount)
            state.SkipWithError("raw read missed rows");
        benchmark::DoNotOptimize(rows);
    }
}

// One year, then the customers whose name begins with "Säge" in it, then every invoice again.
void FilterRegister_Dorv(benchmark::State &state)
{
    RunningProgram run;
    TFormRechnungsausgangsbuch &form = *run.program.windows().FormRechnungsausgangsbuch;
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.cboJahr->setCurrentText(QStringLiteral("2023"));
        form.edtKunde->setText(QString::fromUtf8("Säge"));
        const size_t sawmills = form.shownRows().size();
        form.edtKunde->clear();
        form.cboJahr->setCurrentIndex(0);
        QApplication::processEvents();
        if (sawmills == 0 || sawmills >= InvoiceCount / 5 || form.shownRows().size() != InvoiceCount) {
            state.SkipWithError("the filter showed the wrong invoices");
            break;
        }
    }
}

} // namespace

BENCHMARK(OpenRegister_Dorv)->Name("Open the register of 10,000 invoices/Dorv")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(OpenRegister_Raw)->Name("Open the register of 10,000 invoices/Raw")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(FilterRegister_Dorv)->Name("Filter the register by year and customer (10,000)/Dorv")->Unit(benchmark::kMillisecond)->Iterations(10);
