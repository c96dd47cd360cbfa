// The registry of catalogues: every caption with its rights code, table, list and search.
#include "profiles/CatalogRegistry.h"

#include <gtest/gtest.h>
#include <map>

using namespace vornel;

// Every caption with its rights code, its table and, where the list has them, one width per column
// of its query (0: not checked here).
TEST(CatalogRegistry, HoldsTheThirtyCataloguesWithTheirRightsCodesTablesAndWidths) {
    struct Entry {
        QString rightsCode;
        QString table;
        std::size_t widths;
    };
    // clang-format off
    const std::map<QString, Entry> expected = {
        {"Grupe Amortizari", {"422", "mf_grupe", 3}},          {"Locatii", {"423", "mf_sectii", 2}},
        {"Norme Productie", {"425", "sal_acordcod", 3}},       {"Centre de productie", {"443", "pOft", 6}},
        {"Angajati", {"4335", "pTerti", 8}},                   {"Producatori", {"4328", "Cpp", 4}},
        {"Tipuri de produse", {"4321", "TipuriProduse", 6}},   {"Rate TVA", {"4322", "TVA", 4}},
        {"Regimuri TVA", {"4329", "RegimTVA", 4}},
        {"Grupe de produse", {"4323", "GrupeProdus", 0}},      {"Subgrupe de produse", {"4324", "Subgrupeprodus", 0}},
        {"Coduri vamale", {"4327", "Cod Vamal", 0}},           {"Unitati de vinzare", {"4325", "UnitateVanzare", 0}},
        {"Tipuri de clienti", {"4331", "Tip Client", 0}},      {"Tipuri de furnizori", {"4333", "Tip Furnizor", 0}},
        {"Categorii de clienti", {"4332", "Categorie Client", 0}},
        {"Categorii de furnizori", {"4334", "Categorie Furnizor", 0}},
        {"Depozite", {"4326", "Depozite", 9}},                 {"Casierii", {"4312", "Casierii", 11}},
        {"Banci", {"4311", "Banci", 6}},                       {"Alte Documente Intrare", {"4342", "TipuriBonConsum", 5}},
        {"Alte Documente Iesire", {"4343", "TipuriBonConsum", 6}},
        {"Documente de Transfer", {"4344", "TipuriBonConsum", 2}},
        {"Documente Corectie Terti", {"4345", "TipCorectie", 2}},
        {"Incasari", {"4313", "TipuriApi", 6}},                {"Plati", {"4314", "TipuriApi", 6}},
        {"Grupe Centre", {"441", "yC1", 3}},                   {"Subgrupe Centre", {"442", "yC2", 5}},
        {"Clasa Cont", {"422", "zContaGrupa", 0}},             {"Subclasa Cont", {"423", "zContaSubGrupa", 0}},
    };
    // clang-format on
    ASSERT_EQ(CatalogRegistry::captions().size(), 30);
    for (const QString& caption : CatalogRegistry::captions()) {
        SCOPED_TRACE(caption.toStdString());
        const auto e = CatalogRegistry::find(caption);
        ASSERT_TRUE(e);
        ASSERT_TRUE(expected.count(caption));
        const Entry& want = expected.at(caption);
        EXPECT_EQ(e->rightsCode, want.rightsCode);
        EXPECT_EQ(e->table, want.table);
        if (want.widths) {
            EXPECT_EQ(e->widths.size(), want.widths);
        }
    }
    EXPECT_EQ(CatalogRegistry::find("Banci")->widths, (std::vector<int>{1500, 5500, 0, 0, 0, 0}));
    EXPECT_EQ(CatalogRegistry::find("Incasari")->widths, (std::vector<int>{0, 5200, 1900, 1900, 0, 0}));
}

TEST(CatalogRegistry, ListingQueriesKeepTheirBlanks) {
    EXPECT_EQ(
        CatalogRegistry::find("Rate TVA")->query,
        "  SELECT TVA.TVA AS TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], TVA.[Cont TVA colectat]     "
        "From "
        "Tva GROUP BY TVA.TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], TVA.[Cont TVA colectat] ORDER BY "
        "TVA.TVA");
    EXPECT_EQ(CatalogRegistry::find("Centre de productie")->query,
              "SELECT Cod, Denumire, CodC, TMax, TZi, NrU FROM Poft  Order BY Cod, Denumire");
    EXPECT_EQ(
        CatalogRegistry::find("Alte Documente Iesire")->query,
        "SELECT  TipuriBonConsum.Descriere, TipuriBonConsum.Cont, TipuriBonConsum.[Forma Tiparire], "
        "TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum,  CASE WHEN TipuriBonConsum.Transferabil = 0 "
        "THEN 'Nu' ELSE 'Da' END   From TipuriBonConsum Where TipuriBonConsum.EC = 3 ORDER BY "
        "TipuriBonConsum.Descriere");
    EXPECT_EQ(
        CatalogRegistry::find("Incasari")->query,
        "SELECT IdOp, DenumireOp, Cont,   ContTva, Incasare   FROM TipuriApi WHERE Incasare = 1 ORDER BY "
        "DenumireOp ");
    EXPECT_EQ(
        CatalogRegistry::find("Plati")->query,
        "SELECT IdOp, DenumireOp, Cont,  ContTva, Incasare   FROM TipuriApi WHERE Incasare = 0 ORDER BY "
        "DenumireOp ");
    EXPECT_EQ(CatalogRegistry::find("Subgrupe Centre")->format,
              "<Cod Centru|<Descriere Centru|<Cat|<Grupa|R ");
    EXPECT_TRUE(CatalogRegistry::find("Tipuri de produse")
                    ->query.contains("WHEN  TipuriProduse.Fel = 8 THEn 'Produse Lhoan' END, "));
}
