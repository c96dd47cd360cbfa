#include "data/odbc/OdbcHandle.h"

namespace vornel::odbc {

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type) {
    SQLHANDLE handle = SQL_NULL_HANDLE;
    const SQLRETURN rc = SQLAllocHandle(type, parent, &handle);
    if (!succeeded(rc)) {
        std::vector<DiagRecord> records;
        if (parent != SQL_NULL_HANDLE)
            records = diagnostics(type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, parent,
                                  TextMode::Utf8);
        QString reason = records.empty() ? QStringLiteral("the ODBC driver manager refused a handle")
                                         : stripVendorPrefix(records.front().message);
        throw OdbcError(ErrorNumber::Unspecified, QStringLiteral("ODBC: %1").arg(reason), 0, false);
    }
    m_handle = handle;
}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        reset();
        m_type = other.m_type;
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

void OdbcHandle::reset() {
    if (m_handle != SQL_NULL_HANDLE) SQLFreeHandle(m_type, m_handle);
    m_handle = SQL_NULL_HANDLE;
}

std::vector<DiagRecord> diagnostics(SQLSMALLINT type, SQLHANDLE handle, TextMode mode) {
    std::vector<DiagRecord> records;
    if (handle == SQL_NULL_HANDLE) return records;
    for (SQLSMALLINT i = 1; i < 64; ++i) {
        DiagRecord r;
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLRETURN rc;
        if (mode == TextMode::Wide) {
            SQLWCHAR state[6] = {};
            std::vector<SQLWCHAR> message(1024);
            rc = SQLGetDiagRecW(type, handle, i, state, &native, message.data(),
                                static_cast<SQLSMALLINT>(message.size()), &length);
            if (!succeeded(rc)) break;
            r.state = QString::fromUtf16(reinterpret_cast<const char16_t*>(state), 5);
            r.message =
                QString::fromUtf16(reinterpret_cast<const char16_t*>(message.data()),
                                   std::min<qsizetype>(length, static_cast<qsizetype>(message.size()) - 1));
        } else {
            SQLCHAR state[6] = {};
            std::vector<SQLCHAR> message(2048);
            rc = SQLGetDiagRec(type, handle, i, state, &native, message.data(),
                               static_cast<SQLSMALLINT>(message.size()), &length);
            if (!succeeded(rc)) break;
            r.state = QString::fromLatin1(reinterpret_cast<const char*>(state), 5);
            r.message =
                QString::fromUtf8(reinterpret_cast<const char*>(message.data()),
                                  std::min<qsizetype>(length, static_cast<qsizetype>(message.size()) - 1));
        }
        r.native = static_cast<int>(native);
        records.push_back(std::move(r));
    }
    return records;
}

void check(SQLRETURN rc, const OdbcHandle& handle, const Dialect& dialect) {
    if (succeeded(rc) || rc == SQL_NO_DATA) return;
    if (rc == SQL_INVALID_HANDLE || !handle)
        throw OdbcError(ErrorNumber::Unspecified,
                        QStringLiteral("ODBC: invalid handle (the connection is closed)"), 0, false);
    throw classify(diagnostics(handle.type(), handle.get(), dialect.mode), dialect.sqlite);
}

} // namespace vornel::odbc
