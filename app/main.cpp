// vornel: the host program that stands in for the suite's main program.
//   vornel [--db FILE | --odbc "CONNECTION"] [--caption "Rate TVA"] [--company N] [--user N]
//   vornel [--db FILE] --backup FILE | --restore FILE
//   vornel --set KEY=VALUE | --help | --version
// Without a database option it opens the demo database, created on first use.

#include "HostCommands.h"
#include "HostDatabase.h"
#include "HostWindow.h"

#include "catalogs/CatalogExport.h"
#include "controls/GuardedApplication.h"
#include "controls/Look.h"
#include "data/DataLog.h"
#include "data/DbError.h"
#include "entry/ComponentContext.h"
#include "program/CommandLine.h"
#include "program/LogFile.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <memory>

// Paints every visible top-level window at its place on one picture of the screen.
bool saveScreenshot(const QString& file) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QImage image(screen ? screen->size() : QSize(1280, 800), QImage::Format_RGB32);
    image.fill(QColor(0x30, 0x30, 0x38));
    QPainter painter(&image);
    QWidgetList windows = QApplication::topLevelWidgets();
    // The host first, the component's topmost windows over it.
    std::stable_sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) {
        return !(a->windowFlags() & Qt::WindowStaysOnTopHint) &&
               (b->windowFlags() & Qt::WindowStaysOnTopHint);
    });
    for (QWidget* w : windows) {
        if (w->isVisible()) painter.drawPixmap(w->geometry().topLeft(), w->grab());
    }
    return image.save(file);
}

namespace {

// The options; an option that acts without windows is handled in main before any QApplication.
vornel::CommandLine hostOptions() {
    using vornel::CommandLine;
    CommandLine options(
        QStringLiteral("vornel"), QStringLiteral("vornel [OPTION]..."),
        QStringLiteral("Vornel: the master data of the accounting suite. Without --db or --odbc it "
                       "opens the demo database,\ncreated on first use in the user's data folder."));
    options.databaseOptions()
        .option(QStringLiteral("caption"), QStringLiteral("CAPTION"),
                QStringLiteral("Entry to open at start."))
        .option(QStringLiteral("company"), QStringLiteral("N"),
                QStringLiteral("Company id (IDSoc), 1 when not given."))
        .option(QStringLiteral("user"), QStringLiteral("N"),
                QStringLiteral("User id (IdUsers), 1 when not given."))
        .option(QStringLiteral("screenshot"), QStringLiteral("FILE"),
                QStringLiteral("Saves a picture of every open window to FILE and quits."))
        .option(QStringLiteral("backup"), QStringLiteral("FILE"),
                QStringLiteral("Copies the embedded database to FILE (and FILE.adm) and ends."))
        .option(QStringLiteral("restore"), QStringLiteral("FILE"),
                QStringLiteral("Replaces the embedded database with the checked copy FILE and ends."))
        .option(QStringLiteral("export"), QStringLiteral("CAPTION"),
                QStringLiteral("Writes the list of CAPTION to FILE (.csv, .xlsx or .pdf) and ends; "
                               "opens no window."))
        .positionals(QStringLiteral("FILE"), QStringLiteral("The file of --export."))
        .option(QStringLiteral("set"), QStringLiteral("KEY=VALUE"),
                QStringLiteral("Writes a per-user setting (e.g. anaf.url=...) and ends."))
        .flag(QStringLiteral("verbose"),
              QStringLiteral("Logs to standard error as well as to the log file."));
    return options;
}

bool offscreenPlatform() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.startsWith("offscreen") || platform.startsWith("minimal");
}

} // namespace

int main(int argc, char** argv) {
    using namespace vornel;
    CommandLine options = hostOptions();
    if (const auto end = options.parse(argc, argv)) return *end;
    const auto company = options.number(QStringLiteral("company"), 1);
    const auto user = options.number(QStringLiteral("user"), 1);
    if (!company || !user) return 2;
    const QString db = options.value(QStringLiteral("db")), odbc = options.value(QStringLiteral("odbc"));
    if (options.isSet(QStringLiteral("db")) && options.isSet(QStringLiteral("odbc")))
        return options.refuse(QStringLiteral("--db and --odbc do not go together"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vornel"));
    QCoreApplication::setApplicationName(QStringLiteral("vornel"));

    if (options.isSet(QStringLiteral("set"))) {
        const QString assignment = options.value(QStringLiteral("set"));
        if (assignment.indexOf(QLatin1Char('=')) <= 0)
            return options.refuse(QStringLiteral("--set takes KEY=VALUE, not \"%1\"").arg(assignment));
        return host::writeSetting(assignment);
    }
    LogFile log(LogFile::defaultFolder(), options.isSet(QStringLiteral("verbose")));
    const bool backup = options.isSet(QStringLiteral("backup")),
               restore = options.isSet(QStringLiteral("restore"));
    if (backup || restore) {
        if (backup && restore)
            return options.refuse(QStringLiteral("--backup and --restore do not go together"));
        if (!odbc.isEmpty())
            return options.refuse(QStringLiteral("SQL Server databases are backed up by the server "
                                                 "(see db/mssql/README.md)"));
        const QString database = host::HostDatabase::embeddedFile(db);
        return backup ? host::backupCommand(database, options.value(QStringLiteral("backup")))
                      : host::restoreCommand(database, options.value(QStringLiteral("restore")), *company);
    }

    if (options.isSet(QStringLiteral("export"))) {
        if (db.isEmpty() && odbc.isEmpty())
            return options.refuse(QStringLiteral("--export needs --db FILE or --odbc \"CONNECTION\""));
        if (options.positional().size() != 1)
            return options.refuse(QStringLiteral("--export takes one FILE (.csv, .xlsx or .pdf)"));
        // An export opens no window: it needs no display, only fonts for its pages.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication exportApp(argc, argv);
        QTextStream errors(stderr);
        return CatalogExport::run(odbc.isEmpty() ? QStringLiteral("sqlite:") + db
                                                 : QStringLiteral("odbc:") + odbc,
                                  options.value(QStringLiteral("export")), *company, *user,
                                  options.positional().constFirst(), errors);
    }

    // With a display the reason a database cannot be used is shown in a message; without one it
    // goes to standard error only, where no window can wait unseen for an answer.
    std::unique_ptr<QApplication> app;
    const auto startWindows = [&] {
        app = std::make_unique<GuardedApplication>(argc, argv);
        Look::applyToApplication(*app);
    };
    if (hasDisplay()) startWindows();
    host::HostDatabase database;
    try {
        database = host::HostDatabase::open(db, odbc);
    } catch (const DbError& e) {
        qCWarning(logData).noquote() << e.description();
        printError(QStringLiteral("vornel: ") + e.description());
        if (app)
            ComponentContext::current().Afiseaza(e.description(), MessageIcon::Error, MessageButtons::Ok,
                                                 QStringLiteral("Vornel"));
        return 1;
    }
    if (!app) {
        if (!offscreenPlatform()) {
            printError(QStringLiteral("vornel: no display to show the windows on (DISPLAY is not set; "
                                      "QT_QPA_PLATFORM=offscreen draws them off screen)"));
            return 1;
        }
        startWindows();
    }

    host::HostWindow window(database.connection, database.description, *company, *user);
    window.setEmbeddedDatabase(database.embeddedPath);
    window.show();
    if (options.isSet(QStringLiteral("caption"))) {
        const QString caption = options.value(QStringLiteral("caption"));
        QTimer::singleShot(0, &window, [&window, caption] { window.open(caption); });
    }
    if (options.isSet(QStringLiteral("screenshot"))) {
        const QString file = options.value(QStringLiteral("screenshot"));
        QTimer::singleShot(1500, app.get(), [file] { QApplication::exit(saveScreenshot(file) ? 0 : 1); });
    }
    return app->exec();
}
