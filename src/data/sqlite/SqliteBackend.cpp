#include "SqliteBackend.h"

#include "NativeProcedures.h"
#include "SqliteColumns.h"
#include "SqliteFunctions.h"
#include "TsqlDialect.h"
#include "data/DbError.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace vornel {

struct SqliteBackend::Statement {
    sqlite3_stmt* s = nullptr;
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(s); }
};

namespace {

constexpr int DefaultBusyTimeout = 3000;

std::uint32_t errorNumberFor(int extended, const char* message) {
    switch (extended & 0xff) {
    case SQLITE_CONSTRAINT:
        return ErrorNumber::Integrity;
    case SQLITE_ERROR:
        if (std::strncmp(message, "no such table", 13) == 0) return ErrorNumber::NoTable;
        return ErrorNumber::Command;
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
    case SQLITE_TOOBIG:
        return ErrorNumber::Command;
    default:
        return ErrorNumber::Unspecified;
    }
}

void refuseNul(const QByteArray& sql) {
    if (sql.contains('\0'))
        throw DbError(ErrorNumber::Command, QStringLiteral("The statement contains a NUL character."));
}

// "dbo.Vezi", "[dbo].[Vezi]" and "vezi" all name the same procedure.
QString procedureKey(const QString& name) {
    QString key = name.trimmed();
    key.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    const qsizetype dot = key.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) key = key.mid(dot + 1);
    return key.toLower();
}

} // namespace

SqliteBackend::SqliteBackend(const QString& path, const QString& admPath, bool create, bool readOnly) {
    const int flags =
        readOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0));
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(ErrorNumber::Unspecified, message + QStringLiteral(": ") + path, rc);
    }
    try {
        sqlite3_extended_result_codes(m_db, 1);
        setBusyTimeout(DefaultBusyTimeout);
        registerSqliteFunctions(m_db);
        executeNative(QStringLiteral("PRAGMA foreign_keys=ON"));
        if (!admPath.isEmpty()) run(QByteArrayLiteral("ATTACH DATABASE ? AS AdmTivra"), {admPath});
        registerNativeProcedures(*this);
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

SqliteBackend::~SqliteBackend() {
    sqlite3_close_v2(m_db);
}

void SqliteBackend::fail(int rc) const {
    const int extended = m_db ? sqlite3_extended_errcode(m_db) : rc;
    const char* message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
    throw DbError(errorNumberFor(extended, message), QString::fromUtf8(message), extended);
}

void SqliteBackend::bindParameters(Statement& st, const std::vector<QVariant>& params, std::size_t& next) {
    const int count = sqlite3_bind_parameter_count(st.s);
    for (int i = 1; i <= count; ++i) {
        const QVariant v = next < params.size() ? params[next] : QVariant();
        ++next;
        int rc;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(st.s, i);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(st.s, i, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(st.s, i, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(st.s, i, b.constData(), static_cast<sqlite3_uint64>(b.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text64(st.s, i, t.constData(), static_cast<sqlite3_uint64>(t.size()),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
            }
            }
        }
        if (rc != SQLITE_OK) fail(rc);
    }
}

int SqliteBackend::run(const QByteArray& sql, const std::vector<QVariant>& params) {
    refuseNul(sql);
    const char* tail = sql.constData();
    const char* end = tail + sql.size();
    std::size_t nextParam = 0;
    int affected = 0;
    while (tail < end) {
        Statement st;
        const char* rest = nullptr;
        const int rc = sqlite3_prepare_v2(m_db, tail, static_cast<int>(end - tail), &st.s, &rest);
        if (rc != SQLITE_OK) fail(rc);
        tail = rest;
        if (!st.s) continue; // only blanks, comments or a lone ";" were left
        bindParameters(st, params, nextParam);
        const sqlite3_int64 before = sqlite3_total_changes64(m_db);
        int step;
        while ((step = sqlite3_step(st.s)) == SQLITE_ROW) {
        }
        if (step != SQLITE_DONE) fail(step);
        if (sqlite3_total_changes64(m_db) != before) affected += static_cast<int>(sqlite3_changes64(m_db));
    }
    return affected;
}

int SqliteBackend::execute(const QString& sql, const std::vector<QVariant>& params) {
    return run(TsqlDialect::toSqlite(sql).toUtf8(), params);
}

void SqliteBackend::executeNative(const QString& script) {
    run(script.toUtf8(), {});
}

void SqliteBackend::describeColumns(Statement& st, const QByteArray& sql, const std::vector<bool>& named,
                                    std::vector<Column>& columns) {
    const int count = sqlite3_column_count(st.s);
    columns.assign(static_cast<std::size_t>(count), Column{});
    for (int c = 0; c < count; ++c) {
        Column& col = columns[static_cast<std::size_t>(c)];
        col.name = QString::fromUtf8(sqlite3_column_name(st.s, c));
        const char* origin = sqlite3_column_origin_name(st.s, c);
        const char* table = sqlite3_column_table_name(st.s, c);
        const char* database = sqlite3_column_database_name(st.s, c);
        // An expression without an alias has no name in a result.
        const bool hasName = named.size() == static_cast<std::size_t>(count)
                                 ? named[static_cast<std::size_t>(c)]
                                 : origin || SqliteColumns::isAlias(sql, col.name);
        if (!hasName) col.name.clear();
        const SqliteColumns::Declared declared =
            SqliteColumns::fromDeclaredType(sqlite3_column_decltype(st.s, c));
        col.definedSize = declared.size;
        col.type = declared.type;
        if (!origin || !table) continue;
        const bool attached = database && std::strcmp(database, "main") != 0;
        col.baseTable = attached ? QString::fromUtf8(database) + QLatin1Char('.') + QString::fromUtf8(table)
                                 : QString::fromUtf8(table);
        col.baseColumn = QString::fromUtf8(origin);
        const char* type = nullptr;
        const char* collation = nullptr;
        int notNull = 0, primary = 0, autoinc = 0;
        if (sqlite3_table_column_metadata(m_db, database, table, origin, &type, &collation, &notNull,
                                          &primary, &autoinc) == SQLITE_OK) {
            col.key = primary != 0;
            // A lone INTEGER PRIMARY KEY is the rowid: the database numbers new rows itself.
            col.autoIncrement =
                autoinc != 0 ||
                (primary && type && QByteArray(type).compare("integer", Qt::CaseInsensitive) == 0 &&
                 primaryKey(col.baseTable).size() == 1);
        }
    }
}

// Reads the first statement of the text that returns columns a batch at a time; the statements
// before it run when the cursor opens, those after it once its rows are read.
class SqliteBackend::Cursor : public QueryCursor {
public:
    Cursor(SqliteBackend& backend, const QString& tsql, std::vector<QVariant> params = {})
        : m_backend(backend), m_sql(TsqlDialect::toSqlite(tsql).toUtf8()), m_params(std::move(params)) {
        refuseNul(m_sql);
        // Which select-list items have a name; only meaningful for the first statement of the text.
        const std::vector<bool> named = TsqlDialect::namedColumns(tsql);
        m_tail = m_sql.constData();
        while (m_tail < end()) {
            prepareNext();
            if (!m_statement.s) continue;
            const int count = sqlite3_column_count(m_statement.s);
            if (count == 0) {
                stepToEnd();
                continue;
            }
            m_backend.describeColumns(m_statement, m_sql, named, m_columns);
            for (const Column& c : m_columns) {
                m_declared.push_back({c.type, c.definedSize});
                m_longest.push_back(0);
                m_seen.push_back(SQLITE_NULL);
            }
            return;
        }
        m_done = true;
    }

    const std::vector<Column>& columns() const override { return m_columns; }

    bool fetch(RowStore& rows, std::size_t maxRows) override {
        if (m_done) return false;
        const int count = static_cast<int>(m_columns.size());
        sqlite3_stmt* st = m_statement.s;
        int rc = SQLITE_ROW;
        for (std::size_t n = 0; n < maxRows && (rc = sqlite3_step(st)) == SQLITE_ROW; ++n) {
            rows.beginRow();
            for (int c = 0; c < count; ++c)
                readCell(rows, st, c);
            rows.endRow();
        }
        refineColumns();
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) m_backend.fail(rc);
        // The rest of the text runs; rows it returns are not part of the result.
        while (m_tail < end()) {
            prepareNext();
            if (m_statement.s) stepToEnd();
        }
        m_done = true;
        return false;
    }

private:
    struct Declared {
        ColumnType type;
        int size;
    };

    const char* end() const { return m_sql.constData() + m_sql.size(); }

    void prepareNext() {
        sqlite3_finalize(m_statement.s);
        m_statement.s = nullptr;
        const char* rest = nullptr;
        const int rc = sqlite3_prepare_v2(m_backend.m_db, m_tail, static_cast<int>(end() - m_tail),
                                          &m_statement.s, &rest);
        if (rc != SQLITE_OK) m_backend.fail(rc);
        m_tail = rest;
        if (m_statement.s) m_backend.bindParameters(m_statement, m_params, m_nextParam);
    }

    void stepToEnd() {
        int rc;
        while ((rc = sqlite3_step(m_statement.s)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) m_backend.fail(rc);
    }

    void readCell(RowStore& rows, sqlite3_stmt* st, int c) {
        const auto index = static_cast<std::size_t>(c);
        const int type = sqlite3_column_type(st, c);
        switch (type) {
        case SQLITE_INTEGER:
            rows.addInteger(sqlite3_column_int64(st, c));
            break;
        case SQLITE_FLOAT:
            rows.addDouble(sqlite3_column_double(st, c));
            break;
        case SQLITE_TEXT: {
            const auto* text = sqlite3_column_text(st, c);
            const int bytes = sqlite3_column_bytes(st, c);
            rows.addText(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes));
            // Expression columns have no declared size: the longest value gives it.
            if (m_declared[index].size == 0)
                m_longest[index] = std::max(m_longest[index], SqliteColumns::utf8Length(text, bytes));
            break;
        }
        case SQLITE_BLOB:
            rows.addBlob(sqlite3_column_blob(st, c), static_cast<std::size_t>(sqlite3_column_bytes(st, c)));
            break;
        default:
            rows.addNull();
        }
        int& kind = m_seen[index];
        if (type == SQLITE_TEXT || (type == SQLITE_FLOAT && kind != SQLITE_TEXT) ||
            (type == SQLITE_INTEGER && kind == SQLITE_NULL))
            kind = type;
    }

    void refineColumns() {
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            Column& col = m_columns[c];
            const int kind = m_seen[c];
            if (m_declared[c].type == ColumnType::Unknown)
                col.type = kind == SQLITE_TEXT      ? ColumnType::Text
                           : kind == SQLITE_FLOAT   ? ColumnType::Double
                           : kind == SQLITE_INTEGER ? ColumnType::Integer
                                                    : ColumnType::Unknown;
            if (m_declared[c].size == 0)
                col.definedSize = kind == SQLITE_TEXT      ? std::max(1, m_longest[c])
                                  : kind == SQLITE_FLOAT   ? 8
                                  : kind == SQLITE_INTEGER ? 4
                                                           : 1;
        }
    }

    SqliteBackend& m_backend;
    QByteArray m_sql;
    std::vector<QVariant> m_params; // bound in order across the statements of the text
    std::size_t m_nextParam = 0;
    const char* m_tail = nullptr;
    Statement m_statement;
    std::vector<Column> m_columns;
    std::vector<Declared> m_declared;
    std::vector<int> m_longest;
    std::vector<int> m_seen;
    bool m_done = false;
};

std::unique_ptr<QueryCursor> SqliteBackend::openCursor(const QString& sql) {
    return std::make_unique<Cursor>(*this, sql);
}

QueryResult SqliteBackend::query(const QString& tsql, const std::vector<QVariant>& params) {
    Cursor cursor(*this, tsql, params);
    QueryResult result;
    result.rows = RowStore(static_cast<int>(cursor.columns().size()));
    while (cursor.fetch(result.rows, std::numeric_limits<std::size_t>::max())) {
    }
    result.rows.squeeze();
    result.columns = cursor.columns();
    return result;
}

int SqliteBackend::callProcedure(const QString& name, std::vector<Parameter>& params) {
    const auto it = m_procedures.find(procedureKey(name));
    if (it == m_procedures.end())
        throw DbError(ErrorNumber::NoTable,
                      QStringLiteral("Could not find stored procedure '%1'.").arg(name.trimmed()));
    return it->second(*this, params);
}

void SqliteBackend::registerProcedure(const QString& name, Procedure procedure) {
    m_procedures[procedureKey(name)] = std::move(procedure);
}

QVariant SqliteBackend::lastInsertId() {
    return QVariant::fromValue(static_cast<qlonglong>(sqlite3_last_insert_rowid(m_db)));
}

void SqliteBackend::begin() {
    executeNative(QStringLiteral("BEGIN"));
}

void SqliteBackend::beginWrite() {
    // A deferred transaction would read first and fail on the write lock only after it has
    // decided what to write; IMMEDIATE waits for the lock (busy timeout) before anything is read.
    executeNative(QStringLiteral("BEGIN IMMEDIATE"));
}

void SqliteBackend::commit() {
    executeNative(QStringLiteral("COMMIT"));
}

void SqliteBackend::rollback() {
    // After some errors SQLite has already rolled the transaction back itself.
    if (!sqlite3_get_autocommit(m_db)) executeNative(QStringLiteral("ROLLBACK"));
}

void SqliteBackend::setBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(m_db, milliseconds);
}

std::vector<QString> SqliteBackend::primaryKey(const QString& table) {
    return tableInfo(table, true);
}

std::vector<QString> SqliteBackend::columns(const QString& table) {
    return tableInfo(table, false);
}

std::vector<QString> SqliteBackend::tableInfo(const QString& table, bool keyOnly) {
    QString name = table.trimmed();
    name.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('"'));
    QStringList parts = name.split(QLatin1Char('.'));
    parts.removeAll(QStringLiteral("dbo"));
    const QString schema = parts.size() > 1 ? parts.first() : QStringLiteral("main");
    const QByteArray tableName = parts.isEmpty() ? QByteArray() : parts.last().toUtf8();

    Statement st;
    const char* sql = keyOnly ? "SELECT name FROM pragma_table_info(?1, ?2) WHERE pk > 0 ORDER BY pk"
                              : "SELECT name FROM pragma_table_info(?1, ?2) ORDER BY cid";
    int rc = sqlite3_prepare_v2(m_db, sql, -1, &st.s, nullptr);
    if (rc != SQLITE_OK) fail(rc);
    const QByteArray schemaName = schema.toUtf8();
    sqlite3_bind_text(st.s, 1, tableName.constData(), static_cast<int>(tableName.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(st.s, 2, schemaName.constData(), static_cast<int>(schemaName.size()), SQLITE_TRANSIENT);
    std::vector<QString> key;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW)
        key.push_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, 0))));
    if (rc != SQLITE_DONE) fail(rc);
    return key;
}

} // namespace vornel
