#include "Connection.h"

#include "DataLog.h"
#include "DbError.h"
#include "SqlText.h"
#include "odbc/OdbcBackend.h"
#include "sqlite/DemoDatabase.h"
#include "sqlite/SqliteBackend.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace vornel {

namespace {

std::unique_ptr<Backend> openSqlite(const QString& rest) {
    const QStringList parts = rest.split(QLatin1Char(';'));
    const QString path = parts.first().trimmed();
    QString adm;
    bool admGiven = false;
    bool readOnly = false;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString option = parts[i].trimmed();
        if (option.isEmpty()) continue;
        const qsizetype eq = option.indexOf(QLatin1Char('='));
        const QString key = option.left(eq).trimmed().toLower();
        const QString value = eq < 0 ? QString() : option.mid(eq + 1).trimmed();
        if (key == QLatin1String("adm")) {
            adm = value;
            admGiven = true;
        } else if (key == QLatin1String("mode")) {
            readOnly = value.compare(QLatin1String("ro"), Qt::CaseInsensitive) == 0;
        } else {
            throw DbError(ErrorNumber::BadArgument,
                          QStringLiteral("Optiune necunoscuta in sirul de conectare: ") + option);
        }
    }
    if (path.isEmpty())
        throw DbError(ErrorNumber::BadArgument,
                      QStringLiteral("Sirul de conectare nu numeste baza de date."));
    if (!QFileInfo(path).isFile())
        throw DbError(ErrorNumber::Unspecified, QStringLiteral("Baza de date nu exista: ") + path);
    if (!admGiven) {
        adm = DemoDatabase::admPathFor(path);
        if (!QFileInfo(adm).isFile())
            adm.clear(); // a company database may live without its administration database
    } else if (!adm.isEmpty() && !QFileInfo(adm).isFile()) {
        throw DbError(ErrorNumber::Unspecified, QStringLiteral("Baza de date nu exista: ") + adm);
    }
    return std::make_unique<SqliteBackend>(path, adm, false, readOnly);
}

QString procedureCallText(const QString& name, const std::vector<Parameter>& params) {
    QString text = QStringLiteral("EXEC ") + name;
    bool first = true;
    for (const Parameter& p : params) {
        if (p.direction == ParameterDirection::ReturnValue) continue;
        text += first ? QStringLiteral(" ") : QStringLiteral(", ");
        first = false;
        text += (p.name.startsWith(QLatin1Char('@')) ? p.name : QLatin1Char('@') + p.name) + QLatin1Char('=');
        const QVariant& v = p.value;
        if (!v.isValid() || v.isNull())
            text += QStringLiteral("NULL");
        else if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray)
            text += QLatin1Char('\'') + Sql::text(v.toString()) + QLatin1Char('\'');
        else
            text += v.toString();
        if (p.direction == ParameterDirection::Output || p.direction == ParameterDirection::InputOutput)
            text += QStringLiteral(" OUTPUT");
    }
    return text;
}

void refuseNul(const QString& sql) {
    if (sql.contains(QChar(0)))
        throw DbError(ErrorNumber::Command,
                      QStringLiteral("Comanda contine caracterul NUL si nu a fost trimisa bazei de date."));
}

// Runs the work; a database error is logged with the statement before it goes on to the caller.
template <typename Work> auto logged(const QString& engine, const QString& statement, Work&& work) {
    try {
        return work();
    } catch (const DbError& e) {
        logFailure(engine, statement, e);
        throw;
    }
}

} // namespace

std::shared_ptr<Connection> Connection::open(const QString& connectionString) {
    const QString s = connectionString.trimmed();
    const bool odbc = s.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive);
    // The log names the database but never an ODBC password.
    const QString what = odbc ? QStringLiteral("connecting to the ODBC database")
                              : QStringLiteral("opening ") + connectionString;
    return logged(odbc ? QStringLiteral("ODBC") : QStringLiteral("SQLite"), what, [&] {
        if (s.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive))
            return std::make_shared<Connection>(openSqlite(s.mid(7)), connectionString);
        if (odbc)
            return std::make_shared<Connection>(std::make_unique<OdbcBackend>(s.mid(5)), connectionString);
        throw DbError(ErrorNumber::BadArgument,
                      QStringLiteral("Sir de conectare necunoscut (se asteapta sqlite: sau odbc:): ") +
                          connectionString);
    });
}

Connection::Connection(std::unique_ptr<Backend> backend, QString connectionString)
    : m_backend(std::move(backend)), m_connectionString(std::move(connectionString)) {}

Connection::~Connection() = default;

void Connection::ensureOpen() const {
    if (!m_backend) throw DbError(ErrorNumber::Closed, QStringLiteral("Conexiunea este inchisa."));
}

void Connection::notify(const QString& sql) {
    // Copy: an observer may remove itself while it runs.
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers)
        observer(sql);
}

int Connection::execute(const QString& sql) {
    return execute(sql, {});
}

int Connection::execute(const QString& sql, const std::vector<QVariant>& params) {
    ensureOpen();
    refuseNul(sql);
    finishPendingReads();
    notify(sql);
    return logged(m_backend->engineName(), sql, [&] { return m_backend->execute(sql, params); });
}

QueryResult Connection::query(const QString& sql) {
    return query(sql, {});
}

QueryResult Connection::query(const QString& sql, const std::vector<QVariant>& params) {
    ensureOpen();
    refuseNul(sql);
    notify(sql);
    return logged(m_backend->engineName(), sql, [&] { return m_backend->query(sql, params); });
}

std::unique_ptr<QueryCursor> Connection::openCursor(const QString& sql) {
    ensureOpen();
    refuseNul(sql);
    notify(sql);
    return m_backend->openCursor(sql);
}

int Connection::addPendingRead(std::function<void()> finish) {
    const int id = m_nextPendingRead++;
    m_pendingReads.emplace_back(id, std::move(finish));
    return id;
}

void Connection::removePendingRead(int id) {
    std::erase_if(m_pendingReads, [id](const auto& entry) { return entry.first == id; });
}

void Connection::finishPendingReads() {
    // By id: each reader removes itself when it has read its last row, and may end others.
    std::vector<int> ids;
    for (const auto& entry : m_pendingReads)
        ids.push_back(entry.first);
    for (const int id : ids) {
        const auto it = std::find_if(m_pendingReads.begin(), m_pendingReads.end(),
                                     [id](const auto& entry) { return entry.first == id; });
        if (it == m_pendingReads.end()) continue;
        const std::function<void()> finish = it->second;
        finish();
    }
}

int Connection::callProcedure(const QString& name, std::vector<Parameter>& params) {
    ensureOpen();
    const QString text = procedureCallText(name, params);
    refuseNul(text);
    finishPendingReads();
    notify(text);
    return logged(m_backend->engineName(), text, [&] { return m_backend->callProcedure(name, params); });
}

QVariant Connection::scalar(const QString& sql) {
    const QueryResult result = query(sql);
    if (result.columns.empty() || result.rows.rowCount() == 0) return {};
    return result.rows.value(0, 0);
}

int Connection::addObserver(Observer observer) {
    const int id = m_nextObserver++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void Connection::removeObserver(int id) {
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

Backend& Connection::backend() {
    ensureOpen();
    return *m_backend;
}

void Connection::close() {
    m_backend.reset();
}

Transaction::Transaction(Connection& connection, Kind kind) : m_connection(connection) {
    m_connection.finishPendingReads();
    Backend& backend = m_connection.backend();
    logged(backend.engineName(), QStringLiteral("BEGIN TRANSACTION"), [&] {
        if (kind == Kind::Write)
            backend.beginWrite();
        else
            backend.begin();
    });
}

Transaction::~Transaction() {
    if (m_done) return;
    try {
        m_connection.backend().rollback();
    } catch (...) {
        // A destructor must not throw; the database rolls back an abandoned transaction anyway.
    }
}

void Transaction::commit() {
    Backend& backend = m_connection.backend();
    logged(backend.engineName(), QStringLiteral("COMMIT"), [&] { backend.commit(); });
    m_done = true;
}

} // namespace vornel
