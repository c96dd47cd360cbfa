#pragma once
// Orders the rows of a result by one column: text by the Romanian collation, numbers and dates by
// value, empty values first. Rows that compare equal keep the query's order.

#include "Column.h"
#include "RowStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vornel {

enum class SortKind { Text, Number, Date };

// Numbers for numeric columns and for columns whose every value is a number; dates for date
// columns and for text columns whose every value reads as a date (dd/mm/yyyy, dd.mm.yyyy,
// yyyy-mm-dd, with or without a time); text otherwise.
SortKind sortKindOf(const RowStore& rows, const Column& column, int index);

// A permutation of all stored rows, ascending or descending by the column.
std::vector<std::uint32_t> sortRows(const RowStore& rows, const Column& column, int index, bool descending);

// The date in a text as the number yyyymmddhhmmss; false when the text is not a date.
bool dateValue(const char* text, std::size_t size, double& value);

// The text of a cell that sorts as text (numbers in their plain form); false for NULL and blobs.
bool cellText(const RowStore::Cell& cell, std::string& text);

} // namespace vornel
