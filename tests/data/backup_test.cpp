// Backup and restore of the embedded database: a copy taken while another connection writes is
// whole and consistent; a copy that is damaged, foreign or of another structure is refused
// without touching the database; a restore keeps the files it replaced.
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"
#include "data/sqlite/SqliteBackup.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace vornel;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString text(Connection& db, const QString& sql) {
    return db.scalar(sql).toString();
}

} // namespace

TEST(SqliteBackup, CopyTakenWhileAnotherConnectionWritesRestoresEveryCommittedRow) {
    QTemporaryDir dir;
    const QString database = dir.filePath("firma.db");
    DemoDatabase::create(database);
    std::atomic<int> committed{0};
    std::atomic<bool> stop{false};
    QString writerError;
    std::thread writer([&] {
        try {
            SqliteBackend second(database, DemoDatabase::admPathFor(database));
            second.setBusyTimeout(30000);
            for (int i = 1; !stop; ++i) {
                second.executeNative(
                    QStringLiteral("INSERT INTO Cpp (P, Denumire) VALUES ('W%1', 'rand')").arg(i));
                committed = i;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        } catch (const DbError& e) {
            writerError = e.description();
        }
    });
    while (committed < 20 && writerError.isEmpty())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const int before = committed;
    qint64 lastDone = 0, lastTotal = 0;
    const QString copy = dir.filePath("copie.db");
    bool saved = false;
    QString saveError;
    try {
        saved = SqliteBackup::save(database, copy, [&](qint64 done, qint64 total) {
            EXPECT_GE(done, lastDone);
            lastDone = done;
            lastTotal = total;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return true;
        });
    } catch (const DbError& e) {
        saveError = e.description();
    }
    stop = true;
    writer.join();
    ASSERT_TRUE(saveError.isEmpty()) << saveError.toStdString();
    ASSERT_TRUE(saved);
    ASSERT_TRUE(writerError.isEmpty()) << writerError.toStdString();
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_GT(committed, before); // the writer went on after the copy

    // Restored on a new machine: no database there yet.
    const QString restored = dir.filePath("nou/firma.db");
    QDir().mkpath(dir.filePath("nou"));
    ASSERT_TRUE(SqliteBackup::restore(copy, restored, 1));
    const auto db = Connection::open("sqlite:" + restored);
    EXPECT_EQ(text(*db, "PRAGMA integrity_check"), "ok");
    const int rows = db->scalar("SELECT count(*) FROM Cpp WHERE P LIKE 'W%'").toInt();
    EXPECT_GE(rows, before);
    // Rows W1..Wn, nothing half-written: the copy is one moment of the database.
    EXPECT_EQ(db->scalar("SELECT max(CAST(substr(P, 2) AS int)) FROM Cpp WHERE P LIKE 'W%'").toInt(), rows);
    EXPECT_EQ(text(*db, "SELECT Societate FROM AdmTivra.Societati WHERE ID = 1"), "LEMNART");
}

TEST(SqliteBackup, RefusedCopiesChangeNothingAndARestoreKeepsTheReplacedFiles) {
    QTemporaryDir dir;
    const QString database = dir.filePath("firma.db");
    const QString adm = DemoDatabase::admPathFor(database);
    DemoDatabase::create(database);
    const QString good = dir.filePath("buna.db");
    ASSERT_TRUE(SqliteBackup::save(database, good));
    Connection::open("sqlite:" + database)->execute("INSERT INTO Cpp (P) VALUES ('DUPA')");

    // A damaged page, a text file, another company (a copy of another structure: the command line
    // test).
    const QString damaged = dir.filePath("stricata.db");
    QFile::copy(good, damaged);
    QFile::copy(DemoDatabase::admPathFor(good), DemoDatabase::admPathFor(damaged));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(4096 * 3 + 8);
        file.write(QByteArray(2000, 'Z'));
    }
    const QString textFile = dir.filePath("text.db");
    {
        QFile file(textFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("nu este o baza de date\n").repeated(500));
    }
    const QString otherSource = dir.filePath("alta-sursa.db");
    DemoDatabase::create(otherSource);
    Connection::open("sqlite:" + otherSource)->execute("UPDATE AdmTivra.Societati SET Societate = 'ALTA'");
    const QString other = dir.filePath("alta.db");
    ASSERT_TRUE(SqliteBackup::save(otherSource, other));

    const QByteArray mainBefore = bytesOf(database), admBefore = bytesOf(adm);
    const std::pair<QString, QString> refused[] = {
        {damaged, "verificarea integritatii"},
        {textFile, "nu este o baza de date a programului"},
        {other, "este copia societatii ALTA, nu a societatii LEMNART."},
        {dir.filePath("lipsa.db"), "fisierul nu exista."},
    };
    for (const auto& [copy, reason] : refused) {
        try {
            SqliteBackup::restore(copy, database, 1);
            ADD_FAILURE() << copy.toStdString() << " was restored";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.description().startsWith("Copia " + copy + " nu poate fi restaurata: "))
                << e.description().toStdString();
            EXPECT_TRUE(e.description().contains(reason)) << e.description().toStdString();
        }
        EXPECT_EQ(bytesOf(database), mainBefore);
        EXPECT_EQ(bytesOf(adm), admBefore);
        EXPECT_FALSE(QFile::exists(database + SqliteBackup::kReplacedSuffix));
    }

    ASSERT_TRUE(SqliteBackup::restore(good, database, 1));
    EXPECT_EQ(bytesOf(database + SqliteBackup::kReplacedSuffix), mainBefore);
    EXPECT_EQ(bytesOf(adm + SqliteBackup::kReplacedSuffix), admBefore);
    const auto db = Connection::open("sqlite:" + database);
    EXPECT_EQ(text(*db, "SELECT count(*) FROM Cpp WHERE P = 'DUPA'"), "0");
    EXPECT_EQ(text(*db, "PRAGMA integrity_check"), "ok");
}
