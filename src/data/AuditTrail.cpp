#include "data/AuditTrail.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/TextCut.h"

#include <QJsonDocument>
#include <QStringList>

#include <map>
#include <set>

namespace vornel::AuditTrail {

namespace {

// Lengths of the trail's text columns.
constexpr qsizetype kCaptionLength = 100;
constexpr qsizetype kTableLength = 100;
constexpr qsizetype kKeyLength = 255;

QVariant jsonOrNull(const QString& json) {
    return json.isEmpty() ? QVariant() : QVariant(json);
}

QJsonObject object(const QVariant& v) {
    if (v.isNull()) return {};
    return QJsonDocument::fromJson(v.toString().toUtf8()).object();
}

ChangeAction actionOf(const QString& code) {
    if (code == QLatin1String("A")) return ChangeAction::Add;
    if (code == QLatin1String("S")) return ChangeAction::Delete;
    return ChangeAction::Modify;
}

// The moment as the database returns it: a timestamp (ODBC) or text (SQLite), always UTC.
QDateTime utc(const QVariant& v) {
    QDateTime moment;
    if (v.typeId() == QMetaType::QDateTime) {
        moment = v.toDateTime();
    } else {
        const QString text = v.toString();
        moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        if (!moment.isValid()) moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!moment.isValid()) moment = QDateTime::fromString(text, Qt::ISODateWithMs);
    }
    moment.setTimeSpec(Qt::UTC);
    return moment;
}

// User names by id; none when the administration database is not there to ask.
std::map<qint32, QString> userNames(Connection& connection, const std::set<qint32>& ids) {
    std::map<qint32, QString> names;
    if (ids.empty()) return names;
    QStringList list;
    for (qint32 id : ids)
        list << QString::number(id);
    try {
        const QueryResult r = connection.query(
            QStringLiteral("SELECT IdUser, Nume FROM AdmTivra.dbo.Utilizatori WHERE IdUser IN (%1)")
                .arg(list.join(',')));
        for (std::size_t i = 0; i < r.rows.rowCount(); ++i)
            names[r.rows.value(i, 0).toInt()] = r.rows.value(i, 1).toString();
    } catch (const DbError&) {
        // The history stays readable with the users' numbers.
    }
    return names;
}

} // namespace

QString actionCode(ChangeAction action) {
    switch (action) {
    case ChangeAction::Add:
        return QStringLiteral("A");
    case ChangeAction::Delete:
        return QStringLiteral("S");
    case ChangeAction::Modify:
        break;
    }
    return QStringLiteral("M");
}

void write(Connection& connection, const AuditContext& context, const QString& table, const QString& key,
           ChangeAction action, const QString& before, const QString& after) {
    connection.execute(
        QStringLiteral("INSERT INTO JurnalModificari (IdUtilizator, IdSocietate, Fereastra, Tabela, "
                       "Cheie, Actiune, ValoriInainte, ValoriDupa) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        {context.userId, context.companyId, cutText(context.caption, kCaptionLength),
         cutText(table, kTableLength), cutText(key, kKeyLength), actionCode(action), jsonOrNull(before),
         jsonOrNull(after)});
}

std::vector<Entry> entries(Connection& connection, const QString& table, const QString& key) {
    const QueryResult r = connection.query(
        QStringLiteral("SELECT Id, Moment, IdUtilizator, Fereastra, Actiune, ValoriInainte, ValoriDupa "
                       "FROM JurnalModificari WHERE Tabela = ? AND Cheie = ? ORDER BY Id DESC"),
        {cutText(table, kTableLength), cutText(key, kKeyLength)});
    std::vector<Entry> list;
    std::set<qint32> users;
    for (std::size_t i = 0; i < r.rows.rowCount(); ++i) {
        Entry e;
        e.id = r.rows.value(i, 0).toLongLong();
        e.moment = utc(r.rows.value(i, 1));
        e.userId = r.rows.value(i, 2).toInt();
        e.caption = r.rows.value(i, 3).toString();
        e.action = actionOf(r.rows.value(i, 4).toString());
        e.before = object(r.rows.value(i, 5));
        e.after = object(r.rows.value(i, 6));
        users.insert(e.userId);
        list.push_back(std::move(e));
    }
    const std::map<qint32, QString> names = userNames(connection, users);
    for (Entry& e : list)
        if (const auto it = names.find(e.userId); it != names.end()) e.userName = it->second;
    return list;
}

} // namespace vornel::AuditTrail
