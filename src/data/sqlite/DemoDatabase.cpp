#include "DemoDatabase.h"

#include "SqliteBackend.h"
#include "data/DbError.h"

#include <QFile>
#include <QStringList>

#include <exception>

namespace vornel::DemoDatabase {

QString script(const QString& name) {
    QFile file(QStringLiteral(":/db/sqlite/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(ErrorNumber::Unspecified,
                      QStringLiteral("Scriptul bazei de date lipseste: %1").arg(name));
    return QString::fromUtf8(file.readAll());
}

namespace {

void removeFile(const QString& path) {
    if (QFile::exists(path) && !QFile::remove(path))
        throw DbError(ErrorNumber::Unspecified, QStringLiteral("Fisierul %1 nu poate fi inlocuit").arg(path));
}

// Writes both files from the scripts (and extra statements) in one transaction; on failure no
// half-built database is left behind.
void build(const QString& path, const QStringList& scripts, const QStringList& statements) {
    const QString admPath = admPathFor(path);
    removeFile(path);
    removeFile(admPath);
    std::exception_ptr failure;
    {
        SqliteBackend db(path, admPath, true);
        db.begin();
        try {
            for (const QString& name : scripts)
                db.executeNative(script(name));
            for (const QString& statement : statements)
                db.executeNative(statement);
            db.commit();
        } catch (...) {
            failure = std::current_exception();
            try {
                db.rollback();
            } catch (...) {
            }
        }
    }
    if (failure) {
        QFile::remove(path);
        QFile::remove(admPath);
        std::rethrow_exception(failure);
    }
}

} // namespace

QString admPathFor(const QString& path) {
    return path + QStringLiteral(".adm");
}

void create(const QString& path) {
    build(path,
          {QStringLiteral("admtivra.sql"), QStringLiteral("schema.sql"), QStringLiteral("admtivra_demo.sql"),
           QStringLiteral("demo.sql")},
          {});
}

void createEmpty(const QString& path) {
    QStringList statements{
        QStringLiteral("INSERT INTO An (An) VALUES (2026)"),
        QStringLiteral("INSERT INTO AdmTivra.Societati (ID, Societate, DenumireS, Exercitiu) "
                       "VALUES (1, 'SOCIETATE', 'Societate noua', 2026)"),
        QStringLiteral(
            "INSERT INTO AdmTivra.Utilizatori (IdUser, Nume) VALUES (1, 'Administrator'), (2, 'Operator')"),
    };
    for (const char* user : {"1", "2"})
        for (const char* action : {"A", "M", "S"})
            statements << QStringLiteral(
                              "INSERT INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) "
                              "VALUES (%1, 1, '*', '%2', 1)")
                              .arg(QLatin1String(user), QLatin1String(action));
    build(path, {QStringLiteral("admtivra.sql"), QStringLiteral("schema.sql")}, statements);
}

} // namespace vornel::DemoDatabase
