#include "data/odbc/OdbcResult.h"

#include "data/odbc/OdbcParameters.h"

#include <array>

namespace vornel::odbc {

namespace {

constexpr int LongTextSize = 1073741823; // what nvarchar(max) and text columns report

bool isText(SQLSMALLINT t) {
    switch (t) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
        return true;
    default:
        return false;
    }
}

bool isBinary(SQLSMALLINT t) {
    return t == SQL_BINARY || t == SQL_VARBINARY || t == SQL_LONGVARBINARY;
}

QString columnText(const OdbcHandle& stmt, SQLUSMALLINT column, SQLUSMALLINT field, TextMode mode) {
    std::array<char, 1024> buffer{};
    SQLSMALLINT length = 0;
    SQLRETURN rc =
        mode == TextMode::Wide
            ? SQLColAttributeW(stmt.get(), column, field, buffer.data(), buffer.size() - 2, &length, nullptr)
            : SQLColAttribute(stmt.get(), column, field, buffer.data(), buffer.size() - 1, &length, nullptr);
    if (!succeeded(rc) || length <= 0) return {};
    return decode(buffer.data(), std::min<std::size_t>(static_cast<std::size_t>(length), buffer.size() - 2),
                  mode);
}

Column describe(const OdbcHandle& stmt, SQLUSMALLINT index, const Dialect& dialect, SQLSMALLINT& sqlTypeOut) {
    std::array<char, 512> name{};
    SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLRETURN rc;
    if (dialect.mode == TextMode::Wide)
        rc = SQLDescribeColW(stmt.get(), index, reinterpret_cast<SQLWCHAR*>(name.data()),
                             static_cast<SQLSMALLINT>(name.size() / 2 - 1), &nameLength, &sqlType, &size,
                             &digits, &nullable);
    else
        rc = SQLDescribeCol(stmt.get(), index, reinterpret_cast<SQLCHAR*>(name.data()),
                            static_cast<SQLSMALLINT>(name.size() - 1), &nameLength, &sqlType, &size, &digits,
                            &nullable);
    check(rc, stmt, dialect);
    sqlTypeOut = sqlType;

    Column c;
    const std::size_t unit = charSize(dialect.mode);
    c.name = decode(name.data(),
                    std::min<std::size_t>(static_cast<std::size_t>(std::max<SQLSMALLINT>(nameLength, 0)),
                                          name.size() / unit - 1) *
                        unit,
                    dialect.mode);
    c.type = columnType(sqlType);
    c.definedSize = definedSize(sqlType, size);
    c.baseTable = columnText(stmt, index, SQL_DESC_BASE_TABLE_NAME, dialect.mode);
    c.baseColumn = columnText(stmt, index, SQL_DESC_BASE_COLUMN_NAME, dialect.mode);
    if (c.baseColumn.isEmpty() && !c.baseTable.isEmpty()) c.baseColumn = c.name;
    SQLLEN autoUnique = SQL_FALSE;
    if (succeeded(
            SQLColAttribute(stmt.get(), index, SQL_DESC_AUTO_UNIQUE_VALUE, nullptr, 0, nullptr, &autoUnique)))
        c.autoIncrement = autoUnique == SQL_TRUE;
    return c;
}

// How one column's cells are fetched.
enum class Fetch { Integer, Double, Timestamp, Text, Binary };

Fetch fetchKind(SQLSMALLINT sqlType) {
    switch (columnType(sqlType)) {
    case ColumnType::Integer:
    case ColumnType::Boolean:
        return Fetch::Integer;
    case ColumnType::Double:
        return Fetch::Double;
    case ColumnType::DateTime:
        return sqlType == SQL_TYPE_TIME ? Fetch::Text : Fetch::Timestamp;
    case ColumnType::Binary:
        return Fetch::Binary;
    default:
        return Fetch::Text;
    }
}

// Values a driver cannot convert to the column's type (text in an SQLite integer column) are
// read as text instead.
bool isConversionFailure(const OdbcHandle& stmt, TextMode mode) {
    for (const auto& r : diagnostics(SQL_HANDLE_STMT, stmt.get(), mode))
        if (r.state == QLatin1String("22018") || r.state == QLatin1String("22007") ||
            r.state == QLatin1String("22008") || r.state == QLatin1String("07006") ||
            r.state == QLatin1String("22003"))
            return true;
    return false;
}

// Reads a text or binary cell in chunks, so values of any length arrive whole.
void readChunked(const OdbcHandle& stmt, SQLUSMALLINT column, bool binary, const Dialect& dialect,
                 RowStore& rows) {
    const SQLSMALLINT cType = binary ? SQL_C_BINARY : textCType(dialect.mode);
    const std::size_t terminator = binary ? 0 : charSize(dialect.mode);
    std::array<char, 8192> chunk{};
    std::string value;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt.get(), column, cType, chunk.data(), chunk.size(), &indicator);
        if (rc == SQL_NO_DATA) break;
        check(rc, stmt, dialect);
        if (indicator == SQL_NULL_DATA) {
            rows.addNull();
            return;
        }
        const std::size_t room = chunk.size() - terminator;
        const bool truncated = rc == SQL_SUCCESS_WITH_INFO &&
                               (indicator == SQL_NO_TOTAL || static_cast<std::size_t>(indicator) > room);
        const std::size_t got = truncated ? room : std::min(static_cast<std::size_t>(indicator), room);
        value.append(chunk.data(), got);
        if (!truncated) break;
    }
    if (binary) {
        rows.addBlob(value.data(), value.size());
    } else if (dialect.mode == TextMode::Utf8) {
        rows.addText(value.data(), value.size());
    } else {
        rows.addText(decode(value.data(), value.size(), dialect.mode));
    }
}

void readCell(const OdbcHandle& stmt, SQLUSMALLINT column, Fetch kind, const Dialect& dialect,
              RowStore& rows) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQL_SUCCESS;
    switch (kind) {
    case Fetch::Integer: {
        std::int64_t v = 0;
        rc = SQLGetData(stmt.get(), column, SQL_C_SBIGINT, &v, sizeof v, &indicator);
        if (succeeded(rc)) {
            indicator == SQL_NULL_DATA ? rows.addNull() : rows.addInteger(v);
            return;
        }
        break;
    }
    case Fetch::Double: {
        double v = 0;
        rc = SQLGetData(stmt.get(), column, SQL_C_DOUBLE, &v, sizeof v, &indicator);
        if (succeeded(rc)) {
            indicator == SQL_NULL_DATA ? rows.addNull() : rows.addDouble(v);
            return;
        }
        break;
    }
    case Fetch::Timestamp: {
        SQL_TIMESTAMP_STRUCT ts{};
        rc = SQLGetData(stmt.get(), column, SQL_C_TYPE_TIMESTAMP, &ts, sizeof ts, &indicator);
        if (succeeded(rc)) {
            indicator == SQL_NULL_DATA ? rows.addNull() : rows.addText(timestampText(ts));
            return;
        }
        break;
    }
    case Fetch::Text:
    case Fetch::Binary:
        readChunked(stmt, column, kind == Fetch::Binary, dialect, rows);
        return;
    }
    if (rc == SQL_ERROR && isConversionFailure(stmt, dialect.mode)) {
        readChunked(stmt, column, false, dialect, rows);
        return;
    }
    check(rc, stmt, dialect);
}

} // namespace

ColumnType columnType(SQLSMALLINT sqlType) {
    switch (sqlType) {
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_TINYINT:
    case SQL_BIGINT:
        return ColumnType::Integer;
    case SQL_BIT:
        return ColumnType::Boolean;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return ColumnType::Double;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_DATETIME:
        return ColumnType::DateTime;
    default:
        if (isText(sqlType)) return ColumnType::Text;
        if (isBinary(sqlType)) return ColumnType::Binary;
        return ColumnType::Unknown;
    }
}

int definedSize(SQLSMALLINT sqlType, SQLULEN columnSize) {
    if (isText(sqlType) || isBinary(sqlType) || columnType(sqlType) == ColumnType::Unknown)
        return columnSize == 0 || columnSize > static_cast<SQLULEN>(LongTextSize)
                   ? LongTextSize
                   : static_cast<int>(columnSize);
    switch (sqlType) {
    case SQL_TINYINT:
        return 1;
    case SQL_SMALLINT:
    case SQL_BIT:
        return 2;
    case SQL_INTEGER:
    case SQL_REAL:
        return 4;
    case SQL_BIGINT:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return 8;
    default: // dates and times
        return 16;
    }
}

QueryResult readResult(const OdbcHandle& statement, const Dialect& dialect) {
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(statement.get(), &count), statement, dialect);
    QueryResult result{{}, RowStore(count)};
    std::vector<Fetch> kinds;
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLSMALLINT sqlType = 0;
        result.columns.push_back(describe(statement, i, dialect, sqlType));
        kinds.push_back(fetchKind(sqlType));
    }
    for (;;) {
        const SQLRETURN rc = SQLFetch(statement.get());
        if (rc == SQL_NO_DATA) break;
        check(rc, statement, dialect);
        result.rows.beginRow();
        for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i)
            readCell(statement, i, kinds[i - 1], dialect, result.rows);
        result.rows.endRow();
    }
    return result;
}

} // namespace vornel::odbc
