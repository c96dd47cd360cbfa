// Apel on an embedded database: captions that reach the catalogue list, and a new Apel after Iesire.
#include "RecordingMessages.h"

#include "catalogs/GridComun.h"
#include "data/Connection.h"
#include "data/sqlite/DemoDatabase.h"
#include "entry/ComponentContext.h"
#include "entry/Vornel.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::test;

namespace {

class VornelDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath("firma.db");
        DemoDatabase::createEmpty(path);
        m_connection = Connection::open(QStringLiteral("sqlite:") + path);
        m_vornel.setMessageWindowFactory([log = m_log] { return std::make_unique<RecordingMessages>(log); });
    }
    void TearDown() override {
        m_vornel.InchideTot();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ComponentContext::current().messages.reset();
    }

    QTemporaryDir m_dir;
    std::shared_ptr<Connection> m_connection;
    std::shared_ptr<MessageLog> m_log = std::make_shared<MessageLog>();
    Vornel m_vornel;
};

} // namespace

TEST_F(VornelDispatchTest, BancaTertOpensTheBankListLikeBanci) {
    auto& context = ComponentContext::current();
    m_vornel.Apel(m_connection, QStringLiteral("Banca Tert"), 1, 1);
    GridComun* list = context.loaded<GridComun>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->caption(), "Banci");
    EXPECT_EQ(context.rightsCode, "4311");
    EXPECT_TRUE(list->isVisible());
}

TEST_F(VornelDispatchTest, CaptionsCompareCaseSensitively) {
    m_vornel.Apel(m_connection, QStringLiteral("salarii"), 1, 1);
    // Handed to the catalogue list, which knows no such catalogue: not the salary window's message.
    ASSERT_EQ(m_log->shown.size(), 1u);
    EXPECT_NE(m_log->shown.front().title, "Salarii");
}

TEST_F(VornelDispatchTest, AfterIesireANewApelOpensWithTheNewArguments) {
    auto& context = ComponentContext::current();
    QSignalSpy iesire(&m_vornel, &Vornel::Iesire);
    m_vornel.Apel(m_connection, QStringLiteral("Rate TVA"), 1, 1);
    ASSERT_NE(context.loaded<GridComun>(), nullptr);
    context.InchideTot();
    EXPECT_EQ(iesire.count(), 1);
    EXPECT_EQ(context.loaded<GridComun>(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    m_vornel.Apel(m_connection, QStringLiteral("Banci"), 1, 2);
    ASSERT_NE(context.loaded<GridComun>(), nullptr);
    EXPECT_EQ(context.loaded<GridComun>()->caption(), "Banci");
    EXPECT_EQ(context.idUsers, 2);
}
