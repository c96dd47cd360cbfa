#include "data/RowSnapshot.h"

#include "data/Connection.h"
#include "data/DbError.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>

namespace vornel {

namespace {

QString bracketed(const QString& name) {
    if (name.startsWith(QLatin1Char('['))) return name;
    return QLatin1Char('[') + name + QLatin1Char(']');
}

// A table name for a statement: a plain or qualified name goes as it is, one with blanks in brackets.
QString tableForStatement(const QString& table) {
    const QString t = table.trimmed();
    if (t.startsWith(QLatin1Char('[')) || t.contains(QLatin1Char('.')) || !t.contains(QLatin1Char(' ')))
        return t;
    return bracketed(t);
}

bool isNumeric(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isIntegral(const QVariant& v) {
    return isNumeric(v) && v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float;
}

QJsonValue jsonValue(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return QJsonValue(QJsonValue::Null);
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (isIntegral(v)) return v.toLongLong();
    if (isNumeric(v)) return v.toDouble();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (v.typeId() == QMetaType::QDate) return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (v.typeId() == QMetaType::QByteArray) return QString::fromLatin1(v.toByteArray().toBase64());
    return v.toString();
}

RowSnapshot::Values valuesOf(const QueryResult& result, std::size_t row) {
    RowSnapshot::Values values;
    for (std::size_t c = 0; c < result.columns.size(); ++c)
        values.emplace_back(result.columns[c].name, result.rows.value(row, static_cast<int>(c)));
    return values;
}

QString selectAll(Connection& connection, const QString& table, bool lock) {
    return QStringLiteral("SELECT * FROM ") + tableForStatement(table) +
           (lock ? connection.backend().rowLockHint() : QString());
}

} // namespace

QString RowKey::text() const {
    if (columns.size() == 1) return columns.front().second.toString();
    QStringList parts;
    for (const auto& [name, value] : columns)
        parts << name + QLatin1Char('=') + value.toString();
    return parts.join(QStringLiteral("; "));
}

QString RowKey::bareTable() const {
    QString t = table.trimmed();
    t.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    if (t.startsWith(QLatin1String("dbo."), Qt::CaseInsensitive)) t = t.mid(4);
    return t;
}

std::optional<RowSnapshot> RowSnapshot::read(Connection& connection, const RowKey& key, bool lock) {
    if (key.columns.empty())
        throw DbError(ErrorNumber::BadArgument, QStringLiteral("Randul din %1 nu are cheie.").arg(key.table));
    const QString sql = selectAll(connection, key.table, lock);
    std::vector<QVariant> params;
    QString where;
    for (const auto& [name, value] : key.columns) {
        if (!value.isValid() || value.isNull())
            throw DbError(ErrorNumber::BadArgument,
                          QStringLiteral("Cheia %1 a randului din %2 nu are valoare.").arg(name, key.table));
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + bracketed(name) +
                 QStringLiteral(" = ?");
        params.push_back(value);
    }
    const QueryResult result = connection.query(sql + where, params);
    if (result.rows.rowCount() == 0) return std::nullopt;
    return RowSnapshot(valuesOf(result, 0));
}

std::vector<SelectedRow> readRows(Connection& connection, const RowSelection& selection, bool lock) {
    QStringList order;
    for (const QString& column : selection.keyColumns)
        order << bracketed(column);
    const QueryResult result = connection.query(
        selectAll(connection, selection.table, lock) + QStringLiteral(" WHERE ") + selection.condition +
            QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", ")),
        selection.values);
    std::vector<SelectedRow> rows;
    for (std::size_t r = 0; r < result.rows.rowCount(); ++r) {
        RowSnapshot row(valuesOf(result, r));
        RowKey key{selection.table, {}};
        for (const QString& column : selection.keyColumns)
            key.columns.emplace_back(column, row.value(column));
        rows.push_back({std::move(key), std::move(row)});
    }
    return rows;
}

QVariant RowSnapshot::value(const QString& column) const {
    for (const auto& [name, value] : m_values)
        if (name.compare(column, Qt::CaseInsensitive) == 0) return value;
    return {};
}

bool sameValue(const QVariant& a, const QVariant& b) {
    const bool nullA = !a.isValid() || a.isNull();
    const bool nullB = !b.isValid() || b.isNull();
    if (nullA || nullB) return nullA == nullB;
    if (isIntegral(a) && isIntegral(b)) return a.toLongLong() == b.toLongLong();
    if (isNumeric(a) && isNumeric(b)) return a.toDouble() == b.toDouble();
    if (a.typeId() == QMetaType::QByteArray || b.typeId() == QMetaType::QByteArray)
        return a.toByteArray() == b.toByteArray();
    // Text compares byte for byte: a change of letter case is a change.
    return jsonValue(a) == jsonValue(b);
}

bool RowSnapshot::sameAs(const RowSnapshot& other) const {
    return m_values.size() == other.m_values.size() && changedColumns(other).empty();
}

std::vector<QString> RowSnapshot::changedColumns(const RowSnapshot& other) const {
    std::vector<QString> changed;
    for (const auto& [name, value] : m_values) {
        const auto it = std::find_if(other.m_values.begin(), other.m_values.end(), [&](const auto& entry) {
            return entry.first.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == other.m_values.end() || !sameValue(value, it->second)) changed.push_back(name);
    }
    return changed;
}

QString RowSnapshot::json(const std::vector<QString>& columns) const {
    QJsonObject object;
    for (const auto& [name, value] : m_values) {
        const bool wanted =
            columns.empty() || std::any_of(columns.begin(), columns.end(), [&](const QString& c) {
                return c.compare(name, Qt::CaseInsensitive) == 0;
            });
        if (wanted) object.insert(name, jsonValue(value));
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace vornel
