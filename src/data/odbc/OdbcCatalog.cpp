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

std::vector<QString> primaryKeyColumns(SQLHDBC connection, const QString& table, const Dialect& dialect) {
    const QualifiedName q = splitQualifiedName(table);
    if (q.table.isEmpty()) return {};
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
        rc = SQLPrimaryKeysW(stmt.get(), w(catalog, q.catalog), SQL_NTS, w(schema, q.schema), SQL_NTS,
                             w(name, q.table), SQL_NTS);
    } else {
        const auto a = [](const QByteArray& b, const QString& s) {
            return s.isEmpty() ? nullptr : reinterpret_cast<SQLCHAR*>(const_cast<char*>(b.constData()));
        };
        rc = SQLPrimaryKeys(stmt.get(), a(catalog, q.catalog), SQL_NTS, a(schema, q.schema), SQL_NTS,
                            a(name, q.table), SQL_NTS);
    }
    check(rc, stmt, dialect);
    const QueryResult keys = readResult(stmt, dialect);
    // Result columns: TABLE_CAT, TABLE_SCHEM, TABLE_NAME, COLUMN_NAME, KEY_SEQ, PK_NAME.
    std::vector<std::pair<int, QString>> ordered;
    for (std::size_t r = 0; r < keys.rows.rowCount(); ++r) {
        if (keys.rows.columnCount() < 5) break;
        // With no table pattern support the driver may list every table: keep ours.
        if (keys.rows.value(r, 2).toString().compare(q.table, Qt::CaseInsensitive) != 0) continue;
        ordered.emplace_back(keys.rows.value(r, 4).toInt(), keys.rows.value(r, 3).toString());
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QString> columns;
    for (auto& [seq, column] : ordered)
        columns.push_back(std::move(column));
    return columns;
}

} // namespace vornel::odbc
