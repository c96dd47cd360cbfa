// vornel: the host program that stands in for the suite's main program.
//   vornel [--db FILE | --odbc "CONNECTION"] [--caption "Rate TVA"] [--company N] [--user N]
// Without a database option it opens the demo database, created on first use.

#include "HostWindow.h"

#include "catalogs/CatalogExport.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/sqlite/DemoDatabase.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

namespace {

void applyDarkLook(QApplication& app) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xdc, 0xdc, 0xdc),
        accent(0x2a, 0x6f, 0xb0);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent.lighter());
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    app.setPalette(p);
}

} // namespace

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

int main(int argc, char** argv) {
    // An export opens no window: it needs no display.
    if (std::any_of(argv, argv + argc, [](const char* a) { return QByteArray(a).startsWith("--export"); }) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vornel"));
    QApplication::setOrganizationName(QStringLiteral("Vornel"));
    applyDarkLook(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vornel: master data of the accounting suite"));
    parser.addHelpOption();
    const QCommandLineOption dbOption(
        QStringLiteral("db"), QStringLiteral("Embedded (SQLite) company database."), QStringLiteral("FILE"));
    const QCommandLineOption odbcOption(QStringLiteral("odbc"), QStringLiteral("ODBC connection string."),
                                        QStringLiteral("CONN"));
    const QCommandLineOption captionOption(
        QStringLiteral("caption"), QStringLiteral("Entry to open at start."), QStringLiteral("CAPTION"));
    const QCommandLineOption companyOption(QStringLiteral("company"), QStringLiteral("Company id (IDSoc)."),
                                           QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("User id (IdUsers)."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption shotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Saves a picture of every open window to FILE and quits."), QStringLiteral("FILE"));
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QStringLiteral(
            "Writes the list of CAPTION to FILE (.csv, .xlsx or .pdf) and quits; opens no window."),
        QStringLiteral("CAPTION"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The file of --export."));
    parser.addOptions(
        {dbOption, odbcOption, captionOption, companyOption, userOption, shotOption, exportOption});
    parser.process(app);

    bool companyOk = false, userOk = false;
    const int company = parser.value(companyOption).toInt(&companyOk);
    const int user = parser.value(userOption).toInt(&userOk);
    if (!companyOk || !userOk || (parser.isSet(dbOption) && parser.isSet(odbcOption))) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Vornel"),
            QStringLiteral(
                "Optiuni gresite: --company si --user sunt numere; --db si --odbc nu merg impreuna."));
        return 1;
    }

    if (parser.isSet(exportOption)) {
        QTextStream errors(stderr);
        if (!parser.isSet(dbOption) && !parser.isSet(odbcOption)) {
            errors << "vornel --export: alegeti baza de date cu --db FILE sau --odbc \"CONNECTION\".\n";
            return 2;
        }
        const QString connectionString = parser.isSet(odbcOption)
                                             ? QStringLiteral("odbc:") + parser.value(odbcOption)
                                             : QStringLiteral("sqlite:") + parser.value(dbOption);
        return vornel::CatalogExport::run(connectionString, parser.value(exportOption), company, user,
                                          parser.positionalArguments().value(0), errors);
    }

    std::shared_ptr<vornel::Connection> connection;
    QString databaseText;
    try {
        if (parser.isSet(odbcOption)) {
            databaseText = QStringLiteral("ODBC: ") + parser.value(odbcOption);
            connection = vornel::Connection::open(QStringLiteral("odbc:") + parser.value(odbcOption));
        } else {
            QString path = parser.value(dbOption);
            if (path.isEmpty()) {
                const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
                QDir().mkpath(folder);
                path = QDir(folder).filePath(QStringLiteral("demo.db"));
                if (!QFileInfo::exists(path)) vornel::DemoDatabase::create(path);
                databaseText = QStringLiteral("demo: ");
            } else if (!QFileInfo::exists(path)) {
                throw vornel::DbError(vornel::ErrorNumber::Unspecified,
                                      QStringLiteral("Fisierul %1 nu exista.").arg(path));
            }
            databaseText += QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
            connection = vornel::Connection::open(QStringLiteral("sqlite:") + path);
        }
    } catch (const vornel::DbError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Vornel"),
                              QStringLiteral("Baza de date nu poate fi deschisa.\n\n%1 (%2)")
                                  .arg(e.description(), e.numberText()));
        return 1;
    } catch (const std::exception& e) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Vornel"),
            QStringLiteral("Baza de date nu poate fi deschisa.\n\n%1").arg(QString::fromLocal8Bit(e.what())));
        return 1;
    }

    vornel::host::HostWindow window(connection, databaseText, company, user);
    window.show();
    if (parser.isSet(captionOption)) {
        const QString caption = parser.value(captionOption);
        QTimer::singleShot(0, &window, [&window, caption] { window.open(caption); });
    }
    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(1500, &app, [file] { QApplication::exit(saveScreenshot(file) ? 0 : 1); });
    }
    return app.exec();
}
