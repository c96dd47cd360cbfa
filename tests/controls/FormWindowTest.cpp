// Loading and unloading of the component's windows.
#include "controls/FormWindow.h"
#include "entry/ComponentContext.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace vornel {

// A window that records what its closing handlers saw. Closing by the user, and refusing to, is
// shown by the windows' scenarios.
class ProbeWindow : public FormWindow {
    Q_OBJECT
public:
    ProbeWindow() : FormWindow(QStringLiteral("ProbeWindow")) {}
    std::vector<bool> queries; // byCode of each queryUnload
    int unloads = 0;

protected:
    bool queryUnload(bool byCode) override {
        queries.push_back(byCode);
        return true;
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
