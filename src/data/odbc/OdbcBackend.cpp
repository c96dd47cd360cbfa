#include "data/odbc/OdbcBackend.h"

#include "data/odbc/OdbcCatalog.h"
#include "data/odbc/OdbcParameters.h"
#include "data/odbc/OdbcResult.h"

#include <algorithm>
#include <set>

namespace vornel {

using namespace odbc;

struct OdbcBackend::Handles {
    QString connectionString;
    OdbcHandle env;
    OdbcHandle dbc;
    bool connected = false;
    bool broken = false;          // the connection was lost; the next call reconnects
    int transactionDepth = 0;     // nested begin() calls; only the outermost one reaches the server
    bool transactionLost = false; // the connection dropped inside a transaction: only rollback() helps
    Dialect dialect;

    ~Handles() { disconnect(); }

    void disconnect() {
        if (connected && dbc) SQLDisconnect(dbc.get());
        connected = false;
        dbc.reset();
        env.reset();
    }

    void connect() {
        disconnect();
        env = OdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
        SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        dbc = OdbcHandle(SQL_HANDLE_DBC, env.get());
        // An unreachable server fails after this many seconds instead of hanging the program.
        SQLSetConnectAttr(dbc.get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
        // Connection strings are ASCII in practice; the narrow call takes them as UTF-8 for every driver.
        QByteArray text = connectionString.toUtf8();
        const SQLRETURN rc =
            SQLDriverConnect(dbc.get(), nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                             static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
        if (!succeeded(rc)) {
            const auto records = diagnostics(SQL_HANDLE_DBC, dbc.get(), TextMode::Utf8);
            disconnect();
            throw connectError(records, connectionString);
        }
        connected = true;

        char name[128] = {};
        SQLSMALLINT length = 0;
        SQLGetInfo(dbc.get(), SQL_DBMS_NAME, name, sizeof name - 1, &length);
        dialect.sqlite = QByteArray(name).startsWith("SQLite");
        // SQLite's driver has only the narrow calls (see OdbcText.h).
        dialect.mode = dialect.sqlite ? TextMode::Utf8 : TextMode::Wide;
        check(SQLSetConnectAttr(dbc.get(), SQL_ATTR_AUTOCOMMIT,
                                reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0),
              dbc, dialect);
        broken = false;
    }

    void ensureUsable() {
        if (broken || !connected) {
            try {
                connect();
            } catch (const DbError& e) {
                throw OdbcError(
                    ErrorNumber::Unspecified,
                    QStringLiteral("The connection to the database server was lost and could not be "
                                   "restored: %1")
                        .arg(e.description()),
                    e.nativeCode(), false, e.sqlState());
            }
        }
        if (transactionLost)
            throw OdbcError(
                ErrorNumber::Unspecified,
                QStringLiteral("The connection to the database server was lost during a transaction; "
                               "its changes were not saved"),
                0, false, QStringLiteral("08003"));
    }

    OdbcHandle statement() { return OdbcHandle(SQL_HANDLE_STMT, dbc.get()); }

    void execDirect(const OdbcHandle& stmt, const QString& sql) {
        const QByteArray text = encode(sql, dialect.mode);
        SQLRETURN rc;
        if (dialect.mode == TextMode::Wide)
            rc = SQLExecDirectW(stmt.get(), reinterpret_cast<SQLWCHAR*>(const_cast<char*>(text.constData())),
                                static_cast<SQLINTEGER>(sql.size()));
        else
            rc = SQLExecDirect(stmt.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())),
                               static_cast<SQLINTEGER>(text.size()));
        check(rc, stmt, dialect);
    }

    // Moves past the remaining results, raising errors that come with them (a procedure's
    // RAISERROR often follows its first result).
    void drainResults(const OdbcHandle& stmt) {
        for (;;) {
            const SQLRETURN rc = SQLMoreResults(stmt.get());
            if (rc == SQL_NO_DATA) return;
            check(rc, stmt, dialect);
        }
    }

    void endTransaction(SQLSMALLINT completion) {
        const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc.get(), completion);
        // Autocommit goes back on whatever the outcome, so later statements are not left pending.
        SQLSetConnectAttr(dbc.get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
        transactionDepth = 0;
        check(rc, dbc, dialect);
    }
};

template <typename Work> auto OdbcBackend::guarded(Work&& work) {
    m_h->ensureUsable();
    try {
        return work();
    } catch (const OdbcError& e) {
        if (e.connectionLost()) {
            m_h->broken = true;
            if (m_h->transactionDepth > 0) m_h->transactionLost = true;
        }
        throw;
    }
}

OdbcBackend::OdbcBackend(const QString& connectionString) : m_h(std::make_unique<Handles>()) {
    m_h->connectionString = connectionString;
    m_h->connect();
}

OdbcBackend::~OdbcBackend() = default;

int OdbcBackend::execute(const QString& sql, const std::vector<QVariant>& params) {
    return guarded([&] {
        const OdbcHandle stmt = m_h->statement();
        ParameterBinder binder(stmt, m_h->dialect);
        for (const QVariant& value : params)
            binder.bindValue(value);
        m_h->execDirect(stmt, sql);
        SQLLEN rows = -1;
        SQLRowCount(stmt.get(), &rows);
        // The first statement's count is the one reported; later ones (triggers) are not added.
        for (;;) {
            const SQLRETURN rc = SQLMoreResults(stmt.get());
            if (rc == SQL_NO_DATA) break;
            check(rc, stmt, m_h->dialect);
            if (rows < 0) SQLRowCount(stmt.get(), &rows);
        }
        return rows < 0 ? 0 : static_cast<int>(rows);
    });
}

QueryResult OdbcBackend::query(const QString& sql, const std::vector<QVariant>& params) {
    QueryResult result = guarded([&] {
        const OdbcHandle stmt = m_h->statement();
        ParameterBinder binder(stmt, m_h->dialect);
        for (const QVariant& value : params)
            binder.bindValue(value);
        m_h->execDirect(stmt, sql);
        // Row counts of statements before the SELECT come as results without columns.
        for (;;) {
            SQLSMALLINT columns = 0;
            check(SQLNumResultCols(stmt.get(), &columns), stmt, m_h->dialect);
            if (columns > 0) break;
            const SQLRETURN rc = SQLMoreResults(stmt.get());
            if (rc == SQL_NO_DATA) return QueryResult{{}, RowStore(0)};
            check(rc, stmt, m_h->dialect);
        }
        QueryResult read = readResult(stmt, m_h->dialect);
        m_h->drainResults(stmt);
        return read;
    });

    // Key flags come from the base tables' primary keys, when the driver names the tables.
    std::set<QString> tables;
    for (const Column& c : result.columns)
        if (!c.baseTable.isEmpty()) tables.insert(c.baseTable);
    for (const QString& table : tables) {
        std::vector<QString> key;
        try {
            key = primaryKey(table);
        } catch (const DbError&) {
            continue; // the rows are good without key flags
        }
        for (Column& c : result.columns)
            if (c.baseTable == table)
                c.key = std::any_of(key.begin(), key.end(), [&](const QString& k) {
                    return k.compare(c.baseColumn, Qt::CaseInsensitive) == 0;
                });
    }
    return result;
}

int OdbcBackend::callProcedure(const QString& name, std::vector<Parameter>& params) {
    if (m_h->dialect.sqlite)
        throw DbError(ErrorNumber::NoTable,
                      QStringLiteral("The SQLite ODBC driver has no stored procedures: %1").arg(name));
    return guarded([&] {
        const OdbcHandle stmt = m_h->statement();
        ParameterBinder binder(stmt, m_h->dialect);
        binder.bindReturnValue();
        // Markers follow the order the parameters were appended, as the procedure declares them.
        std::vector<std::pair<std::size_t, Parameter*>> outputs;
        QString markers;
        std::size_t marker = 0; // 0 is the return value
        for (Parameter& p : params) {
            if (p.direction == ParameterDirection::ReturnValue) continue;
            binder.bindParameter(p);
            ++marker;
            markers += markers.isEmpty() ? QStringLiteral("?") : QStringLiteral(", ?");
            if (p.direction == ParameterDirection::Output || p.direction == ParameterDirection::InputOutput)
                outputs.emplace_back(marker, &p);
        }
        m_h->execDirect(stmt, QStringLiteral("{? = call %1(%2)}").arg(name, markers));
        // Output values arrive only after every result has been read.
        m_h->drainResults(stmt);
        const QVariant returned = binder.output(0);
        for (auto& [index, output] : outputs)
            output->value = binder.output(index);
        for (Parameter& p : params)
            if (p.direction == ParameterDirection::ReturnValue)
                p.value = returned.isValid() ? returned : QVariant(0);
        return returned.isValid() ? returned.toInt() : 0;
    });
}

QVariant OdbcBackend::lastInsertId() {
    // @@IDENTITY, not SCOPE_IDENTITY(): every call is its own batch, and SCOPE_IDENTITY() is NULL
    // outside the batch that inserted the row.
    const QueryResult r = query(m_h->dialect.sqlite ? QStringLiteral("SELECT last_insert_rowid()")
                                                    : QStringLiteral("SELECT @@IDENTITY"));
    if (r.rows.rowCount() == 0 || r.rows.columnCount() == 0) return {};
    return r.rows.value(0, 0);
}

void OdbcBackend::begin() {
    guarded([&] {
        if (m_h->transactionDepth++ == 0)
            check(SQLSetConnectAttr(m_h->dbc.get(), SQL_ATTR_AUTOCOMMIT,
                                    reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
                  m_h->dbc, m_h->dialect);
    });
}

void OdbcBackend::commit() {
    guarded([&] {
        if (m_h->transactionDepth == 0) return;
        if (--m_h->transactionDepth == 0) m_h->endTransaction(SQL_COMMIT);
    });
}

void OdbcBackend::rollback() {
    // After a lost connection the server has already rolled back: forget the transaction.
    if (m_h->transactionLost || m_h->broken) {
        m_h->transactionLost = false;
        m_h->transactionDepth = 0;
        return;
    }
    if (m_h->transactionDepth == 0) return;
    guarded([&] { m_h->endTransaction(SQL_ROLLBACK); });
}

QString OdbcBackend::rowLockHint() const {
    // SQL Server releases read locks at once under READ COMMITTED; SQLite's driver has no hints,
    // and its transaction keeps what it read from being overwritten (the later write fails busy).
    return m_h->dialect.sqlite ? QString() : QStringLiteral(" WITH (UPDLOCK, HOLDLOCK)");
}

std::vector<QString> OdbcBackend::primaryKey(const QString& table) {
    return guarded([&] { return primaryKeyColumns(m_h->dbc.get(), table, m_h->dialect); });
}

std::vector<QString> OdbcBackend::columns(const QString& table) {
    return guarded([&] { return columnNames(m_h->dbc.get(), table, m_h->dialect); });
}

} // namespace vornel
