#pragma once
// RAII owner of one ODBC handle, and the checks that turn failed calls into errors.

#include "data/odbc/OdbcErrors.h"
#include "data/odbc/OdbcText.h"

#include <QString>

#include <sql.h>
#include <sqlext.h>

#include <utility>
#include <vector>

namespace vornel::odbc {

class OdbcHandle {
public:
    OdbcHandle() = default;
    // Allocates a handle of `type` under `parent`; throws DbError when the driver manager refuses.
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle() { reset(); }
    OdbcHandle(OdbcHandle&& other) noexcept
        : m_type(other.m_type), m_handle(std::exchange(other.m_handle, nullptr)) {}
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return m_handle; }
    SQLSMALLINT type() const { return m_type; }
    explicit operator bool() const { return m_handle != SQL_NULL_HANDLE; }
    void reset();

private:
    SQLSMALLINT m_type = 0;
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

// What error checks need to know about the connection.
struct Dialect {
    TextMode mode = TextMode::Utf8;
    bool sqlite = false;
};

std::vector<DiagRecord> diagnostics(SQLSMALLINT type, SQLHANDLE handle, TextMode mode);

inline bool succeeded(SQLRETURN rc) {
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// Throws the classified error when `rc` is a failure (SQL_NO_DATA is not one).
void check(SQLRETURN rc, const OdbcHandle& handle, const Dialect& dialect);

} // namespace vornel::odbc
