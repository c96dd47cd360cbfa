#include "Recordset.h"

#include "Collation.h"
#include "Connection.h"
#include "DbError.h"
#include "RecordsetFilter.h"
#include "RowSearch.h"
#include "RowSort.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace vornel {

namespace {

// The first batch of a list read in the background: more than a screenful, and every catalogue
// of ordinary size whole. The rest comes in batches, about a slice of time per event loop turn.
constexpr std::size_t kFirstBatch = 5000;
constexpr std::size_t kBatch = 2000;
constexpr qint64 kSliceMs = 12;
constexpr std::size_t kEverything = std::numeric_limits<std::size_t>::max();

struct Opened {
    std::vector<Column> columns;
    RowStore rows;
    std::unique_ptr<QueryCursor> cursor; // rows still to read; null when all are read
};

Opened openQuery(Connection& connection, const QString& sql, Fetch fetch, bool whole) {
    Opened opened;
    if (fetch == Fetch::All) {
        QueryResult result = connection.query(sql);
        opened.columns = std::move(result.columns);
        opened.rows = std::move(result.rows);
        return opened;
    }
    opened.cursor = connection.openCursor(sql);
    opened.rows = RowStore(static_cast<int>(opened.cursor->columns().size()));
    bool more = opened.cursor->fetch(opened.rows, whole ? kEverything : kFirstBatch);
    while (more && whole)
        more = opened.cursor->fetch(opened.rows, kEverything);
    opened.columns = opened.cursor->columns();
    if (!more) {
        opened.cursor.reset();
        opened.rows.squeeze();
    }
    return opened;
}

} // namespace

Recordset::Recordset(QObject* parent) : QObject(parent) {}

Recordset::~Recordset() {
    stopFetching();
}

void Recordset::open(const QString& sql, std::shared_ptr<Connection> connection, CursorLocation location,
                     CursorType type, LockType lock, Fetch fetch) {
    if (!connection) throw DbError(ErrorNumber::Closed, QStringLiteral("Conexiunea este inchisa."));
    Opened opened = openQuery(*connection, sql, fetch, false);
    stopFetching();
    m_connection = std::move(connection);
    m_sql = sql;
    m_location = location;
    m_type = type;
    m_lock = lock;
    m_fetch = fetch;
    // A new query starts in its own order, unsearched.
    m_sortColumn = -1;
    m_search.reset();
    load(std::move(opened.columns), std::move(opened.rows), std::move(opened.cursor));
    findTarget();
}

void Recordset::load(std::vector<Column> columns, RowStore rows, std::unique_ptr<QueryCursor> cursor) {
    stopFetching();
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    m_cursor = std::move(cursor);
    m_open = true;
    m_filter.clear();
    m_parsedFilter.reset();
    m_position = 0;
    m_editMode = EditMode::None;
    m_editBuffer.clear();
    m_editChanged.clear();
    m_searched.clear();
    sortRows();
    arrange();
    emit reset();
    if (m_cursor) {
        m_pendingRead = m_connection->addPendingRead([this] { fetchAll(); });
        if (!m_fetchTimer) {
            m_fetchTimer = new QTimer(this);
            m_fetchTimer->setSingleShot(true);
            connect(m_fetchTimer, &QTimer::timeout, this, &Recordset::fetchSlice);
        }
        m_fetchTimer->start(0);
    }
}

void Recordset::openRows(std::vector<Column> columns, RowStore rows) {
    m_connection.reset();
    m_sql.clear();
    m_location = CursorLocation::Client;
    m_type = CursorType::Static;
    m_lock = LockType::ReadOnly;
    m_fetch = Fetch::All;
    load(std::move(columns), std::move(rows), nullptr);
    findTarget();
}

void Recordset::requery() {
    if (!m_open) throw DbError(ErrorNumber::Closed, QStringLiteral("Recordset-ul este inchis."));
    if (!m_connection) { // rows without a source: the same rows again
        load(m_columns, m_rows, nullptr);
        return;
    }
    // A sorted list needs every row before it can show the first.
    Opened opened = openQuery(*m_connection, m_sql, m_fetch, m_sortColumn >= 0);
    load(std::move(opened.columns), std::move(opened.rows), std::move(opened.cursor));
}

void Recordset::close() {
    stopFetching();
    m_open = false;
    m_columns.clear();
    m_rows = RowStore();
    m_mapped = false;
    m_visible.clear();
    m_order.clear();
    m_sortColumn = -1;
    m_search.reset();
    m_filter.clear();
    m_parsedFilter.reset();
    m_position = -1;
    m_editMode = EditMode::None;
    m_table.clear();
    m_keyColumns.clear();
    emit reset();
}

void Recordset::stopFetching() {
    if (m_fetchTimer) m_fetchTimer->stop();
    m_cursor.reset();
    if (m_pendingRead && m_connection) m_connection->removePendingRead(m_pendingRead);
    m_pendingRead = 0;
}

bool Recordset::fetchBatch(std::size_t maxRows) {
    if (!m_cursor) return false;
    const std::size_t before = m_rows.rowCount();
    const int visibleBefore = recordCount();
    bool more = false;
    try {
        if (!m_connection->isOpen())
            throw DbError(ErrorNumber::Closed, QStringLiteral("Conexiunea este inchisa."));
        more = m_cursor->fetch(m_rows, maxRows);
        m_columns = m_cursor->columns();
    } catch (const DbError& e) {
        stopFetching();
        emit fetchFailed(e.description());
        emit fetchFinished();
        return false;
    }
    if (!more) {
        stopFetching();
        m_rows.squeeze();
    }
    // No sort is in force while rows are still being read: new rows go at the end.
    m_searched.clear();
    if (m_mapped)
        for (std::size_t r = before; r < m_rows.rowCount(); ++r)
            if (passes(r)) m_visible.push_back(static_cast<std::uint32_t>(r));
    if (recordCount() > visibleBefore) emit rowsAppended(visibleBefore, recordCount() - 1);
    emit batchRead();
    if (!more) emit fetchFinished();
    return more;
}

void Recordset::fetchAll() {
    if (!m_cursor) return;
    emit waitingForRows(true);
    while (fetchBatch(kEverything)) {
    }
    emit waitingForRows(false);
}

void Recordset::fetchSlice() {
    const QPointer<Recordset> self(this);
    QElapsedTimer clock;
    clock.start();
    while (self && m_cursor && clock.elapsed() < kSliceMs)
        fetchBatch(kBatch);
    if (self && m_cursor) m_fetchTimer->start(0);
}

// The table edits go to: the base table of the first column read from a table, provided its
// whole key is among the columns.
void Recordset::findTarget() {
    m_table.clear();
    m_keyColumns.clear();
    if (m_lock == LockType::ReadOnly) return;
    for (const Column& c : m_columns)
        if (!c.baseTable.isEmpty()) {
            m_table = c.baseTable;
            break;
        }
    if (m_table.isEmpty()) return;
    std::vector<QString> key;
    for (const Column& c : m_columns)
        if (c.key && c.baseTable == m_table) key.push_back(c.baseColumn);
    if (key.empty()) key = m_connection->backend().primaryKey(m_table);
    for (const QString& k : key) {
        int found = -1;
        for (int i = 0; i < fieldCount() && found < 0; ++i)
            if (m_columns[static_cast<std::size_t>(i)].baseTable == m_table &&
                m_columns[static_cast<std::size_t>(i)].baseColumn.compare(k, Qt::CaseInsensitive) == 0)
                found = i;
        if (found < 0) {
            m_keyColumns.clear();
            return;
        }
        m_keyColumns.push_back(found);
    }
}

bool Recordset::updatable() const {
    return m_open && m_lock != LockType::ReadOnly && !m_table.isEmpty() && !m_keyColumns.empty();
}

int Recordset::fieldCount() const {
    return static_cast<int>(m_columns.size());
}

const Column& Recordset::column(int index) const {
    if (index < 0 || index >= fieldCount())
        throw DbError(ErrorNumber::BadArgument, QStringLiteral("Campul %1 nu exista.").arg(index));
    return m_columns[static_cast<std::size_t>(index)];
}

int Recordset::indexOf(const QString& name) const {
    QString wanted = name.trimmed();
    if (wanted.startsWith(QLatin1Char('[')) && wanted.endsWith(QLatin1Char(']')))
        wanted = wanted.mid(1, wanted.size() - 2);
    for (int i = 0; i < fieldCount(); ++i)
        if (m_columns[static_cast<std::size_t>(i)].name.compare(wanted, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int Recordset::recordCount() const {
    return m_mapped ? static_cast<int>(m_visible.size()) : static_cast<int>(m_rows.rowCount());
}

std::size_t Recordset::storeRow(int visibleRow) const {
    if (visibleRow < 0 || visibleRow >= recordCount())
        throw DbError(ErrorNumber::NoCurrentRecord, QStringLiteral("Randul %1 nu exista.").arg(visibleRow));
    return m_mapped ? m_visible[static_cast<std::size_t>(visibleRow)] : static_cast<std::size_t>(visibleRow);
}

int Recordset::visibleRowOf(std::size_t storeIndex) const {
    if (!m_mapped) return storeIndex < m_rows.rowCount() ? static_cast<int>(storeIndex) : -1;
    const auto it = std::find(m_visible.begin(), m_visible.end(), static_cast<std::uint32_t>(storeIndex));
    return it == m_visible.end() ? -1 : static_cast<int>(it - m_visible.begin());
}

void Recordset::checkCurrent() const {
    if (!m_open) throw DbError(ErrorNumber::Closed, QStringLiteral("Recordset-ul este inchis."));
    if (m_editMode == EditMode::Adding) return;
    if (bof() || eof())
        throw DbError(ErrorNumber::NoCurrentRecord,
                      QStringLiteral("Nu exista inregistrare curenta (inceputul sau sfarsitul listei)."));
}

QVariant Recordset::value(int col) const {
    checkCurrent();
    column(col);
    if (m_editMode != EditMode::None) return m_editBuffer[static_cast<std::size_t>(col)];
    return m_rows.value(storeRow(m_position), col);
}

QVariant Recordset::value(const QString& name) const {
    const int index = indexOf(name);
    if (index < 0) throw DbError(ErrorNumber::BadArgument, QStringLiteral("Campul %1 nu exista.").arg(name));
    return value(index);
}

QString Recordset::text(int col) const {
    return value(col).toString();
}

bool Recordset::isNull(int col) const {
    return !value(col).isValid();
}

QVariant Recordset::valueAt(int row, int col) const {
    column(col);
    return m_rows.value(storeRow(row), col);
}

QString Recordset::textAt(int row, int col) const {
    return valueAt(row, col).toString();
}

void Recordset::setPosition(int row) {
    if (m_editMode != EditMode::None) update(); // leaving an edited row writes it, as moving off it does
    // A row not read yet is read first, as ADO waits for it.
    while (m_cursor && row >= recordCount())
        fetchBatch(kBatch);
    m_position = std::clamp(row, -1, recordCount());
}

void Recordset::moveFirst() {
    setPosition(0);
}

void Recordset::moveLast() {
    fetchAll();
    setPosition(recordCount() > 0 ? recordCount() - 1 : 0);
}

void Recordset::moveNext() {
    if (m_editMode == EditMode::None && eof())
        throw DbError(ErrorNumber::NoCurrentRecord, QStringLiteral("Sfarsitul listei a fost deja atins."));
    setPosition(m_position + 1);
}

void Recordset::movePrevious() {
    if (m_editMode == EditMode::None && bof())
        throw DbError(ErrorNumber::NoCurrentRecord, QStringLiteral("Inceputul listei a fost deja atins."));
    setPosition(m_position - 1);
}

void Recordset::move(int n) {
    if (recordCount() == 0 || n == 0) return;
    setPosition(m_position + n);
}

void Recordset::setFilter(const QString& expression) {
    if (!m_open) throw DbError(ErrorNumber::Closed, QStringLiteral("Recordset-ul este inchis."));
    std::shared_ptr<const RecordsetFilter> next;
    // Parse first: an unreadable expression leaves the recordset as it was.
    if (!expression.trimmed().isEmpty())
        next = std::make_shared<const RecordsetFilter>(RecordsetFilter::parse(expression, m_columns));
    std::vector<std::uint32_t> range;
    const std::vector<std::uint32_t>* candidates = next ? prefixCandidates(*next, range) : nullptr;
    m_parsedFilter = std::move(next);
    m_filter = m_parsedFilter ? expression : QString();
    m_searched.clear();
    m_editMode = EditMode::None;
    arrange(candidates);
    rearranged();
}

// The rows a "Like 'text%'" filter needs to look at, when fewer than all: those the filter before
// it left when the text only grew, or the run of rows starting with the text when the list is
// sorted by that column.
const std::vector<std::uint32_t>* Recordset::prefixCandidates(const RecordsetFilter& next,
                                                              std::vector<std::uint32_t>& range) const {
    const int column = next.prefixColumn();
    if (column < 0) return nullptr;
    const QString prefix = next.prefixText();
    if (m_mapped && m_parsedFilter && m_parsedFilter->prefixColumn() == column &&
        prefix.startsWith(m_parsedFilter->prefixText()))
        return &m_visible;
    if (m_sortColumn != column || !m_sortedAsText || m_order.empty()) return nullptr;
    const std::string wanted = Collation::primaryKey(prefix);
    std::string text;
    std::string key;
    // Rows sorted by their full key are sorted by the start of their primary key too.
    const auto compare = [&](std::uint32_t row) {
        if (!cellText(m_rows.cellAt(row, column), text)) return -1;
        key.clear();
        Collation::appendPrimaryKey(key, text.data(), text.size());
        return key.compare(0, wanted.size(), wanted);
    };
    const bool down = m_sortDescending;
    const auto first = std::partition_point(m_order.begin(), m_order.end(), [&](std::uint32_t row) {
        const int c = compare(row);
        return down ? c > 0 : c < 0;
    });
    const auto last =
        std::partition_point(first, m_order.end(), [&](std::uint32_t row) { return compare(row) == 0; });
    range.assign(first, last);
    return &range;
}

void Recordset::setSort(int column, bool descending) {
    if (!m_open) throw DbError(ErrorNumber::Closed, QStringLiteral("Recordset-ul este inchis."));
    if (column >= fieldCount())
        throw DbError(ErrorNumber::BadArgument, QStringLiteral("Campul %1 nu exista.").arg(column));
    if (column >= 0) fetchAll();
    m_sortColumn = column < 0 ? -1 : column;
    m_sortDescending = column >= 0 && descending;
    m_editMode = EditMode::None;
    m_searched.clear();
    sortRows();
    arrange();
    rearranged();
}

void Recordset::sortRows() {
    m_order.clear();
    m_sortedAsText = false;
    if (m_sortColumn < 0 || m_sortColumn >= fieldCount()) return;
    const Column& c = m_columns[static_cast<std::size_t>(m_sortColumn)];
    m_sortedAsText = sortKindOf(m_rows, c, m_sortColumn) == SortKind::Text;
    m_order = vornel::sortRows(m_rows, c, m_sortColumn, m_sortDescending);
}

void Recordset::setSearch(const QString& text, const std::vector<int>& columns) {
    if (!m_open) throw DbError(ErrorNumber::Closed, QStringLiteral("Recordset-ul este inchis."));
    std::shared_ptr<const RowSearch> next;
    if (!text.isEmpty()) next = std::make_shared<const RowSearch>(text, columns);
    m_editMode = EditMode::None;
    // Remembered with what it shows, unless that is most of a big list (a copy would cost more
    // than the search it saves).
    constexpr std::size_t kRemembered = 8, kRememberedRows = 250000;
    if (m_search && m_mapped && m_visible.size() <= kRememberedRows) {
        if (m_searched.size() == kRemembered) m_searched.erase(m_searched.begin());
        m_searched.emplace_back(m_search, m_visible);
    }
    for (const auto& [search, rows] : m_searched)
        if (next && search->text() == text && search->columns() == next->columns()) {
            m_search = search;
            m_visible = rows;
            m_mapped = true;
            rearranged();
            return;
        }
    // The typed text grew: only the rows shown now can still hold it.
    const bool narrowing = next && m_search && m_mapped && next->narrows(*m_search);
    m_search = std::move(next);
    arrange(narrowing ? &m_visible : nullptr);
    rearranged();
}

QString Recordset::searchText() const {
    return m_search ? m_search->text() : QString();
}

bool Recordset::passes(std::size_t storeIndex) const {
    return (!m_parsedFilter || m_parsedFilter->matches(m_rows, storeIndex)) &&
           (!m_search || m_search->matches(m_rows, storeIndex));
}

void Recordset::arrange(const std::vector<std::uint32_t>* candidates) {
    m_mapped = !m_order.empty() || m_parsedFilter || m_search;
    if (!m_mapped) {
        m_visible = {};
        return;
    }
    if (candidates == &m_visible) {
        // Narrowing: the rows left are among those shown, in their order.
        std::erase_if(m_visible, [this](std::uint32_t row) { return !passes(row); });
        return;
    }
    std::vector<std::uint32_t> visible;
    visible.reserve(candidates ? candidates->size() : m_rows.rowCount());
    const auto keep = [&](std::uint32_t row) {
        if (passes(row)) visible.push_back(row);
    };
    if (candidates) {
        for (const std::uint32_t row : *candidates)
            keep(row);
    } else if (!m_order.empty()) {
        for (const std::uint32_t row : m_order)
            keep(row);
    } else {
        for (std::size_t row = 0; row < m_rows.rowCount(); ++row)
            keep(static_cast<std::uint32_t>(row));
    }
    m_visible.swap(visible);
}

void Recordset::rearranged() {
    m_position = 0;
    emit reset();
}

} // namespace vornel
