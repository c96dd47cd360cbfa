#include "data/sqlite/TsqlCalls.h"

namespace vornel::tsql {

namespace {

Node literal(TokenKind kind, const QString& text) {
    Node node;
    node.token.kind = kind;
    node.token.text = text;
    return node;
}

// The arguments of a call, split at the commas of its own level.
std::vector<std::vector<Node>> splitArguments(const Node& args) {
    std::vector<std::vector<Node>> out;
    if (args.items.empty()) return out;
    out.emplace_back();
    for (const Node& node : args.items) {
        if (node.isOp(","))
            out.emplace_back();
        else
            out.back().push_back(node);
    }
    return out;
}

bool isOneOf(const QString& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names)
        if (name.compare(QLatin1StringView(candidate), Qt::CaseInsensitive) == 0) return true;
    return false;
}

enum class TypeClass { Text, Integer, Real, Date, Other };

struct TargetType {
    TypeClass type = TypeClass::Other;
    int length = 0; // text: characters kept, 0 for no limit
    int scale = -1; // decimal places of decimal(p, s)
};

// A data type as written in CONVERT or CAST: `nvarchar`, `nvarchar(50)`, `decimal(18, 2)`.
TargetType targetType(const std::vector<Node>& nodes) {
    TargetType target;
    if (nodes.empty() || nodes[0].group || nodes.size() > 2 || (nodes.size() == 2 && !nodes[1].group))
        return target;
    const QString name = nodes[0].token.name();
    std::vector<int> sizes;
    bool max = false;
    if (nodes.size() == 2) {
        for (const Node& item : nodes[1].items) {
            if (item.isWord("MAX"))
                max = true;
            else if (!item.group && item.token.kind == TokenKind::Number)
                sizes.push_back(item.token.text.toInt());
        }
    }
    if (isOneOf(name, {"varchar", "nvarchar", "char", "nchar", "sysname"})) {
        target.type = TypeClass::Text;
        // Without a length CONVERT and CAST keep 30 characters.
        target.length = max ? 0 : sizes.empty() ? 30 : sizes[0];
    } else if (isOneOf(name, {"text", "ntext"})) {
        target.type = TypeClass::Text;
    } else if (isOneOf(name, {"int", "integer", "smallint", "tinyint", "bigint"})) {
        target.type = TypeClass::Integer;
    } else if (isOneOf(name, {"float", "real", "decimal", "numeric", "money", "smallmoney"})) {
        target.type = TypeClass::Real;
        if (sizes.size() == 2) target.scale = sizes[1];
    } else if (isOneOf(name, {"datetime", "smalldatetime", "date", "datetime2"})) {
        target.type = TypeClass::Date;
    }
    return target;
}

std::vector<Node> castNodes(std::vector<Node> value, const char* type, const QString& space) {
    setLeadingSpace(value, QString());
    value.push_back(wordNode(QStringLiteral("AS")));
    value.push_back(wordNode(QLatin1StringView(type)));
    return {wordNode(QStringLiteral("CAST"), space), groupNode(std::move(value))};
}

std::optional<std::vector<Node>> convertTo(const TargetType& target, std::vector<Node> value,
                                           const std::vector<Node>* style, const QString& space) {
    switch (target.type) {
    case TypeClass::Text: {
        std::vector<std::vector<Node>> args{std::move(value)};
        if (style) args.push_back(*style);
        if (target.length > 0) args.push_back({literal(TokenKind::Number, QString::number(target.length))});
        return callNodes(style ? QStringLiteral("tsql_datetext") : QStringLiteral("tsql_text"),
                         std::move(args), space);
    }
    case TypeClass::Integer:
        return castNodes(std::move(value), "INTEGER", space);
    case TypeClass::Real: {
        std::vector<Node> cast = castNodes(std::move(value), "REAL", space);
        if (target.scale < 0) return cast;
        return callNodes(QStringLiteral("round"),
                         {std::move(cast), {literal(TokenKind::Number, QString::number(target.scale))}},
                         space);
    }
    case TypeClass::Date:
        // Dates are kept as ISO text; converting to a date leaves the value as it is.
        setLeadingSpace(value, space);
        return value;
    case TypeClass::Other:
        break;
    }
    return std::nullopt;
}

} // namespace

std::vector<Node> callNodes(const QString& name, std::vector<std::vector<Node>> args, const QString& space) {
    std::vector<Node> items;
    for (size_t k = 0; k < args.size(); ++k) {
        if (k > 0) items.push_back(opNode(QStringLiteral(",")));
        setLeadingSpace(args[k], k > 0 ? QStringLiteral(" ") : QString());
        for (Node& node : args[k])
            items.push_back(std::move(node));
    }
    return {wordNode(name, space), groupNode(std::move(items))};
}

std::optional<std::vector<Node>> rewriteCall(const Node& name, const Node& args) {
    const QString function = name.token.kind == TokenKind::Word ? name.token.text : QString();
    const QString& space = name.token.space;
    std::vector<std::vector<Node>> arguments = splitArguments(args);
    const size_t count = arguments.size();

    if (isOneOf(function, {"isnull"}) && count == 2)
        return callNodes(QStringLiteral("ifnull"), std::move(arguments), space);
    if (isOneOf(function, {"len"}) && count == 1) {
        // LEN ignores trailing blanks.
        return callNodes(QStringLiteral("length"),
                         {callNodes(QStringLiteral("rtrim"), std::move(arguments), {})}, space);
    }
    if (isOneOf(function, {"getdate"}) && count == 0) {
        return callNodes(QStringLiteral("datetime"),
                         {{literal(TokenKind::String, QStringLiteral("'now'"))},
                          {literal(TokenKind::String, QStringLiteral("'localtime'"))}},
                         space);
    }
    if (isOneOf(function, {"substring"}) && count == 3)
        return callNodes(QStringLiteral("substr"), std::move(arguments), space);
    if (isOneOf(function, {"left"}) && count == 2) {
        return callNodes(QStringLiteral("substr"),
                         {std::move(arguments[0]),
                          {literal(TokenKind::Number, QStringLiteral("1"))},
                          std::move(arguments[1])},
                         space);
    }
    if (isOneOf(function, {"convert"}) && (count == 2 || count == 3)) {
        const std::vector<Node>* style = count == 3 ? &arguments[2] : nullptr;
        return convertTo(targetType(arguments[0]), std::move(arguments[1]), style, space);
    }
    if (isOneOf(function, {"cast"}) && count == 1) {
        // SQLite casts numbers and dates itself; only text needs SQL Server's number forms.
        std::vector<Node>& items = arguments[0];
        for (size_t k = items.size(); k-- > 1;) {
            if (!items[k].isWord("AS")) continue;
            const TargetType target = targetType({items.begin() + long(k) + 1, items.end()});
            if (target.type != TypeClass::Text) return std::nullopt;
            return convertTo(target, {items.begin(), items.begin() + long(k)}, nullptr, space);
        }
    }
    return std::nullopt;
}

} // namespace vornel::tsql
