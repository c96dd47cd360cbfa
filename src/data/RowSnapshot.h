#pragma once
// A row of one table as it stands at one moment, read by its key: what an editor loaded, what a
// change found before it wrote, what it left behind. The audit trail stores snapshots as JSON.

#include <QString>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

namespace vornel {

class Connection;

// A row named by its table and the values of its key columns.
struct RowKey {
    QString table; // as statements name it: "Banci", "[Cod Vamal]"
    // Key columns and values. An invalid value stands for a number the database gives the row
    // when it is inserted (an identity column).
    std::vector<std::pair<QString, QVariant>> columns;

    // The key as the audit trail stores it: the value of a one-column key; "Column=value" pairs
    // joined by "; " for a key of several columns.
    QString text() const;
    // The table without brackets or owner ("[dbo].[Cod Vamal]" -> "Cod Vamal").
    QString bareTable() const;
};

class RowSnapshot {
public:
    using Values = std::vector<std::pair<QString, QVariant>>;

    RowSnapshot() = default;
    explicit RowSnapshot(Values values) : m_values(std::move(values)) {}

    // The row of the key, every column; nullopt when the table has no such row. With `lock`, inside
    // a transaction, the row is held against other writers until the transaction ends.
    static std::optional<RowSnapshot> read(Connection& connection, const RowKey& key, bool lock = false);

    const Values& values() const { return m_values; }
    // The value of a column (names compare without regard to case); invalid when there is none.
    QVariant value(const QString& column) const;

    // Same columns, and in each the same value (NULL equals only NULL; numbers by value).
    bool sameAs(const RowSnapshot& other) const;
    // The columns of this snapshot whose value differs in `other` (or that `other` lacks).
    std::vector<QString> changedColumns(const RowSnapshot& other) const;

    // A JSON object of the given columns ({"Cod":"B1","Pret":2.5,"Cont":null}), every column when
    // `columns` is empty.
    QString json(const std::vector<QString>& columns = {}) const;

private:
    Values m_values;
};

// True when two values of one column are the same value.
bool sameValue(const QVariant& a, const QVariant& b);

// The rows of one table that a condition selects: what a statement over several rows changes
// (every later month of a work group, the packaging accounts of a series).
struct RowSelection {
    QString table; // as statements name it
    std::vector<QString> keyColumns;
    QString condition;            // what follows WHERE, with "?" for each of `values`
    std::vector<QVariant> values; // bound to the condition, never written into it
};

struct SelectedRow {
    RowKey key;
    RowSnapshot row;
};

// The selected rows in key order. With `lock`, inside a transaction, they are held against other
// writers until the transaction ends.
std::vector<SelectedRow> readRows(Connection& connection, const RowSelection& selection, bool lock = false);

} // namespace vornel
