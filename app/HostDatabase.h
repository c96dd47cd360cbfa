#pragma once
// The database the host works on: the embedded file given with --db, the demo database in the
// user's data folder (created on first use), or SQL Server through --odbc.

#include "data/Connection.h"

#include <QString>
#include <memory>

namespace vornel::host {

struct HostDatabase {
    std::shared_ptr<Connection> connection;
    QString description;  // shown in the host window
    QString embeddedPath; // the SQLite file; empty with ODBC

    // The embedded file the options name: `file`, or the demo database when it is empty.
    static QString embeddedFile(const QString& file);

    // Opens and checks the database (its tables and columns against the program's). Throws
    // DbError with the one line to show: why it cannot be opened, or what its structure lacks.
    static HostDatabase open(const QString& file, const QString& odbc);
};

} // namespace vornel::host
