#include "controls/ChartOfAccounts.h"

#include "data/Connection.h"
#include "data/SqlText.h"

#include <QSet>

namespace vornel::Chart {

int accountLength(Connection& connection) {
    const QueryResult result = connection.query(QStringLiteral("SELECT Cont FROM zConta_Plan WHERE 1 = 0"));
    const int size = result.columns.empty() ? 0 : result.columns.front().definedSize;
    return size > 0 ? size : 20;
}

std::optional<int> firstMissing(Connection& connection, const QStringList& accounts) {
    QStringList quoted;
    for (const QString& account : accounts)
        if (!account.trimmed().isEmpty())
            quoted << QLatin1Char('\'') + Sql::text(account.trimmed()) + QLatin1Char('\'');
    if (quoted.isEmpty()) return std::nullopt;
    quoted.removeDuplicates();
    const QueryResult found =
        connection.query(QStringLiteral("SELECT Cont FROM zConta_Plan WHERE Cont IN (") +
                         quoted.join(QLatin1Char(',')) + QLatin1Char(')'));
    // Compared as the server compares them: without regard to case or trailing blanks.
    QSet<QString> known;
    for (std::size_t row = 0; row < found.rows.rowCount(); ++row)
        known.insert(found.rows.value(row, 0).toString().trimmed().toLower());
    for (int i = 0; i < accounts.size(); ++i) {
        const QString account = accounts.at(i).trimmed();
        if (!account.isEmpty() && !known.contains(account.toLower())) return i;
    }
    return std::nullopt;
}

QString missingMessage(const QString& account) {
    return QStringLiteral("Contul ") + account.trimmed() +
           QStringLiteral(" nu exista in planul de conturi !");
}

} // namespace vornel::Chart
