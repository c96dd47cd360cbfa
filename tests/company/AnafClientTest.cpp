// The ANAF client against a stand-in register on 127.0.0.1: the request it sends, the company it
// reads from the documented answer, and one clear message for every way the service can fail.
#include "company/AnafClient.h"

#include "LocalAnafServer.h"

#include <QJsonDocument>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace vornel;
using namespace std::chrono_literals;
using vornel::test::LocalAnafServer;

namespace {

struct Outcome {
    int answers = 0;
    std::optional<AnafCompany> company;
    QString message;
};

Outcome ask(AnafClient& client, const QString& cif = QStringLiteral("10203045")) {
    Outcome outcome;
    QObject::connect(&client, &AnafClient::found, &client, [&outcome](const AnafCompany& company) {
        ++outcome.answers;
        outcome.company = company;
    });
    QObject::connect(&client, &AnafClient::failed, &client, [&outcome](const QString& message) {
        ++outcome.answers;
        outcome.message = message;
    });
    client.lookup(cif, QDate(2026, 3, 2));
    EXPECT_TRUE(client.busy());
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.answers > 0; }, 5000));
    QTest::qWait(50); // a second answer would come now
    EXPECT_EQ(outcome.answers, 1);
    EXPECT_FALSE(client.busy());
    return outcome;
}

} // namespace

TEST(AnafClient, PostsTheCodeAndDayAndReadsTheCompany) {
    LocalAnafServer server;
    server.body = test::anafFound(true);
    AnafClient client(server.url());
    const Outcome outcome = ask(client);
    ASSERT_TRUE(outcome.company) << outcome.message.toStdString();
    const AnafCompany& c = *outcome.company;
    // The address without the register's diacritics.
    EXPECT_EQ(QStringList({c.denumire, c.adresa, c.judet, c.oras, c.nrRegCom, c.telefon}).join(u'|'),
              "LEMNART PRODCOM SRL|Str. Fabricii nr. 12, Cladirea B|CLUJ|Mun. "
              "Cluj-Napoca|J12/1234/2015|0264111222");
    EXPECT_EQ(QString("%1%2%3%4").arg(c.platitorTva).arg(c.tvaLaIncasare).arg(c.inactiv).arg(c.eFactura),
              "1101");

    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray request = server.requests.first();
    EXPECT_TRUE(request.startsWith("POST /api/PlatitorTvaRest/v9/tva HTTP/1.1\r\n"));
    EXPECT_TRUE(request.toLower().contains("content-type: application/json"));
    const QByteArray body = request.mid(request.indexOf("\r\n\r\n") + 4);
    EXPECT_EQ(QJsonDocument::fromJson(body).toJson(QJsonDocument::Compact),
              R"([{"cui":10203045,"data":"2026-03-02"}])");
}

TEST(AnafClient, EveryFailureGetsItsOwnMessage) {
    constexpr int kNoServer = -1, kNoAnswer = 0;
    const struct {
        int status;
        QByteArray body;
        const char* message;
    } failures[] = {
        {kNoServer, "", "Serviciul ANAF nu poate fi contactat ("},
        {kNoAnswer, "", "Serviciul ANAF nu a raspuns in 1 s. Incercati din nou mai tarziu."},
        {500, "Internal error", "Serviciul ANAF a raspuns cu eroarea HTTP 500."},
        {200, R"({"cod":200,"message":"SUCCESS","found":[],"notFound":[10203045]})",
         "Codul fiscal 10203045 nu figureaza in registrul ANAF."},
        {200, test::anafFound().replace("10203045", "10203053"),
         "Codul fiscal 10203045 nu figureaza in registrul ANAF."},
        {200, R"({"cod":400,"message":"Data invalida"})",
         "Serviciul ANAF a refuzat cererea (400: Data invalida)."},
        {200, "<html>Service Unavailable</html>", "Raspunsul serviciului ANAF nu poate fi citit."},
        {200, R"({"cod":200,"message":"SUCCESS","rezultat":[]})",
         "Raspunsul serviciului ANAF nu poate fi citit."},
        {200, test::anafFound().replace("\"LEMNART PRODCOM SRL\"", "\"\""),
         "Raspunsul serviciului ANAF nu poate fi citit."},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.message);
        LocalAnafServer server;
        server.status = f.status;
        server.silent = f.status == kNoAnswer;
        server.body = f.body;
        AnafClient client(f.status == kNoServer ? LocalAnafServer::deadUrl() : server.url(), 300ms);
        const Outcome outcome = ask(client);
        EXPECT_FALSE(outcome.company);
        EXPECT_TRUE(outcome.message.startsWith(QLatin1String(f.message))) << outcome.message.toStdString();
    }
}

TEST(AnafClient, OneQuestionAtATimeAndNoAnswerAfterItIsGone) {
    LocalAnafServer server;
    server.silent = true;
    auto client = std::make_unique<AnafClient>(server.url());
    int answers = 0;
    QObject::connect(client.get(), &AnafClient::failed, [&answers] { ++answers; });
    client->lookup(QStringLiteral("10203045"), QDate(2026, 3, 2));
    client->lookup(QStringLiteral("10203045"), QDate(2026, 3, 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests.isEmpty(); }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(server.requests.size(), 1);
    client.reset(); // the window closed while the register was still thinking
    QTest::qWait(100);
    EXPECT_EQ(answers, 0);
}
