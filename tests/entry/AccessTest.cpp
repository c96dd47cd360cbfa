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

TEST_F(AccessTest, SendsTheFiveParametersInOrder) {
    ASSERT_TRUE(VerificaAcces(QStringLiteral("S")));
    EXPECT_EQ(m_backend->procedure, "Vezi");
    const auto& p = m_backend->received;
    ASSERT_EQ(p.size(), 5u);
    struct Expected {
        const char* name;
        DataType type;
        ParameterDirection direction;
        int size;
        QVariant value;
    };
    const std::vector<Expected> expected = {
        {"RETURN_VALUE", DataType::Integer, ParameterDirection::ReturnValue, 0, {}},
        {"nr", DataType::VarWChar, ParameterDirection::Input, 50, QStringLiteral("4311")},
        {"tip", DataType::VarWChar, ParameterDirection::Input, 1, QStringLiteral("S")},
        {"user", DataType::BigInt, ParameterDirection::Input, 0, qint64(17)},
        {"IdSoc", DataType::BigInt, ParameterDirection::Input, 0, qint64(3)},
    };
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p[i].name, expected[i].name);
        EXPECT_EQ(p[i].type, expected[i].type) << expected[i].name;
        EXPECT_EQ(p[i].direction, expected[i].direction) << expected[i].name;
        EXPECT_EQ(p[i].size, expected[i].size) << expected[i].name;
        if (i > 0) { // the return value holds the answer after the call
            EXPECT_EQ(p[i].value.toString(), expected[i].value.toString()) << expected[i].name;
        }
    }
}

TEST_F(AccessTest, OnlyOneRefuses) {
    for (int allowed : {0, 2, -1, 10}) {
        m_backend->answer = allowed;
        EXPECT_TRUE(VerificaAcces(QStringLiteral("A"))) << allowed;
    }
    EXPECT_TRUE(m_log->shown.empty());

    m_backend->answer = 1;
    EXPECT_FALSE(VerificaAcces(QStringLiteral("M")));
    ASSERT_EQ(m_log->shown.size(), 1u);
    const Message& m = m_log->shown.front();
    EXPECT_EQ(m.text, "Pentru aceasta operatiune nu aveti acces!\r\nContactati administratorul de retea !");
    EXPECT_EQ(m.icon, 64);
    EXPECT_EQ(m.buttons, 0);
    EXPECT_EQ(m.title, "Cerere respinsa!");
    EXPECT_EQ(m.first, 3000);
    EXPECT_EQ(m.second, 4500);
}

TEST_F(AccessTest, ADatabaseErrorStopsTheActionWithItsDescription) {
    m_backend->fail = true;
    EXPECT_FALSE(VerificaAcces(QStringLiteral("S")));
    ASSERT_EQ(m_log->shown.size(), 1u);
    EXPECT_EQ(m_log->shown.front().text, "Could not find stored procedure 'Vezi'.");
    EXPECT_EQ(m_log->shown.front().icon, 16);
    EXPECT_EQ(m_log->shown.front().title, "Eroare");
}

TEST(NumarCuPunct, SameTextUnderDecimalCommaAndDecimalPointLocales) {
    const QLocale saved;
    for (const char* name : {"ro_RO", "en_US", "de_DE"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        EXPECT_EQ(NumarCuPunct(1234.5), "1234.5") << name;
        EXPECT_EQ(NumarCuPunct(7), "7") << name;
        EXPECT_EQ(NumarCuPunct(-1234.25), "-1234.25") << name;
        EXPECT_EQ(NumarCuPunct(0.1), "0.1") << name;
        EXPECT_EQ(NumarCuPunct(0), "0") << name;
        EXPECT_EQ(NumarCuPunct(1234567.89), "1234567.89") << name;             // no thousands separators
        EXPECT_EQ(NumarCuPunct(100000000000000.0), "100000000000000") << name; // no exponent
        EXPECT_EQ(NumarCuPunct(0.000012), "0.000012") << name;
    }
    QLocale::setDefault(saved);
}
