// The list window's search and delete statements, from the catalogues' profiles, and the chooser's
// lists.
#include "catalogs/CatalogSql.h"
#include "profiles/CatalogRegistry.h"

#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::CatalogSql;

namespace {

const CatalogProfile& profile(const char* caption) {
    return *CatalogRegistry::find(QString::fromLatin1(caption));
}

QString searchQuery(const char* caption, const QString& text0, const QString& text1,
                    Sql::LikeDialect dialect) {
    return CatalogSql::searchQuery(*profile(caption).search, text0, text1, dialect);
}

std::optional<QString> deleteStatement(const char* caption, const char* table, const char* name0,
                                       const char* value0, const char* name1, const char* value1) {
    return profile(caption).deletion.statement({table, name0, value0, name1, value1});
}

const std::vector<int>& lookupWidths(const char* caption) {
    return profile(caption).form.lookups.front().lookup.widths;
}

} // namespace

TEST(SearchQuery, BlankSearchesEverythingAndOnlySlashIsAWildcardOnEitherBackend) {
    EXPECT_EQ(searchText("   "), "/");
    EXPECT_EQ(searchText(" Ion "), " Ion "); // not trimmed once it has text
    using Sql::LikeDialect;
    EXPECT_EQ(Sql::likeLiteral("/a/b/", LikeDialect::Brackets), "'%a%b%'");
    EXPECT_EQ(Sql::likeLiteral("/a/b/", LikeDialect::EscapeClause), "'%a%b%'");
    EXPECT_EQ(Sql::likeLiteral("5%_[x]/", LikeDialect::Brackets), "'5[%][_][[]x]%'");
    EXPECT_EQ(Sql::likeLiteral("5%_[x\\/", LikeDialect::EscapeClause), "'5\\%\\_[x\\\\%' ESCAPE '\\'");
    EXPECT_EQ(Sql::likeLiteral("O'B%", LikeDialect::EscapeClause), "'O''B\\%' ESCAPE '\\'");
}

TEST(SearchQuery, FieldOneComesFirstThenFieldZero) {
    EXPECT_EQ(
        searchQuery("Centre de productie", "", "", Sql::LikeDialect::EscapeClause),
        "SELECT Cod, Denumire, CodC, TMax, TZi, NrU FROM Poft  WHERE  DEnumire LIKE '%' AND  Cod LIKE '%' "
        "Order BY Cod, Denumire");
    EXPECT_EQ(searchQuery("Plati", "512/", "", Sql::LikeDialect::Brackets),
              "SELECT IdOp, DenumireOp, Cont,   ContTva, Incasare  FROM "
              "TipuriApi WHERE Incasare = 0 AND  DenumireOp "
              "LIKE '%' AND  Cont LIKE '512%' ORDER BY DenumireOp ");
    EXPECT_EQ(
        searchQuery("Grupe Centre", "", "Prod/", Sql::LikeDialect::Brackets),
        "SELECT  yC1.Cod , yC1.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END  FROM dbo.yC1   WHERE  "
        " yC1.Denumire LIKE 'Prod%' AND  yC1.Cod LIKE '%'ORDER BY yC1.Tip, yC1.Cod");
}

// The statements of each catalogue are the delete scenarios' own; here the values that could end a
// literal or stand as a bare number.
TEST(DeleteStatement, QuotesAreDoubledAndBareNumbersCheckedBeforeTheyAreWritten) {
    EXPECT_EQ(*deleteStatement("Angajati", "pTerti", "Nume", "D'Souza", "Prenume", "Ana"),
              "DELETE pTErti WHERE Nume = 'D''Souza' AND Prenume = 'Ana'");
    EXPECT_EQ(*deleteStatement("Grupe Centre", "yC1", "Cod", "a'b", "Denumire", ""),
              "DELETE FROM [yC1] WHERE [Cod]='a''b'");
    EXPECT_EQ(*deleteStatement("Rate TVA", "TVA", "TVA", "1,000", "DenumireTVA", "x"),
              "DELETE FROM [TVA] WHERE [TVA]=1000");
    EXPECT_FALSE(deleteStatement("Rate TVA", "TVA", "TVA", "19 OR 1=1", "DenumireTVA", "x"));
    EXPECT_FALSE(deleteStatement("Plati", "TipuriApi", "IdOp", "12; DELETE FROM TVA", "DenumireOp", "x"));
    EXPECT_FALSE(deleteStatement("Plati", "TipuriApi", "IdOp", "", "DenumireOp", "x"));
}

TEST(DeletePaths, DepotsRefusedFourCataloguesThroughTheProcedure) {
    using Path = DeleteProfile::Path;
    EXPECT_EQ(profile("Depozite").deletion.path, Path::Refused);
    EXPECT_EQ(profile("Banci").deletion.procedureWhat, 5);
    EXPECT_EQ(profile("Casierii").deletion.procedureWhat, 6);
    EXPECT_EQ(profile("Centre de productie").deletion.procedureWhat, 7);
    EXPECT_EQ(profile("Subgrupe Centre").deletion.procedureWhat, 9);
    EXPECT_TRUE(profile("Banci").deletion.integerKey);
    EXPECT_FALSE(profile("Subgrupe Centre").deletion.integerKey);
    EXPECT_EQ(profile("Subgrupe Centre").deletion.path, Path::Procedure);
    EXPECT_EQ(profile("Grupe Centre").deletion.path, Path::Statement);
    EXPECT_EQ(confirmationText("TVA", "19", "DenumireTVA", "Redusa"),
              "Sunteti sigur ca doriti stergerea pentru :\r\nTVA=19\r\nDenumireTVA=Redusa");
    EXPECT_TRUE(profile("Grupe de produse")
                    .deletion.useCheck({"GrupeProdus", "Grupa Produs", "A'B", {}, {}})
                    .endsWith("WHERE GrupeProdus.[Grupa Produs]='A''B'"));
    EXPECT_FALSE(profile("Subclasa Cont").deletion.useCheck);
}

TEST(ChooserList, FiltersByStartTextExceptTheCostCentreGroups) {
    EXPECT_EQ(
        chooserQuery(ChooserList::Accounts, "442/").query,
        "  SELECT zConta_Plan.Cont, zConta_Plan.[Titlu Cont]     FROM zConta_Plan    WHERE zConta_Plan.Cont "
        "LIKE '442%' ORDER BY zConta_Plan.Cont;");
    EXPECT_EQ(chooserQuery(ChooserList::Accounts, "  ").query,
              "  SELECT zConta_Plan.Cont, zConta_Plan.[Titlu Cont]     FROM zConta_Plan  ORDER BY "
              "zConta_Plan.Cont;");
    EXPECT_EQ(chooserQuery(ChooserList::ProductGroups, "o'k").query,
              "  SELECT GrupeProdus.[Grupa Produs], GrupeProdus.Descriere     From GrupeProdus    WHERE "
              "GrupeProdus.[Grupa Produs] LIKE 'o''k' ORDER BY GrupeProdus.[Grupa Produs];");
    EXPECT_EQ(chooserQuery(ChooserList::CentreGroups, "").columnNames,
              (QStringList{"Cod", "[Denumire]", "[Cat]"}));
    EXPECT_EQ(chooserQuery(ChooserList::AccountClasses, "").format, "<Clasa cont|<Descriere");
}

TEST(ChooserList, WidthsByLookup) {
    EXPECT_EQ(lookupWidths("Casierii"), (std::vector<int>{2500, 4500}));
    EXPECT_EQ(lookupWidths("Alte Documente Intrare"), (std::vector<int>{2500, 4500}));
    EXPECT_EQ(lookupWidths("Rate TVA"), (std::vector<int>{3000, 4000}));
    EXPECT_EQ(typeAheadFilter("[Titlu Cont]", "Fur'n"), "[Titlu Cont] Like 'Fur''n%'");
}
