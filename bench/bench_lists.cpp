// The lists at 10,000, 100,000 and 1,000,000 rows of a six-column catalogue ("Banci"), each
// figure beside its baseline run in the same process on the same rows:
//   first paint of the list window from Apel       baseline: the raw query (sqlite3_step loop)
//   keystroke to repaint, instant filter (p95)     baseline: QSortFilterProxyModel over a
//   keystroke to repaint, chooser type-ahead (p95)           QStandardItemModel of the same rows
//   sort by a text column                          baseline: the same proxy's sort
//   memory per row of the filled list              baseline: the same item model
// Targets: first paint 50 ms at 1,000,000 rows; p95 keystrokes 16 ms at 100,000 and 60 ms at
// 1,000,000; sort 1 s at 1,000,000; 140 bytes a row.
//   bench_lists [largest rows]          BENCH_CPU=1 bench_lists: processor time instead of wall time

#include "catalogs/AlegeGrupaProd.h"
#include "catalogs/Chooser.h"
#include "catalogs/GridComun.h"
#include "controls/FlexGrid.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"
#include "entry/ComponentContext.h"
#include "entry/Vornel.h"
#include "messages/MessageWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace vornel;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kRawQuery = "SELECT [Cod Banca], Descriere, Adresa, Telefon, [Persoana Contact], Cont "
                                  "FROM Banci ORDER BY [Cod Banca]";
// What a person types into the instant filter: a word, a city, a number, then three corrections.
const QString kFilterTyping = QStringLiteral("sucursala cluj 12");
constexpr int kFilterBackspaces = 3;
// Into the account chooser: the start of a code, a key that matches nothing, another start.
const QString kChooserTyping = QStringLiteral("12345x99");

class SilentMessages : public MessageWindow {
public:
    int Afiseaza(const QString& text, int, int, const QString&, int, int) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageResult::No;
    }
};

// Wall time, or with BENCH_CPU=1 in the environment the thread's processor time: on a machine
// shared with other work the second shows what the lists cost without the waits for a processor.
struct Stamp {
    Clock::time_point wall;
    timespec cpu;
};

Stamp now() {
    Stamp s{Clock::now(), {}};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &s.cpu);
    return s;
}

double msSince(const Stamp& start) {
    static const bool cpu = qEnvironmentVariableIsSet("BENCH_CPU");
    if (!cpu) return std::chrono::duration<double, std::milli>(Clock::now() - start.wall).count();
    const Stamp end = now();
    return static_cast<double>(end.cpu.tv_sec - start.cpu.tv_sec) * 1e3 +
           static_cast<double>(end.cpu.tv_nsec - start.cpu.tv_nsec) / 1e6;
}

double residentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

double p95(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(samples.size())));
    return samples[std::max<std::size_t>(rank, 1) - 1];
}

void fill(const QString& path, long rows) {
    DemoDatabase::createEmpty(path);
    SqliteBackend db(path, DemoDatabase::admPathFor(path));
    db.executeNative(
        QStringLiteral(
            "PRAGMA foreign_keys=OFF;"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Banci ([Cod Banca], Descriere, Adresa, Telefon, [Persoana Contact], Cont) "
            "SELECT i, (CASE i % 5 WHEN 0 THEN 'Banca Transilvania' WHEN 1 THEN 'BRD Groupe Societe "
            "Generale' "
            "WHEN 2 THEN 'Trezoreria' WHEN 3 THEN 'CEC Bank' ELSE 'ING Bank' END) || ' - Sucursala ' || "
            "(CASE i % 7 WHEN 0 THEN 'Cluj' WHEN 1 THEN 'Brașov' WHEN 2 THEN 'Iași' WHEN 3 THEN 'Timișoara' "
            "WHEN 4 THEN 'Turda' WHEN 5 THEN 'Dej' ELSE 'Sibiu' END) || ' ' || i, "
            "'Str. Principala nr. ' || (i % 300), '0264' || printf('%06d', i), 'Persoana ' || (i % 1000), "
            "'5121.' || printf('%02d', i % 100) FROM n;"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO zConta_Plan (Cont, [Titlu Cont], SubGrupa, Tip) "
            "SELECT printf('%07d', i), 'Cont analitic numarul ' || i, '10', 'A' FROM n;")
            .arg(rows));
}

double rawQuery(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    const Stamp start = now();
    sqlite3_prepare_v2(db, kRawQuery, -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < 6; ++c)
            sqlite3_column_text(st, c);
    const double ms = msSince(start);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ms;
}

void press(QWidget* target, QChar ch) {
    const int key =
        ch == u'\b' ? static_cast<int>(Qt::Key_Backspace) : static_cast<int>(ch.toUpper().unicode());
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, ch == u'\b' ? QString() : QString(ch));
    QApplication::sendEvent(target, &down);
}

// Times each key from the press to the grid painted again.
std::vector<double> typeInto(QWidget* target, QWidget* painted, const QString& keys) {
    std::vector<double> times;
    for (const QChar ch : keys) {
        const Stamp start = now();
        press(target, ch);
        painted->repaint();
        times.push_back(msSince(start));
    }
    return times;
}

// The figures of one run: the list's, or the baseline's beside them.
struct Figures {
    double firstPaint = 0;
    double filterP95 = 0;
    double typeAheadP95 = 0;
    double sortMs = 0;
    double bytesPerRow = 0;
    int rows = 0;
};

Figures measureList(const QString& path) {
    Figures f;
    auto connection = Connection::open(QStringLiteral("sqlite:") + path);
    Vornel vornel;
    vornel.setMessageWindowFactory([] { return std::make_unique<SilentMessages>(); });
    const double before = residentBytes();
    const Stamp start = now();
    vornel.Apel(connection, QStringLiteral("Banci"), 1, 1);
    auto* list = ComponentContext::current().loaded<GridComun>();
    list->repaint(); // the first paint, with the first screenful
    f.firstPaint = msSince(start);

    list->lista()->fetchAll();
    f.rows = list->grid()->Rows() - 1;
    f.bytesPerRow = (residentBytes() - before) / f.rows;

    auto* filter = list->findChild<QLineEdit*>(QStringLiteral("txtFiltruRapid"));
    filter->setFocus();
    std::vector<double> keys = typeInto(filter, list->grid()->viewport(), kFilterTyping);
    const std::vector<double> back =
        typeInto(filter, list->grid()->viewport(), QString(kFilterBackspaces, QChar(u'\b')));
    keys.insert(keys.end(), back.begin(), back.end());
    f.filterP95 = p95(keys);
    filter->clear();

    const Stamp sortStart = now();
    list->grid()->sortBy(1, FlexGrid::SortState::Ascending);
    list->grid()->viewport()->repaint();
    f.sortMs = msSince(sortStart);
    vornel.InchideTot();
    QApplication::processEvents();
    return f;
}

double measureChooser(const QString& path) {
    auto connection = Connection::open(QStringLiteral("sqlite:") + path);
    Vornel vornel;
    vornel.setMessageWindowFactory([] { return std::make_unique<SilentMessages>(); });
    vornel.Apel(connection, QStringLiteral("Rate TVA"), 1, 1); // any caption: the context is set
    double result = 0;
    QTimer::singleShot(0, [&result] {
        auto* chooser = ComponentContext::current().loaded<AlegeGrupaProd>();
        chooser->grid()->recordset()->fetchAll();
        result = p95(typeInto(chooser->grid(), chooser->grid()->viewport(), kChooserTyping));
        chooser->unload();
    });
    Chooser::pick({.title = QStringLiteral("Conturi de stocuri"), .list = ChooserList::Accounts}, QString());
    vornel.InchideTot();
    QApplication::processEvents();
    return result;
}

// The first two columns of a query as items, as a Qt developer would fill a model.
std::unique_ptr<QStandardItemModel> itemsOf(const std::shared_ptr<Connection>& connection,
                                            const QString& sql) {
    auto items = std::make_unique<QStandardItemModel>();
    Recordset rs;
    rs.open(sql, connection);
    items->setRowCount(rs.recordCount());
    items->setColumnCount(2);
    for (int r = 0; r < rs.recordCount(); ++r) {
        items->setItem(r, 0, new QStandardItem(rs.textAt(r, 0)));
        items->setItem(r, 1, new QStandardItem(rs.textAt(r, 1)));
    }
    return items;
}

// What a Qt developer would write: items for every shown cell, a proxy that filters and sorts.
Figures measureBaseline(const QString& path) {
    Figures f;
    auto connection = Connection::open(QStringLiteral("sqlite:") + path);
    const double before = residentBytes();
    auto banks = itemsOf(connection, QString::fromLatin1(kRawQuery));
    f.bytesPerRow = (residentBytes() - before) / banks->rowCount();
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(banks.get());
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(-1);
    QTableView view;
    view.setModel(&proxy);
    view.resize(600, 400);
    view.show();
    std::vector<double> keys;
    QString typed;
    const QString typing = kFilterTyping + QString(kFilterBackspaces, QChar(u'\b'));
    for (const QChar ch : typing) {
        typed = ch == u'\b' ? typed.chopped(1) : typed + ch;
        const Stamp start = now();
        proxy.setFilterFixedString(typed);
        view.viewport()->repaint();
        keys.push_back(msSince(start));
    }
    f.filterP95 = p95(keys);
    proxy.setFilterFixedString(QString());
    const Stamp sortStart = now();
    proxy.sort(1);
    view.viewport()->repaint();
    f.sortMs = msSince(sortStart);
    view.setModel(nullptr);
    banks.reset();

    const auto accounts =
        itemsOf(connection, QStringLiteral("SELECT Cont, [Titlu Cont] FROM zConta_Plan ORDER BY Cont"));
    QSortFilterProxyModel prefix;
    prefix.setSourceModel(accounts.get());
    prefix.setFilterKeyColumn(0);
    view.setModel(&prefix);
    keys.clear();
    typed.clear();
    for (const QChar ch : kChooserTyping) {
        typed += ch;
        const Stamp start = now();
        prefix.setFilterRegularExpression(QRegularExpression(
            QLatin1Char('^') + QRegularExpression::escape(typed), QRegularExpression::CaseInsensitiveOption));
        if (prefix.rowCount() == 0) { // as the chooser: no match restores the whole list
            typed.clear();
            prefix.setFilterRegularExpression(QRegularExpression());
        }
        view.viewport()->repaint();
        keys.push_back(msSince(start));
    }
    f.typeAheadP95 = p95(keys);
    view.setModel(nullptr);
    return f;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long largest = argc > 1 ? std::atol(argv[1]) : 1000000;
    QTemporaryDir dir;
    std::printf("%9s | %-27s | %-27s | %-27s | %-27s | %-21s\n", "rows", "first paint ms (raw query)",
                "filter key p95 ms (proxy)", "type-ahead p95 ms (proxy)", "sort text ms (proxy)",
                "bytes/row (items)");
    for (long rows = 10000; rows <= largest; rows *= 10) {
        const QString path = dir.filePath(QStringLiteral("lists%1.db").arg(rows));
        fill(path, rows);
        if (rows == 10000) measureList(path); // the first window of the process loads fonts and styles
        const double raw = rawQuery(path);
        Figures list = measureList(path);
        if (list.rows != rows) {
            std::fprintf(stderr, "the list shows %d rows of %ld\n", list.rows, rows);
            return 1;
        }
        list.typeAheadP95 = measureChooser(path);
        const Figures base = measureBaseline(path);
        const auto figure = [](double ours, double baseline) {
            static char text[64];
            std::snprintf(text, sizeof text, "%8.1f (%7.1f) x%5.2f", ours, baseline, ours / baseline);
            return std::string(text);
        };
        std::printf("%9ld | %-27s | %-27s | %-27s | %-27s | %6.0f (%6.0f) x%4.2f\n", rows,
                    figure(list.firstPaint, raw).c_str(), figure(list.filterP95, base.filterP95).c_str(),
                    figure(list.typeAheadP95, base.typeAheadP95).c_str(),
                    figure(list.sortMs, base.sortMs).c_str(), list.bytesPerRow, base.bytesPerRow,
                    list.bytesPerRow / base.bytesPerRow);
        std::fflush(stdout);
    }
    return 0;
}
