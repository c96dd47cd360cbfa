#pragma once
// The T-SQL functions that SQLite lacks or spells differently, rewritten call by call.

#include "data/sqlite/TsqlTokenizer.h"

#include <optional>
#include <vector>

namespace vornel::tsql {

// `name(arg1, arg2, ...)`, the name carrying `space` before it.
std::vector<Node> callNodes(const QString& name, std::vector<std::vector<Node>> args, const QString& space);

// The SQLite form of the call `name(args)` (arguments already translated), or nothing when the
// call stays as written. IsNull, Len, GetDate, Convert, Cast to text, Substring and Left.
std::optional<std::vector<Node>> rewriteCall(const Node& name, const Node& args);

} // namespace vornel::tsql
