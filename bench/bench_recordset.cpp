// Times walking a million-row catalogue with a raw sqlite3_step loop and with a client-side static
// recordset, and compares the recordset's memory with the raw text of the rows.
//   bench_recordset [rows]

#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/SqliteBackend.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace vornel;
using Clock = std::chrono::steady_clock;

namespace {

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void fill(const QString& path, long rows) {
    SqliteBackend db(path, {}, true);
    db.executeNative(
        QStringLiteral(
            "CREATE TABLE Produse (Id INTEGER PRIMARY KEY, Cod nvarchar(50) COLLATE NOCASE, "
            "Descriere nvarchar(100) COLLATE NOCASE, Pret float);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Produse SELECT i, 'COD' || printf('%07d', i), 'Produs de catalog numarul ' || i, "
            "(i % 1000) * 0.25 FROM n;")
            .arg(rows));
}

// Reads every column as text, as a program without a recordset would.
double rawWalk(const QString& path, std::size_t& textBytes, long& rows) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT Id, Cod, Descriere, Pret FROM Produse", -1, &st, nullptr);
    const auto start = Clock::now();
    textBytes = 0;
    rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < 4; ++c) {
            sqlite3_column_text(st, c);
            textBytes += static_cast<std::size_t>(sqlite3_column_bytes(st, c));
        }
        ++rows;
    }
    const double seconds = secondsSince(start);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return seconds;
}

// Opens the recordset and reads every value of every row; `openSeconds` is the part spent opening.
double recordsetWalk(const QString& path, std::size_t& storeBytes, std::size_t& checksum,
                     double& openSeconds) {
    auto connection = Connection::open(QStringLiteral("sqlite:") + path);
    const auto start = Clock::now();
    Recordset rs;
    rs.open(QStringLiteral("SELECT Id, Cod, Descriere, Pret FROM Produse"), connection);
    openSeconds = secondsSince(start);
    checksum = 0;
    while (!rs.eof()) {
        for (int c = 0; c < rs.fieldCount(); ++c) {
            const QVariant v = rs.value(c);
            checksum += v.typeId() == QMetaType::QString ? static_cast<std::size_t>(v.toString().size()) : 1;
        }
        rs.moveNext();
    }
    const double seconds = secondsSince(start);
    storeBytes =
        connection->query(QStringLiteral("SELECT Id, Cod, Descriere, Pret FROM Produse")).rows.bytesUsed();
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const long wanted = argc > 1 ? std::atol(argv[1]) : 1000000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.db"));
    try {
        fill(path, wanted);
        std::size_t textBytes = 0, storeBytes = 0, checksum = 0;
        long rows = 0;
        const double raw = rawWalk(path, textBytes, rows);
        double open = 0;
        const double recordset = recordsetWalk(path, storeBytes, checksum, open);
        const double textPerRow = static_cast<double>(textBytes) / static_cast<double>(rows);
        const double storePerRow = static_cast<double>(storeBytes) / static_cast<double>(rows);
        std::printf("rows                 %ld\n", rows);
        std::printf("raw sqlite3_step     %.3f s\n", raw);
        std::printf("static recordset     %.3f s (open %.3f s)\n", recordset, open);
        std::printf("ratio                %.2f (target <= 1.5)\n", recordset / raw);
        std::printf("raw text bytes/row   %.1f\n", textPerRow);
        std::printf("row store bytes/row  %.1f (%.2fx, target <= 2)\n", storePerRow,
                    storePerRow / textPerRow);
        std::printf("checksum             %zu\n", checksum);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
