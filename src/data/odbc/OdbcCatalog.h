#pragma once
// Questions about tables answered from the driver's catalogue functions.

#include "data/odbc/OdbcHandle.h"

#include <QString>
#include <vector>

namespace vornel::odbc {

struct QualifiedName {
    QString catalog; // "AdmTivra" in AdmTivra.dbo.Societati
    QString schema;  // "dbo"
    QString table;
};

// Splits "[Cod Vamal]", "dbo.TVA", "AdmTivra.dbo.Societati" or "AdmTivra..Societati"; brackets
// and quotes are removed and a point inside brackets belongs to the name.
QualifiedName splitQualifiedName(const QString& name);

// Primary key columns of the table in key order; empty when it has none or the driver cannot tell.
std::vector<QString> primaryKeyColumns(SQLHDBC connection, const QString& table, const Dialect& dialect);

// Column names of the table in their order (SQLColumns); empty when there is no such table.
std::vector<QString> columnNames(SQLHDBC connection, const QString& table, const Dialect& dialect);

} // namespace vornel::odbc
