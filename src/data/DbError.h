#pragma once
// The one error type of the data layer: an ADO-style number, the database's description and its native code.

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace vornel {

namespace ErrorNumber {
constexpr std::uint32_t Integrity =
    0x80040E2Fu; // DB_E_INTEGRITYVIOLATION: key, unique, foreign key, not null, check
constexpr std::uint32_t Command = 0x80040E14u;     // DB_E_ERRORSINCOMMAND: invalid SQL
constexpr std::uint32_t NoTable = 0x80040E37u;     // DB_E_NOTABLE: missing table or procedure
constexpr std::uint32_t Unspecified = 0x80004005u; // E_FAIL: locked, read-only, missing file, lost connection
constexpr std::uint32_t BadArgument = 0x800A0BB9u; // adErrInvalidArgument: bad filter, bad parameter
constexpr std::uint32_t NoCurrentRecord = 0x800A0BCDu; // adErrNoCurrentRecord: BOF or EOF
constexpr std::uint32_t Closed = 0x800A0E78u;          // adErrObjectClosed
constexpr std::uint32_t NotSupported =
    0x800A0CB3u;                                   // adErrFeatureNotAvailable: edits on a read-only recordset
constexpr std::uint32_t RowNotFound = 0x80040E38u; // the row to write back is no longer in its table
} // namespace ErrorNumber

class DbError : public std::exception {
public:
    // `sqlState`: the five-character SQLSTATE of an ODBC driver; empty for SQLite, whose code is
    // the native code.
    DbError(std::uint32_t number, QString description, int nativeCode = 0, QString sqlState = {});

    std::uint32_t number() const { return m_number; }
    const QString& description() const { return m_description; }
    int nativeCode() const { return m_nativeCode; }
    const QString& sqlState() const { return m_sqlState; }
    bool isIntegrityViolation() const { return m_number == ErrorNumber::Integrity; }
    // "0x80040E2F" style text of the number.
    QString numberText() const;
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    std::uint32_t m_number;
    QString m_description;
    int m_nativeCode;
    QString m_sqlState;
    std::string m_what;
};

} // namespace vornel
