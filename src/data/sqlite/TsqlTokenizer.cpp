#include "data/sqlite/TsqlTokenizer.h"

#include "data/DbError.h"

namespace vornel::tsql {

namespace {

bool isWordChar(QChar c) {
    // Like SQLite, every character outside ASCII may be part of a name.
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'$' || c == u'@' || c.unicode() >= 0x80;
}

bool isWordStart(QChar c) {
    return c.isLetter() || c == u'_' || c == u'#' || (c.unicode() >= 0x80 && !c.isSpace());
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

[[noreturn]] void unclosed(const QString& sql, qsizetype from) {
    throw DbError(
        ErrorNumber::Command,
        QStringLiteral("Unclosed quotation mark after the character string '%1'.").arg(sql.mid(from + 1)));
}

// End (exclusive) of a token delimited by `quote`, where a doubled `quote` stands for itself.
qsizetype delimitedEnd(const QString& sql, qsizetype start, QChar quote) {
    qsizetype i = start + 1;
    const qsizetype n = sql.size();
    while (i < n) {
        if (sql[i] == quote) {
            if (i + 1 < n && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    unclosed(sql, start);
}

qsizetype numberEnd(const QString& sql, qsizetype i) {
    const qsizetype n = sql.size();
    if (sql[i] == u'0' && i + 1 < n && (sql[i + 1] == u'x' || sql[i + 1] == u'X')) {
        i += 2;
        while (i < n && (isDigit(sql[i]) || (sql[i].toLower() >= u'a' && sql[i].toLower() <= u'f')))
            ++i;
        return i;
    }
    while (i < n && isDigit(sql[i]))
        ++i;
    if (i < n && sql[i] == u'.') {
        ++i;
        while (i < n && isDigit(sql[i]))
            ++i;
    }
    if (i + 1 < n && (sql[i] == u'e' || sql[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (sql[j] == u'+' || sql[j] == u'-')) ++j;
        if (j < n && isDigit(sql[j])) {
            i = j;
            while (i < n && isDigit(sql[i]))
                ++i;
        }
    }
    return i;
}

} // namespace

bool Token::isWord(const char* upper) const {
    return kind == TokenKind::Word && text.compare(QLatin1StringView(upper), Qt::CaseInsensitive) == 0;
}

bool Token::isKeyword() const {
    static const char* const keywords[] = {
        "ADD",      "ALL",   "ALTER",   "AND",    "ANY",    "AS",      "ASC",     "BEGIN",     "BETWEEN",
        "BY",       "CASE",  "COLLATE", "CREATE", "CROSS",  "DECLARE", "DEFAULT", "DELETE",    "DESC",
        "DISTINCT", "DROP",  "ELSE",    "END",    "ESCAPE", "EXCEPT",  "EXEC",    "EXECUTE",   "EXISTS",
        "FROM",     "FULL",  "GROUP",   "HAVING", "IN",     "INNER",   "INSERT",  "INTERSECT", "INTO",
        "IS",       "JOIN",  "LEFT",    "LIKE",   "LIMIT",  "NOT",     "OFFSET",  "ON",        "OR",
        "ORDER",    "OUTER", "PERCENT", "RIGHT",  "SELECT", "SET",     "SOME",    "TABLE",     "THEN",
        "TIES",     "TOP",   "UNION",   "UPDATE", "VALUES", "WHEN",    "WHERE",   "WITH"};
    if (kind != TokenKind::Word) return false;
    for (const char* keyword : keywords)
        if (isWord(keyword)) return true;
    return false;
}

QString Token::name() const {
    switch (kind) {
    case TokenKind::Bracketed:
        return text.mid(1, text.size() - 2).replace(QStringLiteral("]]"), QStringLiteral("]"));
    case TokenKind::Quoted:
        return text.mid(1, text.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    default:
        return text;
    }
}

std::vector<Token> tokenize(const QString& sql) {
    std::vector<Token> tokens;
    QString space;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            // SQLite knows only ASCII blanks.
            space += c.unicode() < 0x80 ? c : QChar(u' ');
            ++i;
            continue;
        }
        if (c == u'-' && next == u'-') {
            while (i < n && sql[i] != u'\n')
                ++i;
            space += u' ';
            continue;
        }
        if (c == u'/' && next == u'*') {
            // Block comments nest.
            int depth = 0;
            do {
                if (i + 1 < n && sql[i] == u'/' && sql[i + 1] == u'*') {
                    ++depth;
                    i += 2;
                } else if (i + 1 < n && sql[i] == u'*' && sql[i + 1] == u'/') {
                    --depth;
                    i += 2;
                } else if (i < n) {
                    ++i;
                } else {
                    throw DbError(ErrorNumber::Command, QStringLiteral("Missing end comment mark '*/'."));
                }
            } while (depth > 0);
            space += u' ';
            continue;
        }

        Token token;
        token.space = space;
        space.clear();
        qsizetype end = i + 1;
        if ((c == u'N' || c == u'n') && next == u'\'') {
            ++i;
            end = delimitedEnd(sql, i, u'\'');
            token.kind = TokenKind::String;
        } else if (c == u'\'') {
            end = delimitedEnd(sql, i, u'\'');
            token.kind = TokenKind::String;
        } else if (c == u'[') {
            end = delimitedEnd(sql, i, u']');
            token.kind = TokenKind::Bracketed;
        } else if (c == u'"') {
            end = delimitedEnd(sql, i, u'"');
            token.kind = TokenKind::Quoted;
        } else if (isDigit(c) || (c == u'.' && isDigit(next))) {
            end = numberEnd(sql, i);
            token.kind = TokenKind::Number;
        } else if (c == u'@' || isWordStart(c)) {
            while (end < n && isWordChar(sql[end]))
                ++end;
            token.kind = c == u'@' ? TokenKind::Variable : TokenKind::Word;
        } else {
            static const char* const pairs[] = {"<=", ">=", "<>", "!=", "!<", "!>"};
            for (const char* pair : pairs)
                if (c == QLatin1Char(pair[0]) && next == QLatin1Char(pair[1])) end = i + 2;
            token.kind = TokenKind::Operator;
        }
        token.text = sql.mid(i, end - i);
        tokens.push_back(std::move(token));
        i = end;
    }
    return tokens;
}

namespace {

// Reads nodes up to the ")" that closes the current group; returns that ")" when found.
std::optional<Token> buildLevel(std::vector<Token>& tokens, size_t& pos, bool nested,
                                std::vector<Node>& nodes) {
    while (pos < tokens.size()) {
        Token& token = tokens[pos++];
        if (nested && token.isOp(")")) return std::move(token);
        Node node;
        node.token = std::move(token);
        if (node.token.isOp("(")) {
            node.group = true;
            node.close = buildLevel(tokens, pos, true, node.items);
        }
        nodes.push_back(std::move(node));
    }
    return std::nullopt;
}

bool wordLike(QChar c) {
    return isWordChar(c) || c == u'\'' || c == u'"' || c == u'[' || c == u']';
}

void appendNodes(QString& out, const std::vector<Node>& nodes);

void appendToken(QString& out, const Token& token) {
    QString space = token.space;
    if (space.isEmpty() && !out.isEmpty() && !token.text.isEmpty()) {
        const QChar last = out.back();
        const QChar first = token.text.front();
        // Keep words apart, and never let two tokens form the start of a comment.
        if ((isWordChar(last) && wordLike(first)) || (wordLike(last) && isWordChar(first)) ||
            (last == u'-' && first == u'-') || (last == u'/' && first == u'*') ||
            // 'a' 'b' must not become the single literal 'a''b'
            (last == first && (last == u'\'' || last == u'"' || last == u']')))
            space = QStringLiteral(" ");
    }
    out += space;
    out += token.text;
}

void appendNodes(QString& out, const std::vector<Node>& nodes) {
    for (const Node& node : nodes) {
        appendToken(out, node.token);
        if (node.group) {
            appendNodes(out, node.items);
            if (node.close) appendToken(out, *node.close);
        }
    }
}

} // namespace

std::vector<Node> buildTree(std::vector<Token> tokens) {
    size_t pos = 0;
    std::vector<Node> nodes;
    buildLevel(tokens, pos, false, nodes);
    return nodes;
}

QString join(const std::vector<Node>& nodes) {
    QString out;
    appendNodes(out, nodes);
    return out;
}

Node wordNode(const QString& text, const QString& space) {
    Node node;
    node.token.kind = TokenKind::Word;
    node.token.text = text;
    node.token.space = space;
    return node;
}

Node opNode(const QString& text, const QString& space) {
    Node node;
    node.token.kind = TokenKind::Operator;
    node.token.text = text;
    node.token.space = space;
    return node;
}

Node groupNode(std::vector<Node> items, const QString& space) {
    Node node = opNode(QStringLiteral("("), space);
    node.group = true;
    node.items = std::move(items);
    node.close = opNode(QStringLiteral(")")).token;
    return node;
}

QString leadingSpace(const std::vector<Node>& nodes) {
    return nodes.empty() ? QString() : nodes.front().token.space;
}

void setLeadingSpace(std::vector<Node>& nodes, const QString& space) {
    if (!nodes.empty()) nodes.front().token.space = space;
}

} // namespace vornel::tsql
