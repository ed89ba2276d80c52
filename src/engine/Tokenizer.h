#pragma once

#include <QString>

#include <vector>

namespace engine {

enum class TokenKind {
    Word,        // identifier or keyword
    Quoted,      // "identifier", [identifier] or `identifier`
    String,      // 'text'
    Number,
    Parameter,   // :NAME
    Symbol,      // operators and punctuation
    Semicolon,
    Space,       // blanks and comments
};

struct Token
{
    TokenKind kind;
    QString text;

    bool isWord(const char *upperKeyword) const;
    bool isSymbol(char c) const { return kind == TokenKind::Symbol && text.size() == 1 && text[0] == QChar(c); }
    bool significant() const { return kind != TokenKind::Space; }
};

// Splits a statement into tokens that, joined, give the text back unchanged. An
// unterminated string or quoted name is refused with an EngineError.
std::vector<Token> tokenize(const QString &sql);

QString joinTokens(const std::vector<Token> &tokens);

} // namespace engine
