#pragma once
// What a database engine offers the data layer. SQL text reaches the backend unchanged; a backend
// that does not speak T-SQL natively translates it (the SQLite backend's dialect layer).

#include "Column.h"
#include "Parameter.h"
#include "RowStore.h"
#include "SqlText.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace vornel {

struct QueryResult {
    std::vector<Column> columns;
    RowStore rows;
};

// The rows of a query read a batch at a time.
class QueryCursor {
public:
    virtual ~QueryCursor() = default;
    // Types and defined sizes that only the values tell (expressions) grow as rows are read; they
    // are final once fetch has returned false.
    virtual const std::vector<Column>& columns() const = 0;
    // Appends up to maxRows rows to `rows` (built for columns().size() columns); returns false once
    // the result has no rows left. Throws DbError.
    virtual bool fetch(RowStore& rows, std::size_t maxRows) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;

    // Runs a statement that returns no rows (rows it returns are discarded); returns rows affected.
    // `params` bind to "?" placeholders; the windows never use them, the write-back of updatable
    // recordsets does.
    virtual int execute(const QString& sql, const std::vector<QVariant>& params = {}) = 0;

    // Runs a query and returns all its rows with column descriptions (names, defined sizes,
    // base table and column, key flags when the backend can tell them). `params` bind to "?"
    // placeholders, as for execute.
    virtual QueryResult query(const QString& sql, const std::vector<QVariant>& params = {}) = 0;

    // Opens a query whose rows are read as they are asked for. By default every row is read at
    // once and handed over in the first batch.
    virtual std::unique_ptr<QueryCursor> openCursor(const QString& sql);

    // Calls a stored procedure with its parameters; fills output parameters and returns the
    // procedure's return value.
    virtual int callProcedure(const QString& name, std::vector<Parameter>& params) = 0;

    // Key value the database gave the last inserted row (identity column).
    virtual QVariant lastInsertId() = 0;

    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    // Starts a transaction that is going to write: an engine that would otherwise lock late takes
    // the write lock now, so that what the transaction reads stays true until it commits.
    virtual void beginWrite() { begin(); }
    // Table hint after a table name that keeps the rows a transaction reads from being changed by
    // others until it ends; empty when beginWrite already does that.
    virtual QString rowLockHint() const { return {}; }

    // Primary key columns of a table, in key order (empty when the table has none or is unknown).
    virtual std::vector<QString> primaryKey(const QString& table) = 0;

    // Column names of a table ("Cpp", "AdmTivra.dbo.Societati") in their order; empty when the
    // database has no such table.
    virtual std::vector<QString> columns(const QString& table) = 0;
    // How LIKE patterns escape their wildcards (SQL Server's brackets unless the engine differs).
    virtual Sql::LikeDialect likeDialect() const { return Sql::LikeDialect::Brackets; }

    // A short name of the engine for messages ("SQLite", "ODBC").
    virtual QString engineName() const = 0;
};

} // namespace vornel
