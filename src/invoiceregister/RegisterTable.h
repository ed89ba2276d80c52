#pragma once

#include "invoiceregister/Entry.h"

#include <QString>

#include <optional>
#include <vector>

namespace engine {
class Connection;
}

namespace invoiceregister {

// The table RECHNUNGSAUSGANG in the data folder: one row per issued invoice, kept for as
// long as the law asks. Rows are only ever added.
namespace table {

extern const QString Name;
// The statement that creates the table.
extern const QString CreateSql;

// Creates the table when its file is missing; an existing one gets the columns it lacks,
// behind the others, and keeps its rows.
void ensure(engine::Connection &db);

// Every row without its document, newest first.
std::vector<Entry> entries(engine::Connection &db);
// The ID of the newest row, 0 when there is none.
qint64 newestId(engine::Connection &db);
// The row with this ID.
std::optional<Entry> entry(engine::Connection &db, qint64 id);
// The rows with this invoice number, in the order of issue.
std::vector<Entry> entriesWithNumber(engine::Connection &db, const QString &number);
// The e-invoice document of a row; empty when there is no such row.
QByteArray xml(engine::Connection &db, qint64 id);
// Adds a row and returns its ID.
qint64 insert(engine::Connection &db, const Entry &entry, const QByteArray &xml);

} // namespace table

} // namespace invoiceregister
