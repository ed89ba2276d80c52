#include "engine/Dialect.h"

#include "engine/EngineError.h"
#include "engine/Identifier.h"
#include "engine/Tokenizer.h"

#include <QSet>

#include <optional>
#include <utility>

namespace engine {

namespace {

using Tokens = std::vector<Token>;
constexpr qsizetype npos = -1;

qsizetype nextSig(const Tokens &t, qsizetype i)
{
    for (qsizetype j = i + 1; j < qsizetype(t.size()); ++j)
        if (t[j].significant())
            return j;
    return npos;
}

qsizetype prevSig(const Tokens &t, qsizetype i)
{
    for (qsizetype j = i - 1; j >= 0; --j)
        if (t[j].significant())
            return j;
    return npos;
}

qsizetype matchParen(const Tokens &t, qsizetype open)
{
    int depth = 0;
    for (qsizetype j = open; j < qsizetype(t.size()); ++j) {
        if (t[j].isSymbol('('))
            ++depth;
        else if (t[j].isSymbol(')') && --depth == 0)
            return j;
    }
    throw EngineError(QStringLiteral("Missing closing parenthesis in statement"));
}

// Index of the first token at nesting depth 0 within [from, to) that is the given keyword.
qsizetype findTopLevel(const Tokens &t, qsizetype from, qsizetype to, const char *word)
{
    int depth = 0;
    for (qsizetype j = from; j < to; ++j) {
        if (t[j].isSymbol('('))
            ++depth;
        else if (t[j].isSymbol(')'))
            --depth;
        else if (depth == 0 && t[j].isWord(word))
            return j;
    }
    return npos;
}

Token space()
{
    return {TokenKind::Space, QStringLiteral(" ")};
}

Token word(const QString &text)
{
    return {TokenKind::Word, text};
}

// Refuses statement texts with a second statement after a semicolon, and drops trailing
// semicolons.
void refuseSecondStatement(Tokens &t)
{
    qsizetype firstSemicolon = npos;
    for (qsizetype j = 0; j < qsizetype(t.size()); ++j) {
        if (t[j].kind == TokenKind::Semicolon) {
            if (firstSemicolon == npos)
                firstSemicolon = j;
        } else if (t[j].significant() && firstSemicolon != npos) {
            throw EngineError(QStringLiteral("Only one statement can be run at a time"));
        }
    }
    if (firstSemicolon != npos)
        t.erase(t.begin() + firstSemicolon, t.end());
}

// Every name after FROM, INTO, UPDATE, JOIN or TABLE must be a plain identifier (after FROM
// and JOIN also a parenthesised sub-select), so that nothing but a table name can be spliced
// in there.
void refuseUnplainTableNames(const Tokens &t)
{
    for (qsizetype j = 0; j < qsizetype(t.size()); ++j) {
        const Token &k = t[j];
        if (!(k.isWord("FROM") || k.isWord("INTO") || k.isWord("UPDATE") || k.isWord("JOIN") || k.isWord("TABLE")))
            continue;
        const qsizetype n = nextSig(t, j);
        if (n == npos)
            throw EngineError(QStringLiteral("Table name missing after %1").arg(k.text.toUpper()));
        const bool subSelectAllowed = k.isWord("FROM") || k.isWord("JOIN");
        if (subSelectAllowed && t[n].isSymbol('(')) {
            const qsizetype inner = nextSig(t, n);
            if (inner != npos && t[inner].isWord("SELECT"))
                continue;
        }
        if (t[n].kind != TokenKind::Word || !isPlainIdentifier(t[n].text))
            throw EngineError(QStringLiteral("Invalid table name: %1").arg(t[n].text));
    }
}

// CAST(x AS NUMERIC(p,s)) keeps integers as integers in SQLite; the program means a
// decimal number, so such casts become casts to REAL.
void castDecimalsToReal(Tokens &t)
{
    for (qsizetype j = 0; j < qsizetype(t.size()); ++j) {
        if (!t[j].isWord("CAST"))
            continue;
        const qsizetype open = nextSig(t, j);
        if (open == npos || !t[open].isSymbol('('))
            continue;
        const qsizetype close = matchParen(t, open);
        qsizetype as = npos;
        int depth = 0;
        for (qsizetype k = open + 1; k < close; ++k) {
            if (t[k].isSymbol('('))
                ++depth;
            else if (t[k].isSymbol(')'))
                --depth;
            else if (depth == 0 && t[k].isWord("AS"))
                as = k;
        }
        if (as == npos)
            continue;
        const qsizetype type = nextSig(t, as);
        if (type == npos || type >= close)
            continue;
        if (!(t[type].isWord("NUMERIC") || t[type].isWord("DECIMAL") || t[type].isWord("FLOAT")
              || t[type].isWord("DOUBLE") || t[type].isWord("MONEY")))
            continue;
        t[type].text = QStringLiteral("REAL");
        const qsizetype args = nextSig(t, type);
        if (args != npos && args < close && t[args].isSymbol('(')) {
            const qsizetype argsEnd = matchParen(t, args);
            t.erase(t.begin() + args, t.begin() + argsEnd + 1);
        }
    }
}

// A parenthesised sub-select used as a value yields its first column, however many it
// lists (SQLite refuses more than one).
void keepFirstColumnOfSubselects(Tokens &t)
{
    for (qsizetype j = 0; j < qsizetype(t.size()); ++j) {
        if (!t[j].isSymbol('('))
            continue;
        const qsizetype sel = nextSig(t, j);
        if (sel == npos || !t[sel].isWord("SELECT"))
            continue;
        const qsizetype before = prevSig(t, j);
        if (before != npos
            && (t[before].isWord("IN") || t[before].isWord("EXISTS") || t[before].isWord("FROM")
                || t[before].isWord("JOIN") || t[before].isWord("AS")))
            continue;
        const qsizetype close = matchParen(t, j);
        qsizetype listEnd = findTopLevel(t, sel + 1, close, "FROM");
        if (listEnd == npos)
            listEnd = close;
        int depth = 0;
        for (qsizetype k = sel + 1; k < listEnd; ++k) {
            if (t[k].isSymbol('('))
                ++depth;
            else if (t[k].isSymbol(')'))
                --depth;
            else if (depth == 0 && t[k].isSymbol(',')) {
                t.erase(t.begin() + k, t.begin() + listEnd);
                t.insert(t.begin() + k, space());
                break;
            }
        }
    }
}

QString typeFor(const Tokens &t, qsizetype &j, qsizetype end, bool &autoinc, int &charSize)
{
    const Token &type = t[j];
    QString args;
    qsizetype after = nextSig(t, j);
    if (after != npos && after < end && t[after].isSymbol('(')) {
        const qsizetype close = matchParen(t, after);
        for (qsizetype k = after + 1; k < close; ++k)
            args += t[k].text;
        j = close;
    }
    const QString name = type.text.toUpper();
    autoinc = false;
    charSize = 0;
    if (name == u"INT" || name == u"INTEGER" || name == u"SMALLINT" || name == u"LONGINT")
        return QStringLiteral("INTEGER");
    if (name == u"AUTOINC") {
        autoinc = true;
        return QStringLiteral("INTEGER");
    }
    if (name == u"CHAR" || name == u"VARCHAR" || name == u"CHARACTER") {
        bool ok = false;
        charSize = args.trimmed().toInt(&ok);
        if (!ok || charSize <= 0)
            throw EngineError(QStringLiteral("Invalid size of a CHAR column: %1").arg(args));
        return QStringLiteral("CHAR(%1)").arg(charSize);
    }
    if (name == u"NUMERIC" || name == u"DECIMAL" || name == u"FLOAT" || name == u"DOUBLE" || name == u"REAL"
        || name == u"MONEY")
        return QStringLiteral("REAL");
    if (name == u"BOOLEAN" || name == u"BOOL" || name == u"LOGICAL")
        return QStringLiteral("BOOLEAN");
    return args.isEmpty() ? name : QStringLiteral("%1(%2)").arg(name, args);
}

// The range an INT or NUMERIC(p,s) column guards; nothing for other types.
std::optional<NumberColumn> numberColumnOf(const Tokens &t, qsizetype typeIdx, qsizetype end, const QString &name)
{
    const Token &type = t[typeIdx];
    if (type.isWord("INT") || type.isWord("INTEGER") || type.isWord("SMALLINT") || type.isWord("LONGINT"))
        return NumberColumn{name, 0, 0};
    if (!(type.isWord("NUMERIC") || type.isWord("DECIMAL")))
        return std::nullopt;
    const qsizetype open = nextSig(t, typeIdx);
    if (open == npos || open >= end || !t[open].isSymbol('('))
        return std::nullopt;
    QString args;
    for (qsizetype k = open + 1; k < end && !t[k].isSymbol(')'); ++k)
        args += t[k].text;
    const QStringList parts = args.split(u',');
    bool okP = false;
    bool okS = parts.size() == 1;
    const int precision = parts.front().trimmed().toInt(&okP);
    const int scale = parts.size() == 2 ? parts.back().trimmed().toInt(&okS) : 0;
    // The bound must stay a number the engine reads: at most 10^300.
    if (!okP || !okS || parts.size() > 2 || scale < 0 || precision <= scale || precision - scale > 300)
        return std::nullopt;
    return NumberColumn{name, precision, scale};
}

// The lower and upper bound of a guarded column as SQL literals; NUMERIC bounds are excluded.
std::pair<QString, QString> boundsOf(const NumberColumn &c)
{
    if (c.precision == 0)
        return {QStringLiteral("-2147483648"), QStringLiteral("2147483647")};
    const QString limit = QStringLiteral("1e%1").arg(c.precision - c.scale);
    return {u'-' + limit, limit};
}

struct ColumnDef
{
    QString name;
    QString type;
    QString rest;
    bool autoinc = false;
};

Translation translateCreate(const Tokens &t, qsizetype tableKw)
{
    Translation out;
    out.kind = StatementKind::CreateTable;
    const qsizetype nameIdx = nextSig(t, tableKw);
    out.table = t[nameIdx].text;
    const qsizetype open = nextSig(t, nameIdx);
    if (open == npos || !t[open].isSymbol('('))
        throw EngineError(QStringLiteral("Column list missing in CREATE TABLE %1").arg(out.table));
    const qsizetype close = matchParen(t, open);

    // Split the column list at top-level commas.
    std::vector<std::pair<qsizetype, qsizetype>> items;
    qsizetype start = open + 1;
    int depth = 0;
    for (qsizetype k = open + 1; k <= close; ++k) {
        if (k == close || (depth == 0 && t[k].isSymbol(','))) {
            items.push_back({start, k});
            start = k + 1;
        } else if (t[k].isSymbol('(')) {
            ++depth;
        } else if (t[k].isSymbol(')')) {
            --depth;
        }
    }

    std::vector<ColumnDef> columns;
    std::vector<QString> constraints;
    QStringList primaryKey;
    for (auto [from, to] : items) {
        qsizetype first = from;
        while (first < to && !t[first].significant())
            ++first;
        if (first >= to)
            continue;
        if (t[first].isWord("PRIMARY")) {
            const qsizetype keyOpen = findTopLevel(t, first, to, "KEY");
            const qsizetype paren = keyOpen == npos ? npos : nextSig(t, keyOpen);
            if (paren == npos || !t[paren].isSymbol('('))
                throw EngineError(QStringLiteral("Invalid PRIMARY KEY in CREATE TABLE %1").arg(out.table));
            const qsizetype parenEnd = matchParen(t, paren);
            for (qsizetype k = paren + 1; k < parenEnd; ++k)
                if (t[k].kind == TokenKind::Word)
                    primaryKey << t[k].text;
            continue;
        }
        if (t[first].isWord("CONSTRAINT") || t[first].isWord("UNIQUE") || t[first].isWord("CHECK")) {
            QString text;
            for (qsizetype k = first; k < to; ++k)
                text += t[k].text;
            constraints.push_back(text.trimmed());
            continue;
        }
        ColumnDef col;
        col.name = t[first].text;
        qsizetype typeIdx = nextSig(t, first);
        if (typeIdx != npos && typeIdx < to) {
            if (const auto number = numberColumnOf(t, typeIdx, to, col.name))
                out.numberColumns.push_back(*number);
            int charSize = 0;
            col.type = typeFor(t, typeIdx, to, col.autoinc, charSize);
            if (charSize > 0)
                out.charColumns.push_back({col.name, charSize});
            for (qsizetype k = typeIdx + 1; k < to; ++k)
                col.rest += t[k].text;
        }
        columns.push_back(col);
    }

    // A single AUTOINC key becomes SQLite's own auto-increment key.
    bool keyInColumn = false;
    if (primaryKey.size() == 1) {
        for (ColumnDef &col : columns) {
            if (col.autoinc && col.name.compare(primaryKey.front(), Qt::CaseInsensitive) == 0) {
                col.rest = QStringLiteral(" PRIMARY KEY AUTOINCREMENT") + col.rest;
                keyInColumn = true;
            }
        }
    }

    QStringList parts;
    for (const ColumnDef &col : columns)
        parts << (col.name + u' ' + col.type + col.rest.trimmed().prepend(col.rest.trimmed().isEmpty() ? "" : " "));
    if (!primaryKey.isEmpty() && !keyInColumn)
        parts << QStringLiteral("PRIMARY KEY(%1)").arg(primaryKey.join(QStringLiteral(", ")));
    for (const QString &c : constraints)
        parts << c;
    for (const CharColumn &c : out.charColumns)
        parts << QStringLiteral("CONSTRAINT \"%1\" CHECK (length(%2) <= %3)")
                     .arg(charConstraintName(c), c.name)
                     .arg(c.size);
    // A value outside the range is refused with the column's name, never stored; a text
    // sorts above every number and is refused as well.
    for (const NumberColumn &c : out.numberColumns) {
        const auto [low, high] = boundsOf(c);
        const QString test = c.precision == 0 ? QStringLiteral("%1 >= %2 AND %1 <= %3") : QStringLiteral("%1 > %2 AND %1 < %3");
        parts << QStringLiteral("CONSTRAINT \"%1\" CHECK (%2 IS NULL OR (%3))")
                     .arg(numberConstraintName(c), c.name, test.arg(c.name, low, high));
    }
    out.sql = QStringLiteral("(") + parts.join(QStringLiteral(", ")) + QStringLiteral(")");
    return out;
}

void rewriteSelect(Tokens &t, Translation &out)
{
    const qsizetype end = qsizetype(t.size());
    const qsizetype groupBy = findTopLevel(t, 0, end, "GROUP");
    const qsizetype orderBy = findTopLevel(t, 0, end, "ORDER");
    if (findTopLevel(t, 0, end, "UNION") != npos || findTopLevel(t, 0, end, "LIMIT") != npos)
        return;

    if (groupBy != npos) {
        if (orderBy != npos)
            return;
        // Grouped rows come ordered by the grouping columns.
        const qsizetype by = nextSig(t, groupBy);
        qsizetype listEnd = findTopLevel(t, by + 1, end, "HAVING");
        if (listEnd == npos)
            listEnd = end;
        Tokens list(t.begin() + by + 1, t.begin() + listEnd);
        t.push_back(space());
        t.push_back(word(QStringLiteral("ORDER BY")));
        t.insert(t.end(), list.begin(), list.end());
        return;
    }

    // A one-table SELECT * comes ordered by its key (the rowid) and can be edited live.
    const qsizetype sel = nextSig(t, -1);
    const qsizetype star = nextSig(t, sel);
    const qsizetype from = star == npos ? npos : nextSig(t, star);
    const qsizetype table = from == npos ? npos : nextSig(t, from);
    if (table == npos || !t[star].isSymbol('*') || !t[from].isWord("FROM") || t[table].kind != TokenKind::Word)
        return;
    const qsizetype after = nextSig(t, table);
    if (after != npos && !t[after].isWord("WHERE") && !t[after].isWord("ORDER"))
        return;
    out.table = t[table].text;
    if (orderBy == npos) {
        t.push_back(space());
        t.push_back(word(QStringLiteral("ORDER BY _rowid_")));
    }
    Tokens withRowid = t;
    withRowid[star].text = QStringLiteral("_rowid_, *");
    out.rowidSql = joinTokens(withRowid);
}

} // namespace

QString charConstraintName(const CharColumn &column)
{
    return QStringLiteral("dorv_char %1 %2").arg(column.name).arg(column.size);
}

bool parseCharConstraint(const QString &message, CharColumn &column)
{
    const qsizetype at = message.indexOf(QLatin1String("dorv_char "));
    if (at < 0)
        return false;
    const QStringList parts = message.mid(at).split(u' ');
    if (parts.size() < 3)
        return false;
    column.name = parts[1];
    column.size = parts[2].toInt();
    return true;
}

QString numberConstraintName(const NumberColumn &column)
{
    return QStringLiteral("dorv_num %1 %2 %3").arg(column.name).arg(column.precision).arg(column.scale);
}

bool parseNumberConstraint(const QString &message, NumberColumn &column)
{
    const qsizetype at = message.indexOf(QLatin1String("dorv_num "));
    if (at < 0)
        return false;
    const QStringList parts = message.mid(at).split(u' ');
    if (parts.size() < 4)
        return false;
    column.name = parts[1];
    column.precision = parts[2].toInt();
    column.scale = parts[3].toInt();
    return true;
}

QString numberRangeMessage(const NumberColumn &column)
{
    if (column.precision == 0)
        return QStringLiteral("The value for field %1 is out of range: a whole number from -2147483648 to 2147483647 is "
                              "required")
            .arg(column.name);
    return QStringLiteral("The value for field %1 is out of range: NUMERIC(%2,%3) holds amounts below 1e%4")
        .arg(column.name)
        .arg(column.precision)
        .arg(column.scale)
        .arg(column.precision - column.scale);
}

Translation translate(const QString &sql)
{
    Tokens t = tokenize(sql);
    refuseSecondStatement(t);
    refuseUnplainTableNames(t);

    Translation out;
    const qsizetype first = nextSig(t, -1);
    if (first == npos)
        throw EngineError(QStringLiteral("Empty statement"));

    QSet<QString> seen;
    for (const Token &k : t) {
        if (k.kind == TokenKind::Word) {
            const QString lower = k.text.toLower();
            if (!seen.contains(lower)) {
                seen.insert(lower);
                out.words.push_back(k.text);
            }
        }
    }

    const Token &head = t[first];
    if (head.isWord("CREATE")) {
        const qsizetype kw = nextSig(t, first);
        if (kw != npos && t[kw].isWord("TABLE")) {
            Translation created = translateCreate(t, kw);
            created.words = out.words;
            return created;
        }
        out.kind = StatementKind::Other;
    } else if (head.isWord("DROP")) {
        const qsizetype kw = nextSig(t, first);
        if (kw != npos && t[kw].isWord("TABLE")) {
            out.kind = StatementKind::DropTable;
            out.table = t[nextSig(t, kw)].text;
            out.sql = joinTokens(t);
            return out;
        }
        out.kind = StatementKind::Other;
    } else if (head.isWord("SELECT")) {
        out.kind = StatementKind::Select;
    } else if (head.isWord("INSERT")) {
        out.kind = StatementKind::Insert;
    } else if (head.isWord("UPDATE")) {
        out.kind = StatementKind::Update;
    } else if (head.isWord("DELETE")) {
        out.kind = StatementKind::Delete;
    }

    castDecimalsToReal(t);
    keepFirstColumnOfSubselects(t);
    if (out.kind == StatementKind::Select)
        rewriteSelect(t, out);
    out.sql = joinTokens(t);
    return out;
}

std::vector<QString> createTableStatements(const Translation &t, const QString &schema)
{
    return {QStringLiteral("CREATE TABLE \"%1\".%2 %3").arg(schema, t.table, t.sql)};
}

} // namespace engine
