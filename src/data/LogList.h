#pragma once

#include "engine/Params.h"
#include "values/ListHeader.h"
#include "values/LogRow.h"

#include <QString>

#include <functional>
#include <optional>

namespace engine {
class Connection;
}

namespace data {

class Dataset;

// A list is two things in the data folder: its own table of logs, named as the list, and its
// row in the header table, which holds the list's name in OFFSET together with the department,
// species, assortment, description and the two states of the logs. The header table comes into
// being with the first list. Both layouts and every statement on them are written here once.
namespace loglist {

extern const QString HeaderTable;

// The statements as the program runs them. A list name goes into them unquoted: callers pass
// only names the list name rules accepted.
QString createListSql(const QString &name);
QString createHeaderTableSql();
QString logsSql(const QString &name);          // every log of the list
QString headerSql();                            // the header row of :OFFSET
QString headerAnyCaseSql();                     // the header row of :OFFSET in any case of its letters
QString allHeadersSql();                        // every list's header row, by name
QString insertNameSql();                        // a new header row holding only the name
QString insertHeaderSql();                      // a new header row with every field
QString updateHeaderSql();                      // every field of the header row of :OFFSET
QString updateGeschaeltSql();
QString deleteHeaderSql();
QString insertLogSql(const QString &name);      // one log with every field

bool hasHeaderTable(engine::Connection &db);
// True when a header row holds the name in any case of its letters; false without header table.
bool headerExistsAnyCase(engine::Connection &db, const QString &name);

// Pieces of creating a list, for work that holds its own transaction around them (the import):
// the header table when it is missing, then the log table; a header row.
void addListTables(engine::Connection &db, const QString &name);
void addHeaderRow(engine::Connection &db, const QString &name, const std::optional<values::ListHeader> &header = {});

// Creates the list `name` with an empty header: its log table and its header row. `alsoDo`
// runs inside the same transaction; whatever throws leaves neither table nor header row.
void createList(engine::Connection &db, const QString &name, const std::function<void()> &alsoDo = {});

// Deletes the list `name`: its table (when its file is still there), its header row and its
// export facts, all or nothing.
void deleteList(engine::Connection &db, const QString &name);

// Writes logs into the table of the list `name`, inside the caller's transaction: the statement
// and its parameters are made once for all of them (the imports write tens of thousands).
class LogWriter
{
public:
    LogWriter(engine::Connection &db, const QString &name);
    void insert(const values::LogRow &row);

private:
    engine::Connection &m_db;
    QString m_sql;
    engine::Params m_params;
};

// Points the log query at the list and opens it on its last log.
void openList(Dataset &logs, const QString &name);

// The header row of the list; nothing when the list has none. Throws when the header table or
// one of its fields is missing.
std::optional<values::ListHeader> readHeader(engine::Connection &db, const QString &name);
// Writes every header field of the list's row (a list without row stays without one).
void writeHeader(engine::Connection &db, const QString &name, const values::ListHeader &header);
// Stores whether the list's logs are peeled, when the list has a header table.
void storeGeschaelt(engine::Connection &db, const QString &name, bool geschaelt);

} // namespace loglist
} // namespace data
