// Loading and unloading of the component's windows.
#include "controls/FormWindow.h"
#include "entry/ComponentContext.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace vornel {

// A window that records what its closing handlers saw.
class ProbeWindow : public FormWindow {
    Q_OBJECT
public:
    ProbeWindow() : FormWindow(QStringLiteral("ProbeWindow")) {}
    bool refuse = false;
    std::vector<bool> queries; // byCode of each queryUnload
    int unloads = 0;

protected:
    bool queryUnload(bool byCode) override {
        queries.push_back(byCode);
        return !refuse;
    }
    void onUnload() override { ++unloads; }
};

} // namespace vornel

using namespace vornel;

namespace {

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

TEST(FormWindow, UserCloseAsksWithByCodeFalseAndMayBeRefused) {
    auto& context = ComponentContext::current();
    QPointer<ProbeWindow> window = &context.instance<ProbeWindow>();
    EXPECT_EQ(context.window("ProbeWindow"), window.data()); // registered under its class name
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    window->show();
    window->refuse = true;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->queries, std::vector<bool>{false});
    EXPECT_EQ(window->unloads, 0);
    EXPECT_TRUE(window->isVisible());

    window->refuse = false;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(window->unloads, 1);
    flushDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(context.window("ProbeWindow"), nullptr);
}

TEST(FormWindow, UnloadByCodeDestroysEvenAHiddenWindowAndTheNextUseBuildsAfresh) {
    auto& context = ComponentContext::current();
    QPointer<ProbeWindow> first = &context.instance<ProbeWindow>(); // built, never shown
    first->unload();
    EXPECT_EQ(first->queries, std::vector<bool>{true});
    EXPECT_EQ(first->unloads, 1);
    // Forgotten at once, before the deferred delete runs.
    EXPECT_EQ(context.window("ProbeWindow"), nullptr);
    auto& second = context.instance<ProbeWindow>();
    EXPECT_NE(&second, first.data());
    flushDeletes();
    EXPECT_TRUE(first.isNull());
    // The old window's destruction leaves the new instance registered.
    EXPECT_EQ(context.window("ProbeWindow"), &second);
    second.unload();
    second.unload(); // a second unload is harmless
    flushDeletes();
}

#include "FormWindowTest.moc"
