#include "app/RestoreRules.h"

#include "backup/BackupError.h"
#include "backup/TableFile.h"
#include "data/EldatFactsStore.h"
#include "data/InvoiceColumns.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "engine/Error.h"
#include "invoiceregister/RegisterTable.h"
#include "rules/ListNames.h"
#include "values/CompanyColumns.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace app {

namespace {

using Columns = std::map<QString, QStringList>; // table name to its columns

// The columns of every table in the table files of a folder; a file that cannot be read
// (a damaged table is what a restore may be meant to mend) is left out.
Columns tablesIn(const QString &folder)
{
    Columns tables;
    const QDir dir(folder);
    for (const QString &file : dir.entryList({QStringLiteral("*.db")}, QDir::Files)) {
        try {
            for (const backup::TableCount &t : backup::checkTableFile(dir.filePath(file)))
                tables[t.name] = t.columns;
        } catch (const backup::BackupError &) {
        }
    }
    return tables;
}

// The tables the program creates itself as it works, made in a folder of their own.
Columns programTables(const QString &folder, const QString &probeList)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + folder});
    data::loglist::createList(db, probeList);
    invoiceregister::table::ensure(db);
    data::storeEldatFacts(db, probeList, {});
    db.close();
    return tablesIn(folder);
}

QString missingColumn(const QString &table, const QStringList &columns, const QStringList &required)
{
    for (const QString &c : required)
        if (!columns.contains(c))
            return QStringLiteral("Der Tabelle %1 fehlt die Spalte %2.").arg(table, c);
    return {};
}

QString strangeColumn(const QString &table, const QStringList &columns, const QStringList &known)
{
    for (const QString &c : columns)
        if (!known.contains(c))
            return QStringLiteral("Die Tabelle %1 hat die Spalte %2, die Dorv nicht anlegt.").arg(table, c);
    return {};
}

} // namespace

backup::RestoreRules restoreRules(const QString &dataPath)
{
    const QString probeList = QStringLiteral("Probe");
    const auto probe = std::make_shared<QTemporaryDir>();
    Columns own = programTables(probe->path(), probeList);
    const QStringList listColumns = own[probeList];
    own.erase(probeList);

    // The columns added to the delivered tables at start (these and any behind them) may be
    // missing in an older backup.
    const QStringList added{values::companycolumn::Iban, values::companycolumn::Bic, values::companycolumn::UStIdNr,
                            values::companycolumn::Land, values::companycolumn::Ansprechpartner, values::companycolumn::Steuerbefreiung,
                            data::invoicecolumns::EMail, data::invoicecolumns::KundeUStIdNr, data::invoicecolumns::Kaeuferreferenz,
                            data::invoicecolumns::LieferantenNr};
    Columns delivered;
    backup::RestoreRules rules;
    for (const auto &[table, columns] : tablesIn(dataPath)) {
        if (own.count(table) || QSet<QString>(columns.cbegin(), columns.cend()) == QSet<QString>(listColumns.cbegin(), listColumns.cend()))
            continue;
        delivered[table] = columns;
        rules.requiredTables << table;
    }

    // An empty folder of its own: the list name rules ask whether a table file exists.
    const auto noTables = std::make_shared<QTemporaryDir>();
    rules.refusal = [own, delivered, listColumns, added, noTables](const QString &table, const QStringList &columns) -> QString {
        if (const auto it = delivered.find(table); it != delivered.end()) {
            // The delivered columns come first; those added at start stand behind them.
            QStringList required;
            for (const QString &c : it->second) {
                if (added.contains(c))
                    break;
                required << c;
            }
            const QString missing = missingColumn(table, columns, required);
            return missing.isEmpty() ? strangeColumn(table, columns, it->second) : missing;
        }
        if (const auto it = own.find(table); it != own.end())
            return strangeColumn(table, columns, it->second);
        if (const auto refusal = rules::checkNewListName(table, noTables->path() + u'/'))
            return QStringLiteral("Die Liste %1 hat einen Namen, den Dorv nicht vergibt: %2").arg(table, refusal->text);
        const QString missing = missingColumn(table, columns, listColumns);
        return missing.isEmpty() ? strangeColumn(table, columns, listColumns) : missing;
    };
    return rules;
}

} // namespace app
