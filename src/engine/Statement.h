#pragma once

#include "engine/Params.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace engine {

enum class FieldType { Unknown, Integer, Float, Text, Boolean };

struct ColumnInfo
{
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;          // CHAR(n): n
    bool readOnly = false; // assigned by the engine (AUTOINC)
};

// A text without its trailing blanks: every text column of the program is CHAR(n), whose
// trailing blanks are not part of the value, neither when it is stored nor when it is read.
QStringView withoutTrailingBlanks(QStringView text);

struct StatementDeleter
{
    void operator()(sqlite3_stmt *stmt) const;
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// One prepared SQLite statement: prepared once, then bound, stepped and reset for every run.
// It owns the statement and the UTF-8 of its text parameters, which SQLite reads in place
// until the next step.
class Statement
{
public:
    // Prepares the text for many runs; returns SQLite's result code. `rest` is the text after
    // the first statement.
    int prepare(sqlite3 *db, const QByteArray &sql, bool persistent, QByteArray *rest = nullptr);
    bool isPrepared() const { return m_stmt != nullptr; }

    // The parameter names without their colon; index 0 is SQLite's parameter 1.
    const std::vector<QString> &parameterNames() const { return m_paramNames; }
    // Binds every parameter by name, without regard to case; a parameter not given is NULL.
    // Texts are stored without their trailing blanks; a text with a NUL character is refused.
    void bind(const Params &params);
    // Binds a text to a parameter by its number.
    void bindText(int index, const QString &text);
    int step();
    void reset();

    int columnCount() const;
    qint64 int64(int column) const;
    // A column's value as text, whatever its type, as SQLite reads it (empty for NULL).
    QString text(int column) const;
    // What the column is as declared in its table; `declared` is false when the column has no
    // declared type, which then follows the values read.
    ColumnInfo columnInfo(int column, bool &declared) const;
    // A column's value in the row just stepped to, as the column's type gives it; a column of
    // unknown type takes the type of its first value.
    QVariant value(int column, ColumnInfo &info, bool declared) const;

private:
    StatementHandle m_stmt;
    std::vector<QString> m_paramNames;
    std::vector<std::string> m_textBuffers;
};

} // namespace engine
