#pragma once
// Reads the current result set of an executed statement: column descriptions and every row.

#include "data/Backend.h"
#include "data/odbc/OdbcHandle.h"

namespace vornel::odbc {

// Describes the columns and fetches all rows of the statement's current result set.
QueryResult readResult(const OdbcHandle& statement, const Dialect& dialect);

// Defined size of a column as the data layer reports it: declared length for text and binary,
// byte size for the others (int 4, float 8, datetime 16, money 8).
int definedSize(SQLSMALLINT sqlType, SQLULEN columnSize);

ColumnType columnType(SQLSMALLINT sqlType);

} // namespace vornel::odbc
