#include "data/SchemaUpgrade.h"

#include "data/Connection.h"
#include "data/DataLog.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"

#include <QRegularExpression>

namespace vornel::SchemaUpgrade {

namespace {

// Tables that came with a later version and hold nothing a company had before.
const QStringList kProgramTables = {QStringLiteral("JurnalModificari")};

// The statements of the schema script that create the table and its indexes.
QString creationOf(const QString& table) {
    const QString script = DemoDatabase::script(QStringLiteral("schema.sql"));
    const QRegularExpression statement(
        QStringLiteral(R"(^CREATE (?:TABLE %1 \(|INDEX \w+ ON %1 \().*?\);$)").arg(table),
        QRegularExpression::MultilineOption | QRegularExpression::DotMatchesEverythingOption);
    QString sql;
    for (auto it = statement.globalMatch(script); it.hasNext();)
        sql += it.next().captured(0) + QLatin1Char('\n');
    return sql;
}

} // namespace

QStringList addProgramTables(Connection& connection) {
    auto* sqlite = dynamic_cast<SqliteBackend*>(&connection.backend());
    if (!sqlite) return {};
    QStringList created;
    for (const QString& table : kProgramTables) {
        if (!sqlite->columns(table).empty()) continue;
        sqlite->executeNative(creationOf(table));
        qCInfo(logData).noquote() << "table added to a database of an earlier version:" << table;
        created << table;
    }
    return created;
}

} // namespace vornel::SchemaUpgrade
