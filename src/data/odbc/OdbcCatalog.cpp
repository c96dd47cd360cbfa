#include "data/odbc/OdbcCatalog.h"

#include "data/odbc/OdbcResult.h"

#include <algorithm>

namespace vornel::odbc {

QualifiedName splitQualifiedName(const QString& name) {
    QStringList parts{QString()};
    QChar closing;
    for (const QChar c : name.trimmed()) {
        if (!closing.isNull()) {
            if (c == closing)
                closing = QChar();
            else
                parts.back() += c;
        } else if (c == QLatin1Char('[')) {
            closing = QLatin1Char(']');
        } else if (c == QLatin1Char('"')) {
            closing = QLatin1Char('"');
        } else if (c == QLatin1Char('.')) {
            parts.append(QString());
        } else {
            parts.back() += c;
        }
    }
    QualifiedName q;
    q.table = parts.takeLast().trimmed();
    if (!parts.isEmpty()) q.schema = parts.takeLast().trimmed();
    if (!parts.isEmpty()) q.catalog = parts.takeLast().trimmed();
    return q;
}

namespace {

enum class CatalogCall { PrimaryKeys, Columns };

// The result of SQLPrimaryKeys or SQLColumns for one table.
QueryResult catalogRows(SQLHDBC connection, const QualifiedName& q, const Dialect& dialect,
                        CatalogCall call) {
    OdbcHandle stmt(SQL_HANDLE_STMT, connection);
    const QByteArray catalog = encode(q.catalog, dialect.mode);
    const QByteArray schema = encode(q.schema, dialect.mode);
    const QByteArray name = encode(q.table, dialect.mode);
    SQLRETURN rc;
    // An empty catalog or schema means "the current one": pass none rather than "".
    if (dialect.mode == TextMode::Wide) {
        const auto w = [](const QByteArray& b, const QString& s) {
            return s.isEmpty() ? nullptr : reinterpret_cast<SQLWCHAR*>(const_cast<char*>(b.constData()));
        };
        rc = call == CatalogCall::PrimaryKeys
                 ? SQLPrimaryKeysW(stmt.get(), w(catalog, q.catalog), SQL_NTS, w(schema, q.schema), SQL_NTS,
                                   w(name, q.table), SQL_NTS)
                 : SQLColumnsW(stmt.get(), w(catalog, q.catalog), SQL_NTS, w(schema, q.schema), SQL_NTS,
                               w(name, q.table), SQL_NTS, nullptr, 0);
    } else {
        const auto a = [](const QByteArray& b, const QString& s) {
            return s.isEmpty() ? nullptr : reinterpret_cast<SQLCHAR*>(const_cast<char*>(b.constData()));
        };
        rc = call == CatalogCall::PrimaryKeys
                 ? SQLPrimaryKeys(stmt.get(), a(catalog, q.catalog), SQL_NTS, a(schema, q.schema), SQL_NTS,
                                  a(name, q.table), SQL_NTS)
                 : SQLColumns(stmt.get(), a(catalog, q.catalog), SQL_NTS, a(schema, q.schema), SQL_NTS,
                              a(name, q.table), SQL_NTS, nullptr, 0);
    }
    check(rc, stmt, dialect);
    return readResult(stmt, dialect);
}

// Rows of `rows` about the table itself: the name is a pattern ("_" matches any character), and
// a driver without pattern support may list every table.
std::vector<std::pair<int, QString>> ownRows(const QueryResult& rows, const QString& table, int orderColumn) {
    // Result columns of both calls: TABLE_CAT, TABLE_SCHEM, TABLE_NAME, COLUMN_NAME, then the order.
    std::vector<std::pair<int, QString>> ordered;
    for (std::size_t r = 0; r < rows.rows.rowCount(); ++r) {
        if (rows.rows.columnCount() <= orderColumn) break;
        if (rows.rows.value(r, 2).toString().compare(table, Qt::CaseInsensitive) != 0) continue;
        ordered.emplace_back(rows.rows.value(r, orderColumn).toInt(), rows.rows.value(r, 3).toString());
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return ordered;
}

std::vector<QString> namesOf(std::vector<std::pair<int, QString>> ordered) {
    std::vector<QString> names;
    for (auto& [position, name] : ordered)
        names.push_back(std::move(name));
    return names;
}

} // namespace

std::vector<QString> primaryKeyColumns(SQLHDBC connection, const QString& table, const Dialect& dialect) {
    const QualifiedName q = splitQualifiedName(table);
    if (q.table.isEmpty()) return {};
    // KEY_SEQ is the fifth column.
    return namesOf(ownRows(catalogRows(connection, q, dialect, CatalogCall::PrimaryKeys), q.table, 4));
}

std::vector<QString> columnNames(SQLHDBC connection, const QString& table, const Dialect& dialect) {
    const QualifiedName q = splitQualifiedName(table);
    if (q.table.isEmpty()) return {};
    // ORDINAL_POSITION is the seventeenth column.
    return namesOf(ownRows(catalogRows(connection, q, dialect, CatalogCall::Columns), q.table, 16));
}

} // namespace vornel::odbc
