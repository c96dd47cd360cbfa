#include "data/SchemaCheck.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"

#include <algorithm>

namespace vornel::SchemaCheck {

namespace {

constexpr qsizetype kNamedAtMost = 5; // a foreign database lacks everything: name a few

std::vector<QString> tableNames(SqliteBackend& db, const QString& schema) {
    const QueryResult r = db.query(QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type = 'table' "
                                                  "AND name NOT LIKE 'sqlite_%' ORDER BY rowid")
                                       .arg(schema));
    std::vector<QString> names;
    for (std::size_t i = 0; i < r.rows.rowCount(); ++i)
        names.push_back(r.rows.value(i, 0).toString());
    return names;
}

bool contains(const std::vector<QString>& names, const QString& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
}

} // namespace

std::vector<Table> expected() {
    // The scripts build an empty pair of databases in memory; their catalogue is the expectation.
    SqliteBackend db(QStringLiteral(":memory:"), QStringLiteral(":memory:"), true);
    db.executeNative(DemoDatabase::script(QStringLiteral("admtivra.sql")));
    db.executeNative(DemoDatabase::script(QStringLiteral("schema.sql")));
    std::vector<Table> tables;
    for (const QString& name : tableNames(db, QStringLiteral("main")))
        tables.push_back({name, name, db.columns(name)});
    for (const QString& name : tableNames(db, QStringLiteral("AdmTivra")))
        tables.push_back({QStringLiteral("AdmTivra.dbo.") + name, QStringLiteral("AdmTivra.") + name,
                          db.columns(QStringLiteral("AdmTivra.") + name)});
    return tables;
}

QStringList missing(Backend& backend) {
    QStringList phrases;
    for (const Table& table : expected()) {
        const std::vector<QString> present = backend.columns(table.name);
        if (present.empty()) {
            phrases << QStringLiteral("lipseste tabela %1").arg(table.shown);
            continue;
        }
        for (const QString& column : table.columns)
            if (!contains(present, column))
                phrases << QStringLiteral("lipseste coloana %1 din tabela %2").arg(column, table.shown);
    }
    return phrases;
}

QString summary(const QStringList& missing) {
    QStringList named = missing.mid(0, kNamedAtMost);
    if (missing.size() > kNamedAtMost)
        named << QStringLiteral("si inca %1").arg(missing.size() - kNamedAtMost);
    return named.join(QStringLiteral(", "));
}

QString verdict(const QStringList& missing) {
    if (missing.isEmpty()) return {};
    return QStringLiteral("Structura bazei de date nu corespunde programului: %1.").arg(summary(missing));
}

void verify(Connection& connection) {
    const QString text = verdict(missing(connection.backend()));
    if (!text.isEmpty()) throw DbError(ErrorNumber::Unspecified, text);
}

} // namespace vornel::SchemaCheck
