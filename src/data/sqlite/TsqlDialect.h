#pragma once
// Token-level translation of the T-SQL the windows build into SQLite's SQL. String literals are
// never touched: the text is split into tokens first and only identifiers, keywords and
// operators are rewritten.

#include <QString>
#include <vector>

namespace vornel::TsqlDialect {

// Throws DbError(ErrorNumber::Command) for text it cannot tokenise (an unterminated string).
QString toSqlite(const QString& tsql);

// For the outermost SELECT list of a statement: true for an item that is a plain column reference
// or has an alias, false for an expression without a name (SQL Server gives it an empty name).
// Empty when the list holds a `*` or the statement is not a SELECT. Throws as toSqlite does.
std::vector<bool> namedColumns(const QString& tsql);

} // namespace vornel::TsqlDialect
