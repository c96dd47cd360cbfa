#include "data/SchemaUpgrade.h"

#include "data/Connection.h"
#include "data/DataLog.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"

#include <QRegularExpression>

namespace vornel::SchemaUpgrade {

namespace {

// Tables that came with a later version and hold nothing a company kept before. The VAT regimes
// are the law's, the same for every company: they come with the rows of the demo.
const QStringList kProgramTables = {QStringLiteral("JurnalModificari"), QStringLiteral("RegimTVA")};

// The statements of an embedded script that the pattern matches, each followed by a line break.
QString statementsOf(const QString& scriptName, const QString& pattern,
                     QRegularExpression::PatternOptions options) {
    const QString script = DemoDatabase::script(scriptName);
    QString sql;
    for (auto it = QRegularExpression(pattern, options).globalMatch(script); it.hasNext();)
        sql += it.next().captured(0) + QLatin1Char('\n');
    return sql;
}

// The statements of the schema script that create the table and its indexes.
QString creationOf(const QString& table) {
    return statementsOf(QStringLiteral("schema.sql"),
                        QStringLiteral(R"(^CREATE (?:TABLE %1 \(|INDEX \w+ ON %1 \().*?\);$)").arg(table),
                        QRegularExpression::MultilineOption | QRegularExpression::DotMatchesEverythingOption);
}

// The rows the demo script gives the table.
QString rowsOf(const QString& table) {
    return statementsOf(QStringLiteral("demo.sql"), QStringLiteral(R"(^INSERT INTO %1 \(.*?\);$)").arg(table),
                        QRegularExpression::MultilineOption);
}

} // namespace

QStringList addProgramTables(Connection& connection) {
    auto* sqlite = dynamic_cast<SqliteBackend*>(&connection.backend());
    if (!sqlite) return {};
    QStringList created;
    for (const QString& table : kProgramTables) {
        if (!sqlite->columns(table).empty()) continue;
        // A table is added with its rows or not at all.
        sqlite->executeNative(QStringLiteral("SAVEPOINT upgrade;\n") + creationOf(table) + rowsOf(table) +
                              QStringLiteral("RELEASE upgrade;"));
        qCInfo(logData).noquote() << "table added to a database of an earlier version:" << table;
        created << table;
    }
    return created;
}

} // namespace vornel::SchemaUpgrade
