#include "engine/Tokenizer.h"

#include "engine/EngineError.h"

namespace engine {

bool Token::isWord(const char *upperKeyword) const
{
    return kind == TokenKind::Word && text.compare(QLatin1String(upperKeyword), Qt::CaseInsensitive) == 0;
}

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

std::vector<Token> tokenize(const QString &sql)
{
    std::vector<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto push = [&](TokenKind kind, qsizetype start) { tokens.push_back({kind, sql.mid(start, i - start)}); };

    while (i < n) {
        const qsizetype start = i;
        const QChar c = sql[i];
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace())
                ++i;
            push(TokenKind::Space, start);
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                ++i;
            push(TokenKind::Space, start);
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            push(TokenKind::Space, start);
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            ++i;
            bool closed = false;
            while (i < n) {
                if (sql[i] == close) {
                    // A doubled quote inside a string or name stands for the quote itself.
                    if (close != u']' && i + 1 < n && sql[i + 1] == close) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                ++i;
            }
            if (!closed)
                throw EngineError(QStringLiteral("Unterminated text in statement: %1").arg(sql.mid(start, 40)));
            push(c == u'\'' ? TokenKind::String : TokenKind::Quoted, start);
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit())) {
            while (i < n && (sql[i].isDigit() || sql[i] == u'.'))
                ++i;
            if (i < n && (sql[i] == u'e' || sql[i] == u'E')) {
                qsizetype j = i + 1;
                if (j < n && (sql[j] == u'+' || sql[j] == u'-'))
                    ++j;
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit())
                        ++i;
                }
            }
            push(TokenKind::Number, start);
        } else if (c == u':' && i + 1 < n && isWordStart(sql[i + 1])) {
            ++i;
            while (i < n && isWordPart(sql[i]))
                ++i;
            push(TokenKind::Parameter, start);
        } else if (isWordStart(c)) {
            while (i < n && isWordPart(sql[i]))
                ++i;
            push(TokenKind::Word, start);
        } else if (c == u';') {
            ++i;
            push(TokenKind::Semicolon, start);
        } else {
            ++i;
            if (i < n) {
                const QString two = sql.mid(start, 2);
                if (two == u"<=" || two == u">=" || two == u"<>" || two == u"!=" || two == u"||" || two == u"==")
                    ++i;
            }
            push(TokenKind::Symbol, start);
        }
    }
    return tokens;
}

QString joinTokens(const std::vector<Token> &tokens)
{
    QString out;
    for (const Token &t : tokens)
        out += t.text;
    return out;
}

} // namespace engine
