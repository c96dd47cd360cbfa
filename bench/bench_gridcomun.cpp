// Times the catalogue list window from Apel to a filled grid on 10,000, 100,000 and 1,000,000 rows
// of "Coduri vamale", beside a raw sqlite3_step loop over the same listing query.
//   bench_gridcomun [largest rows]

#include "catalogs/GridComun.h"
#include "controls/FlexGrid.h"
#include "data/Connection.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"
#include "entry/ComponentContext.h"
#include "entry/Vornel.h"
#include "messages/MessageWindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace vornel;
using Clock = std::chrono::steady_clock;

namespace {

// The listing query as SQLite runs it (the windows send it in T-SQL).
constexpr const char* kRawQuery =
    "SELECT [Cod Vamal].[Cod Vamal], [Cod Vamal].Descriere FROM [Cod Vamal] ORDER BY [Cod Vamal].[Cod Vamal]";

class SilentMessages : public MessageWindow {
public:
    int Afiseaza(const QString& text, int, int, const QString&, int, int) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageResult::No;
    }
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void fill(const QString& path, long rows) {
    DemoDatabase::createEmpty(path);
    SqliteBackend db(path, DemoDatabase::admPathFor(path));
    db.executeNative(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                       "INSERT INTO [Cod Vamal] ([Cod Vamal], Descriere) "
                       "SELECT printf('%08d', i), 'Cod vamal de test numarul ' || i FROM n;")
            .arg(rows));
}

double rawWalk(const QString& path, long& rows) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    const auto start = Clock::now();
    sqlite3_prepare_v2(db, kRawQuery, -1, &st, nullptr);
    rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        sqlite3_column_text(st, 0);
        sqlite3_column_text(st, 1);
        ++rows;
    }
    const double seconds = secondsSince(start);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return seconds;
}

double gridFill(const QString& path, int& gridRows) {
    auto connection = Connection::open(QStringLiteral("sqlite:") + path);
    Vornel vornel;
    vornel.setMessageWindowFactory([] { return std::make_unique<SilentMessages>(); });
    const auto start = Clock::now();
    vornel.Apel(connection, QStringLiteral("Coduri vamale"), 1, 1);
    QApplication::processEvents(); // the first paint of the grid
    const double seconds = secondsSince(start);
    auto* list = ComponentContext::current().loaded<GridComun>();
    gridRows = list ? list->grid()->Rows() - 1 : -1;
    vornel.InchideTot();
    QApplication::processEvents();
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long largest = argc > 1 ? std::atol(argv[1]) : 1000000;
    QTemporaryDir dir;
    std::printf("%10s %12s %12s %8s\n", "rows", "raw step s", "grid s", "ratio");
    for (long rows = 10000; rows <= largest; rows *= 10) {
        const QString path = dir.filePath(QStringLiteral("grid%1.db").arg(rows));
        fill(path, rows);
        long rawRows = 0;
        int gridRows = 0;
        const double raw = rawWalk(path, rawRows);
        const double grid = gridFill(path, gridRows);
        if (rawRows != rows || gridRows != rows) {
            std::fprintf(stderr, "row counts differ: %ld raw, %d in the grid\n", rawRows, gridRows);
            return 1;
        }
        std::printf("%10ld %12.3f %12.3f %8.2f\n", rows, raw, grid, grid / raw);
    }
    return 0;
}
