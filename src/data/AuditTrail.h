#pragma once
// The audit trail: one row of JurnalModificari per change of a row (who, when, from which window,
// which table and key, what it was and what it became). Rows are only ever added.

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <vector>

namespace vornel {

class Connection;

// Who changes, and from where: the ids Apel received and the caption of the window.
struct AuditContext {
    qint32 userId = 0;
    qint32 companyId = 0;
    QString caption;
};

enum class ChangeAction { Add, Modify, Delete };

namespace AuditTrail {

// "A", "M", "S" as the trail stores them.
QString actionCode(ChangeAction action);

// Adds one row; `before` and `after` are JSON objects, empty for none (NULL). Part of the
// caller's transaction.
void write(Connection& connection, const AuditContext& context, const QString& table, const QString& key,
           ChangeAction action, const QString& before, const QString& after);

struct Entry {
    qint64 id = 0;
    QDateTime moment; // UTC
    qint32 userId = 0;
    QString userName; // from the administration database; empty when it does not know the user
    QString caption;
    ChangeAction action = ChangeAction::Modify;
    QJsonObject before;
    QJsonObject after;
};

// The entries of one row, newest first. `table` without brackets or owner, `key` as RowKey::text.
std::vector<Entry> entries(Connection& connection, const QString& table, const QString& key);

} // namespace AuditTrail
} // namespace vornel
