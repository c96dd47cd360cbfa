// Set-up steps (db, sql, company, user, deny, locale), answers and Apel, and the step dispatch.

#include "Lexer.h"
#include "ScenarioState.h"

#include "data/DbError.h"
#include "data/SqlText.h"
#include "data/sqlite/DemoDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocale>
#include <exception>
#include <functional>
#include <sqlite3.h>
#include <stdexcept>

namespace vornel::scenario {

namespace {

QString errorText(const std::exception& e) {
    if (const auto* db = dynamic_cast<const DbError*>(&e))
        return QStringLiteral("database error %1: %2").arg(db->numberText(), db->description());
    return QStringLiteral("error: %1").arg(QString::fromLocal8Bit(e.what()));
}

QString runSql(ScenarioState& state, const QString& sql) {
    try {
        state.quietly([&] { return state.db().execute(sql); });
    } catch (const std::exception& e) {
        return QStringLiteral("expected %1 to run; found %2").arg(quoted(sql), errorText(e));
    }
    return {};
}

// Adds every row of every table of one file to the hash, tables by name and rows by rowid; false
// when the file cannot be read or fails its integrity check.
bool hashFile(const QString& path, QCryptographicHash& hash) {
    sqlite3* handle = nullptr;
    const bool opened =
        sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    const std::shared_ptr<sqlite3> file(handle, sqlite3_close);
    const auto rows = [&](const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& each) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) return false;
        while (sqlite3_step(statement) == SQLITE_ROW)
            each(statement);
        return sqlite3_finalize(statement) == SQLITE_OK;
    };
    QByteArray integrity;
    if (!opened ||
        !rows("PRAGMA integrity_check",
              [&](sqlite3_stmt* s) {
                  integrity += reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
              }) ||
        integrity != "ok")
        return false;
    QList<QByteArray> tables;
    rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name",
         [&](sqlite3_stmt* s) { tables << reinterpret_cast<const char*>(sqlite3_column_text(s, 0)); });
    for (const QByteArray& table : tables) {
        hash.addData(table + '\n');
        const bool read = rows("SELECT * FROM \"" + table + "\" ORDER BY rowid", [&](sqlite3_stmt* s) {
            for (int c = 0; c < sqlite3_column_count(s); ++c) {
                hash.addData(QByteArray::number(sqlite3_column_type(s, c)) + ':'); // before any conversion
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(s, c));
                hash.addData(QByteArrayView(bytes, sqlite3_column_bytes(s, c)));
                hash.addData("|");
            }
            hash.addData("\n");
        });
        if (!read) return false;
    }
    return true;
}

} // namespace

QByteArray ScenarioState::digest() const {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hashFile(dbPath, hash) || !hashFile(DemoDatabase::admPathFor(dbPath), hash)) return {};
    return hash.result().toHex();
}

Connection& ScenarioState::db() {
    if (!connection) freshDatabase(false);
    return *connection;
}

void ScenarioState::freshDatabase(bool empty) {
    unlock();
    if (connection) connection->close();
    connection.reset();
    readOnlyConnection.reset();
    dbPath = templates.freshCopy(empty);
    connection = Connection::open(QStringLiteral("sqlite:") + dbPath);
    connection->addObserver([this](const QString& sql) {
        if (recording) executed << sql;
    });
}

std::shared_ptr<Connection> ScenarioState::componentConnection() {
    db();
    if (!readOnly) return connection;
    if (!readOnlyConnection) {
        readOnlyConnection =
            Connection::open(QStringLiteral("sqlite:") + dbPath + QStringLiteral(";mode=ro"));
        readOnlyConnection->addObserver([this](const QString& sql) {
            if (recording) executed << sql;
        });
    }
    return readOnlyConnection;
}

void ScenarioState::lock() {
    db();
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(dbPath.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(handle, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString problem = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_close(handle);
        throw std::runtime_error(("cannot lock the database: " + problem).toStdString());
    }
    locker = std::shared_ptr<void>(handle, [](void* h) { sqlite3_close(static_cast<sqlite3*>(h)); });
}

void ScenarioState::unlock() {
    locker.reset(); // closing the connection rolls its transaction back
}

QString ScenarioState::filePath(const QString& name) {
    if (QDir::isAbsolutePath(name)) return name;
    if (!files) files = std::make_unique<QTemporaryDir>();
    return files->filePath(name);
}

QString runSetupStep(const Step& step, ScenarioState& state) {
    const auto arg = [&](std::size_t i) { return step.args.at(i).text; };
    try {
        if (step.verb == u"db") {
            state.freshDatabase(arg(0) == u"empty");
        } else if (step.verb == u"sql") {
            return runSql(state, arg(0));
        } else if (step.verb == u"company") {
            state.company = arg(0).toInt();
        } else if (step.verb == u"user") {
            state.user = arg(0).toInt();
        } else if (step.verb == u"deny") {
            // A refusing row for this user and company beats the row that grants every screen.
            return runSql(state,
                          QStringLiteral("INSERT OR REPLACE INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, "
                                         "Actiune, Permis) VALUES (%1, %2, '%3', '%4', 0)")
                              .arg(state.user)
                              .arg(state.company)
                              .arg(Sql::text(arg(0)), arg(1)));
        } else if (step.verb == u"locale") {
            const QLocale locale(arg(0));
            if (locale.language() == QLocale::C && arg(0) != u"C")
                return QStringLiteral("expected a known locale; found %1 (read as %2)")
                    .arg(arg(0), locale.name());
            QLocale::setDefault(locale);
        } else if (step.verb == u"answer") {
            state.log->queueAnswer(arg(0) == u"yes" ? MessageResult::Yes : MessageResult::No);
        } else if (step.verb == u"lock") {
            state.lock();
        } else if (step.verb == u"unlock") {
            state.unlock();
        } else if (step.verb == u"readonly") {
            state.readOnly = true;
        } else if (step.verb == u"snapshot") {
            state.db();
            state.snapshot = state.digest();
            if (state.snapshot.isEmpty())
                return QStringLiteral("expected a readable database; found it damaged");
        } else if (step.verb == u"apel") {
            state.vornel->Apel(state.componentConnection(), arg(0), state.company, state.user);
        } else {
            return QStringLiteral("expected a set-up step; found %1").arg(step.verb);
        }
    } catch (const std::exception& e) {
        return QStringLiteral("expected %1 to succeed; found %2").arg(step.verb, errorText(e));
    }
    return {};
}

QString runStep(const Step& step, ScenarioState& state) {
    static const QStringList setup = {"db",     "sql",  "company", "user",     "deny",     "locale",
                                      "answer", "lock", "unlock",  "readonly", "snapshot", "apel"};
    try {
        if (step.verb.startsWith(QStringLiteral("expect "))) return runCheckStep(step, state);
        if (setup.contains(step.verb)) return runSetupStep(step, state);
        return runActionStep(step, state);
    } catch (const std::exception& e) {
        return QStringLiteral("expected %1 to succeed; found %2").arg(step.verb, errorText(e));
    }
}

} // namespace vornel::scenario
