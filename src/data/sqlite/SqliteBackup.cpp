#include "data/sqlite/SqliteBackup.h"

#include "data/DataLog.h"
#include "data/DbError.h"
#include "data/SchemaCheck.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>

#include <memory>
#include <utility>
#include <vector>

namespace vornel::SqliteBackup {

namespace {

constexpr int kPagesPerStep = 64;
constexpr int kBusyRetries = 200; // pauses of 50 ms: ten seconds of another connection's write lock

// The two files of an embedded database; `adm` is empty when the company file has none.
struct Files {
    QString main;
    QString adm;
};

Files filesOf(const QString& main) {
    const QString adm = DemoDatabase::admPathFor(main);
    return {main, QFileInfo(adm).isFile() ? adm : QString()};
}

// The files at `main` that take the place of `like`: an administration file when it has one.
Files counterpart(const Files& like, const QString& main) {
    return {main, like.adm.isEmpty() ? QString() : DemoDatabase::admPathFor(main)};
}

Files withSuffix(const Files& files, const QString& suffix) {
    return {files.main + suffix, files.adm.isEmpty() ? QString() : files.adm + suffix};
}

[[noreturn]] void fail(sqlite3* db, int rc, const QString& where) {
    const QString reason = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    throw DbError(ErrorNumber::Unspecified, QStringLiteral("%1: %2").arg(where, reason), rc);
}

// The first column of every row of a statement, as text.
QStringList firstColumn(sqlite3* db, const QString& sql) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, &sqlite3_finalize);
    if (rc != SQLITE_OK) fail(db, rc, sql);
    QStringList values;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
        values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    if (rc != SQLITE_DONE) fail(db, rc, sql);
    return values;
}

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

// Copies one database of `source` ("main" or "AdmTivra") into a new file at `target`, adding
// the pages copied to `done`. Returns false when `progress` stopped it.
bool copyOne(sqlite3* source, const char* schema, const QString& target, qint64& done, qint64 total,
             const Progress& progress) {
    QFile::remove(target);
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(target.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    const std::unique_ptr<sqlite3, CloseDatabase> destination(raw);
    if (rc != SQLITE_OK) fail(raw, rc, target);
    sqlite3_backup* backup = sqlite3_backup_init(raw, "main", source, schema);
    if (!backup) fail(raw, sqlite3_errcode(raw), target);
    const qint64 start = done;
    int busy = 0;
    bool stopped = false;
    for (;;) {
        rc = sqlite3_backup_step(backup, kPagesPerStep);
        if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && ++busy <= kBusyRetries) {
            sqlite3_sleep(50);
            continue;
        }
        if (rc != SQLITE_OK && rc != SQLITE_DONE) break;
        done = start + sqlite3_backup_pagecount(backup) - sqlite3_backup_remaining(backup);
        if (progress && !progress(done, total)) {
            stopped = true;
            break;
        }
        if (rc == SQLITE_DONE) break;
    }
    const int finished = sqlite3_backup_finish(backup);
    if (!stopped && rc != SQLITE_DONE) fail(raw, finished != SQLITE_OK ? finished : rc, target);
    return !stopped;
}

void removeFiles(const Files& files) {
    QFile::remove(files.main);
    if (!files.adm.isEmpty()) QFile::remove(files.adm);
}

// Copies both files of `from` into new files `to` from one moment of the database: a read
// transaction on both holds that moment while other connections go on writing.
bool copyFiles(const Files& from, const Files& to, const Progress& progress) {
    try {
        SqliteBackend source(from.main, from.adm, false, true);
        source.setBusyTimeout(kBusyRetries * 50);
        sqlite3* db = source.handle();
        source.executeNative(QStringLiteral("BEGIN"));
        qint64 total = firstColumn(db, QStringLiteral("PRAGMA main.page_count")).value(0).toLongLong();
        firstColumn(db, QStringLiteral("SELECT count(*) FROM main.sqlite_master"));
        if (!from.adm.isEmpty()) {
            total += firstColumn(db, QStringLiteral("PRAGMA AdmTivra.page_count")).value(0).toLongLong();
            firstColumn(db, QStringLiteral("SELECT count(*) FROM AdmTivra.sqlite_master"));
        }
        qint64 done = 0;
        const bool complete = copyOne(db, "main", to.main, done, total, progress) &&
                              (from.adm.isEmpty() || copyOne(db, "AdmTivra", to.adm, done, total, progress));
        if (!complete) removeFiles(to);
        return complete;
    } catch (...) {
        removeFiles(to);
        throw;
    }
}

// Empty when the database passes its integrity check; otherwise its first findings.
QString integrityOf(sqlite3* db) {
    const QStringList rows = firstColumn(db, QStringLiteral("PRAGMA integrity_check"));
    if (rows == QStringList{QStringLiteral("ok")}) return {};
    return rows.join(QLatin1Char('\n')).split(QLatin1Char('\n')).mid(0, 3).join(QStringLiteral("; "));
}

// What makes a company database this company's: the code of company `companyId` and the years.
struct Identity {
    QString company;
    QString years;
};

Identity identityOf(sqlite3* db, int companyId) {
    return {firstColumn(
                db, QStringLiteral("SELECT Societate FROM AdmTivra.Societati WHERE ID = %1").arg(companyId))
                .value(0),
            firstColumn(db, QStringLiteral("SELECT An FROM An ORDER BY An")).join(QStringLiteral(", "))};
}

// The identity of the database being replaced; nothing when it is missing or unreadable (a
// damaged database is what a restore is for).
Identity currentIdentity(const QString& database, int companyId) {
    if (!QFileInfo(database).isFile()) return {};
    try {
        const Files files = filesOf(database);
        SqliteBackend current(files.main, files.adm, false, true);
        return identityOf(current.handle(), companyId);
    } catch (const DbError& e) {
        qCWarning(logData).noquote() << "the database to be restored cannot be read:" << e.description();
        return {};
    }
}

QString otherCompany(const Identity& copy, const Identity& current, int companyId) {
    if (!current.company.isEmpty() && copy.company.compare(current.company, Qt::CaseInsensitive) != 0)
        return copy.company.isEmpty()
                   ? QStringLiteral("nu contine societatea %1 (%2)").arg(current.company).arg(companyId)
                   : QStringLiteral("este copia societatii %1, nu a societatii %2")
                         .arg(copy.company, current.company);
    if (!current.years.isEmpty() && copy.years != current.years)
        return QStringLiteral("este copia exercitiului %1, nu a exercitiului %2")
            .arg(copy.years, current.years);
    return {};
}

// Renames files and undoes every rename made so far when one fails.
class Renames {
public:
    ~Renames() {
        if (!m_kept) undo();
    }
    void undo() {
        for (auto it = m_done.rbegin(); it != m_done.rend(); ++it)
            QFile::rename(it->second, it->first);
        m_done.clear();
    }
    void rename(const QString& from, const QString& to) {
        QFile::remove(to);
        if (!QFile::rename(from, to))
            throw DbError(ErrorNumber::Unspecified,
                          QStringLiteral("Fisierul %1 nu poate fi inlocuit.").arg(from));
        m_done.emplace_back(from, to);
    }
    // A database file steps aside with its journal files, so no journal is applied to another file.
    void stepAside(const QString& file) {
        const QString kept = file + QLatin1String(kReplacedSuffix);
        for (const char* journal : {"", "-journal", "-wal", "-shm"}) {
            QFile::remove(kept + QLatin1String(journal));
            if (QFileInfo::exists(file + QLatin1String(journal)))
                rename(file + QLatin1String(journal), kept + QLatin1String(journal));
        }
    }
    void keep() { m_kept = true; }

private:
    std::vector<std::pair<QString, QString>> m_done;
    bool m_kept = false;
};

} // namespace

bool save(const QString& database, const QString& copy, const Progress& progress) {
    if (!QFileInfo(database).isFile())
        throw DbError(ErrorNumber::Unspecified, QStringLiteral("Baza de date nu exista: ") + database);
    if (QFileInfo(copy).absoluteFilePath() == QFileInfo(database).absoluteFilePath())
        throw DbError(ErrorNumber::BadArgument,
                      QStringLiteral("Copia de siguranta nu poate fi scrisa peste baza de date."));
    const Files from = filesOf(database);
    const Files to = counterpart(from, copy);
    const Files partial = withSuffix(to, QStringLiteral(".partial"));
    if (!copyFiles(from, partial, progress)) return false;
    QString damage;
    {
        SqliteBackend written(partial.main, partial.adm, false, true);
        damage = integrityOf(written.handle());
    }
    if (!damage.isEmpty()) {
        removeFiles(partial);
        throw DbError(ErrorNumber::Unspecified,
                      QStringLiteral("Copia de siguranta scrisa nu trece verificarea integritatii: ") +
                          damage);
    }
    Renames renames;
    renames.rename(partial.main, to.main);
    if (!to.adm.isEmpty()) renames.rename(partial.adm, to.adm);
    renames.keep();
    qCInfo(logData).noquote() << "backup of" << database << "written to" << copy;
    return true;
}

QString refusal(const QString& copy, const QString& database, int companyId) {
    if (!QFileInfo(copy).isFile()) return QStringLiteral("fisierul nu exista");
    try {
        const Files files = filesOf(copy);
        SqliteBackend db(files.main, files.adm, false, true);
        const QString damage = integrityOf(db.handle());
        if (!damage.isEmpty())
            return QStringLiteral("verificarea integritatii a gasit erori (%1)").arg(damage);
        const QStringList missing = SchemaCheck::missing(db);
        if (!missing.isEmpty())
            return QStringLiteral("structura ei nu corespunde programului: ") + SchemaCheck::summary(missing);
        return otherCompany(identityOf(db.handle(), companyId), currentIdentity(database, companyId),
                            companyId);
    } catch (const DbError& e) {
        return QStringLiteral("nu este o baza de date a programului (%1)").arg(e.description());
    }
}

bool restore(const QString& copy, const QString& database, int companyId, const Progress& progress) {
    const QString reason = refusal(copy, database, companyId);
    if (!reason.isEmpty()) {
        const QString text = QStringLiteral("Copia %1 nu poate fi restaurata: %2.").arg(copy, reason);
        qCWarning(logData).noquote() << text;
        throw DbError(ErrorNumber::Unspecified, text);
    }
    const Files from = filesOf(copy);
    const Files to = counterpart(from, database);
    const Files fresh = withSuffix(to, QStringLiteral(".restaurare"));
    if (!copyFiles(from, fresh, progress)) return false;
    // From here the files change: the replaced ones step aside, the checked copy takes their place.
    Renames renames;
    try {
        for (const QString& file : {to.main, to.adm})
            if (!file.isEmpty()) renames.stepAside(file);
        renames.rename(fresh.main, to.main);
        if (!to.adm.isEmpty()) renames.rename(fresh.adm, to.adm);
    } catch (...) {
        renames.undo();
        removeFiles(fresh);
        throw;
    }
    renames.keep();
    qCInfo(logData).noquote() << "database" << database << "restored from" << copy;
    return true;
}

} // namespace vornel::SqliteBackup
