// The company parameters window on a demo database: the company's data come from a stand-in ANAF
// register into the fields without being saved, and a failure changes nothing.
#include "support/TestSupport.h"

#include "company/ParamSocietate.h"

#include "LocalAnafServer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace vornel;
using namespace vornel::test;

TEST_F(DemoCompanyTest, AnafFillsTheFieldsButSavesNothingAndAFailureChangesNothing) {
    // The service address comes from the per-user settings (the test run's own folder).
    LocalAnafServer server;
    QSettings(QStringLiteral("Vornel"), QStringLiteral("vornel"))
        .setValue(QStringLiteral("anaf.url"), server.url());
    const auto field = [](ParamSocietate& window, const char* name) {
        return window.findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    const auto texts = [](ParamSocietate& window) {
        QStringList values;
        for (QLineEdit* edit : window.findChildren<QLineEdit*>())
            values << edit->objectName() + '=' + edit->text();
        return values;
    };

    server.status = 503;
    ParamSocietate& window = open<ParamSocietate>();
    auto* button = window.findChild<QPushButton*>(QStringLiteral("cmdAnaf"));
    const QStringList before = texts(window);
    button->click();
    EXPECT_FALSE(button->isEnabled()); // busy until the register answers
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown().empty(); }, 5000));
    EXPECT_TRUE(shown()[0].text.startsWith("Serviciul ANAF a raspuns cu eroarea HTTP 503."));
    EXPECT_EQ(shown()[0].title, "Parametri Societate");
    EXPECT_EQ(texts(window), before);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), "Preia date ANAF");

    server.status = 200;
    server.body = anafFound();
    field(window, "txtDs")->setText("Alt nume");
    field(window, "txtTelefon_0")->clear();
    button->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 5000));
    EXPECT_EQ(shown().size(), 1u);
    // Each field the register answers (the client test reads them all from the answer).
    QStringList filled;
    for (const char* name : {"txtDs", "txtAdresa", "txtOras", "txtJudet", "txtNrInm", "txtTelefon_0"})
        filled << field(window, name)->text();
    EXPECT_EQ(filled.join(u'|'), "LEMNART PRODCOM SRL|Str. Fabricii nr. 12, Cladirea B|Mun. Cluj-Napoca|CLUJ|"
                                 "J12/1234/2015|0264111222");
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblStareTva"))->text(),
              "ANAF: platitor de TVA, contribuabil activ, inscris in RO e-Factura");
    EXPECT_EQ(field(window, "txtCodFiscal")->toolTip(), "Cod fiscal valid");
    EXPECT_EQ(scalar("SELECT Adresa FROM AdmTivra.dbo.Societati WHERE ID = 1"), "Str. Fabricii nr. 12");

    // A code that fails its check is not sent.
    field(window, "txtCodFiscal")->setText("RO10203040");
    button->click();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].text, "Codul fiscal RO10203040 nu este valid: datele nu pot fi cerute de la ANAF.");
    EXPECT_EQ(server.requests.size(), 2);
}
