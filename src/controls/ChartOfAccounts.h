#pragma once
// The chart of accounts (zConta_Plan) as the windows check typed accounts against it: how long an
// account may be and which accounts exist.

#include <QString>
#include <QStringList>
#include <optional>

namespace vornel {

class Connection;

namespace Chart {

// Declared length of the chart's account column; 20 when the database does not tell it.
int accountLength(Connection& connection);

// Index of the first account (trimmed; empty ones are skipped) that is not in the chart; nothing
// when every account is there. One query for all of them.
std::optional<int> firstMissing(Connection& connection, const QStringList& accounts);

// "Contul X nu exista in planul de conturi !"
QString missingMessage(const QString& account);

} // namespace Chart
} // namespace vornel
