// Editing of updatable recordsets: each changed, added or deleted row is written to the base
// table by key, with the key values the row had when it was read.
#include "ChangeSet.h"
#include "Connection.h"
#include "DbError.h"
#include "Recordset.h"
#include "SqlText.h"

#include <QStringList>

namespace vornel {

namespace {

// "AdmTivra.Societati" -> "[AdmTivra].[Societati]"
QString bracketed(const QString& name) {
    QStringList parts = name.split(QLatin1Char('.'));
    for (QString& part : parts)
        part = QLatin1Char('[') + part.replace(QLatin1Char(']'), QStringLiteral("]]")) + QLatin1Char(']');
    return parts.join(QLatin1Char('.'));
}

QString literal(const QVariant& v) {
    if (!v.isValid()) return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(v.toLongLong());
    case QMetaType::Double:
        return Sql::numberText(v.toDouble());
    default:
        return QLatin1Char('\'') + Sql::text(v.toString()) + QLatin1Char('\'');
    }
}

} // namespace

void Recordset::requireUpdatable() const {
    if (!m_open) throw DbError(ErrorNumber::Closed, QStringLiteral("Recordset-ul este inchis."));
    if (!updatable())
        throw DbError(ErrorNumber::NotSupported,
                      QStringLiteral("Recordset-ul nu poate fi modificat (doar citire sau fara cheie)."));
}

std::vector<QVariant> Recordset::keyValues(std::size_t storeIndex) const {
    std::vector<QVariant> values;
    for (int k : m_keyColumns)
        values.push_back(m_rows.value(storeIndex, k));
    return values;
}

QString Recordset::keyCondition() const {
    QStringList parts;
    for (int k : m_keyColumns)
        parts << bracketed(m_columns[static_cast<std::size_t>(k)].baseColumn) + QStringLiteral("=?");
    return parts.join(QStringLiteral(" AND "));
}

RowKey Recordset::rowKey(std::size_t storeIndex) const {
    RowKey key{m_table, {}};
    for (int k : m_keyColumns)
        key.columns.emplace_back(m_columns[static_cast<std::size_t>(k)].baseColumn,
                                 m_rows.value(storeIndex, k));
    return key;
}

RowSnapshot Recordset::rowAsRead(std::size_t storeIndex) const {
    RowSnapshot::Values values;
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].baseTable == m_table)
            values.emplace_back(m_columns[c].baseColumn, m_rows.value(storeIndex, static_cast<int>(c)));
    return RowSnapshot(std::move(values));
}

void Recordset::auditWrites(AuditContext context) {
    m_audit = std::move(context);
}

int Recordset::writeRow(RowChange change) {
    if (!m_audit) return change.write(*m_connection);
    ChangeSet(*m_connection, *m_audit).add(std::move(change)).apply();
    return 1; // the pipeline refuses a write that touches no row
}

void Recordset::reread(std::size_t storeIndex) {
    const std::optional<RowSnapshot> stored = RowSnapshot::read(*m_connection, rowKey(storeIndex));
    if (!stored) return;
    std::vector<QVariant> row = m_rows.row(storeIndex);
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].baseTable == m_table) row[c] = stored->value(m_columns[c].baseColumn);
    m_rows.replaceRow(storeIndex, row);
}

QVariant Recordset::editedValue(int col) const {
    column(col);
    if (m_editMode == EditMode::None) return value(col);
    return m_editBuffer[static_cast<std::size_t>(col)];
}

void Recordset::setValue(int col, const QVariant& v) {
    requireUpdatable();
    const Column& c = column(col);
    if (c.baseTable != m_table)
        throw DbError(
            ErrorNumber::NotSupported,
            QStringLiteral("Campul %1 nu poate fi modificat: nu apartine tabelei %2.").arg(c.name, m_table));
    if (m_editMode == EditMode::None) {
        checkCurrent();
        m_editBuffer = m_rows.row(storeRow(m_position));
        m_editChanged.assign(m_columns.size(), false);
        m_editMode = EditMode::Editing;
    }
    m_editBuffer[static_cast<std::size_t>(col)] = v;
    m_editChanged[static_cast<std::size_t>(col)] = true;
}

void Recordset::setValue(const QString& name, const QVariant& v) {
    const int index = indexOf(name);
    if (index < 0) throw DbError(ErrorNumber::BadArgument, QStringLiteral("Campul %1 nu exista.").arg(name));
    setValue(index, v);
}

void Recordset::addNew() {
    requireUpdatable();
    fetchAll(); // the new row comes after every row of the query
    if (m_editMode != EditMode::None) update();
    m_positionBeforeAdd = m_position;
    m_editBuffer.assign(m_columns.size(), QVariant());
    m_editChanged.assign(m_columns.size(), false);
    m_editMode = EditMode::Adding;
}

void Recordset::cancelUpdate() {
    const bool wasAdding = m_editMode == EditMode::Adding;
    m_editMode = EditMode::None;
    m_editBuffer.clear();
    m_editChanged.clear();
    if (wasAdding) m_position = std::clamp(m_positionBeforeAdd, -1, recordCount());
}

void Recordset::update() {
    if (m_editMode == EditMode::Editing)
        writeChanges();
    else if (m_editMode == EditMode::Adding)
        writeNewRow();
}

void Recordset::writeChanges() {
    const std::size_t index = storeRow(m_position);
    QStringList sets;
    std::vector<QVariant> params;
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        if (m_editChanged[c]) {
            sets << bracketed(m_columns[c].baseColumn) + QStringLiteral("=?");
            params.push_back(m_editBuffer[c]);
        }
    if (!sets.isEmpty()) {
        for (const QVariant& k : keyValues(index))
            params.push_back(k);
        const QString sql = QStringLiteral("UPDATE ") + bracketed(m_table) + QStringLiteral(" SET ") +
                            sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") + keyCondition();
        RowChange change = RowChange::modifying(rowKey(index), sql, rowAsRead(index));
        change.write = [&](Connection& c) { return c.execute(sql, params); };
        // On failure the edit stays open and the stored row keeps its old values.
        if (writeRow(std::move(change)) == 0)
            throw DbError(
                ErrorNumber::RowNotFound,
                QStringLiteral("Randul nu mai exista in tabela %1; nu a fost modificat.").arg(m_table));
        m_rows.replaceRow(index, m_editBuffer);
        m_searched.clear();
        if (m_audit) reread(index); // what the database made of the values is what the next check compares
    }
    m_editMode = EditMode::None;
    m_editBuffer.clear();
    m_editChanged.clear();
    emit rowChanged(m_position);
}

void Recordset::writeNewRow() {
    QStringList names;
    QStringList marks;
    std::vector<QVariant> params;
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        if (m_editBuffer[c].isValid() && m_columns[c].baseTable == m_table) {
            names << bracketed(m_columns[c].baseColumn);
            marks << QStringLiteral("?");
            params.push_back(m_editBuffer[c]);
        }
    const QString sql =
        names.isEmpty()
            ? QStringLiteral("INSERT INTO ") + bracketed(m_table) + QStringLiteral(" DEFAULT VALUES")
            : QStringLiteral("INSERT INTO ") + bracketed(m_table) + QStringLiteral(" (") +
                  names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                  marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    std::vector<QVariant> row = m_editBuffer;
    QStringList where;
    RowKey key{m_table, {}};
    for (int k : m_keyColumns)
        key.columns.emplace_back(m_columns[static_cast<std::size_t>(k)].baseColumn,
                                 m_editBuffer[static_cast<std::size_t>(k)]);
    RowChange change = RowChange::adding(key, sql);
    change.write = [&](Connection& c) {
        const int added = c.execute(sql, params);
        // The number the database gave the row, taken before anything else is inserted.
        for (int k : m_keyColumns) {
            const Column& column = m_columns[static_cast<std::size_t>(k)];
            QVariant v = m_editBuffer[static_cast<std::size_t>(k)];
            if (!v.isValid() && column.autoIncrement) v = c.backend().lastInsertId();
            row[static_cast<std::size_t>(k)] = v;
            where << bracketed(column.baseColumn) + QLatin1Char('=') + literal(v);
        }
        return added;
    };
    writeRow(std::move(change));

    // Read the row back so that defaults and the number the database gave it are seen.
    const QueryResult stored =
        m_connection->query(QStringLiteral("SELECT * FROM ") + bracketed(m_table) +
                            QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")));
    if (stored.rows.rowCount() > 0)
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (m_columns[c].baseTable != m_table) continue;
            for (std::size_t s = 0; s < stored.columns.size(); ++s)
                if (stored.columns[s].name.compare(m_columns[c].baseColumn, Qt::CaseInsensitive) == 0) {
                    row[c] = stored.rows.value(0, static_cast<int>(s));
                    break;
                }
        }

    m_rows.appendRow(row);
    m_searched.clear();
    const auto added = static_cast<std::uint32_t>(m_rows.rowCount() - 1);
    // A new row shows at the end, whatever the sort, filter or search.
    if (!m_order.empty()) m_order.push_back(added);
    if (m_mapped) m_visible.push_back(added);
    m_editMode = EditMode::None;
    m_editBuffer.clear();
    m_editChanged.clear();
    m_position = recordCount() - 1;
    emit rowInserted(m_position);
}

void Recordset::deleteCurrent() {
    requireUpdatable();
    if (m_editMode == EditMode::Adding) {
        cancelUpdate();
        return;
    }
    m_editMode = EditMode::None;
    checkCurrent();
    const int row = m_position;
    const std::size_t index = storeRow(row);
    const QString sql =
        QStringLiteral("DELETE FROM ") + bracketed(m_table) + QStringLiteral(" WHERE ") + keyCondition();
    RowChange change = RowChange::deleting(rowKey(index), sql, rowAsRead(index));
    change.write = [&](Connection& c) { return c.execute(sql, keyValues(index)); };
    if (writeRow(std::move(change)) == 0)
        throw DbError(ErrorNumber::RowNotFound,
                      QStringLiteral("Randul nu mai exista in tabela %1; nu a fost sters.").arg(m_table));
    m_rows.removeRow(index);
    m_searched.clear();
    if (m_mapped) m_visible.erase(m_visible.begin() + row);
    std::erase(m_order, static_cast<std::uint32_t>(index));
    for (std::vector<std::uint32_t>* rows : {&m_visible, &m_order})
        for (std::uint32_t& v : *rows)
            if (v > index) --v;
    emit rowRemoved(row);
}

} // namespace vornel
