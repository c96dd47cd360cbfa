// The product type editor as the catalogue list opens it: the keyboard path through the fields,
// accounts that count only when picked in the chooser, and the save with its checks and
// statements. The scenarios cover the category list of a modified type and the exit question.
#include "catalogs/AlegeGrupaProd.h"
#include "catalogs/GridComun.h"
#include "controls/FlexGrid.h"
#include "data/Connection.h"
#include "data/sqlite/DemoDatabase.h"
#include "editors/TipuriProdus.h"
#include "entry/ComponentContext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

struct Message {
    QString text;
    int icon;
    int buttons;
    QString title;
};

class AnsweringMessages : public MessageWindow {
public:
    AnsweringMessages(std::vector<Message>& log, std::deque<int>& answers) : m_log(log), m_answers(answers) {}
    int Afiseaza(const QString& text, int icon, int buttons, const QString& title, int, int) override {
        m_log.push_back({text, icon, buttons, title});
        if (buttons != MessageButtons::YesNo) return MessageResult::Ok;
        const int answer = m_answers.empty() ? MessageResult::No : m_answers.front();
        if (!m_answers.empty()) m_answers.pop_front();
        return answer;
    }

private:
    std::vector<Message>& m_log;
    std::deque<int>& m_answers;
};

class ProductTypeEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("firma.db"));
        DemoDatabase::create(path);
        auto& ctx = ComponentContext::current();
        ctx.connection = Connection::open("sqlite:" + path);
        ctx.idSoc = 1;
        ctx.idUsers = 1;
        ctx.messages = std::make_unique<AnsweringMessages>(shown, answers);
        ctx.connection->addObserver([this](const QString& sql) { executed.push_back(sql); });
        list = &ctx.instance<GridComun>();
        list->Deschide(QStringLiteral("Tipuri de produse"));
    }

    void TearDown() override {
        auto& ctx = ComponentContext::current();
        for (const char* name : {"AlegeGrupaProd", "TipuriProdus", "GridComun"})
            if (auto* w = qobject_cast<FormWindow*>(ctx.window(QString::fromLatin1(name)))) w->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ctx.messages.reset();
        ctx.connection.reset();
    }

    // Adauga, or Modifica on the list row whose code is given.
    TipuriProdus& open(const QString& code = {}) {
        if (!code.isEmpty()) {
            for (int r = 1; r < list->grid()->Rows(); ++r)
                if (list->grid()->TextMatrix(r, 0) == code) list->grid()->setRow(r);
            list->cmdAction(1)->click();
        } else {
            list->cmdAction(0)->click();
        }
        auto* editor = ComponentContext::current().loaded<TipuriProdus>();
        EXPECT_TRUE(editor);
        executed.clear();
        return *editor;
    }

    static void key(QWidget* field, Qt::Key k) {
        field->setFocus();
        QTest::keyClick(field, k);
    }

    // Enter in the account field opens the chooser; picks the row of the code (or cancels).
    QString enterAndPick(QLineEdit* field, const QString& code) {
        QString opened;
        QTimer::singleShot(0, [&] {
            auto* chooser = ComponentContext::current().loaded<AlegeGrupaProd>();
            if (!chooser) return;
            opened = chooser->kind();
            FlexGrid* g = chooser->grid();
            for (int r = 1; r < g->Rows(); ++r)
                if (g->TextMatrix(r, 0) == code) g->setRow(r);
            const bool found = g->Rows() > 1 && g->TextMatrix(g->Row(), 0) == code;
            chooser->findChild<QPushButton*>(found ? "cmdAction_0" : "cmdAction_1")->click();
        });
        key(field, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return opened;
    }

    bool editorOpen() const { return ComponentContext::current().loaded<TipuriProdus>() != nullptr; }
    QString scalar(const QString& sql) {
        return ComponentContext::current().connection->scalar(sql).toString();
    }
    bool ranCount() const {
        return std::any_of(executed.begin(), executed.end(), [](const QString& s) {
            return s.startsWith("SELECT Count(*) FROM TipuriProduse");
        });
    }
    void expectOnly(const char* text, QWidget* focus, TipuriProdus& w) {
        ASSERT_EQ(shown.size(), 1u) << shown.back().text.toStdString();
        EXPECT_EQ(shown[0].text, QString::fromLatin1(text));
        EXPECT_EQ(shown[0].icon, 16);
        EXPECT_EQ(shown[0].title, "Tipuri Produs");
        EXPECT_EQ(w.focusWidget(), focus);
        shown.clear();
    }

    GridComun* list = nullptr;
    std::vector<Message> shown;
    std::deque<int> answers;
    std::vector<QString> executed;

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ProductTypeEditorTest, AddThroughTheKeyboardPicksAccountsAndReloadsTheList) {
    TipuriProdus& w = open();
    EXPECT_FALSE(list->isEnabled());
    EXPECT_EQ(w.windowTitle(), "Tipuri Produs");
    EXPECT_EQ(w.cmbFel()->currentText(), "Mat. Stocate cu NIR");
    EXPECT_FALSE(w.txtStoc()->isHidden());
    EXPECT_TRUE(w.txtV()->isHidden());

    key(w.txtTipProdus(), Qt::Key_Return);
    expectOnly("Camp obligatoriu!!", w.txtTipProdus(), w);
    QTest::keyClicks(w.txtTipProdus(), "A'M;B%,\"");
    EXPECT_EQ(w.txtTipProdus()->text(), "AMB");
    QTest::keyClick(w.txtTipProdus(), Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.cmbFel());
    QTest::keyClick(w.cmbFel(), Qt::Key_Down); // moves inside the list in add mode
    EXPECT_EQ(w.cmbFel()->currentIndex(), 1);
    EXPECT_EQ(w.focusWidget(), w.cmbFel());
    QTest::keyClick(w.cmbFel(), Qt::Key_Up);
    QTest::keyClick(w.cmbFel(), Qt::Key_Up); // past the first item: back to the code
    EXPECT_EQ(w.focusWidget(), w.txtTipProdus());
    key(w.cmbFel(), Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.txtDescriere());
    QTest::keyClick(w.txtDescriere(), Qt::Key_Down);
    expectOnly("Camp obligatoriu!!", w.txtDescriere(), w);
    QTest::keyClicks(w.txtDescriere(), "Ambalaje");
    QTest::keyClick(w.txtDescriere(), Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.txtCh());

    // A valid account typed by hand still opens the chooser, filtered by the text.
    QTest::keyClicks(w.txtCh(), "608");
    EXPECT_EQ(enterAndPick(w.txtCh(), "608"), "Conturi de cheltuieli - Tipuri produse");
    EXPECT_EQ(w.txtCh()->text(), "608");
    EXPECT_EQ(w.expenseAccount(), "608");
    key(w.txtCh(), Qt::Key_Return); // revenue hidden: on to the stock account
    EXPECT_EQ(w.focusWidget(), w.txtStoc());
    EXPECT_EQ(enterAndPick(w.txtStoc(), "301"), "Conturi de stocuri - Tipuri produse");
    key(w.txtStoc(), Qt::Key_Left); // the caret after the picked code: moves inside the text
    EXPECT_EQ(w.focusWidget(), w.txtStoc());
    QTest::keyClick(w.txtStoc(), Qt::Key_Home);
    QTest::keyClick(w.txtStoc(), Qt::Key_Left);
    EXPECT_EQ(w.focusWidget(), w.txtCh());
    key(w.txtStoc(), Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.cmdAction(0));

    executed.clear();
    w.cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(executed.at(0), "SELECT Count(*) FROM TipuriProduse WHERE [Tip Produs] = 'AMB'");
    EXPECT_EQ(executed.at(1), "INSERT INTO TipuriProduse ( [Tip Produs], Fel, Descrire, [Cont Venit] , "
                              "[Cont Cheltuiala], Cont) Values ('AMB', 0, 'Ambalaje', '', '608', '301')");
    EXPECT_FALSE(editorOpen());
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(list->grid()->Rows(), 12); // ten demo types, the new one and the header
}

TEST_F(ProductTypeEditorTest, OnlyPickedAccountsCountAndEditingOrChangingCategoryForgetsThem) {
    TipuriProdus& w = open();
    w.txtTipProdus()->setText("SRV2");
    w.txtDescriere()->setText("Servicii");
    w.txtCh()->setText("601"); // exists, but was not picked
    w.cmdAction(0)->click();
    expectOnly("Cont inexistent!!", w.txtCh(), w);

    enterAndPick(w.txtCh(), "601");
    EXPECT_EQ(w.expenseAccount(), "601");
    w.cmdAction(0)->click();
    expectOnly("Cont inexistent!!", w.txtStoc(), w);
    w.txtCh()->setText("6011");
    EXPECT_TRUE(w.expenseAccount().isEmpty());

    enterAndPick(w.txtCh(), "601");
    enterAndPick(w.txtStoc(), "301");
    w.cmbFel()->setCurrentIndex(5); // services: expense and revenue
    EXPECT_EQ(w.focusWidget(), w.cmbFel());
    for (QLineEdit* f : {w.txtCh(), w.txtV(), w.txtStoc()})
        EXPECT_TRUE(f->text().isEmpty());
    EXPECT_TRUE(w.expenseAccount().isEmpty() && w.stockAccount().isEmpty());
    EXPECT_TRUE(w.txtStoc()->isHidden());
    EXPECT_FALSE(w.txtV()->isHidden());
    enterAndPick(w.txtCh(), "628");
    w.cmdAction(0)->click();
    expectOnly("Cont inexistent!!", w.txtV(), w);
    EXPECT_TRUE(executed.empty() || !ranCount());
}

TEST_F(ProductTypeEditorTest, TakenCodesAreRefusedAndLetterCaseCountsAsAChange) {
    TipuriProdus& add = open();
    add.txtTipProdus()->setText("MF");
    add.txtDescriere()->setText("Alt lohn");
    add.cmbFel()->setCurrentIndex(8);
    add.cmdAction(0)->click();
    expectOnly("Cod deja existent !!", add.txtTipProdus(), add);
    EXPECT_EQ(add.txtTipProdus()->selectedText(), "MF");
    EXPECT_EQ(scalar("SELECT Count(*) FROM TipuriProduse"), "10");
    answers.push_back(MessageResult::Yes);
    add.cmdAction(1)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(shown.size(), 1u); // the exit question
    shown.clear();

    TipuriProdus& renamed = open("PF");
    renamed.txtTipProdus()->setText("pf");
    renamed.cmdAction(0)->click();
    EXPECT_TRUE(ranCount());
    expectOnly("Cod deja existent !!", renamed.txtTipProdus(), renamed);
    renamed.txtTipProdus()->setText("PF");
    executed.clear();
    renamed.txtDescriere()->setText("Produse finite proprii");
    renamed.cmdAction(0)->click();
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(executed.size(), 2u); // the update and the list reloading
    EXPECT_EQ(executed[0],
              "UPDATE TipuriProduse SET [Fel]=3, [Descrire]='Produse finite proprii', "
              "[Cont Venit]='701', [Cont Cheltuiala]='711', [Cont] = '345'  WHERE [Tip Produs]='PF'");
    EXPECT_FALSE(editorOpen());
}
