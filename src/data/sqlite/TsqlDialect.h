#pragma once
// Token-level translation of the T-SQL the windows build into SQLite's SQL. String literals are
// never touched: the text is split into tokens first and only identifiers, keywords and
// operators are rewritten.

#include <QString>

namespace vornel::TsqlDialect {

// Throws DbError(ErrorNumber::Command) for text it cannot tokenise (an unterminated string).
QString toSqlite(const QString& tsql);

} // namespace vornel::TsqlDialect
