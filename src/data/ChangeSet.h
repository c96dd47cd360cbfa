#pragma once
// The way every window saves: its own statements, checked and audited, in one transaction.
//
//     ChangeSet changes(connection, {userId, companyId, caption});
//     changes.add(RowChange::modifying({"Banci", {{"Cod Banca", 12}}}, statement, loadedSnapshot));
//     changes.apply(); // throws RowChangedError or DbError; then nothing was written
//
// For a modification or a deletion the stored row is read again inside the transaction (held
// against other writers) and must still be the row the editor loaded; the statement runs unchanged
// and must touch a row; then the audit trail gets the row before and after. Both the changes and
// their audit rows are written, or none of them. A statement that changes several rows at once
// (RowChange::overRows) records the change of each row it selects.

#include "data/AuditTrail.h"
#include "data/DbError.h"
#include "data/RowSnapshot.h"

#include <functional>
#include <optional>
#include <vector>

namespace vornel {

class Connection;

// One row's change.
struct RowChange {
    static RowChange adding(RowKey key, QString statement);
    static RowChange modifying(RowKey key, QString statement, std::optional<RowSnapshot> loaded = {});
    static RowChange deleting(RowKey key, QString statement, std::optional<RowSnapshot> loaded = {});
    // A statement over every row of `rows`: each row it adds, changes or deletes is recorded. With a
    // `key`, the change is meant for that row: it must still be as loaded and the statement must
    // touch a row; without one, a statement that touches nothing is no fault.
    static RowChange overRows(RowSelection rows, QString statement, RowKey key = {},
                              std::optional<RowSnapshot> loaded = {});

    ChangeAction action = ChangeAction::Modify;
    RowKey key;        // the row the change is about; for an addition, the key of the new row
    QString statement; // the window's own statement, run as it is
    // The row as the editor loaded it (RowSnapshot::read at load time), or the columns of it that
    // the window showed: those must be unchanged. Without it, a modification or deletion only needs
    // the row to exist.
    std::optional<RowSnapshot> loaded;
    // Where the row is after a modification that changes its key (a renamed code).
    std::optional<RowKey> keyAfter;
    // Writes the change instead of `statement` and returns the rows it affected.
    std::function<int(Connection&)> write;
    // The rows a statement over several rows changes (see overRows); a statement that also changes
    // rows of other tables (a procedure) names each table's rows.
    std::vector<RowSelection> rows;
};

// The row to change is no longer the row that was loaded: someone deleted or changed it meanwhile,
// or the statement found no row to change.
class RowChangedError : public DbError {
public:
    explicit RowChangedError(const RowKey& key);
};

class ChangeSet {
public:
    ChangeSet(Connection& connection, AuditContext context);

    ChangeSet& add(RowChange change);
    bool empty() const { return m_changes.empty(); }

    // Runs every change in order, in one transaction taken for writing (do not call it inside
    // another transaction). Throws RowChangedError or DbError, having written nothing.
    void apply();

private:
    void applyOne(RowChange& change);
    void applyOverRows(RowChange& change);
    void recordDifferences(const std::vector<SelectedRow>& before, const std::vector<SelectedRow>& after);
    // The stored row of a modification or deletion, checked against the row as loaded.
    RowSnapshot rowToChange(const RowChange& change);
    int run(RowChange& change);
    void record(const RowKey& key, ChangeAction action, const QString& before, const QString& after);

    Connection& m_connection;
    AuditContext m_context;
    std::vector<RowChange> m_changes;
};

} // namespace vornel
