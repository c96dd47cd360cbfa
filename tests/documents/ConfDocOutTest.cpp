// The series window on a demo database: grid navigation, what reaches "Start", the packaging
// accounts of a series, and the selector's ways out.
#include "documents/ConfDocOut.h"
#include "controls/FlexGrid.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/sqlite/DemoDatabase.h"
#include "documents/frmConturi.h"
#include "entry/ComponentContext.h"
#include "entry/Vornel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

class Recording : public MessageWindow {
public:
    explicit Recording(std::vector<QString>& log) : m_log(log) {}
    int Afiseaza(const QString& text, int, int, const QString&, int, int) override {
        m_log.push_back(text);
        return MessageResult::Yes;
    }

private:
    std::vector<QString>& m_log;
};

class SeriesWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("firma.db"));
        DemoDatabase::create(path);
        m_connection = Connection::open("sqlite:" + path);
        m_connection->addObserver([this](const QString& sql) { executed.push_back(sql); });
        m_vornel.setMessageWindowFactory([this] { return std::make_unique<Recording>(shown); });
        m_vornel.Apel(m_connection, QStringLiteral("Documente de iesire"), 1, 1);
        window = ComponentContext::current().loaded<ConfDocOut>();
        ASSERT_NE(window, nullptr);
        executed.clear();
    }

    void TearDown() override {
        m_vornel.InchideTot();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ComponentContext::current().messages.reset();
        ComponentContext::current().connection.reset();
    }

    QString scalar(const QString& sql) { return m_connection->scalar(sql).toString(); }

    bool ran(const QString& prefix) const {
        return std::any_of(executed.begin(), executed.end(),
                           [&](const QString& s) { return s.startsWith(prefix); });
    }

    // Runs the step once the selector's modal loop is running.
    static void whileSelectorOpen(std::function<void(frmConturi&)> step) {
        QTimer::singleShot(0, [step] {
            if (auto* selector = ComponentContext::current().loaded<frmConturi>()) step(*selector);
        });
    }

    ConfDocOut* window = nullptr;
    std::vector<QString> shown;
    std::vector<QString> executed;

private:
    QTemporaryDir m_dir;
    std::shared_ptr<Connection> m_connection;
    Vornel m_vornel;
};

} // namespace

TEST_F(SeriesWindowTest, ArrowKeysShowTheRowThatWasCurrentWhenPressed) {
    FlexGrid* grid = window->grid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(window->txtDescriere()->text(), "Facturi mobilier");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(window->txtDescriere()->text(), "Facturi cu ambalaje");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(window->txtDescriere()->text(), "Facturi magazin Turda");
    EXPECT_EQ(window->cmbTipHartie()->currentText(), "A5");
    EXPECT_EQ(window->currentId(), 3);
}

TEST_F(SeriesWindowTest, ModifyCallsStartWithTheStoredCodeAndKeepsOtherSeriesAccounts) {
    window->grid()->setRow(3);
    QTest::keyClick(window->grid(), Qt::Key_Return);
    window->cmdAction(1)->click();
    window->txtNrLinFac()->setText(QStringLiteral("14"));
    window->cmdOK()->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(ran(QStringLiteral("EXEC Start")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT NrLinFactura FROM SeriiDocumente WHERE IdSerie=3")), "14");
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ConturiAmbalaje WHERE IdSeriiD=2")), "3");
    EXPECT_EQ(window->mode(), "V");
    EXPECT_EQ(window->txtDescriere()->text(), "Facturi magazin Turda"); // the modified row stays shown
}

TEST_F(SeriesWindowTest, ClosingTheSelectorByItsCloseBoxSavesNothing) {
    window->grid()->setRow(2);
    QTest::keyClick(window->grid(), Qt::Key_Return);
    window->cmdAction(1)->click();
    window->txtNrLinFac()->setText(QStringLiteral("9"));
    bool sawAccounts = false;
    whileSelectorOpen([&](frmConturi& s) {
        sawAccounts = s.txtConturi()->count() == 3 && s.cmdC()->isEnabled();
        s.close();
    });
    window->cmdOK()->click();
    EXPECT_TRUE(sawAccounts);
    EXPECT_FALSE(ran(QStringLiteral("EXEC Start")));
    EXPECT_EQ(window->mode(), "M"); // the edit goes on
    EXPECT_EQ(scalar(QStringLiteral("SELECT NrLinFactura FROM SeriiDocumente WHERE IdSerie=2")), "15");
}

TEST_F(SeriesWindowTest, SwitchingAwayFromPackagingDropsTheSeriesAccounts) {
    window->grid()->setRow(2);
    QTest::keyClick(window->grid(), Qt::Key_Return);
    window->cmdAction(1)->click();
    window->cmbTipFactura()->setCurrentIndex(0);
    window->cmdOK()->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ConturiAmbalaje WHERE IdSeriiD=2")), "0");
    EXPECT_EQ(scalar(QStringLiteral("SELECT NrLinAmbalaje FROM SeriiDocumente WHERE IdSerie=2")), "0");
}

TEST_F(SeriesWindowTest, RefusedAddLeavesNoAccountsAndShowsTheStoredSeries) {
    window->cmdAction(0)->click();
    window->txtDescriere()->setText(QStringLiteral("Dubla"));
    window->txtSerie()->setText(QStringLiteral("lmc")); // the code of another series
    window->txtPD()->setText(QStringLiteral("1"));
    window->txtUD()->setText(QStringLiteral("10"));
    window->cmdOK()->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Exista documente in curs sau documente cu aceiasi serie !");
    EXPECT_FALSE(ran(QStringLiteral("delete from ConturiAmbalaje")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM SeriiDocumente")), "5");
    EXPECT_EQ(window->mode(), "V");
    EXPECT_NE(window->txtDescriere()->text(), "Dubla");
}

TEST_F(SeriesWindowTest, ApostrophesReachTheDatabaseUnchanged) {
    window->cmdAction(0)->click();
    window->txtDescriere()->setText(QStringLiteral("Facturi d'Arc"));
    window->txtSerie()->setText(QStringLiteral("L'A"));
    window->txtPD()->setText(QStringLiteral("1"));
    window->txtUD()->setText(QStringLiteral("10"));
    window->cmbTipFactura()->setCurrentIndex(3);
    whileSelectorOpen([](frmConturi& s) {
        s.txtConturi()->addItem(QStringLiteral("381.02 - Ambalaje - lazi lemn"));
        s.cmdC()->setEnabled(true);
        s.txtNrLinAmbalaje()->setText(QStringLiteral("2"));
        s.Iesire();
    });
    window->cmdOK()->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT Descriere FROM SeriiDocumente WHERE Serie='L''A'")),
              "Facturi d'Arc");
    EXPECT_EQ(scalar(QStringLiteral("SELECT c.Cont FROM ConturiAmbalaje c JOIN SeriiDocumente s ON "
                                    "s.IdSerie=c.IdSeriiD WHERE s.Serie='L''A'")),
              "381.02");
    EXPECT_EQ(window->txtDescriere()->text(), "Facturi d'Arc"); // found again by its description
}

TEST_F(SeriesWindowTest, SelectorTypeAheadFiltersAndEscapeReturnsToTheAccountField) {
    window->cmdAction(0)->click();
    window->cmbTipFactura()->setCurrentIndex(3);
    window->txtDescriere()->setText(QStringLiteral("X"));
    window->txtSerie()->setText(QStringLiteral("X"));
    window->txtPD()->setText(QStringLiteral("1"));
    window->txtUD()->setText(QStringLiteral("2"));
    int afterSearch = 0, afterTyping = 0, afterMiss = 0;
    bool frameHidden = false;
    whileSelectorOpen([&](frmConturi& s) {
        s.txtCont()->setText(QStringLiteral("38"));
        QTest::keyClick(s.txtCont(), Qt::Key_Return);
        afterSearch = s.GridC()->Rows() - 1;
        s.GridC()->setCol(1);
        QTest::keyClicks(s.GridC(), QStringLiteral("Ambalaje - c"));
        afterTyping = s.GridC()->Rows() - 1;
        QTest::keyClick(s.GridC(), Qt::Key_Z); // nothing matches: every row comes back
        afterMiss = s.GridC()->Rows() - 1;
        QTest::keyClick(s.GridC(), Qt::Key_Escape);
        frameHidden = s.fmeConturi()->isHidden() && s.focusWidget() == s.txtCont();
        s.hide();
    });
    window->cmdOK()->click();
    EXPECT_EQ(afterSearch, 5); // 381, 381.01, 381.02, 381.03, 388
    EXPECT_EQ(afterTyping, 1);
    EXPECT_EQ(afterMiss, 5);
    EXPECT_TRUE(frameHidden);
}

TEST_F(SeriesWindowTest, CloseBoxClosesTheComponentAndTheSelector) {
    ComponentContext::current().instance<frmConturi>();
    int iesire = 0;
    QObject::connect(ComponentContext::current().component, &Vornel::Iesire, [&] { ++iesire; });
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(iesire, 1);
    EXPECT_EQ(ComponentContext::current().loaded<ConfDocOut>(), nullptr);
    EXPECT_EQ(ComponentContext::current().loaded<frmConturi>(), nullptr);
}
