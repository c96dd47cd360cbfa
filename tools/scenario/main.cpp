// vornel-scenario [--verbose] FILE...: runs acceptance scenarios against the component's real
// windows on the offscreen platform and reports each failed step and the count of scenarios.

#include "DatabaseTemplates.h"
#include "ScenarioSession.h"
#include "Script.h"
#include "program/CommandLine.h"

#include "controls/GuardedApplication.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <exception>

namespace {

// The offscreen platform reports what it cannot do (raise, activation) on every window; those
// notices say nothing about the component and would bury the scenario report.
void filterPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && (message.startsWith(QStringLiteral("This plugin does not support")) ||
                                 message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, message) << '\n';
}

} // namespace

int main(int argc, char** argv) {
    vornel::CommandLine options(
        QStringLiteral("vornel-scenario"), QStringLiteral("vornel-scenario [--verbose] FILE..."),
        QStringLiteral("Runs acceptance scenarios against the component's real windows on the offscreen "
                       "platform;\nprints each failed step and ends with \"N passed, M failed\"."));
    options.flag(QStringLiteral("verbose"), QStringLiteral("Prints every step as it runs."))
        .positionals(QStringLiteral("FILE..."), QStringLiteral("Scenario files (tests/scenarios/*.scn)."));
    if (const auto end = options.parse(argc, argv)) return *end;
    const QStringList files = options.positional();
    if (files.isEmpty())
        return options.refuse(QStringLiteral("no scenario file given (vornel-scenario --help)"));
    const bool verbose = options.isSet(QStringLiteral("verbose"));

    qInstallMessageHandler(filterPlatformNotices);
    // Scenarios provoke database errors on purpose: their log lines are for --verbose.
    if (!verbose) QLoggingCategory::setFilterRules(QStringLiteral("vornel.*=false"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Window places and other settings of a run stay in a folder of its own, never the user's.
    const QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    vornel::GuardedApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // What the windows keep in the user's settings stays in the run's own folder.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    QTextStream out(stdout);
    int passed = 0;
    int failed = 0;
    try {
        vornel::scenario::DatabaseTemplates templates;
        for (const QString& file : files) {
            const auto scenarios = vornel::scenario::readScenarioFile(file);
            for (const auto& scenario : scenarios) {
                QSettings(QStringLiteral("Vornel"), QStringLiteral("vornel")).clear(); // no places remembered
                vornel::scenario::ScenarioSession session(scenario, templates, verbose, out);
                if (session.run())
                    ++passed;
                else
                    ++failed;
            }
        }
    } catch (const std::exception& e) {
        out << "vornel-scenario: " << e.what() << '\n';
        ++failed;
    }
    out << passed << " passed, " << failed << " failed\n";
    out.flush();
    return failed == 0 ? 0 : 1;
}
