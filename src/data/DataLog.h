#pragma once
// The data layer's log categories: vornel.data (statements and the embedded database) and
// vornel.odbc (the ODBC backend).

#include <QLoggingCategory>

namespace vornel {

Q_DECLARE_LOGGING_CATEGORY(logData)
Q_DECLARE_LOGGING_CATEGORY(logOdbc)

class DbError;

// Logs a failed statement with the database's text and its SQLSTATE or SQLite code.
void logFailure(const QString& engine, const QString& statement, const DbError& error);

} // namespace vornel
