// One main for every test program: a QApplication on the offscreen platform, then GoogleTest.
// Settings (window places) go to a folder of this run, never to the user's own.
#include <QApplication>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QLoggingCategory::setFilterRules(QStringLiteral("vornel.*.info=false")); // warnings stay visible
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
