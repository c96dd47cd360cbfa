// The code chooser over the demo chart of accounts: what it lists and what it gives back.
#include "CatalogFixture.h"

#include "catalogs/AlegeGrupaProd.h"
#include "catalogs/Chooser.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace vornel::test {
namespace {

Lookup lookup(const char* title, ChooserList list = ChooserList::Accounts,
              std::vector<int> widths = {3000, 4000}) {
    return {QString::fromLatin1(title), list, std::move(widths)};
}

class AlegeGrupaProdTest : public CatalogDbTest {
protected:
    // Opens the chooser, runs the steps while it is open (it is modal) and returns what it gave back.
    std::optional<QString> pick(const Lookup& lookup, const QString& start,
                                std::function<void(AlegeGrupaProd&)> steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* w = ComponentContext::current().loaded<AlegeGrupaProd>();
            if (!w) return;
            ran = true;
            steps(*w);
            if (ComponentContext::current().loaded<AlegeGrupaProd>())
                w->findChild<QPushButton*>("cmdAction_1")->click(); // never leave it open
        });
        const std::optional<QString> code = Chooser::pick(lookup, start);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(ran);
        return code;
    }
};

TEST_F(AlegeGrupaProdTest, StartTextWithSlashListsTheAccountsStartingWithItAndAcceptGivesTheCode) {
    QString first;
    const auto code = pick(lookup("TVA deductibil"), "442/", [&](AlegeGrupaProd& w) {
        FlexGrid* g = w.grid();
        ASSERT_GT(g->Rows(), 1);
        for (int r = 1; r < g->Rows(); ++r)
            EXPECT_TRUE(g->TextMatrix(r, 0).startsWith("442")) << g->TextMatrix(r, 0).toStdString();
        EXPECT_EQ(g->ColWidth(0), 3000);
        first = g->TextMatrix(1, 0);
        w.findChild<QPushButton*>("cmdAction_0")->click();
    });
    EXPECT_EQ(code, first);
    EXPECT_FALSE(ComponentContext::current().loaded<AlegeGrupaProd>());
}

TEST_F(AlegeGrupaProdTest, RenuntaGivesNothing) {
    const auto code = pick(lookup("TVA colectat"), "",
                           [](AlegeGrupaProd& w) { w.findChild<QPushButton*>("cmdAction_1")->click(); });
    EXPECT_FALSE(code.has_value());
}

TEST_F(AlegeGrupaProdTest, TypingNarrowsTheListAndANonMatchRestoresIt) {
    pick(lookup("Conturi de stocuri"), "", [](AlegeGrupaProd& w) {
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
    pick(lookup("Clasa Cont", ChooserList::AccountClasses), "nu-exista/", [](AlegeGrupaProd& w) {
        EXPECT_FALSE(w.findChild<QPushButton*>("cmdAction_0")->isEnabled());
        EXPECT_TRUE(w.findChild<QPushButton*>("cmdAction_1")->isEnabled());
        EXPECT_FALSE(w.grid()->isEnabled());
    });
}

TEST_F(AlegeGrupaProdTest, CostCentreGroupsWithEmptyStartTextListEveryGroup) {
    const Lookup groups = lookup("Grupe Centre", ChooserList::CentreGroups, {2500, 3500, 500});
    const int all = scalar("SELECT Count(*) FROM yC1").toInt();
    const auto code = pick(groups, "", [all](AlegeGrupaProd& w) {
        EXPECT_EQ(w.grid()->Rows(), all + 1);
        EXPECT_EQ(w.grid()->ColWidth(2), 500);
        w.grid()->setRow(1);
        w.findChild<QPushButton*>("cmdAction_0")->click();
    });
    ASSERT_TRUE(code.has_value());
    EXPECT_FALSE(code->isEmpty());
}

} // namespace
} // namespace vornel::test
