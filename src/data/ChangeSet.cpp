#include "data/ChangeSet.h"

#include "data/Connection.h"
#include "data/DataLog.h"
#include "data/DbFault.h"

#include <algorithm>

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

RowChange RowChange::overRows(RowSelection rows, QString statement, RowKey key,
                              std::optional<RowSnapshot> loaded) {
    RowChange c = modifying(std::move(key), std::move(statement), std::move(loaded));
    c.rows.push_back(std::move(rows));
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

RowSnapshot ChangeSet::rowToChange(const RowChange& change) {
    std::optional<RowSnapshot> stored = RowSnapshot::read(m_connection, change.key, true);
    if (!stored) refuse(change.key, "the row is gone");
    if (change.loaded && !change.loaded->changedColumns(*stored).empty())
        refuse(change.key, "the row was changed meanwhile");
    return std::move(*stored);
}

int ChangeSet::run(RowChange& change) {
    return change.write ? change.write(m_connection) : m_connection.execute(change.statement);
}

void ChangeSet::record(const RowKey& key, ChangeAction action, const QString& before, const QString& after) {
    AuditTrail::write(m_connection, m_context, key.bareTable(), key.text(), action, before, after);
}

void ChangeSet::applyOne(RowChange& change) {
    if (!change.rows.empty()) {
        applyOverRows(change);
        return;
    }
    const bool adding = change.action == ChangeAction::Add;
    std::optional<RowSnapshot> before;
    if (!adding) before = rowToChange(change);

    const int affected = run(change);
    if (affected == 0) {
        if (!adding) refuse(change.key, "the statement touched no row");
        return; // nothing was added, so there is nothing to record
    }

    const RowKey keyAfter =
        adding ? withInsertedId(change.key, m_connection) : change.keyAfter.value_or(change.key);
    switch (change.action) {
    case ChangeAction::Add:
        record(keyAfter, change.action, {}, readBack(m_connection, keyAfter)->json());
        break;
    case ChangeAction::Delete:
        record(keyAfter, change.action, before->json(), {});
        break;
    case ChangeAction::Modify: {
        const RowSnapshot after = *readBack(m_connection, keyAfter);
        const std::vector<QString> changed = before->changedColumns(after);
        if (changed.empty()) return; // saved as it was: no change to record
        record(keyAfter, change.action, before->json(changed), after.json(changed));
        break;
    }
    }
}

void ChangeSet::applyOverRows(RowChange& change) {
    const bool meantForOne = !change.key.columns.empty();
    if (meantForOne) rowToChange(change);
    std::vector<std::vector<SelectedRow>> before;
    for (const RowSelection& selection : change.rows)
        before.push_back(readRows(m_connection, selection, true));
    if (run(change) == 0 && meantForOne) refuse(change.key, "the statement touched no row");
    for (std::size_t i = 0; i < change.rows.size(); ++i)
        recordDifferences(before[i], readRows(m_connection, change.rows[i]));
}

void ChangeSet::recordDifferences(const std::vector<SelectedRow>& before,
                                  const std::vector<SelectedRow>& after) {
    const auto find = [](const std::vector<SelectedRow>& rows, const RowKey& key) {
        const QString text = key.text();
        return std::find_if(rows.begin(), rows.end(),
                            [&](const SelectedRow& r) { return r.key.text() == text; });
    };
    for (const SelectedRow& old : before) {
        const auto now = find(after, old.key);
        if (now == after.end()) {
            record(old.key, ChangeAction::Delete, old.row.json(), {});
            continue;
        }
        const std::vector<QString> changed = old.row.changedColumns(now->row);
        if (!changed.empty())
            record(old.key, ChangeAction::Modify, old.row.json(changed), now->row.json(changed));
    }
    for (const SelectedRow& added : after)
        if (find(before, added.key) == before.end())
            record(added.key, ChangeAction::Add, {}, added.row.json());
}

} // namespace vornel
