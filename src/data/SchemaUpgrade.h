#pragma once
// Brings an embedded database of an earlier version up to date where that is safe: the tables the
// program itself introduced later (the audit trail, which starts empty, and the VAT regimes, which
// start with the law's regimes) are created from the embedded schema script with the demo's rows.
// Anything else the database lacks is left for the schema check to refuse.

#include <QStringList>

namespace vornel {

class Connection;

namespace SchemaUpgrade {

// Creates the program's own tables that an embedded database lacks; returns their names. Does
// nothing on other backends (a SQL Server database is upgraded by its administrator).
QStringList addProgramTables(Connection& connection);

} // namespace SchemaUpgrade
} // namespace vornel
