#include "data/sqlite/TsqlDialect.h"

#include "data/sqlite/TsqlCalls.h"
#include "data/sqlite/TsqlTokenizer.h"

namespace vornel::TsqlDialect {

using tsql::Node;
using tsql::Token;
using tsql::TokenKind;

namespace {

std::vector<Node> rewriteList(std::vector<Node> in);

Node rewriteGroup(const Node& group) {
    Node out = group;
    out.items = rewriteList(group.items);
    return out;
}

bool isNameNode(const Node& node) {
    return !node.group && (node.token.isIdentifier() || node.token.kind == TokenKind::Variable) &&
           !node.token.isKeyword();
}

// `dbo` and the empty owner of `db..table` are left out: SQLite has no owners. What stays in front
// of a table is a database name, and SQLite's schema names match it in any letter case
// (`ADMTIVRA.dbo.Societati` -> `ADMTIVRA.Societati`).
bool isOwner(const Node* part) {
    return part == nullptr || part->token.name().compare(u"dbo", Qt::CaseInsensitive) == 0;
}

// Parses one additive expression at a time; everything that is not part of an operand (keywords,
// commas, comparisons) is copied through. Each chain `a + b + c` becomes
// `tsql_add(tsql_add(a, b), c)`, which concatenates text and adds numbers as SQL Server does.
class ListRewriter {
public:
    explicit ListRewriter(const std::vector<Node>& in) : m_in(in) {}

    std::vector<Node> run() {
        std::vector<Node> out;
        while (m_pos < m_in.size()) {
            const size_t start = m_pos;
            std::vector<Node> expr = additive();
            if (m_pos == start) {
                const Node& node = m_in[m_pos++];
                out.push_back(node.group ? rewriteGroup(node) : node);
            } else {
                append(out, std::move(expr));
            }
        }
        return out;
    }

private:
    const std::vector<Node>& m_in;
    size_t m_pos = 0;

    static void append(std::vector<Node>& out, std::vector<Node> more) {
        for (Node& node : more)
            out.push_back(std::move(node));
    }

    bool atOp(const char* op) const { return m_pos < m_in.size() && m_in[m_pos].isOp(op); }

    std::vector<Node> additive() {
        std::vector<Node> left = term();
        while (!left.empty() && (atOp("+") || atOp("-"))) {
            const size_t save = m_pos;
            const Node op = m_in[m_pos++];
            std::vector<Node> right = term();
            if (right.empty()) {
                m_pos = save;
                break;
            }
            if (op.isOp("+")) {
                left = tsql::callNodes(QStringLiteral("tsql_add"), {std::move(left), std::move(right)},
                                       tsql::leadingSpace(left));
            } else {
                left.push_back(op);
                append(left, std::move(right));
            }
        }
        return left;
    }

    std::vector<Node> term() {
        std::vector<Node> left = unary();
        while (!left.empty() && (atOp("*") || atOp("/") || atOp("%"))) {
            const size_t save = m_pos;
            const Node op = m_in[m_pos++];
            std::vector<Node> right = unary();
            if (right.empty()) {
                m_pos = save;
                break;
            }
            left.push_back(op);
            append(left, std::move(right));
        }
        return left;
    }

    std::vector<Node> unary() {
        if (atOp("+") || atOp("-") || atOp("~")) {
            const size_t save = m_pos;
            std::vector<Node> out{m_in[m_pos++]};
            std::vector<Node> operand = unary();
            if (operand.empty()) {
                m_pos = save;
                return {};
            }
            append(out, std::move(operand));
            return out;
        }
        return primary();
    }

    std::vector<Node> primary() {
        if (m_pos >= m_in.size()) return {};
        const Node& node = m_in[m_pos];
        if (node.group) {
            ++m_pos;
            return {rewriteGroup(node)};
        }
        const Token& token = node.token;
        if (token.isWord("CASE")) return caseExpression();
        if (token.kind == TokenKind::String || token.kind == TokenKind::Number || token.isOp("*")) {
            ++m_pos;
            return {node};
        }
        // LEFT( and RIGHT( are calls, not joins.
        const bool call = m_pos + 1 < m_in.size() && m_in[m_pos + 1].group;
        if (isNameNode(node) || ((token.isWord("LEFT") || token.isWord("RIGHT")) && call)) return name();
        return {};
    }

    // CASE ... END is one operand; the expressions between its keywords are rewritten too.
    std::vector<Node> caseExpression() {
        int depth = 0;
        for (size_t end = m_pos; end < m_in.size(); ++end) {
            if (m_in[end].isWord("CASE"))
                ++depth;
            else if (m_in[end].isWord("END") && --depth == 0) {
                std::vector<Node> out{m_in[m_pos]};
                append(out, rewriteList({m_in.begin() + long(m_pos) + 1, m_in.begin() + long(end)}));
                out.push_back(m_in[end]);
                m_pos = end + 1;
                return out;
            }
        }
        return {};
    }

    // A dotted name (owners dropped), or a function call.
    std::vector<Node> name() {
        const Node* previous = m_pos > 0 ? &m_in[m_pos - 1] : nullptr;
        std::vector<const Node*> parts{&m_in[m_pos]};
        size_t j = m_pos + 1;
        while (j < m_in.size() && m_in[j].isOp(".")) {
            const Node* next = j + 1 < m_in.size() ? &m_in[j + 1] : nullptr;
            if (next && next->isOp(".")) {
                parts.push_back(nullptr);
                j += 1;
            } else if (next && !next->group && (next->token.isIdentifier() || next->isOp("*"))) {
                parts.push_back(next);
                j += 2;
            } else {
                break;
            }
        }
        while (parts.back() == nullptr) { // `a..` with no name after it: the dots stay as they are
            parts.pop_back();
            --j;
        }
        m_pos = j;

        std::vector<Node> out;
        for (size_t k = 0; k < parts.size(); ++k) {
            if (k + 1 < parts.size() && isOwner(parts[k])) continue;
            if (!out.empty()) out.push_back(tsql::opNode(QStringLiteral(".")));
            out.push_back(*parts[k]);
            out.back().token.space.clear();
        }
        tsql::setLeadingSpace(out, parts.front()->token.space);

        if (out.size() == 1 && m_pos < m_in.size() && m_in[m_pos].group) {
            const Node args = rewriteGroup(m_in[m_pos++]);
            // A table name followed by its column list is no call.
            const bool table = previous && (previous->isWord("INTO") || previous->isWord("UPDATE") ||
                                            previous->isWord("FROM") || previous->isWord("JOIN") ||
                                            previous->isWord("TABLE"));
            if (!table) {
                if (auto rewritten = tsql::rewriteCall(out.front(), args)) return *rewritten;
            }
            out.push_back(args);
        }
        return out;
    }
};

// `SELECT [DISTINCT] TOP n ...` -> `SELECT [DISTINCT] ... LIMIT n`, for a plain number and a
// single SELECT (a UNION would need the limit on its first part only).
void moveTopToLimit(std::vector<Node>& nodes) {
    if (nodes.empty() || !nodes[0].isWord("SELECT")) return;
    size_t top = 1;
    if (top < nodes.size() && (nodes[top].isWord("DISTINCT") || nodes[top].isWord("ALL"))) ++top;
    if (top + 1 >= nodes.size() || !nodes[top].isWord("TOP")) return;
    const Node& count = nodes[top + 1];
    const bool number = count.group ? count.items.size() == 1 && !count.items[0].group &&
                                          count.items[0].token.kind == TokenKind::Number
                                    : count.token.kind == TokenKind::Number;
    if (!number) return;
    if (top + 2 < nodes.size() && (nodes[top + 2].isWord("PERCENT") || nodes[top + 2].isWord("WITH"))) return;
    for (const Node& node : nodes)
        if (node.isWord("UNION") || node.isWord("EXCEPT") || node.isWord("INTERSECT") || node.isWord("LIMIT"))
            return;
    Node limit = count.group ? count.items[0] : count;
    limit.token.space = QStringLiteral(" ");
    nodes.erase(nodes.begin() + long(top), nodes.begin() + long(top) + 2);
    nodes.push_back(tsql::wordNode(QStringLiteral("LIMIT")));
    nodes.push_back(limit);
}

std::vector<Node> rewriteList(std::vector<Node> in) {
    moveTopToLimit(in);
    return ListRewriter(in).run();
}

// Token forms SQLite reads differently: "x" may fall back to a string literal there, and
// brackets have no ]] escape; !< and !> do not exist.
void normaliseTokens(std::vector<Token>& tokens) {
    for (Token& token : tokens) {
        if (token.kind == TokenKind::Quoted && !token.name().contains(u']')) {
            token.text = u'[' + token.name() + u']';
            token.kind = TokenKind::Bracketed;
        } else if (token.kind == TokenKind::Bracketed && token.text.contains(QStringLiteral("]]"))) {
            token.text = u'"' + token.name().replace(u'"', QStringLiteral("\"\"")) + u'"';
            token.kind = TokenKind::Quoted;
        } else if (token.isOp("!<")) {
            token.text = QStringLiteral(">=");
        } else if (token.isOp("!>")) {
            token.text = QStringLiteral("<=");
        }
    }
}

} // namespace

QString toSqlite(const QString& tsql) {
    std::vector<Token> tokens = tsql::tokenize(tsql);
    while (!tokens.empty() && tokens.back().isOp(";"))
        tokens.pop_back();
    normaliseTokens(tokens);
    std::vector<Node> nodes = tsql::buildTree(std::move(tokens));

    // `DELETE table WHERE ...`: FROM is optional in T-SQL.
    if (nodes.size() >= 2 && nodes[0].isWord("DELETE") && isNameNode(nodes[1]))
        nodes.insert(nodes.begin() + 1, tsql::wordNode(QStringLiteral("FROM")));

    nodes = rewriteList(std::move(nodes));
    tsql::setLeadingSpace(nodes, QString());
    return tsql::join(nodes);
}

} // namespace vornel::TsqlDialect
