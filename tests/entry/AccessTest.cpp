// The access-right check against a scripted "Vezi", and numbers written into SQL text.
#include "ScriptedBackend.h"
#include "support/TestSupport.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "entry/ComponentContext.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::test;

namespace {

class AccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto backend = std::make_unique<ScriptedBackend>();
        m_backend = backend.get();
        auto& context = ComponentContext::current();
        context.connection = std::make_shared<Connection>(std::move(backend));
        context.messages = std::make_unique<RecordingMessages>(m_log);
        context.rightsCode = QStringLiteral("4311");
        context.idUsers = 17;
        context.idSoc = 3;
    }
    void TearDown() override {
        auto& context = ComponentContext::current();
        context.connection.reset();
        context.messages.reset();
    }

    ScriptedBackend* m_backend = nullptr;
    std::shared_ptr<MessageLog> m_log = std::make_shared<MessageLog>();
};

} // namespace

// The five parameters in order, as the procedure tests call "Vezi" on both engines.
TEST_F(AccessTest, SendsTheParametersOfTheRightsCheck) {
    ASSERT_TRUE(VerificaAcces(QStringLiteral("S")));
    EXPECT_EQ(m_backend->procedure, "Vezi");
    const auto& p = m_backend->received;
    const auto expected = veziParameters(QStringLiteral("4311"), QStringLiteral("S"), 17, 3);
    ASSERT_EQ(p.size(), expected.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        SCOPED_TRACE(expected[i].name.toStdString());
        EXPECT_EQ(p[i].name, expected[i].name);
        EXPECT_EQ(p[i].type, expected[i].type);
        EXPECT_EQ(p[i].direction, expected[i].direction);
        EXPECT_EQ(p[i].size, expected[i].size);
        if (i > 0) { // the return value holds the answer after the call
            EXPECT_EQ(p[i].value.toString(), expected[i].value.toString());
        }
    }
}

// Only the answer 1 refuses; the refusal's position on the screen (the rights scenarios show its text).
TEST_F(AccessTest, OnlyOneRefuses) {
    for (int allowed : {0, 2, -1, 10}) {
        m_backend->answer = allowed;
        EXPECT_TRUE(VerificaAcces(QStringLiteral("A"))) << allowed;
    }
    EXPECT_TRUE(m_log->shown.empty());
    m_backend->answer = 1;
    EXPECT_FALSE(VerificaAcces(QStringLiteral("M")));
    ASSERT_EQ(m_log->shown.size(), 1u);
    EXPECT_EQ(QString("%1 %2").arg(m_log->shown.front().first).arg(m_log->shown.front().second), "3000 4500");
}

TEST_F(AccessTest, ADatabaseErrorStopsTheActionWithItsDescription) {
    m_backend->fail = true;
    EXPECT_FALSE(VerificaAcces(QStringLiteral("S")));
    ASSERT_EQ(m_log->shown.size(), 1u);
    EXPECT_EQ(m_log->shown.front().text, "Could not find stored procedure 'Vezi'.");
    EXPECT_EQ(m_log->shown.front().icon, 16);
    EXPECT_EQ(m_log->shown.front().title, "Eroare");
}

// No thousands separators and no exponent, whatever the locale's decimal sign.
TEST(NumarCuPunct, SameTextUnderDecimalCommaAndDecimalPointLocales) {
    const QLocale saved;
    const std::pair<double, const char*> cases[] = {
        {1234.5, "1234.5"},         {-1234.25, "-1234.25"},    {0.1, "0.1"},          {0, "0"},
        {1234567.89, "1234567.89"}, {1e14, "100000000000000"}, {0.000012, "0.000012"}};
    for (const char* name : {"ro_RO", "en_US", "de_DE"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        for (const auto& [value, text] : cases)
            EXPECT_EQ(NumarCuPunct(value), text) << name;
    }
    QLocale::setDefault(saved);
}
