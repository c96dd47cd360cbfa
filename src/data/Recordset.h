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

class QTimer;

namespace vornel {

class Connection;
class RecordsetFilter;
class RowSearch;
class RowSnapshot;
struct RowChange;
struct RowKey;

enum class CursorLocation { Server = 2, Client = 3 };
enum class CursorType { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType { ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4 };
// All: every row is read before open returns. Background: the first batch is read at once, the
// rest while the event loop runs; whatever needs a row not yet read reads up to it first.
enum class Fetch { All, Background };

class Recordset : public QObject {
    Q_OBJECT
public:
    explicit Recordset(QObject* parent = nullptr);
    ~Recordset() override;

    void open(const QString& sql, std::shared_ptr<Connection> connection,
              CursorLocation location = CursorLocation::Client, CursorType type = CursorType::Static,
              LockType lock = LockType::ReadOnly, Fetch fetch = Fetch::All);
    // Opens a client-side, read-only recordset on rows built by the program (ADO's recordset made
    // with Fields.Append): no connection, no SQL; requery shows the same rows again.
    void openRows(std::vector<Column> columns, RowStore rows);
    // Runs the same SQL text again; the filter is removed, the sort and the search stay, the
    // current row is the first.
    void requery();
    void close();
    bool isOpen() const { return m_open; }
    bool updatable() const;

    // Fields of the current row.
    int fieldCount() const;
    const Column& column(int index) const;
    int indexOf(const QString& name) const; // ignores case and surrounding brackets; -1 if none
    QVariant value(int column) const;       // throws DbError at BOF/EOF
    QVariant value(const QString& name) const;
    QString text(int column) const; // NULL as ""
    bool isNull(int column) const;

    // Background reading. storedCount() is the number of rows read so far, whatever the filter.
    bool fetching() const { return m_cursor != nullptr; }
    void fetchAll();
    int storedCount() const { return static_cast<int>(m_rows.rowCount()); }

    // Navigation over the visible rows (all rows, or those the filter and search let through, in
    // the order of the sort).
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
    // The stored rows, for scans and exports; storeIndex gives the stored row of a visible row,
    // visibleRowOf the visible row of a stored one (-1 when it is not visible).
    const RowStore& rows() const { return m_rows; }
    std::size_t storeIndex(int row) const { return storeRow(row); }
    int visibleRowOf(std::size_t storeIndex) const;

    // ADO Filter subset: "[Col] Like 'ab%'", "Col = 5", "<>", "<", ">", "<=", ">=", AND, OR,
    // parentheses; "%" and "*" wildcards; text compared without regard to case. Empty removes it.
    // Throws DbError(BadArgument) for an expression it cannot read.
    void setFilter(const QString& expression);
    const QString& filter() const { return m_filter; }

    // Sort by one column (RowSort: Romanian collation for text, value for numbers and dates);
    // column -1 restores the query's order. Reads every row first.
    void setSort(int column, bool descending);
    int sortColumn() const { return m_sortColumn; }
    bool sortDescending() const { return m_sortDescending; }

    // The lists' instant filter beside Filter (RowSearch): rows holding the text in one of the
    // columns. An empty text removes it.
    void setSearch(const QString& text, const std::vector<int>& columns);
    QString searchText() const;

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
    void reset();                 // opened, requeried, filtered, sorted, searched or closed
    void currentChanged(int row); // the current row moved
    // Rows read in the background became visible at the end; fetchFinished when the last is read.
    void rowsAppended(int first, int last);
    void batchRead(); // after each batch, whether or not its rows are visible
    void fetchFinished();
    // An action waits for every row to be read (true), or the wait is over (false).
    void waitingForRows(bool waiting);
    // Background reading stopped on a database error; the rows read so far stay.
    void fetchFailed(const QString& description);
    void rowChanged(int row); // a row was written back
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    enum class EditMode { None, Editing, Adding };
    std::size_t storeRow(int visibleRow) const;
    void checkCurrent() const;
    void arrange(const std::vector<std::uint32_t>* candidates = nullptr);
    bool passes(std::size_t storeIndex) const;
    void rearranged();
    void emitCurrent();
    void load(std::vector<Column> columns, RowStore rows, std::unique_ptr<QueryCursor> cursor);
    void readAll();
    bool fetchBatch(std::size_t maxRows);
    void fetchSlice();
    void stopFetching();
    void sortRows();
    const std::vector<std::uint32_t>* prefixCandidates(const RecordsetFilter& next,
                                                       std::vector<std::uint32_t>& range) const;
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
    bool m_mapped = false;                // m_visible holds the visible rows
    std::vector<std::uint32_t> m_visible; // store rows in view order that filter and search let through
    std::vector<std::uint32_t> m_order;   // all store rows in the order of the sort
    int m_sortColumn = -1;
    bool m_sortDescending = false;
    bool m_sortedAsText = false;
    std::shared_ptr<const RowSearch> m_search;
    // Searches typed last on these rows and what they showed, for a correction with Backspace.
    std::vector<std::pair<std::shared_ptr<const RowSearch>, std::vector<std::uint32_t>>> m_searched;
    Fetch m_fetch = Fetch::All;
    std::unique_ptr<QueryCursor> m_cursor;
    int m_pendingRead = 0;
    QTimer* m_fetchTimer = nullptr;
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
