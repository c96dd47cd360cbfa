#pragma once
// How the embedded backend describes result columns: defined size and type from the declared
// column type, and whether an expression column carries an alias in the statement text.

#include "data/Column.h"

#include <QByteArray>
#include <QString>

namespace vornel::SqliteColumns {

struct Declared {
    int size = 0; // 0 when the declared type says nothing (expression columns)
    ColumnType type = ColumnType::Unknown;
};

// "nvarchar(50)" -> 50 Text, "int" -> 4 Integer, "datetime" -> 16 DateTime, "text" -> 1073741823 Text.
Declared fromDeclaredType(const char* decltype_);

// True when `name` appears in the statement as an alias ("AS name", "AS [name]", "as 'name'").
bool isAlias(const QByteArray& sql, const QString& name);

// Number of characters in a UTF-8 text of `bytes` bytes.
int utf8Length(const unsigned char* text, int bytes);

} // namespace vornel::SqliteColumns
