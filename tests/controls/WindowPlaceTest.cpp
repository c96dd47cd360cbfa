// Remembered windows: a window opens where it was left, and always fully on a screen there now.
#include "controls/WindowPlace.h"
#include "controls/FormWindow.h"
#include "entry/ComponentContext.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <gtest/gtest.h>

using namespace vornel;

TEST(WindowPlace, FittedKeepsTheFrameWhollyOnTheScreenItMostlyCovers) {
    const QList<QRect> screens{{0, 0, 1920, 1040}, {1920, 0, 1280, 984}};
    EXPECT_EQ(WindowPlace::fitted({100, 50, 800, 600}, screens), QRect(100, 50, 800, 600));
    EXPECT_EQ(WindowPlace::fitted({2800, 700, 800, 600}, screens), QRect(2400, 384, 800, 600));
    EXPECT_EQ(WindowPlace::fitted({1800, -40, 400, 300}, screens), QRect(1920, 0, 400, 300));
    EXPECT_EQ(WindowPlace::fitted({1500, 100, 400, 300}, screens), QRect(1500, 100, 400, 300));
    // A monitor that is gone: back on the first screen; larger than the screen: shrunk to it.
    EXPECT_EQ(WindowPlace::fitted({5000, 200, 640, 480}, screens), QRect(1280, 200, 640, 480));
    EXPECT_EQ(WindowPlace::fitted({-50, 10, 1400, 1200}, {{0, 0, 1280, 1000}}), QRect(0, 0, 1280, 1000));
}

TEST(WindowPlace, AWindowOpensWhereItWasLeftAndOnScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        FormWindow first(QStringLiteral("Locul"));
        first.setAttribute(Qt::WA_DeleteOnClose, false);
        first.resize(300, 200);
        first.show();
        first.move(screen.left() + 40, screen.top() + 30);
        first.resize(320, 210);
        first.hide();
    }
    FormWindow again(QStringLiteral("Locul"));
    again.setAttribute(Qt::WA_DeleteOnClose, false);
    again.resize(100, 100);
    again.show();
    EXPECT_EQ(again.pos(), QPoint(screen.left() + 40, screen.top() + 30));
    EXPECT_EQ(again.size(), QSize(320, 210));
    again.hide();

    // Left on a monitor that is no longer there.
    QSettings settings(QStringLiteral("Vornel"), QStringLiteral("vornel"));
    const QRect left = settings.value("ferestre/0/Locul/cadru").toRect();
    settings.setValue("ferestre/0/Locul/cadru", left.translated(screen.width() + 500, 0));
    FormWindow moved(QStringLiteral("Locul"));
    moved.setAttribute(Qt::WA_DeleteOnClose, false);
    moved.show();
    EXPECT_EQ(moved.frameGeometry(),
              QRect(screen.right() + 1 - left.width(), left.top(), left.width(), left.height()));
    moved.hide();

    // Another user of the suite on the same account of the machine keeps the window's own size.
    ComponentContext::current().idUsers = 7;
    FormWindow other(QStringLiteral("Locul"));
    other.setAttribute(Qt::WA_DeleteOnClose, false);
    other.resize(150, 120);
    other.show();
    EXPECT_EQ(other.size(), QSize(150, 120));
    ComponentContext::current().idUsers = 0;
}
