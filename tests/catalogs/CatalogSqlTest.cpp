#include "catalogs/CatalogSql.h"

#include <gtest/gtest.h>

using namespace vornel;
using namespace vornel::CatalogSql;

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
    EXPECT_EQ(searchQuery("Angajati", "Popescu", "Ion/", Sql::LikeDialect::Brackets),
              "SELECT Nume, Prenume, TipAngajat, SeriaBi , NrBi, Eliberat,MijlocT, Auto FROM pTerti  WHERE  "
              "Prenume "
              "LIKE 'Ion%' AND  Nume LIKE 'Popescu' Order BY TipAngajat, Nume, Prenume");
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

TEST(SearchQuery, QuotesInPastedTextAreDoubled) {
    const QString q = searchQuery("Angajati", "O'Brien", "x' OR '1'='1", Sql::LikeDialect::Brackets);
    EXPECT_TRUE(q.contains("Nume LIKE 'O''Brien'"));
    EXPECT_TRUE(q.contains("Prenume LIKE 'x'' OR ''1''=''1'"));
}

TEST(DeleteStatement, ByCaptionKeyColumnAndQuoting) {
    EXPECT_EQ(*deleteStatement("Coduri vamale", "Cod Vamal", "Cod Vamal", "8471", "Descriere", "x"),
              "DELETE FROM [Cod Vamal] WHERE [Cod Vamal]='8471'");
    // Subgroups, subclasses and correction types are deleted by their second column.
    EXPECT_EQ(*deleteStatement("Subgrupe de produse", "Subgrupeprodus", "Grupa Produs", "FER",
                               "Subgrupa Produs", "FER-MAN"),
              "DELETE FROM [Subgrupeprodus] WHERE [Subgrupa Produs]='FER-MAN'");
    EXPECT_EQ(*deleteStatement("Documente Corectie Terti", "TipCorectie", "Descriere", "Retur",
                               "IdTipCorectie", "4"),
              "DELETE FROM [TipCorectie] WHERE [IdTipCorectie]='4'");
    EXPECT_EQ(*deleteStatement("Locatii", "mf_sectii", "Sectie", "S1", "Descriere", "x"),
              "DELETE FROM [mf_sectii] WHERE [Sectie]= 'S1'");
    EXPECT_EQ(*deleteStatement("Angajati", "pTerti", "Nume", "D'Souza", "Prenume", "Ana"),
              "DELETE pTErti WHERE Nume = 'D''Souza' AND Prenume = 'Ana'");
    EXPECT_EQ(*deleteStatement("Grupe Centre", "yC1", "Cod", "a'b", "Denumire", ""),
              "DELETE FROM [yC1] WHERE [Cod]='a''b'");
}

TEST(DeleteStatement, BareNumbersAreCheckedBeforeTheyAreWritten) {
    EXPECT_EQ(*deleteStatement("Rate TVA", "TVA", "TVA", "19", "DenumireTVA", "x"),
              "DELETE FROM [TVA] WHERE [TVA]=19");
    EXPECT_EQ(*deleteStatement("Rate TVA", "TVA", "TVA", "1,000", "DenumireTVA", "x"),
              "DELETE FROM [TVA] WHERE [TVA]=1000");
    EXPECT_FALSE(deleteStatement("Rate TVA", "TVA", "TVA", "19 OR 1=1", "DenumireTVA", "x"));
    EXPECT_EQ(*deleteStatement("Incasari", "TipuriApi", "IdOp", "12", "DenumireOp", "x"),
              "DELETE FROM TipuriApi WHERE IdOp = 12");
    EXPECT_FALSE(deleteStatement("Plati", "TipuriApi", "IdOp", "12; DELETE FROM TVA", "DenumireOp", "x"));
    EXPECT_FALSE(deleteStatement("Plati", "TipuriApi", "IdOp", "", "DenumireOp", "x"));
}

TEST(DeletePaths, DepotsRefusedFourCataloguesThroughTheProcedure) {
    EXPECT_EQ(deletePath("Depozite"), DeletePath::Refused);
    EXPECT_EQ(procedureWhat("Banci"), 5);
    EXPECT_EQ(procedureWhat("Casierii"), 6);
    EXPECT_EQ(procedureWhat("Centre de productie"), 7);
    EXPECT_EQ(procedureWhat("Subgrupe Centre"), 9);
    EXPECT_TRUE(procedureTakesIntegerKey("Banci"));
    EXPECT_FALSE(procedureTakesIntegerKey("Subgrupe Centre"));
    EXPECT_EQ(deletePath("Subgrupe Centre"), DeletePath::Procedure);
    EXPECT_EQ(deletePath("Grupe Centre"), DeletePath::Statement);
    EXPECT_EQ(confirmationText("TVA", "19", "DenumireTVA", "Redusa"),
              "Sunteti sigur ca doriti stergerea pentru :\r\nTVA=19\r\nDenumireTVA=Redusa");
    EXPECT_TRUE(useCheckQuery("Grupe de produse", "Grupa Produs", "A'B")
                    .endsWith("WHERE GrupeProdus.[Grupa Produs]='A''B'"));
    EXPECT_TRUE(useCheckQuery("Subclasa Cont", "Grupa", "1").isEmpty());
}

TEST(ChooserList, FiltersByStartTextExceptTheCostCentreGroups) {
    EXPECT_EQ(
        chooserList("TVA deductibil", "442/").query,
        "  SELECT zConta_Plan.Cont, zConta_Plan.[Titlu Cont]     FROM zConta_Plan    WHERE zConta_Plan.Cont "
        "LIKE '442%' ORDER BY zConta_Plan.Cont;");
    EXPECT_EQ(chooserList("TVA deductibil", "  ").query,
              "  SELECT zConta_Plan.Cont, zConta_Plan.[Titlu Cont]     FROM zConta_Plan  ORDER BY "
              "zConta_Plan.Cont;");
    EXPECT_EQ(chooserList("Grupe Centre", "").query,
              "SELECT Cod, Denumire, Case WHEN Tip = 0 THEN 'I' ELSE 'II' END FROM yC1 WHERE  Cod Like ''");
    EXPECT_EQ(chooserList("Grupe produs", "o'k").query,
              "  SELECT GrupeProdus.[Grupa Produs], GrupeProdus.Descriere     From GrupeProdus    WHERE "
              "GrupeProdus.[Grupa Produs] LIKE 'o''k' ORDER BY GrupeProdus.[Grupa Produs];");
    EXPECT_EQ(chooserList("Grupe Centre", "").columnNames, (QStringList{"Cod", "[Denumire]", "[Cat]"}));
    EXPECT_EQ(chooserList("Clasa Cont", "").format, "<Clasa cont|<Descriere");
}

TEST(ChooserList, WidthsByKind) {
    EXPECT_EQ(chooserList("Grupe Centre", "").widths, (std::vector<int>{2500, 3500, 500}));
    EXPECT_EQ(chooserList("Conturi CASA", "").widths, (std::vector<int>{2500, 4500}));
    EXPECT_EQ(chooserList("Alegeti contul pentru > Documente de Transfer <", "").widths,
              (std::vector<int>{2500, 4500}));
    EXPECT_EQ(chooserList("TVA deductibil", "").widths, (std::vector<int>{3000, 4000}));
    EXPECT_EQ(typeAheadFilter("[Titlu Cont]", "Fur'n"), "[Titlu Cont] Like 'Fur''n%'");
}
