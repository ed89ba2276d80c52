#include "fuzz/FuzzLogic.h"

#include "engine/Dialect.h"
#include "engine/EngineError.h"
#include "engine/Identifier.h"
#include "engine/Tokenizer.h"

#include <QString>

namespace fuzzlogic {

namespace {

// A translated text is one statement: no significant token after a semicolon.
bool oneStatement(const QString &sql)
{
    bool afterSemicolon = false;
    for (const engine::Token &t : engine::tokenize(sql)) {
        if (t.kind == engine::TokenKind::Semicolon)
            afterSemicolon = true;
        else if (afterSemicolon && t.significant())
            return false;
    }
    return true;
}

} // namespace

void sqlDialect(QByteArrayView input)
{
    const QString sql = QString::fromUtf8(input);

    try {
        const std::vector<engine::Token> tokens = engine::tokenize(sql);
        if (engine::joinTokens(tokens) != sql)
            throw Violation("the tokens do not give the text back");
    } catch (const engine::EngineError &) {
        // An unterminated string or name: refused, as it should be.
    }

    try {
        const engine::Translation t = engine::translate(sql);
        if ((t.kind == engine::StatementKind::CreateTable || t.kind == engine::StatementKind::DropTable || !t.rowidSql.isEmpty())
            && !engine::isPlainIdentifier(t.table))
            throw Violation("a table name that is not a plain identifier got through");
        if (!oneStatement(t.sql))
            throw Violation("a translated text holds more than one statement");
        if (t.kind == engine::StatementKind::CreateTable) {
            for (const QString &statement : engine::createTableStatements(t, QStringLiteral("t_fuzz"))) {
                if (!oneStatement(statement))
                    throw Violation("a table statement holds more than one statement");
            }
            for (const engine::CharColumn &column : t.charColumns) {
                // The length error names the column: it must read back from the constraint.
                if (!engine::isPlainIdentifier(column.name))
                    continue;
                engine::CharColumn back;
                if (!engine::parseCharConstraint(engine::charConstraintName(column), back) || back.size != column.size
                    || back.name.compare(column.name, Qt::CaseInsensitive) != 0)
                    throw Violation("a CHAR constraint name does not read back");
            }
            for (const engine::NumberColumn &column : t.numberColumns) {
                // The range error names the column: it must read back as well.
                if (!engine::isPlainIdentifier(column.name))
                    continue;
                engine::NumberColumn back;
                if (!engine::parseNumberConstraint(engine::numberConstraintName(column), back)
                    || back.precision != column.precision || back.scale != column.scale
                    || back.name.compare(column.name, Qt::CaseInsensitive) != 0)
                    throw Violation("a range constraint name does not read back");
                if (column.precision != 0 && column.precision <= column.scale)
                    throw Violation("a NUMERIC range without room for a whole number");
            }
        }
    } catch (const engine::EngineError &) {
        // A statement the engine refuses.
    }

    engine::CharColumn column;
    engine::parseCharConstraint(sql, column);
    engine::NumberColumn number;
    engine::parseNumberConstraint(sql, number);
}

} // namespace fuzzlogic
