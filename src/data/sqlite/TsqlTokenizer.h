#pragma once
// Tokens of T-SQL text and the tree of parenthesised groups built from them. The dialect layer
// rewrites this tree, never the raw text, so string literals and comments cannot be mistaken
// for code.

#include <QString>
#include <optional>
#include <vector>

namespace vornel::tsql {

enum class TokenKind {
    Word,      // identifier or keyword: Cod, SELECT, #temp
    Bracketed, // [Cod Vamal], with ]] standing for ]
    Quoted,    // "Cod Vamal", with "" standing for "
    String,    // 'text', with '' standing for '; an N prefix is dropped
    Number,    // 12, 1.5, 2e3, 0x1F
    Variable,  // @name, @@name
    Operator   // punctuation and operators: + - * / % = <> <= ( ) , . ; and any other character
};

struct Token {
    TokenKind kind = TokenKind::Operator;
    QString text;  // source text of the token
    QString space; // blanks before the token; a comment counts as one blank

    // Case-insensitive test for a bare word (keywords, function names).
    bool isWord(const char* upper) const;
    bool isOp(const char* op) const { return kind == TokenKind::Operator && text == QLatin1StringView(op); }
    // Identifier forms: bare word, [bracketed] or "quoted".
    bool isIdentifier() const {
        return kind == TokenKind::Word || kind == TokenKind::Bracketed || kind == TokenKind::Quoted;
    }
    // A reserved word that ends an operand: SELECT, FROM, AS, AND, WHEN, ORDER ...
    bool isKeyword() const;
    // The identifier without brackets or quotes and with its escapes resolved.
    QString name() const;
};

// Splits the text into tokens. Throws DbError(ErrorNumber::Command) for an unterminated string,
// bracketed or quoted identifier, or block comment. Blanks after the last token are dropped.
std::vector<Token> tokenize(const QString& sql);

// A token, or a parenthesised group: `token` is then its "(" and `close` its ")" (absent when the
// text ends before the group closes).
struct Node {
    Token token;
    bool group = false;
    std::vector<Node> items;
    std::optional<Token> close;

    bool isWord(const char* upper) const { return !group && token.isWord(upper); }
    bool isOp(const char* op) const { return !group && token.isOp(op); }
};

std::vector<Node> buildTree(std::vector<Token> tokens);

// The text of the nodes, with a blank added wherever two tokens would otherwise run together.
QString join(const std::vector<Node>& nodes);

// Node constructors for rewritten text.
Node wordNode(const QString& text, const QString& space = QStringLiteral(" "));
Node opNode(const QString& text, const QString& space = QString());
Node groupNode(std::vector<Node> items, const QString& space = QString());

// The blanks before the first token of the nodes.
QString leadingSpace(const std::vector<Node>& nodes);
void setLeadingSpace(std::vector<Node>& nodes, const QString& space);

} // namespace vornel::tsql
