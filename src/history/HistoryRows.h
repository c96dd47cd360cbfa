#pragma once
// The rows of the history window: one per changed field of every audit entry of a record.

#include "data/Column.h"
#include "data/RowStore.h"

#include <QString>
#include <vector>

namespace vornel {

class Connection;

namespace HistoryRows {

// The grid's format string: when, who, what, field, old value, new value.
QString formatString();
std::vector<Column> columns();

// Newest entry first; within an entry the fields in the table's column order. The moment in local
// time; the user by name, or by number when the administration database does not know it.
RowStore build(Connection& connection, const QString& table, const QString& key);

} // namespace HistoryRows
} // namespace vornel
