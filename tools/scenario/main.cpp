// vornel-scenario [--verbose] FILE...: runs acceptance scenarios against the component's real
// windows on the offscreen platform and reports each failed step and the count of scenarios.

#include "DatabaseTemplates.h"
#include "ScenarioSession.h"
#include "Script.h"

#include <QApplication>
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
    qInstallMessageHandler(filterPlatformNotices);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // What the windows keep in the user's settings stays in the run's own folder.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    QTextStream out(stdout);
    bool verbose = false;
    QStringList files;
    const QStringList args = QApplication::arguments().mid(1);
    for (const QString& arg : args) {
        if (arg == u"--verbose")
            verbose = true;
        else if (arg.startsWith(u"--")) {
            QTextStream(stderr) << "vornel-scenario: unknown option " << arg << "\n";
            return 2;
        } else
            files << arg;
    }
    if (files.isEmpty()) {
        QTextStream(stderr) << "usage: vornel-scenario [--verbose] FILE...\n";
        return 2;
    }

    int passed = 0;
    int failed = 0;
    try {
        vornel::scenario::DatabaseTemplates templates;
        for (const QString& file : files) {
            const auto scenarios = vornel::scenario::readScenarioFile(file);
            for (const auto& scenario : scenarios) {
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
