#include "data/ChangeSet.h"

#include "data/Connection.h"
#include "data/DataLog.h"
#include "data/DbFault.h"

namespace vornel {

namespace {

// The key of a new row with the number the database gave it in place of the missing value.
RowKey withInsertedId(RowKey key, Connection& connection) {
    for (auto& [name, value] : key.columns)
        if (!value.isValid() || value.isNull()) value = connection.backend().lastInsertId();
    return key;
}

// The row is not the one the window loaded (or the statement found none): nothing is overwritten.
[[noreturn]] void refuse(const RowKey& key, const char* why) {
    qCInfo(logData).noquote() << "Change refused:" << why << key.bareTable() << key.text();
    throw RowChangedError(key);
}

std::optional<RowSnapshot> readBack(Connection& connection, const RowKey& key) {
    std::optional<RowSnapshot> row = RowSnapshot::read(connection, key);
    if (!row)
        throw DbError(ErrorNumber::Unspecified,
                      QStringLiteral("Randul salvat nu poate fi recitit din %1 dupa cheia %2.")
                          .arg(key.bareTable(), key.text()));
    return row;
}

} // namespace

RowChange RowChange::adding(RowKey key, QString statement) {
    RowChange c;
    c.action = ChangeAction::Add;
    c.key = std::move(key);
    c.statement = std::move(statement);
    return c;
}

RowChange RowChange::modifying(RowKey key, QString statement, std::optional<RowSnapshot> loaded) {
    RowChange c = adding(std::move(key), std::move(statement));
    c.action = ChangeAction::Modify;
    c.loaded = std::move(loaded);
    return c;
}

RowChange RowChange::deleting(RowKey key, QString statement, std::optional<RowSnapshot> loaded) {
    RowChange c = modifying(std::move(key), std::move(statement), std::move(loaded));
    c.action = ChangeAction::Delete;
    return c;
}

RowChangedError::RowChangedError(const RowKey& key)
    : DbError(ErrorNumber::RowNotFound,
              rowChangedText() + QStringLiteral(" (%1, %2)").arg(key.bareTable(), key.text())) {}

ChangeSet::ChangeSet(Connection& connection, AuditContext context)
    : m_connection(connection), m_context(std::move(context)) {}

ChangeSet& ChangeSet::add(RowChange change) {
    m_changes.push_back(std::move(change));
    return *this;
}

void ChangeSet::apply() {
    Transaction transaction(m_connection, Transaction::Kind::Write);
    for (RowChange& change : m_changes)
        applyOne(change);
    transaction.commit();
}

void ChangeSet::applyOne(RowChange& change) {
    const bool adding = change.action == ChangeAction::Add;
    std::optional<RowSnapshot> before;
    if (!adding) {
        before = RowSnapshot::read(m_connection, change.key, true);
        if (!before) refuse(change.key, "the row is gone");
        if (change.loaded && !change.loaded->sameAs(*before))
            refuse(change.key, "the row was changed meanwhile");
    }

    const int affected = change.write ? change.write(m_connection) : m_connection.execute(change.statement);
    if (affected == 0) {
        if (!adding) refuse(change.key, "the statement touched no row");
        return; // nothing was added, so there is nothing to record
    }

    const RowKey keyAfter =
        adding ? withInsertedId(change.key, m_connection) : change.keyAfter.value_or(change.key);
    QString beforeJson;
    QString afterJson;
    switch (change.action) {
    case ChangeAction::Add:
        afterJson = readBack(m_connection, keyAfter)->json();
        break;
    case ChangeAction::Delete:
        beforeJson = before->json();
        break;
    case ChangeAction::Modify: {
        const RowSnapshot after = *readBack(m_connection, keyAfter);
        const std::vector<QString> changed = before->changedColumns(after);
        if (changed.empty()) return; // saved as it was: no change to record
        beforeJson = before->json(changed);
        afterJson = after.json(changed);
        break;
    }
    }
    AuditTrail::write(m_connection, m_context, keyAfter.bareTable(), keyAfter.text(), change.action,
                      beforeJson, afterJson);
}

} // namespace vornel
