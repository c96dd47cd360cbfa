// The product type catalogue's rules: the accounts each category needs and where a missing one
// sends the focus, the category names of the list, and the save statements to the byte.
#include "editors/ProductTypeStatements.h"

#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::ProductType;

namespace {

Input modify(const QString& loaded, const QString& code) {
    Input in;
    in.mode = EditMode::Modify;
    in.loadedCode = loaded;
    in.code = code;
    in.category = 3;
    in.description = QStringLiteral(" Produse finite ");
    in.stock = QStringLiteral(" 345 ");
    in.expense = QStringLiteral("711 ");
    in.revenue = QStringLiteral(" 701");
    return in;
}

} // namespace

TEST(ProductTypeRules, EachCategoryNeedsItsAccountsAndAMissingOneSendsTheFocusInVisitingOrder) {
    struct Case {
        int category;
        Missing allEmpty;
        Missing onlyExpenseSet;
        Missing expenseAndRevenueSet;
    };
    const Case cases[] = {
        {0, Missing::Expense, Missing::Stock, Missing::Stock},
        {1, Missing::Expense, Missing::Stock, Missing::Stock},
        {2, Missing::Expense, Missing::None, Missing::None},
        {3, Missing::Expense, Missing::Revenue, Missing::Stock},
        {4, Missing::Expense, Missing::Revenue, Missing::Stock},
        {5, Missing::Expense, Missing::Revenue, Missing::None},
        {6, Missing::Expense, Missing::None, Missing::None},
        {7, Missing::Expense, Missing::Revenue, Missing::Stock},
        {8, Missing::None, Missing::None, Missing::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        EXPECT_EQ(missingAccount(c.category, "", "", ""), c.allEmpty);
        EXPECT_EQ(missingAccount(c.category, "", "601", ""), c.onlyExpenseSet);
        EXPECT_EQ(missingAccount(c.category, "", "601", "701"), c.expenseAndRevenueSet);
        EXPECT_EQ(missingAccount(c.category, "301", "601", "701"), Missing::None);
        const Accounts shown = accountsOf(c.category);
        // A field is shown exactly when the save would ask for it.
        EXPECT_EQ(shown.expense, c.allEmpty == Missing::Expense);
        EXPECT_EQ(shown.revenue, c.onlyExpenseSet == Missing::Revenue);
        EXPECT_EQ(shown.stock, c.expenseAndRevenueSet == Missing::Stock);
    }
    // Stock alone missing in a category that also needs revenue still names the stock account.
    EXPECT_EQ(missingAccount(7, "", "6811", "7583"), Missing::Stock);
}

TEST(ProductTypeRules, CategoriesReadFromTheListIncludingItsSpellingOfLohn) {
    ASSERT_EQ(categories().size(), 9);
    EXPECT_EQ(categories().at(0), "Mat. Stocate cu NIR");
    EXPECT_EQ(categories().at(4), "Prod. Fin. Consignatie");
    EXPECT_EQ(categoryOf("Produse Lhoan"), 8);
    EXPECT_EQ(categoryOf("Produse Lohn"), 8);
    EXPECT_EQ(categoryOf("Mijloace Fixe"), 7);
    EXPECT_EQ(categoryOf("mijloace fixe"), -1);
    EXPECT_EQ(categoryOf(""), -1);
}

TEST(ProductTypeStatements, AddWritesCodeAndDescriptionAsTyped) {
    Input in;
    in.mode = EditMode::Add;
    in.code = QStringLiteral(" AMB ");
    in.category = 0;
    in.description = QStringLiteral("Ambalaje ");
    in.stock = QStringLiteral("381");
    in.expense = QStringLiteral("608");
    EXPECT_EQ(saveStatement(in),
              "INSERT INTO TipuriProduse ( [Tip Produs], Fel, Descrire, [Cont Venit] , "
              "[Cont Cheltuiala], Cont) Values (' AMB ', 0, 'Ambalaje ', '', '608', '381')");
}

TEST(ProductTypeStatements, ModifyTrimsAllButTheStockAccountAndChangesTheCodeOnlyWhenItDiffers) {
    const Input same = modify("PF", "PF");
    EXPECT_FALSE(needsCountQuery(same));
    EXPECT_EQ(saveStatement(same), "UPDATE TipuriProduse SET [Fel]=3, [Descrire]='Produse finite', "
                                   "[Cont Venit]='701', [Cont Cheltuiala]='711', [Cont] = ' 345 '  "
                                   "WHERE [Tip Produs]='PF'");

    const Input renamed = modify("PF ", " PFX ");
    EXPECT_TRUE(needsCountQuery(renamed));
    EXPECT_EQ(saveStatement(renamed),
              "UPDATE TipuriProduse SET [Tip Produs]='PFX', [Fel]=3, [Descrire]='Produse finite', "
              "[Cont Venit]='701', [Cont Cheltuiala]='711', [Cont] = ' 345 '  WHERE [Tip Produs]='PF'");
}

TEST(ProductTypeStatements, QuotesInValuesAreDoubledAndNoCategoryWritesNothing) {
    Input in = modify("O'K", "O'K");
    in.description = QStringLiteral("x'); DROP TABLE TipuriProduse;--");
    const QString sql = saveStatement(in);
    EXPECT_TRUE(sql.contains("[Descrire]='x''); DROP TABLE TipuriProduse;--'")) << sql.toStdString();
    EXPECT_TRUE(sql.endsWith("WHERE [Tip Produs]='O''K'"));
    EXPECT_EQ(countQuery("a'b"), "SELECT Count(*) FROM TipuriProduse WHERE [Tip Produs] = 'a''b'");
    in.category = -1;
    EXPECT_TRUE(saveStatement(in).isEmpty());
    in.category = 9;
    EXPECT_TRUE(saveStatement(in).isEmpty());
}
