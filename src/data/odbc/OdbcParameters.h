#pragma once
// Binds values to the "?" markers of a statement and keeps their buffers alive until it has run.

#include "data/Parameter.h"
#include "data/odbc/OdbcHandle.h"

#include <QVariant>

#include <deque>
#include <vector>

namespace vornel::odbc {

class ParameterBinder {
public:
    ParameterBinder(const OdbcHandle& statement, const Dialect& dialect)
        : m_statement(statement), m_dialect(dialect) {}

    // Binds the next marker to a plain value, typed after the value (text, number, date, NULL).
    void bindValue(const QVariant& value);
    // Binds the next marker to a command parameter, typed after its ADO type and direction.
    // Throws DbError(BadArgument) when the value does not fit the type ("abc" for an integer).
    void bindParameter(const Parameter& parameter);
    // Binds the next marker as the 32-bit integer return value of a procedure call.
    void bindReturnValue();

    // The value an output marker (0-based, in binding order) holds after the statement has run.
    QVariant output(std::size_t marker) const;

private:
    struct Slot {
        std::vector<char> buffer;
        SQLLEN indicator = 0;
        SQLSMALLINT cType = SQL_C_CHAR;
    };
    Slot& next(SQLSMALLINT cType, std::size_t bytes);
    void setText(Slot& slot, const QString& text);
    void bind(Slot& slot, SQLSMALLINT io, SQLSMALLINT sqlType, SQLULEN columnSize, SQLSMALLINT digits);

    const OdbcHandle& m_statement;
    Dialect m_dialect;
    std::deque<Slot> m_slots; // a deque never moves its elements: bound addresses stay valid
};

// "YYYY-MM-DD HH:MM:SS", the text form of every date read from the database.
QString timestampText(const SQL_TIMESTAMP_STRUCT& ts);

} // namespace vornel::odbc
