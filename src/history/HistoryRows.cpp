#include "history/HistoryRows.h"

#include "data/AuditTrail.h"
#include "data/Connection.h"
#include "data/DbError.h"

#include <QJsonValue>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vornel::HistoryRows {

namespace {

constexpr int kColumns = 6;

QString actionWord(ChangeAction action) {
    switch (action) {
    case ChangeAction::Add:
        return QStringLiteral("adaugare");
    case ChangeAction::Delete:
        return QStringLiteral("stergere");
    case ChangeAction::Modify:
        break;
    }
    return QStringLiteral("modificare");
}

QString valueText(const QJsonValue& v) {
    switch (v.type()) {
    case QJsonValue::String:
        return v.toString();
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QJsonValue::Double: {
        const double d = v.toDouble();
        // Whole numbers as integers, others with their significant digits ("2.5", not "2.500000").
        if (std::abs(d) < 1e15 && d == std::trunc(d)) return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'f', QLocale::FloatingPointShortest);
    }
    default:
        return {};
    }
}

// The fields of an entry, in the table's column order; fields the table no longer has at the end.
QStringList fieldsOf(const AuditTrail::Entry& e, const std::vector<QString>& tableColumns) {
    QStringList fields = e.before.keys();
    for (const QString& f : e.after.keys())
        if (!fields.contains(f)) fields << f;
    const auto rank = [&](const QString& field) {
        const auto it = std::find_if(tableColumns.begin(), tableColumns.end(), [&](const QString& c) {
            return c.compare(field, Qt::CaseInsensitive) == 0;
        });
        return it - tableColumns.begin();
    };
    std::stable_sort(fields.begin(), fields.end(),
                     [&](const QString& a, const QString& b) { return rank(a) < rank(b); });
    return fields;
}

} // namespace

QString formatString() {
    return QStringLiteral("<Data si ora|<Utilizator|<Operatie|<Camp|<Valoare veche|<Valoare noua");
}

std::vector<Column> columns() {
    std::vector<Column> list;
    for (const char* name : {"Moment", "Utilizator", "Operatie", "Camp", "ValoareVeche", "ValoareNoua"}) {
        Column c;
        c.name = QString::fromLatin1(name);
        c.type = ColumnType::Text;
        c.definedSize = 255;
        list.push_back(c);
    }
    return list;
}

RowStore build(Connection& connection, const QString& table, const QString& key) {
    const std::vector<AuditTrail::Entry> entries = AuditTrail::entries(connection, table, key);
    std::vector<QString> tableColumns;
    try {
        tableColumns = connection.backend().columns(table);
    } catch (const DbError&) {
        // A table that is gone still has its history; the fields keep the trail's order.
    }
    RowStore rows(kColumns);
    for (const AuditTrail::Entry& e : entries) {
        const QString when = e.moment.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        const QString who = e.userName.isEmpty() ? QString::number(e.userId) : e.userName;
        QStringList fields = fieldsOf(e, tableColumns);
        if (fields.isEmpty()) fields << QString();
        for (const QString& field : fields)
            rows.appendRow({when, who, actionWord(e.action), field, valueText(e.before.value(field)),
                            valueText(e.after.value(field))});
    }
    return rows;
}

} // namespace vornel::HistoryRows
