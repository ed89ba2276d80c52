#pragma once

#include <QString>

#include <vector>

namespace engine {

enum class StatementKind { Select, Insert, Update, Delete, CreateTable, DropTable, Other };

struct CharColumn
{
    QString name;
    int size = 0;
};

// A numeric column whose range the engine guards: INT (32 bits, precision 0) or NUMERIC(p,s),
// which holds amounts below 10^(p-s).
struct NumberColumn
{
    QString name;
    int precision = 0;
    int scale = 0;
};

// What the dialect layer makes of one statement text of the program: the SQLite text that
// gives it the meaning the program relies on, and what the connection must know to run it.
struct Translation
{
    StatementKind kind = StatementKind::Other;
    QString sql;                       // SQLite text; for CREATE TABLE only the column list "( ... )"
    QString table;                     // CREATE/DROP: the table; one-table SELECT *: its table
    QString rowidSql;                  // one-table SELECT *: the same rows with the rowid first
    std::vector<QString> words;        // every identifier that might name a table file
    std::vector<CharColumn> charColumns; // CREATE TABLE: CHAR(n) columns
    std::vector<NumberColumn> numberColumns; // CREATE TABLE: INT and NUMERIC(p,s) columns
};

// Translates one statement. Refuses (EngineError) a text with more than one statement and a
// table name that is not a plain identifier, before anything runs.
Translation translate(const QString &sql);

// The statements that create a translated table in the attached schema `schema`. Trailing
// blanks of CHAR values are dropped where the connection binds text, not by the table.
std::vector<QString> createTableStatements(const Translation &t, const QString &schema);

// The constraint name that guards the length of a CHAR(n) column, and its reverse: the
// column and size named by a failed-check message, for a readable error text.
QString charConstraintName(const CharColumn &column);
bool parseCharConstraint(const QString &message, CharColumn &column);

// The same for the range of an INT or NUMERIC(p,s) column.
QString numberConstraintName(const NumberColumn &column);
bool parseNumberConstraint(const QString &message, NumberColumn &column);
// The message of a value outside that range, naming the column.
QString numberRangeMessage(const NumberColumn &column);

} // namespace engine
