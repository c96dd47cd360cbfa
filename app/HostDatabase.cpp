#include "HostDatabase.h"

#include "data/DbError.h"
#include "data/SchemaCheck.h"
#include "data/SchemaUpgrade.h"
#include "data/sqlite/DemoDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace vornel::host {

namespace {

std::shared_ptr<Connection> connect(const QString& connectionString) {
    try {
        return Connection::open(connectionString);
    } catch (const DbError& e) {
        throw DbError(e.number(), QStringLiteral("Baza de date nu poate fi deschisa: ") + e.description(),
                      e.nativeCode(), e.sqlState());
    }
}

} // namespace

QString HostDatabase::embeddedFile(const QString& file) {
    if (!file.isEmpty()) return file;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("demo.db"));
}

HostDatabase HostDatabase::open(const QString& file, const QString& odbc) {
    HostDatabase database;
    if (!odbc.isEmpty()) {
        database.description = QStringLiteral("ODBC: ") + odbc;
        database.connection = connect(QStringLiteral("odbc:") + odbc);
        SchemaCheck::verify(*database.connection);
        return database;
    }
    const bool demo = file.isEmpty();
    database.embeddedPath = embeddedFile(file);
    if (demo && !QFileInfo::exists(database.embeddedPath)) DemoDatabase::create(database.embeddedPath);
    if (!QFileInfo::exists(database.embeddedPath))
        throw DbError(ErrorNumber::Unspecified,
                      QStringLiteral("Baza de date nu poate fi deschisa: fisierul %1 nu exista.").arg(file));
    database.description = (demo ? QStringLiteral("demo: ") : QString()) +
                           QDir::toNativeSeparators(QFileInfo(database.embeddedPath).absoluteFilePath());
    database.connection = connect(QStringLiteral("sqlite:") + database.embeddedPath);
    try {
        SchemaUpgrade::addProgramTables(*database.connection);
        SchemaCheck::verify(*database.connection);
    } catch (const DbError& e) {
        if (!demo) throw;
        // The demo database of an earlier version is only demo data: build it again.
        qWarning().noquote() << "demo database rebuilt:" << e.description();
        database.connection.reset();
        DemoDatabase::create(database.embeddedPath);
        database.connection = connect(QStringLiteral("sqlite:") + database.embeddedPath);
    }
    return database;
}

} // namespace vornel::host
