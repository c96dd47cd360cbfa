#include "HostCommands.h"

#include "data/DbError.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackup.h"
#include "program/CommandLine.h"

#include <QFileInfo>
#include <QSettings>

namespace vornel::host {

namespace {

int failed(const DbError& e) {
    printError(QStringLiteral("vornel: ") + e.description());
    return 1;
}

} // namespace

int writeSetting(const QString& assignment) {
    const qsizetype eq = assignment.indexOf(QLatin1Char('='));
    QSettings settings(QStringLiteral("Vornel"), QStringLiteral("vornel"));
    settings.setValue(assignment.left(eq), assignment.mid(eq + 1));
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        printError(QStringLiteral("vornel: setarea nu poate fi scrisa in %1").arg(settings.fileName()));
        return 1;
    }
    printLine(
        QStringLiteral("%1 = %2 (%3)").arg(assignment.left(eq), assignment.mid(eq + 1), settings.fileName()));
    return 0;
}

int backupCommand(const QString& database, const QString& file) {
    try {
        SqliteBackup::save(database, file);
    } catch (const DbError& e) {
        return failed(e);
    }
    const QString adm = DemoDatabase::admPathFor(file);
    printLine(QFileInfo::exists(adm)
                  ? QStringLiteral("Copia de siguranta a fost scrisa in %1 si %2.").arg(file, adm)
                  : QStringLiteral("Copia de siguranta a fost scrisa in %1.").arg(file));
    return 0;
}

int restoreCommand(const QString& database, const QString& file, int company) {
    try {
        SqliteBackup::restore(file, database, company);
    } catch (const DbError& e) {
        return failed(e);
    }
    printLine(
        QStringLiteral("Baza de date %1 a fost restaurata din %2; fisierele inlocuite au ramas alaturi, "
                       "cu terminatia %3.")
            .arg(database, file, QLatin1String(SqliteBackup::kReplacedSuffix)));
    return 0;
}

} // namespace vornel::host
