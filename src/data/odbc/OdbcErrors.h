#pragma once
// Turning ODBC diagnostic records into the data layer's errors.

#include "data/DbError.h"

#include <QString>
#include <vector>

namespace vornel::odbc {

struct DiagRecord {
    QString state;   // five-character SQLSTATE
    int native = 0;  // the database's own error number
    QString message; // as the driver gives it, vendor prefixes included
};

// A DbError that also says whether the connection is gone (the backend then reconnects once).
class OdbcError : public DbError {
public:
    OdbcError(std::uint32_t number, QString description, int nativeCode, bool connectionLost,
              QString sqlState = {})
        : DbError(number, std::move(description), nativeCode, std::move(sqlState)), m_lost(connectionLost) {}
    bool connectionLost() const { return m_lost; }

private:
    bool m_lost;
};

// The message without the driver's "[vendor][driver][server]" prefixes.
QString stripVendorPrefix(const QString& message);

// The value of a key of an ODBC connection string ("Driver={SQL Server};..."), braces removed.
QString connectionStringValue(const QString& connectionString, const QString& key);

// What the records say went wrong. `sqliteDbms`: the SQLite driver reports every failure as
// HY000 and tells the kind only by its native code and text.
OdbcError classify(const std::vector<DiagRecord>& records, bool sqliteDbms);

// The error for a connection that could not be made with `connectionString`.
OdbcError connectError(const std::vector<DiagRecord>& records, const QString& connectionString);

} // namespace vornel::odbc
