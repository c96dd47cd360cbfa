// The code chooser over the demo chart of accounts, written into an open record editor.
#include "CatalogFixture.h"

#include "catalogs/AlegeGrupaProd.h"
#include "catalogs/GridComun.h"
#include "data/Recordset.h"
#include "editors/GridDetail.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace vornel::test {
namespace {

class AlegeGrupaProdTest : public CatalogDbTest {
protected:
    void SetUp() override {
        CatalogDbTest::SetUp();
        auto& ctx = ComponentContext::current();
        ctx.instance<GridComun>().Deschide("Rate TVA");
        ctx.instance<GridComun>().cmdAction(0)->click(); // the record editor in add mode
        editor = ctx.loaded<GridDetail>();
    }

    // Opens the chooser and runs the steps while it is open (it is modal).
    void pick(const QString& kind, const QString& start, std::function<void(AlegeGrupaProd&)> steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* w = ComponentContext::current().loaded<AlegeGrupaProd>();
            if (!w) return;
            ran = true;
            steps(*w);
            if (ComponentContext::current().loaded<AlegeGrupaProd>())
                w->findChild<QPushButton*>("cmdAction_1")->click(); // never leave it open
        });
        AlegeGrupaProd::alege(kind, start);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(ran);
    }

    GridDetail* editor = nullptr;
};

TEST_F(AlegeGrupaProdTest, StartTextWithSlashListsTheAccountsStartingWithItAndAcceptWritesTheCode) {
    ASSERT_TRUE(editor);
    QString first;
    pick("TVA deductibil", "442/", [&](AlegeGrupaProd& w) {
        FlexGrid* g = w.grid();
        ASSERT_GT(g->Rows(), 1);
        for (int r = 1; r < g->Rows(); ++r)
            EXPECT_TRUE(g->TextMatrix(r, 0).startsWith("442")) << g->TextMatrix(r, 0).toStdString();
        EXPECT_EQ(g->ColWidth(0), 3000);
        first = g->TextMatrix(1, 0);
        w.findChild<QPushButton*>("cmdAction_0")->click();
    });
    EXPECT_EQ(editor->txtRezerva()->text(), first);
    EXPECT_FALSE(ComponentContext::current().loaded<AlegeGrupaProd>());
}

TEST_F(AlegeGrupaProdTest, RenuntaWritesNothing) {
    ASSERT_TRUE(editor);
    editor->txtRezerva1()->setText("keep");
    pick("TVA colectat", "", [](AlegeGrupaProd& w) { w.findChild<QPushButton*>("cmdAction_1")->click(); });
    EXPECT_EQ(editor->txtRezerva1()->text(), "keep");
}

TEST_F(AlegeGrupaProdTest, TypingNarrowsTheListAndANonMatchRestoresIt) {
    pick("Conturi de stocuri", "", [](AlegeGrupaProd& w) {
        FlexGrid* g = w.grid();
        const int all = g->Rows();
        QTest::keyClicks(g, "37");
        EXPECT_EQ(w.windowTitle(), "Conturi de stocuri - 37");
        ASSERT_GT(g->Rows(), 1);
        EXPECT_LT(g->Rows(), all);
        for (int r = 1; r < g->Rows(); ++r)
            EXPECT_TRUE(g->TextMatrix(r, 0).startsWith("37"));
        QTest::keyClicks(g, "x");
        EXPECT_EQ(w.windowTitle(), "Conturi de stocuri");
        EXPECT_EQ(g->Rows(), all);
    });
}

TEST_F(AlegeGrupaProdTest, EmptyListLeavesOnlyRenunta) {
    pick("Clasa Cont", "nu-exista/", [](AlegeGrupaProd& w) {
        EXPECT_FALSE(w.findChild<QPushButton*>("cmdAction_0")->isEnabled());
        EXPECT_TRUE(w.findChild<QPushButton*>("cmdAction_1")->isEnabled());
        EXPECT_FALSE(w.grid()->isEnabled());
    });
}

TEST_F(AlegeGrupaProdTest, CostCentreGroupsWithEmptyStartTextListOnlyEmptyCodes) {
    sql("INSERT INTO yC1 (Cod, Denumire, Tip) VALUES ('', 'Fara cod', 0)");
    ASSERT_TRUE(editor);
    editor->setGroupLookup(true);
    pick("Grupe Centre", "", [](AlegeGrupaProd& w) {
        EXPECT_EQ(w.grid()->Rows(), 2);
        EXPECT_EQ(w.grid()->ColWidth(2), 500);
        w.findChild<QPushButton*>("cmdAction_0")->click(); // empty code: nothing written
    });
    EXPECT_TRUE(editor->groupLookup());
    pick("Grupe Centre", "/", [](AlegeGrupaProd& w) {
        EXPECT_GT(w.grid()->Rows(), 2);
        w.grid()->setRow(1);
        w.findChild<QPushButton*>("cmdAction_0")->click();
    });
    EXPECT_FALSE(editor->txtRezerva()->text().isEmpty());
    EXPECT_FALSE(editor->groupLookup());
}

} // namespace
} // namespace vornel::test
