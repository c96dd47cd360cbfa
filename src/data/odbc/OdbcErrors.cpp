#include "data/odbc/OdbcErrors.h"

#include <QStringList>

#include <algorithm>

namespace vornel::odbc {

namespace {

bool isWarning(const DiagRecord& r) {
    return r.state.startsWith(QLatin1String("01"));
}

bool isLostConnection(const DiagRecord& r) {
    // 08S01 mid-statement, 08003 afterwards, 08007 during a commit, HYT01 on a dead link.
    return r.state.startsWith(QLatin1String("08")) || r.state == QLatin1String("HYT01");
}

bool isIntegrity(const DiagRecord& r, bool sqliteDbms) {
    if (r.state.startsWith(QLatin1String("23"))) return true;
    if (sqliteDbms) return (r.native & 0xff) == 19; // SQLITE_CONSTRAINT and its extended codes
    // Foreign key, unique index, primary key, NULL into a NOT NULL column.
    return r.native == 547 || r.native == 2601 || r.native == 2627 || r.native == 515;
}

bool isNoTable(const DiagRecord& r, bool sqliteDbms) {
    if (r.state == QLatin1String("42S02")) return true;
    if (sqliteDbms) return r.message.contains(QLatin1String("no such table"), Qt::CaseInsensitive);
    return r.native == 208 || r.native == 2812; // invalid object name, missing stored procedure
}

bool isCommand(const DiagRecord& r, bool sqliteDbms) {
    if (r.state.startsWith(QLatin1String("42")) || r.state == QLatin1String("37000") ||
        r.state.startsWith(QLatin1String("21S")))
        return true;
    return sqliteDbms && r.native == 1; // SQLITE_ERROR: syntax, unknown column, wrong arity
}

QString describe(const DiagRecord& r) {
    QString text = stripVendorPrefix(r.message);
    return text.isEmpty() ? QStringLiteral("ODBC error %1").arg(r.state) : text;
}

} // namespace

QString stripVendorPrefix(const QString& message) {
    qsizetype i = 0;
    while (i < message.size() && message.at(i) == QLatin1Char('[')) {
        const qsizetype close = message.indexOf(QLatin1Char(']'), i);
        if (close < 0) break;
        i = close + 1;
    }
    return message.mid(i).trimmed();
}

QString connectionStringValue(const QString& connectionString, const QString& key) {
    qsizetype i = 0;
    const qsizetype n = connectionString.size();
    while (i < n) {
        const qsizetype eq = connectionString.indexOf(QLatin1Char('='), i);
        if (eq < 0) break;
        const QString name = connectionString.mid(i, eq - i).trimmed();
        qsizetype j = eq + 1;
        while (j < n && connectionString.at(j) == QLatin1Char(' '))
            ++j;
        QString value;
        if (j < n && connectionString.at(j) == QLatin1Char('{')) {
            // Braced value: "}}" stands for one "}", and ";" inside is part of the value.
            ++j;
            while (j < n) {
                const QChar c = connectionString.at(j);
                if (c == QLatin1Char('}')) {
                    if (j + 1 < n && connectionString.at(j + 1) == QLatin1Char('}')) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += c;
                ++j;
            }
            const qsizetype semi = connectionString.indexOf(QLatin1Char(';'), j);
            j = semi < 0 ? n : semi;
        } else {
            const qsizetype semi = connectionString.indexOf(QLatin1Char(';'), j);
            const qsizetype end = semi < 0 ? n : semi;
            value = connectionString.mid(j, end - j).trimmed();
            j = end;
        }
        if (name.compare(key, Qt::CaseInsensitive) == 0) return value;
        i = j + 1;
    }
    return {};
}

OdbcError classify(const std::vector<DiagRecord>& records, bool sqliteDbms) {
    std::vector<const DiagRecord*> errors;
    for (const auto& r : records)
        if (!isWarning(r)) errors.push_back(&r);
    if (errors.empty() && !records.empty()) errors.push_back(&records.front());
    if (errors.empty())
        return OdbcError(ErrorNumber::Unspecified, QStringLiteral("ODBC call failed without diagnostics"), 0,
                         false);

    const auto find = [&](auto pred) {
        const auto it =
            std::find_if(errors.begin(), errors.end(), [&](const DiagRecord* r) { return pred(*r); });
        return it == errors.end() ? nullptr : *it;
    };
    if (const DiagRecord* r = find(isLostConnection))
        return OdbcError(ErrorNumber::Unspecified,
                         QStringLiteral("Connection to the database server was lost: %1").arg(describe(*r)),
                         r->native, true, r->state);
    if (const DiagRecord* r = find([&](const DiagRecord& d) { return isIntegrity(d, sqliteDbms); }))
        return OdbcError(ErrorNumber::Integrity, describe(*r), r->native, false, r->state);
    if (const DiagRecord* r = find([&](const DiagRecord& d) { return isNoTable(d, sqliteDbms); }))
        return OdbcError(ErrorNumber::NoTable, describe(*r), r->native, false, r->state);
    if (const DiagRecord* r = find([&](const DiagRecord& d) { return isCommand(d, sqliteDbms); }))
        return OdbcError(ErrorNumber::Command, describe(*r), r->native, false, r->state);
    const DiagRecord& first = *errors.front();
    return OdbcError(ErrorNumber::Unspecified, describe(first), first.native, false, first.state);
}

OdbcError connectError(const std::vector<DiagRecord>& records, const QString& connectionString) {
    // IM002: no such data source or driver; IM003 and unixODBC's "Can't open lib": the driver
    // library named by the connection string or odbcinst.ini is missing.
    const auto im002 = std::find_if(records.begin(), records.end(), [](const DiagRecord& r) {
        return r.state == QLatin1String("IM002") || r.state == QLatin1String("IM003") ||
               r.message.contains(QLatin1String("Can't open lib"));
    });
    if (im002 != records.end()) {
        QString driver = connectionStringValue(connectionString, QStringLiteral("Driver"));
        if (driver.isEmpty()) {
            const QString dsn = connectionStringValue(connectionString, QStringLiteral("DSN"));
            driver = dsn.isEmpty() ? QStringLiteral("(the connection string names no Driver or DSN)")
                                   : QStringLiteral("data source ") + dsn;
        }
        return OdbcError(ErrorNumber::Unspecified, QStringLiteral("ODBC driver not found: %1").arg(driver),
                         im002->native, false, im002->state);
    }
    const OdbcError inner = classify(records, false);
    QString reason = inner.description();
    reason.remove(QStringLiteral("Connection to the database server was lost: "));
    // Name the target (never the password) so the user sees which server or file failed.
    QStringList target;
    for (const char* key : {"DSN", "Server", "Database"}) {
        const QString value = connectionStringValue(connectionString, QLatin1String(key));
        if (!value.isEmpty()) target << QStringLiteral("%1=%2").arg(QLatin1String(key), value);
    }
    const QString where =
        target.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(target.join(QLatin1Char(';')));
    return OdbcError(ErrorNumber::Unspecified,
                     QStringLiteral("Could not connect to the database%1: %2").arg(where, reason),
                     inner.nativeCode(), false, inner.sqlState());
}

} // namespace vornel::odbc
