// The company parameters window on a demo database: values that carry quotes round-trip, a save
// the database refuses keeps the window open, the overheads check reads the pending row, and the
// company's data come from a stand-in ANAF register without being saved.
#include "company/ParamSocietate.h"
#include "controls/EditableGrid.h"
#include "data/Connection.h"
#include "data/sqlite/DemoDatabase.h"
#include "data/sqlite/SqliteBackend.h"
#include "entry/ComponentContext.h"

#include "LocalAnafServer.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

struct Shown {
    QString text;
    QString title;
};

class Recording : public MessageWindow {
public:
    explicit Recording(std::vector<Shown>& log) : m_log(log) {}
    int Afiseaza(const QString& text, int, int, const QString& title, int, int) override {
        m_log.push_back({text, title});
        return MessageResult::Ok;
    }

private:
    std::vector<Shown>& m_log;
};

class ParamSocietateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("firma.db"));
        DemoDatabase::create(path);
        auto& ctx = ComponentContext::current();
        ctx.connection = Connection::open("sqlite:" + path);
        ctx.idSoc = 1;
        ctx.messages = std::make_unique<Recording>(shown);
    }
    void TearDown() override {
        auto& ctx = ComponentContext::current();
        if (auto* window = ctx.loaded<ParamSocietate>()) window->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ctx.messages.reset();
        ctx.connection.reset();
    }

    ParamSocietate& open() {
        auto& window = ComponentContext::current().instance<ParamSocietate>();
        window.Incarca();
        return window;
    }
    QLineEdit* field(ParamSocietate& window, const char* name) {
        return window.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QString scalar(const QString& sql) {
        return ComponentContext::current().connection->scalar(sql).toString();
    }

    std::vector<Shown> shown;
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ParamSocietateTest, HostileTextsAreStoredByteForByteAndChangeNothingElse) {
    const QString hostile[] = {"x' OR '1'='1", "x'); DELETE FROM pRegie;--", "'", "''", "a\\\n'b"};
    for (const QString& value : hostile) {
        ParamSocietate& window = open();
        field(window, "txtDs")->setText(value);
        field(window, "txtTigari")->setText(value);
        window.cmdAction(0)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown.empty()) << value.toStdString();
        EXPECT_EQ(scalar("SELECT DenumireS FROM AdmTivra.dbo.Societati WHERE ID = 1"), value.trimmed());
        EXPECT_EQ(scalar("SELECT Tigari FROM AdmTivra.dbo.Societati WHERE ID = 1"), value);
        EXPECT_EQ(scalar("SELECT Count(*) FROM pRegie"), "12");
        EXPECT_EQ(scalar("SELECT Count(*) FROM AdmTivra.dbo.Societati"),
                  scalar("SELECT Count(*) FROM AdmTivra.dbo.Societati WHERE ID >= 1"));
    }
}

TEST_F(ParamSocietateTest, RefusedSaveKeepsTheWindowAndWhatWasTyped) {
    static_cast<SqliteBackend&>(ComponentContext::current().connection->backend())
        .executeNative("CREATE TRIGGER AdmTivra.blocat BEFORE UPDATE ON Societati BEGIN SELECT RAISE(ABORT, "
                       "'societate blocata'); END");
    ParamSocietate& window = open();
    field(window, "txtDs")->setText("Nume nou");
    window.cmdAction(0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.contains("societate blocata"));
    EXPECT_EQ(shown[0].title, "Parametri Societate");
    ASSERT_NE(ComponentContext::current().loaded<ParamSocietate>(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(field(window, "txtDs")->text(), "Nume nou");
    EXPECT_EQ(scalar("SELECT DenumireS FROM AdmTivra.dbo.Societati WHERE ID = 1"), "LEMNART PRODCOM SRL");
}

TEST_F(ParamSocietateTest, OverheadsCheckReadsTheValuesAboutToBeWritten) {
    ParamSocietate& window = open();
    window.cmdAction(2)->click();
    EditableGrid* grid = window.gridEX1();
    ASSERT_EQ(grid->dataRows(), 12);

    // The check reads the edited amount, not the stored one: a stored negative would pass unseen.
    ComponentContext::current().connection->execute("UPDATE pRegie SET Valoare = -1 WHERE Luna = 8");
    ASSERT_TRUE(grid->editCell(7, 3, "10"));
    EXPECT_TRUE(window.VerificaRegie(7));
    grid->cancelRow();

    // The month compared is the edited one: moving month 8 back into the calculated period is refused.
    ASSERT_TRUE(grid->editCell(7, 2, "2"));
    EXPECT_FALSE(window.VerificaRegie(7));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Perioada Validata Modificare Imposibila ");
    EXPECT_EQ(shown[0].title, "Date Eronate");
    grid->cancelRow();

    // A month after the calculated one passes, at the boundary too.
    ASSERT_TRUE(grid->editCell(3, 3, "1"));
    EXPECT_TRUE(window.VerificaRegie(3));
    grid->cancelRow();
    ASSERT_TRUE(grid->editCell(2, 3, "1"));
    EXPECT_FALSE(window.VerificaRegie(2)); // month 3 is "martie" itself
}

TEST_F(ParamSocietateTest, AnafFillsTheFieldsButSavesNothingAndAFailureChangesNothing) {
    // The service address comes from the per-user settings, kept here in the test's own folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("cfg")));
    vornel::test::LocalAnafServer server;
    QSettings(QStringLiteral("Vornel"), QStringLiteral("vornel"))
        .setValue(QStringLiteral("anaf.url"), server.url());
    const auto texts = [this](ParamSocietate& window) {
        QStringList values;
        for (QLineEdit* edit : window.findChildren<QLineEdit*>())
            values << edit->objectName() + '=' + edit->text();
        return values;
    };

    server.status = 503;
    ParamSocietate& window = open();
    auto* button = window.findChild<QPushButton*>(QStringLiteral("cmdAnaf"));
    const QStringList before = texts(window);
    button->click();
    EXPECT_FALSE(button->isEnabled()); // busy until the register answers
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }, 5000));
    EXPECT_TRUE(shown[0].text.startsWith("Serviciul ANAF a raspuns cu eroarea HTTP 503."));
    EXPECT_EQ(shown[0].title, "Parametri Societate");
    EXPECT_EQ(texts(window), before);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), "Preia date ANAF");

    server.status = 200;
    server.body = vornel::test::anafFound();
    field(window, "txtDs")->setText("Alt nume");
    field(window, "txtTelefon_0")->clear();
    button->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 5000));
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(field(window, "txtDs")->text(), "LEMNART PRODCOM SRL");
    EXPECT_EQ(field(window, "txtAdresa")->text(), "Str. Fabricii nr. 12, Cladirea B");
    EXPECT_EQ(field(window, "txtOras")->text(), "Mun. Cluj-Napoca");
    EXPECT_EQ(field(window, "txtJudet")->text(), "CLUJ");
    EXPECT_EQ(field(window, "txtNrInm")->text(), "J12/1234/2015");
    EXPECT_EQ(field(window, "txtTelefon_0")->text(), "0264111222");
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblStareTva"))->text(),
              "ANAF: platitor de TVA, contribuabil activ, inscris in RO e-Factura");
    EXPECT_EQ(field(window, "txtCodFiscal")->toolTip(), "Cod fiscal valid");
    EXPECT_EQ(scalar("SELECT Adresa FROM AdmTivra.dbo.Societati WHERE ID = 1"), "Str. Fabricii nr. 12");

    // A code that fails its check is not sent.
    field(window, "txtCodFiscal")->setText("RO10203040");
    button->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Codul fiscal RO10203040 nu este valid: datele nu pot fi cerute de la ANAF.");
    EXPECT_EQ(server.requests.size(), 2);
}
