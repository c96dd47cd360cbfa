#pragma once
// Description of one column of a result: its name, defined size and where it comes from.

#include <QString>

namespace vornel {

enum class ColumnType { Text, Integer, Double, DateTime, Boolean, Binary, Unknown };

struct Column {
    QString name;        // as the query returns it; empty for an expression without alias
    int definedSize = 0; // declared length of text columns (nvarchar(50) -> 50); byte size of others
    ColumnType type = ColumnType::Unknown;
    QString baseTable;  // table the column is read from; empty for expressions
    QString baseColumn; // column name in that table
    bool key = false;   // part of the base table's primary key
    bool autoIncrement = false;
};

} // namespace vornel
