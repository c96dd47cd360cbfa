#pragma once
// What a database error means for the person who was saving: the cause named in words, for the
// causes that are the database's and not the record's (a duplicate key or related records have
// their own texts at the window that knows the record).

#include <QString>

namespace vornel {

class DbError;

enum class DbFault {
    Other,          // left to the caller: integrity violations, bad statements, anything unknown
    RowChanged,     // the row was deleted or changed by someone else since it was read
    Busy,           // locked by another connection, deadlock, lock or query time-out
    ReadOnly,       // the database (or the connection) may only be read
    DiskFull,       // no room for the change (disk, SQLite's page limit, a full filegroup or log)
    ConnectionLost, // the link to the server, or the embedded file, went away
    Structure,      // a table, column or procedure the program uses is missing
};

// Reads SQLite's result codes (the native code of errors without an SQLSTATE), SQL Server's
// SQLSTATEs and error numbers, and SQLite's codes as its ODBC driver reports them.
DbFault faultOf(const DbError& error);

// The message for the user, in the program's words; empty for DbFault::Other. Shown with icon 48
// for RowChanged, 16 for the others.
QString faultText(const DbError& error);

// The text for a row that another user changed or deleted meanwhile.
QString rowChangedText();

} // namespace vornel
