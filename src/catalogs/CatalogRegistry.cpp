#include "catalogs/CatalogRegistry.h"

#include <QStringList>

namespace vornel {

namespace {

// Joins the pieces of a listing query in order, with nothing between them.
QString join(std::initializer_list<const char*> pieces) {
    QString out;
    for (const char* p : pieces)
        out += QString::fromLatin1(p);
    return out;
}

CatalogEntry entry(const char* caption, const char* rights, const char* table, const char* format,
                   std::vector<int> widths, QString query, CatalogEditor editor = CatalogEditor::GridDetail) {
    CatalogEntry e;
    e.caption = QString::fromLatin1(caption);
    e.rightsCode = QString::fromLatin1(rights);
    e.table = QString::fromLatin1(table);
    e.format = QString::fromLatin1(format);
    e.widths = std::move(widths);
    e.query = std::move(query);
    e.editor = editor;
    return e;
}

CatalogEntry withSearch(CatalogEntry e, const char* label0 = nullptr, const char* label1 = nullptr) {
    e.showSearch = true;
    if (label0) e.searchLabel0 = QString::fromLatin1(label0);
    if (label1) e.searchLabel1 = QString::fromLatin1(label1);
    return e;
}

std::vector<CatalogEntry> build() {
    using E = CatalogEditor;
    std::vector<CatalogEntry> r;
    r.reserve(29);

    r.push_back(entry("Grupe Amortizari", "422", "mf_grupe", "<Cod|<Denumire|>Ani", {2700, 3400, 1000},
                      join({"SELECT * FROM mf_grupe Order By cod"})));
    r.push_back(entry("Locatii", "423", "mf_sectii", "<Sectie|<Denumire", {2700, 3400},
                      join({"SELECT * FROM mf_Sectii Order By Sectie"})));
    r.push_back(entry("Norme Productie", "425", "sal_acordcod", "<Cod|<Denumire", {2700, 3400, 0},
                      join({"SELECT * FROM sal_acordcod Order By cod"})));
    r.push_back(withSearch(
        entry("Centre de productie", "443", "pOft", "<Cod|<Denumire|<Centru Cost",
              {2700, 2700, 1500, 0, 0, 0},
              join({"SELECT Cod, Denumire, CodC, TMax, TZi, NrU FROM Poft ", " Order BY Cod, Denumire"}),
              E::GridDetailMare),
        "Cod", "Denumire"));
    r.push_back(withSearch(
        entry("Angajati", "4335", "pTerti", "<Nume|<Prenume", {2700, 2700, 0, 0, 0, 0, 0, 0},
              join({"SELECT Nume, Prenume, TipAngajat, SeriaBi , NrBi, Eliberat,MijlocT, Auto FROM pTerti "
                    "Order BY TipAngajat, Nume, Prenume"}),
              E::GridDetailMare),
        "Nume", "Prenume"));
    r.push_back(entry("Producatori", "4328", "Cpp", "<Cod Producator|<Denumire Producator|<Telefon",
                      {2200, 2700, 2400, 0},
                      join({"SELECT P, Denumire, Telefon , Adresa FROM Cpp Order BY Denumire"})));
    r.push_back(entry("Tipuri de produse", "4321", "TipuriProduse",
                      "<Tip produs|<Categorie|<Descriere|^Cont Stoc|^Cont Ch|^Cont Ven",
                      {2200, 2700, 2400, 0, 0, 0},
                      join({"  SELECT TipuriProduse.[Tip Produs], ",
                            " CASE WHEN TipuriProduse.Fel = 0 THEn 'Mat. Stocate cu NIR' ",
                            " WHEN  TipuriProduse.Fel = 1 THEn 'Mat. Stocate fara NIR' ",
                            " WHEN  TipuriProduse.Fel = 2 THEn 'Materiale Nestocate' ",
                            " WHEN  TipuriProduse.Fel = 3 THEn 'Produse Finite' ",
                            " WHEN  TipuriProduse.Fel = 4 THEn 'Prod. Fin. Consignatie' ",
                            " WHEN  TipuriProduse.Fel = 5 THEn 'Servicii' ",
                            " WHEN  TipuriProduse.Fel = 6 THEn 'Alte Cheltuieli' ",
                            " WHEN  TipuriProduse.Fel = 7 THEn 'Mijloace Fixe' ",
                            " WHEN  TipuriProduse.Fel = 8 THEn 'Produse Lhoan' END, ",
                            " TipuriProduse.Descrire, TipuriProduse.Cont, TipuriProduse.[Cont Cheltuiala], "
                            "TipuriProduse.[Cont Venit] ",
                            " From TipuriProduse ", "ORDER BY TipuriProduse.[Tip Produs]"}),
                      E::TipuriProdus));
    r.push_back(entry("Rate TVA", "4322", "TVA", ">TVA|<Denumire TVA|^Cont D|^Cont C", {1000, 4300, 700, 700},
                      join({"  SELECT TVA.TVA AS TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], "
                            "TVA.[Cont TVA colectat] ",
                            "    From Tva ",
                            "GROUP BY TVA.TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], "
                            "TVA.[Cont TVA colectat] ",
                            "ORDER BY TVA.TVA"})));
    r.push_back(entry(
        "Grupe de produse", "4323", "GrupeProdus", "<Grupa produs|<Descriere|<Discount", {2700, 4500, 1000},
        join({"  SELECT GrupeProdus.[Grupa Produs], GrupeProdus.Descriere,GrupeProdus.Discount ",
              "    From GrupeProdus ", "ORDER BY GrupeProdus.[Grupa Produs];"})));
    r.push_back(entry("Subgrupe de produse", "4324", "Subgrupeprodus",
                      "<Grupa produs|<Subgrupa produs|<Descriere", {2000, 2000, 3000},
                      join({"  SELECT Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs], "
                            "Subgrupeprodus.Descriere ",
                            "    From Subgrupeprodus ",
                            "GROUP BY Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs], "
                            "Subgrupeprodus.Descriere ",
                            "ORDER BY Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs];"})));
    r.push_back(entry("Coduri vamale", "4327", "Cod Vamal", "<Cod vamal|<Descriere", {2700, 4500},
                      join({"  SELECT [Cod Vamal].[Cod Vamal], [Cod Vamal].Descriere ",
                            "    From [Cod Vamal] ", "ORDER BY [Cod Vamal].[Cod Vamal];"})));
    r.push_back(entry("Unitati de vinzare", "4325", "UnitateVanzare", "<Unitate de vinzare|<Descriere",
                      {2700, 4500},
                      join({"  SELECT UnitateVanzare.[Unitate De Vanzare], UnitateVanzare.Descriere ",
                            "    From UnitateVanzare ", "ORDER BY UnitateVanzare.[Unitate De Vanzare];"})));
    r.push_back(entry("Tipuri de clienti", "4331", "Tip Client", "<Tip client|<Descriere", {2700, 4500},
                      join({"  SELECT [Tip Client].[Tip Client], [Tip Client].Descriere ",
                            "    From [Tip Client] ", "ORDER BY [Tip Client].[Tip Client];"})));
    r.push_back(entry("Tipuri de furnizori", "4333", "Tip Furnizor", "<Tip furnizor|<Descriere", {2700, 4500},
                      join({"  SELECT [Tip Furnizor].[Tip Furnizor], [Tip Furnizor].Descriere ",
                            "    From [Tip Furnizor] ", "ORDER BY [Tip Furnizor].[Tip Furnizor];"})));
    r.push_back(
        entry("Categorii de clienti", "4332", "Categorie Client", "<Categorie client|<Descriere|^Cont",
              {2800, 3700, 700},
              join({"  SELECT [Categorie Client].[Categorie Client], [Categorie Client].Descriere, "
                    "[Categorie Client].Cont ",
                    "    From [Categorie Client] ", "ORDER BY [Categorie Client].[Categorie Client];"})));
    r.push_back(entry(
        "Categorii de furnizori", "4334", "Categorie Furnizor", "<Categorie furnizor|<Descriere|^Cont",
        {2800, 3700, 700},
        join({"  SELECT [Categorie Furnizor].[Categorie Furnizor], [Categorie Furnizor].Descriere, "
              "[Categorie Furnizor].Cont ",
              "    From [Categorie Furnizor] ", "ORDER BY [Categorie Furnizor].[Categorie Furnizor];"})));
    {
        CatalogEntry e = entry("Depozite", "4326", "Depozite",
                               ">Depozit|<Denumire Depozit|<Descriere Depozit|^Adresa Depozit|<Gestionar",
                               {700, 4300, 0, 0, 2100, 0, 0, 0, 0},
                               join({"  SELECT [Depozite].[Depozit], [Depozite].[Denumire Depozit], "
                                     "[Depozite].[Descriere Depozit], "
                                     "[Depozite].AdresaDepozitului, [Depozite].Gestionar, Depozite.Depozit, "
                                     "Depozite.[Telefon Mobil], "
                                     "Depozite.[Telefon Vetra], Depozite.Custodie ",
                                     "    From [Depozite] ", "ORDER BY [Depozite].[Depozit];"}),
                               E::GridDetailMare);
        e.hideDelete = true;
        r.push_back(std::move(e));
    }
    r.push_back(entry(
        "Casierii", "4312", "Casierii",
        "<Casierie|<Denumire Casierie|<Descriere Casierie|^Adresa Casierie|<Casier",
        {1700, 3300, 0, 0, 2100, 0, 0, 0, 0, 0, 0},
        join({"  SELECT [Casierii].[Cod Casierie], [Casierii].[Denumire Casierie], [Casierii].[Descriere "
              "Casierie], "
              "[Casierii].[Adresa Casierie], [Casierii].Casier,[Casierii].Casier, Casierii.[Telefon Mobil], "
              "Casierii.[Telefon Vetra], Casierii.Analitic, Casierii.CaleProgram, Casierii.NumeProgram ",
              "    From [Casierii] ", "ORDER BY [Casierii].[Cod Casierie];"}),
        E::GridDetailMare));
    r.push_back(entry("Banci", "4311", "Banci",
                      ">Cod Banca|<Descriere banca|<Adresa|<Telefon|<Persoana Contact",
                      {1500, 5500, 0, 0, 0, 0},
                      join({"  SELECT Banci.[Cod Banca], Banci.[Descriere], Banci.Adresa, Banci.Telefon, "
                            "Banci.[Persoana Contact], Banci.Cont ",
                            "    From Banci ", "ORDER BY Banci.[Cod Banca];"})));
    r.push_back(entry("Alte Documente Intrare", "4342", "TipuriBonConsum", "<Descriere|^Cont|<Forma Tiparire",
                      {2500, 700, 1900, 0, 0},
                      join({"SELECT  TipuriBonConsum.Descriere,", " TipuriBonConsum.Cont,",
                            " TipuriBonConsum.[Forma Tiparire],",
                            " TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum ", " From TipuriBonConsum",
                            " Where TipuriBonConsum.EC = ", "2", " ORDER BY TipuriBonConsum.Descriere"})));
    r.push_back(entry(
        "Alte Documente Iesire", "4343", "TipuriBonConsum", "<Descriere|^Cont|<Forma Tiparire|a|a|^BC",
        {2500, 700, 1900, 0, 0, 700},
        join({"SELECT  TipuriBonConsum.Descriere,", " TipuriBonConsum.Cont,",
              " TipuriBonConsum.[Forma Tiparire],", " TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum, ",
              " CASE WHEN TipuriBonConsum.Transferabil = 0 THEN 'Nu' ELSE 'Da' END  ",
              " From TipuriBonConsum", " Where TipuriBonConsum.EC = ", "3",
              " ORDER BY TipuriBonConsum.Descriere"})));
    r.push_back(entry("Documente de Transfer", "4344", "TipuriBonConsum", "<Descriere|<Forma Tiparire",
                      {3400, 1600},
                      join({"  SELECT TipuriBonConsum.Descriere, TipuriBonConsum.[Forma Tiparire] ",
                            "  From TipuriBonConsum ", "  WHERE TipuriBonConsum.EC = 4 ",
                            "  ORDER BY TipuriBonConsum.Descriere;"})));
    r.push_back(entry("Documente Corectie Terti", "4345", "TipCorectie", "<Descriere", {5200, 0},
                      join({"SELECT Descriere, IdTipCorectie  ", " From [TipCorectie]",
                            " ORDER BY [TipCorectie].[Descriere];"})));
    r.push_back(withSearch(
        entry("Incasari", "4313", "TipuriApi", "<Id|<Descriere Incasare|<Cont|Cont TVA",
              {0, 5200, 1900, 1900, 0, 0},
              join({"SELECT IdOp, DenumireOp, Cont, ",
                    "  ContTva, Incasare   FROM TipuriApi WHERE Incasare = 1 ORDER BY DenumireOp "}))));
    r.push_back(withSearch(entry(
        "Plati", "4314", "TipuriApi", "<Id|<Descriere Plata|<Cont|Cont TVA", {0, 3500, 1900, 1900, 0, 0},
        join({"SELECT IdOp, DenumireOp, Cont, ",
              " ContTva, Incasare   FROM TipuriApi WHERE Incasare = 0 ORDER BY DenumireOp "}))));
    r.push_back(withSearch(
        entry("Grupe Centre", "441", "yC1", "<Cod Centru|<Descriere Centru|<Cat", {1900, 3500, 700},
              join({"SELECT  yC1.Cod , yC1.Denumire, CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END   FROM yC1  "
                    "ORDER BY yc1.tip, yc1.Cod"})),
        "Cod Centru", "Denumire Centru"));
    r.push_back(withSearch(entry("Subgrupe Centre", "442", "yC2",
                                 "<Cod Centru|<Descriere Centru|<Cat|<Grupa|R ", {1900, 3500, 700, 1900, 0},
                                 join({"SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE "
                                       "'II' END,  yC1.Cod , yc2.R ",
                                       " FROM dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod ",
                                       " ORDER BY yC1.Tip, yC1.Cod, yC2.CodC"})),
                           "Cod Centru", "Denumire Centru"));
    r.push_back(entry("Clasa Cont", "422", "zContaGrupa", "<Clasa cont|<Descriere", {2700, 4500},
                      join({"  SELECT zContaGrupa.Grupa, zContaGrupa.Descriere ", "    FROM zContaGrupa ",
                            "ORDER BY zContaGrupa.Grupa;"})));
    r.push_back(entry(
        "Subclasa Cont", "423", "zContaSubGrupa", "<Clasa cont|<Subclasa cont|<Descriere", {2000, 2000, 3000},
        join({"  SELECT zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa, zContaSubGrupa.Descriere ",
              "    FROM zContaSubGrupa ",
              "GROUP BY zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa, zContaSubGrupa.Descriere ",
              "ORDER BY zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa;"})));
    return r;
}

const std::vector<CatalogEntry>& registry() {
    static const std::vector<CatalogEntry> entries = build(); // immutable after first use
    return entries;
}

} // namespace

namespace CatalogRegistry {

std::optional<CatalogEntry> find(const QString& caption) {
    for (const CatalogEntry& e : registry())
        if (e.caption == caption) return e;
    return std::nullopt;
}

QStringList captions() {
    QStringList out;
    for (const CatalogEntry& e : registry())
        out << e.caption;
    return out;
}

} // namespace CatalogRegistry

} // namespace vornel
