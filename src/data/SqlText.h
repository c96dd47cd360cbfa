#pragma once
// Helpers that keep values from changing the structure of a statement built as text.

#include <QString>
#include <optional>

namespace vornel::Sql {

// How a backend escapes the wildcards of LIKE: SQL Server within brackets ("[%]"); SQLite, which
// has no bracket classes, with an escape character named by an ESCAPE clause.
enum class LikeDialect { Brackets, EscapeClause };

// A search text as a LIKE literal, quotes included: "/" is the wildcard and becomes "%"; every
// other character ("%", "_" and "[" too) matches itself. In EscapeClause form the literal is
// followed by " ESCAPE '\'" when something had to be escaped.
QString likeLiteral(const QString& search, LikeDialect dialect);

// The value with every single quote doubled, ready to stand between single quotes in a statement.
// A value without quotes comes back unchanged, so statements stay byte-identical to the plain ones.
QString text(const QString& value);

// True when the text is a plain decimal number (optional sign, digits, optional point and digits),
// the only form a value written bare into a statement may have.
bool isNumber(const QString& value);

// True when the text is an optionally signed run of digits.
bool isInteger(const QString& value);

// The leading number of a text ("007x" -> 7, "12.5" -> 12.5, "abc" -> 0), as Val() reads it.
double leadingNumber(const QString& value);

// Text form of a number with "." as decimal separator and no exponent or thousands separators.
QString numberText(double value);

} // namespace vornel::Sql
