#pragma once
// The stored procedures of the company database, native to the embedded backend, with the same
// parameters, return values and refusals as their T-SQL versions in db/mssql:
//   Vezi   (RETURN_VALUE, nr, tip, user, IdSoc)      1 refuses the action, 0 allows it
//   Sterge (NumeSoc, what, varInt, varString)        raises an error when the record is in use
//   Start  (@Return_Value, @Name ... @IntoarceDocument) 10, 11 and 12 refuse the series change

namespace vornel {

class SqliteBackend;

void registerNativeProcedures(SqliteBackend& backend);

} // namespace vornel
