// Apel's dispatch of the captions without a catalogue, and the close-all routine.
#include "ScriptedBackend.h"
#include "support/TestSupport.h"

#include "controls/FormWindow.h"
#include "data/Connection.h"
#include "entry/ComponentContext.h"
#include "entry/Vornel.h"

#include <QPointer>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::test;

namespace {

// Stands in for a real window under its name; records the order of the unloads.
class NamedWindow : public FormWindow {
public:
    NamedWindow(const QString& name, std::vector<QString>* order, std::function<void()> onClose = {})
        : FormWindow(name), m_order(order), m_onClose(std::move(onClose)) {}

protected:
    bool queryUnload(bool byCode) override {
        EXPECT_TRUE(byCode);
        if (m_onClose) m_onClose();
        return true;
    }
    void onUnload() override { m_order->push_back(objectName()); }

private:
    std::vector<QString>* m_order;
    std::function<void()> m_onClose;
};

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class VornelTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_vornel.setMessageWindowFactory([log = m_log] { return std::make_unique<RecordingMessages>(log); });
    }
    void TearDown() override {
        auto& context = ComponentContext::current();
        context.messages.reset();
        context.rightsCode.clear();
    }

    std::shared_ptr<MessageLog> m_log = std::make_shared<MessageLog>();
    Vornel m_vornel;
};

} // namespace

TEST_F(VornelTest, InchideTotUnloadsInTheFixedOrderAndRaisesIesireOnce) {
    std::vector<QString> order;
    // Built in another order than the one they are unloaded in; one window is not loaded.
    std::vector<QPointer<NamedWindow>> windows;
    for (const char* name : {"Salarii", "GridComun", "TipuriProdus", "GridDetail", "ConfDocOut",
                             "GridDetailMare", "AlegeGrupaProd"})
        windows.emplace_back(new NamedWindow(QString::fromLatin1(name), &order));
    ComponentContext::current().component = &m_vornel;

    QSignalSpy iesire(&m_vornel, &Vornel::Iesire);
    int callbacks = 0;
    m_vornel.setIesireCallback([&callbacks] { ++callbacks; });
    ComponentContext::current().InchideTot();

    const std::vector<QString> expected = {"GridDetail",     "AlegeGrupaProd", "ConfDocOut", "GridComun",
                                           "GridDetailMare", "TipuriProdus",   "Salarii"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(iesire.count(), 1);
    EXPECT_EQ(callbacks, 1);
    for (const char* name : {"GridDetail", "GridComun", "Salarii"})
        EXPECT_EQ(ComponentContext::current().window(QString::fromLatin1(name)), nullptr) << name;
    flushDeletes();
    for (const auto& window : windows)
        EXPECT_TRUE(window.isNull());
}

TEST_F(VornelTest, AWindowThatCallsInchideTotWhileUnloadingDoesNotReenter) {
    std::vector<QString> order;
    new NamedWindow(QStringLiteral("GridComun"), &order, [] { ComponentContext::current().InchideTot(); });
    new NamedWindow(QStringLiteral("Salarii"), &order);
    ComponentContext::current().component = &m_vornel;
    QSignalSpy iesire(&m_vornel, &Vornel::Iesire);
    m_vornel.InchideTot();
    EXPECT_EQ(order, (std::vector<QString>{"GridComun", "Salarii"}));
    EXPECT_EQ(iesire.count(), 1);
    flushDeletes();

    // After Iesire the same object closes again when asked.
    m_vornel.InchideTot();
    EXPECT_EQ(iesire.count(), 2);
}

TEST(VornelLifetime, ReleasingTheObjectDropsTheConnectionAndItself) {
    auto& context = ComponentContext::current();
    {
        Vornel vornel;
        vornel.setMessageWindowFactory(
            [] { return std::make_unique<RecordingMessages>(std::make_shared<MessageLog>()); });
        auto connection = std::make_shared<Connection>(std::make_unique<ScriptedBackend>());
        vornel.Apel(connection, QStringLiteral("Salarii"), 1, 1);
        EXPECT_EQ(context.connection, connection);
        context.idSoc = 99;
        EXPECT_EQ(context.component, &vornel);
    }
    EXPECT_EQ(context.component, nullptr);
    EXPECT_EQ(context.connection, nullptr);
    EXPECT_EQ(context.idSoc, 99); // nothing else is reset
    context.messages.reset();
}
