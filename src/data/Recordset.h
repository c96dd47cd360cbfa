#pragma once
// A recordset with ADO's semantics: opened on SQL text with cursor location, type and lock type;
// fields by name or position; BOF/EOF navigation; Filter; Requery. Client-side recordsets hold
// all rows. Updatable (optimistic) recordsets write each changed, added or deleted row back to
// its base table by key.

#include "AuditTrail.h"
#include "Backend.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

namespace vornel {

class Connection;
class RecordsetFilter;
class RowSnapshot;
struct RowChange;
struct RowKey;

enum class CursorLocation { Server = 2, Client = 3 };
enum class CursorType { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType { ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4 };

class Recordset : public QObject {
    Q_OBJECT
public:
    explicit Recordset(QObject* parent = nullptr);
    ~Recordset() override;

    void open(const QString& sql, std::shared_ptr<Connection> connection,
              CursorLocation location = CursorLocation::Client, CursorType type = CursorType::Static,
              LockType lock = LockType::ReadOnly);
    // Opens a client-side, read-only recordset on rows built by the program (ADO's recordset made
    // with Fields.Append): no connection, no SQL; requery shows the same rows again.
    void openRows(std::vector<Column> columns, RowStore rows);
    // Runs the same SQL text again; the filter is removed, the current row is the first.
    void requery();
    void close();
    bool isOpen() const { return m_open; }
    const QString& source() const { return m_sql; }
    LockType lockType() const { return m_lock; }
    CursorType cursorType() const { return m_type; }
    bool updatable() const;

    // Fields of the current row.
    int fieldCount() const;
    const Column& column(int index) const;
    int indexOf(const QString& name) const; // ignores case and surrounding brackets; -1 if none
    QVariant value(int column) const;       // throws DbError at BOF/EOF
    QVariant value(const QString& name) const;
    QString text(int column) const; // NULL as ""
    bool isNull(int column) const;

    // Navigation over the visible rows (all rows, or those the filter lets through).
    bool bof() const { return m_position < 0 || recordCount() == 0; }
    bool eof() const { return m_position >= recordCount() || recordCount() == 0; }
    void moveFirst();
    void moveLast();
    void moveNext();     // throws at EOF
    void movePrevious(); // throws at BOF
    void move(int n);    // relative; stops at BOF or EOF
    int recordCount() const;
    // 0-based index of the current row among the visible rows; -1 before the first,
    // recordCount() after the last.
    int position() const { return m_position; }
    void setPosition(int row);

    // Random access for grid models: row is 0-based among the visible rows.
    QVariant valueAt(int row, int column) const;
    QString textAt(int row, int column) const;

    // ADO Filter subset: "[Col] Like 'ab%'", "Col = 5", "<>", "<", ">", "<=", ">=", AND, OR,
    // parentheses; "%" and "*" wildcards; text compared without regard to case. Empty removes it.
    // Throws DbError(BadArgument) for an expression it cannot read.
    void setFilter(const QString& expression);
    const QString& filter() const { return m_filter; }

    // Editing (updatable recordsets only). setValue edits the current row; update writes it.
    void setValue(int column, const QVariant& value);
    void setValue(const QString& name, const QVariant& value);
    void addNew(); // a new empty row becomes current; written by update()
    void update(); // writes the edited row back to its base table; throws DbError
    void cancelUpdate();
    void deleteCurrent(); // deletes the current row from the base table; throws DbError
    bool editing() const { return m_editMode != EditMode::None; }
    bool adding() const { return m_editMode == EditMode::Adding; }
    QVariant editedValue(int column) const; // value in the edit buffer
    // From now on each row written back goes through the change pipeline: in one transaction with
    // its audit row, and only while the stored row still holds the values this recordset read.
    void auditWrites(AuditContext context);

signals:
    void reset();                 // opened, requeried, filtered or closed
    void currentChanged(int row); // the current row moved
    void rowChanged(int row);     // a row was written back
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    enum class EditMode { None, Editing, Adding };
    std::size_t storeRow(int visibleRow) const;
    void checkCurrent() const;
    void applyFilter();
    void emitCurrent();
    void load(QueryResult result);
    void findTarget();
    void requireUpdatable() const;
    std::vector<QVariant> keyValues(std::size_t storeIndex) const;
    QString keyCondition() const;
    void writeChanges();
    void writeNewRow();
    RowKey rowKey(std::size_t storeIndex) const;
    // The base table's columns of a stored row, as this recordset read or wrote them.
    RowSnapshot rowAsRead(std::size_t storeIndex) const;
    // Runs one row's write, straight or through the change pipeline; the rows it affected.
    int writeRow(RowChange change);
    // Takes the stored values of a row written through the change pipeline.
    void reread(std::size_t storeIndex);

    std::shared_ptr<Connection> m_connection;
    QString m_sql;
    CursorLocation m_location = CursorLocation::Client;
    CursorType m_type = CursorType::Static;
    LockType m_lock = LockType::ReadOnly;
    bool m_open = false;
    std::vector<Column> m_columns;
    RowStore m_rows;
    bool m_filtered = false;
    std::vector<std::uint32_t> m_visible; // store rows the filter lets through
    QString m_filter;
    int m_position = -1;
    EditMode m_editMode = EditMode::None;
    std::vector<QVariant> m_editBuffer;
    std::vector<bool> m_editChanged;
    std::shared_ptr<const RecordsetFilter> m_parsedFilter;
    QString m_table;               // base table that edits are written to
    std::vector<int> m_keyColumns; // columns holding that table's key
    int m_positionBeforeAdd = -1;
    std::optional<AuditContext> m_audit;
};

} // namespace vornel
