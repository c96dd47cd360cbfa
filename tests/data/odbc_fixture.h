#pragma once
// Shared set-up of the ODBC tests: is the SQLite ODBC driver registered, and a temporary SQLite
// company file made with the native API (so the ODBC side is checked against bytes it did not write).

#include <QString>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <sql.h>
#include <sqlext.h>

#include <gtest/gtest.h>

#include <string>

namespace vornel::testing {

// True when unixODBC knows a driver of this name (as in /etc/odbcinst.ini).
inline bool odbcDriverRegistered(const char* name) {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    bool found = false;
    SQLCHAR driver[256];
    SQLCHAR attributes[1024];
    SQLSMALLINT driverLength = 0, attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (!found && SQL_SUCCEEDED(SQLDrivers(env, direction, driver, sizeof driver, &driverLength,
                                              attributes, sizeof attributes, &attributesLength))) {
        found = std::string(reinterpret_cast<const char*>(driver)) == name;
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return found;
}

// A temporary SQLite file, written and read back through the native API.
class NativeSqliteFile {
public:
    NativeSqliteFile() : m_path(m_dir.filePath(QStringLiteral("firma.db"))) {}
    ~NativeSqliteFile() { close(); }

    const QString& path() const { return m_path; }
    QString odbcConnectionString() const { return QStringLiteral("Driver=SQLite3;Database=") + m_path; }

    void exec(const char* sql) {
        open();
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            ADD_FAILURE() << "native SQL failed: " << (error ? error : "?") << "\n" << sql;
            sqlite3_free(error);
        }
    }

    // The bytes of the first column of the first row; "<NULL>" for NULL, "<none>" without a row.
    std::string scalar(const char* sql) {
        open();
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(m_db);
            return {};
        }
        std::string value = "<none>";
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            if (sqlite3_column_type(stmt, 0) == SQLITE_NULL)
                value = "<NULL>";
            else
                value.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                             static_cast<std::size_t>(sqlite3_column_bytes(stmt, 0)));
        }
        sqlite3_finalize(stmt);
        return value;
    }

    void close() {
        if (m_db) sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    void open() {
        if (!m_db) {
            ASSERT_EQ(sqlite3_open(m_path.toUtf8().constData(), &m_db), SQLITE_OK);
        }
    }

    QTemporaryDir m_dir;
    QString m_path;
    sqlite3* m_db = nullptr;
};

} // namespace vornel::testing
