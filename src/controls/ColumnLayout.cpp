#include "controls/ColumnLayout.h"

#include "entry/ComponentContext.h"

#include <QSettings>
#include <QStringList>

namespace vornel {

namespace {

// "columns/<user>/<list>": a list's key may hold "/", which settings read as a group.
QString groupOf(const QString& key) {
    QString list = key;
    list.replace(QLatin1Char('%'), QStringLiteral("%25"))
        .replace(QLatin1Char('/'), QStringLiteral("%2F"))
        .replace(QLatin1Char('\\'), QStringLiteral("%5C"));
    return QStringLiteral("columns/%1/%2").arg(ComponentContext::current().idUsers).arg(list);
}

} // namespace

ColumnLayout ColumnLayout::load(const QString& key) {
    ColumnLayout layout;
    if (key.isEmpty()) return layout;
    QSettings s(QStringLiteral("Vornel"), QStringLiteral("vornel"));
    s.beginGroup(groupOf(key));
    for (const QString& entry : s.value(QStringLiteral("widths")).toStringList()) {
        const QStringList parts = entry.split(QLatin1Char('='));
        bool columnOk = false, widthOk = false;
        const int column = parts.value(0).toInt(&columnOk);
        const int twips = parts.value(1).toInt(&widthOk);
        if (parts.size() == 2 && columnOk && widthOk && column >= 0 && twips > 0)
            layout.widths[column] = twips;
    }
    for (const QString& entry : s.value(QStringLiteral("order")).toStringList()) {
        bool ok = false;
        const int column = entry.toInt(&ok);
        if (!ok || column < 0) return {}; // a damaged entry: the list's own layout
        layout.order.push_back(column);
    }
    return layout;
}

void ColumnLayout::save(const QString& key) const {
    if (key.isEmpty()) return;
    QSettings s(QStringLiteral("Vornel"), QStringLiteral("vornel"));
    s.beginGroup(groupOf(key));
    QStringList widthList;
    for (const auto& [column, twips] : widths)
        widthList << QStringLiteral("%1=%2").arg(column).arg(twips);
    QStringList orderList;
    for (const int column : order)
        orderList << QString::number(column);
    s.setValue(QStringLiteral("widths"), widthList);
    s.setValue(QStringLiteral("order"), orderList);
}

void ColumnLayout::forget(const QString& key) {
    if (key.isEmpty()) return;
    QSettings s(QStringLiteral("Vornel"), QStringLiteral("vornel"));
    s.remove(groupOf(key));
}

} // namespace vornel
