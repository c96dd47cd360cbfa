#include "Recordset.h"

#include "Connection.h"
#include "DbError.h"
#include "RecordsetFilter.h"

#include <algorithm>

namespace vornel {

Recordset::Recordset(QObject* parent) : QObject(parent) {}

Recordset::~Recordset() = default;

void Recordset::open(const QString& sql, std::shared_ptr<Connection> connection, CursorLocation location,
                     CursorType type, LockType lock) {
    if (!connection) throw DbError(ErrorNumber::Closed, QStringLiteral("Conexiunea este inchisa."));
    QueryResult result = connection->query(sql);
    m_connection = std::move(connection);
    m_sql = sql;
    m_location = location;
    m_type = type;
    m_lock = lock;
    load(std::move(result));
    findTarget();
}

void Recordset::load(QueryResult result) {
    m_columns = std::move(result.columns);
    m_rows = std::move(result.rows);
    m_open = true;
    m_filtered = false;
    m_visible.clear();
    m_filter.clear();
    m_parsedFilter.reset();
    m_position = 0;
    m_editMode = EditMode::None;
    m_editBuffer.clear();
    m_editChanged.clear();
    emit reset();
}

void Recordset::openRows(std::vector<Column> columns, RowStore rows) {
    m_connection.reset();
    m_sql.clear();
    m_location = CursorLocation::Client;
    m_type = CursorType::Static;
    m_lock = LockType::ReadOnly;
    load(QueryResult{std::move(columns), std::move(rows)});
    findTarget();
}

void Recordset::requery() {
    if (!m_open) throw DbError(ErrorNumber::Closed, QStringLiteral("Recordset-ul este inchis."));
    if (!m_connection) {
        load(QueryResult{m_columns, m_rows}); // rows without a source: the same rows again
        return;
    }
    load(m_connection->query(m_sql));
}

void Recordset::close() {
    m_open = false;
    m_columns.clear();
    m_rows = RowStore();
    m_filtered = false;
    m_visible.clear();
    m_filter.clear();
    m_parsedFilter.reset();
    m_position = -1;
    m_editMode = EditMode::None;
    m_table.clear();
    m_keyColumns.clear();
    emit reset();
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
    return m_filtered ? static_cast<int>(m_visible.size()) : static_cast<int>(m_rows.rowCount());
}

std::size_t Recordset::storeRow(int visibleRow) const {
    if (visibleRow < 0 || visibleRow >= recordCount())
        throw DbError(ErrorNumber::NoCurrentRecord, QStringLiteral("Randul %1 nu exista.").arg(visibleRow));
    return m_filtered ? m_visible[static_cast<std::size_t>(visibleRow)]
                      : static_cast<std::size_t>(visibleRow);
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
    m_position = std::clamp(row, -1, recordCount());
}

void Recordset::moveFirst() {
    setPosition(0);
}

void Recordset::moveLast() {
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
    if (expression.trimmed().isEmpty()) {
        m_parsedFilter.reset();
        m_filter.clear();
    } else {
        // Parse first: an unreadable expression leaves the recordset as it was.
        m_parsedFilter =
            std::make_shared<const RecordsetFilter>(RecordsetFilter::parse(expression, m_columns));
        m_filter = expression;
    }
    m_editMode = EditMode::None;
    applyFilter();
}

void Recordset::applyFilter() {
    m_filtered = m_parsedFilter != nullptr;
    m_visible.clear();
    if (m_filtered)
        for (std::size_t r = 0; r < m_rows.rowCount(); ++r)
            if (m_parsedFilter->matches(m_rows, r)) m_visible.push_back(static_cast<std::uint32_t>(r));
    m_position = 0;
    emit reset();
}

} // namespace vornel
