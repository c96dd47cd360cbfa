#pragma once
// SQL functions of the embedded backend that give translated T-SQL SQL Server's results:
//   tsql_add(a, b)                 `+`: NULL if either is NULL, text joined if either is text,
//                                  else the numeric sum
//   tsql_text(x [, n])             a value as CONVERT(nvarchar(n), x) prints it (5.0 -> "5")
//   tsql_datetext(x, style [, n])  an ISO date text in a CONVERT style (103 -> dd/mm/yyyy)

struct sqlite3;

namespace vornel {

// Registers the functions on a connection. Throws DbError when SQLite refuses them.
void registerSqliteFunctions(sqlite3* db);

} // namespace vornel
