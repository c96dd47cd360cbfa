// Which items of a SELECT list carry a name, so that the embedded backend can leave unnamed
// expression columns without a name, as SQL Server does.

#include "data/sqlite/TsqlDialect.h"
#include "data/sqlite/TsqlTokenizer.h"

namespace vornel::TsqlDialect {

using tsql::Node;
using tsql::TokenKind;

namespace {

bool isName(const Node& node) {
    return !node.group && node.token.isIdentifier() && !node.token.isKeyword() && !node.isWord("NULL");
}

// A token after which a bare name can only be an alias: the end of an operand.
bool endsOperand(const Node& node) {
    if (node.group) return true;
    const auto kind = node.token.kind;
    return isName(node) || kind == TokenKind::String || kind == TokenKind::Number ||
           kind == TokenKind::Variable || node.isWord("END") || node.isWord("NULL");
}

// `a`, `t.a`, `[dbo].[t].[a]`, `db..t.a`.
bool isColumnReference(const std::vector<Node>& item) {
    bool expectName = true;
    for (const Node& node : item) {
        if (node.isOp(".")) {
            expectName = true; // an empty part (db..t) is allowed
        } else if (expectName && !node.group && node.token.isIdentifier() && !node.isWord("NULL")) {
            expectName = false;
        } else {
            return false;
        }
    }
    return !item.empty() && !expectName;
}

bool isNamed(const std::vector<Node>& item) {
    if (isColumnReference(item)) return true;
    if (item.size() < 2) return false;
    const Node& last = item.back();
    const Node& before = item[item.size() - 2];
    const bool aliasToken = isName(last) || (!last.group && last.token.kind == TokenKind::String);
    if (before.isWord("AS")) return aliasToken;
    // `expression alias` without AS.
    return aliasToken && endsOperand(before) && item.size() >= 2;
}

bool endsSelectList(const Node& node) {
    for (const char* word :
         {"FROM", "INTO", "WHERE", "GROUP", "HAVING", "ORDER", "UNION", "EXCEPT", "INTERSECT"})
        if (node.isWord(word)) return true;
    return node.isOp(";");
}

} // namespace

std::vector<bool> namedColumns(const QString& tsql) {
    const std::vector<Node> nodes = tsql::buildTree(tsql::tokenize(tsql));
    size_t pos = 0;
    if (nodes.empty() || !nodes[0].isWord("SELECT")) return {};
    ++pos;
    if (pos < nodes.size() && (nodes[pos].isWord("DISTINCT") || nodes[pos].isWord("ALL"))) ++pos;
    if (pos < nodes.size() && nodes[pos].isWord("TOP")) {
        pos += 2;
        if (pos < nodes.size() && nodes[pos].isWord("PERCENT")) ++pos;
        if (pos + 1 < nodes.size() && nodes[pos].isWord("WITH") && nodes[pos + 1].isWord("TIES")) pos += 2;
    }

    std::vector<std::vector<Node>> items(1);
    for (; pos < nodes.size() && !endsSelectList(nodes[pos]); ++pos) {
        if (nodes[pos].isOp(","))
            items.emplace_back();
        else
            items.back().push_back(nodes[pos]);
    }

    std::vector<bool> named;
    for (const std::vector<Node>& item : items) {
        if (!item.empty() && item.back().isOp("*"))
            return {}; // `*` or `t.*`: the columns are those of the tables
        named.push_back(isNamed(item));
    }
    return named;
}

} // namespace vornel::TsqlDialect
