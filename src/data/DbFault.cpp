#include "data/DbFault.h"

#include "data/DbError.h"

#include <QStringList>

#include <algorithm>
#include <initializer_list>

namespace vornel {

namespace {

// SQLite's primary result codes (the low byte of an extended code).
constexpr int kSqliteError = 1;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;

bool oneOf(int value, std::initializer_list<int> values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool mentions(const QString& text, std::initializer_list<const char*> phrases) {
    return std::any_of(phrases.begin(), phrases.end(),
                       [&](const char* p) { return text.contains(QLatin1String(p), Qt::CaseInsensitive); });
}

bool missingColumn(const QString& sqliteText) {
    return mentions(sqliteText, {"no such column", "has no column named"});
}

DbFault sqliteFault(int code, const QString& text) {
    switch (code & 0xff) {
    case kSqliteBusy:
    case kSqliteLocked:
        return DbFault::Busy;
    case kSqliteReadOnly:
        return DbFault::ReadOnly;
    case kSqliteFull:
        return DbFault::DiskFull;
    // The file could not be read or written any more: on a network share, the share went away.
    case kSqliteIoError:
    case kSqliteCantOpen:
        return DbFault::ConnectionLost;
    case kSqliteError:
        return missingColumn(text) ? DbFault::Structure : DbFault::Other;
    default:
        return DbFault::Other;
    }
}

// SQLite's own text for each code it reports through the ODBC driver (as "HY000" with the code as
// the native number). The text must agree, so that a server's error number that happens to share
// the low byte is never read as one of SQLite's codes.
DbFault sqliteThroughOdbc(int native, const QString& text) {
    const int code = native & 0xff;
    if (native < 0 || native > 0xffff) return DbFault::Other;
    if (oneOf(code, {kSqliteBusy, kSqliteLocked}) && mentions(text, {"is locked"})) return DbFault::Busy;
    if (code == kSqliteReadOnly && mentions(text, {"readonly database", "read-only"}))
        return DbFault::ReadOnly;
    if (code == kSqliteFull && mentions(text, {"database or disk is full"})) return DbFault::DiskFull;
    if (code == kSqliteIoError && mentions(text, {"disk I/O error"})) return DbFault::ConnectionLost;
    if (code == kSqliteCantOpen && mentions(text, {"unable to open database"}))
        return DbFault::ConnectionLost;
    if (code == kSqliteError && missingColumn(text)) return DbFault::Structure;
    return DbFault::Other;
}

DbFault odbcFault(const QString& state, int native, const QString& text) {
    if (state.startsWith(QLatin1String("08")) || state == QLatin1String("HYT01"))
        return DbFault::ConnectionLost;
    if (state == QLatin1String("42S02") || state == QLatin1String("42S22")) return DbFault::Structure;
    if (state == QLatin1String("40001") || state == QLatin1String("HYT00")) return DbFault::Busy;
    // SQL Server: lock time-out, deadlock victim.
    if (oneOf(native, {1222, 1205})) return DbFault::Busy;
    // Database read-only; filegroup full, no page could be allocated, transaction log full.
    if (native == 3906) return DbFault::ReadOnly;
    if (oneOf(native, {1105, 1101, 9002})) return DbFault::DiskFull;
    // Invalid object name, invalid column name, missing stored procedure.
    if (oneOf(native, {208, 207, 2812})) return DbFault::Structure;
    return sqliteThroughOdbc(native, text);
}

} // namespace

DbFault faultOf(const DbError& error) {
    if (error.number() == ErrorNumber::RowNotFound) return DbFault::RowChanged;
    if (error.isIntegrityViolation()) return DbFault::Other;
    if (error.number() == ErrorNumber::NoTable) return DbFault::Structure;
    if (!error.sqlState().isEmpty())
        return odbcFault(error.sqlState(), error.nativeCode(), error.description());
    return sqliteFault(error.nativeCode(), error.description());
}

QString faultText(const DbError& error) {
    switch (faultOf(error)) {
    case DbFault::RowChanged:
        return rowChangedText();
    case DbFault::Busy:
        return QStringLiteral("Baza de date este ocupata de alt utilizator. Incercati din nou.");
    case DbFault::ReadOnly:
        return QStringLiteral("Baza de date poate fi doar citita. Nimic nu a fost salvat.");
    case DbFault::DiskFull:
        return QStringLiteral("Nu mai este spatiu pe disc. Nimic nu a fost salvat.");
    case DbFault::ConnectionLost:
        return QStringLiteral("Legatura cu baza de date s-a pierdut. Nimic nu a fost salvat.");
    case DbFault::Structure:
        return QStringLiteral("Structura bazei de date nu corespunde programului: ") + error.description();
    case DbFault::Other:
        break;
    }
    return {};
}

QString rowChangedText() {
    return QStringLiteral("Inregistrarea nu mai exista sau a fost modificata de alt utilizator.");
}

} // namespace vornel
