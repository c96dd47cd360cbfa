// Products: producers, product types, product groups and subgroups, customs codes, sale units.
#include "profiles/Profiles.h"

#include "entry/ComponentContext.h"
#include "profiles/ProfileParts.h"

namespace vornel::profiles {

namespace {

// A code and its description, keyed by the code; a duplicate is reported as a description.
CatalogProfile codeAndDescription(CatalogProfile p) {
    p.form.fields = keyAndDescription();
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.update = updateFirstTwo;
    p.form.insert = insertFirstTwo;
    return p;
}

} // namespace

CatalogProfile producatori() {
    CatalogProfile p = catalogue(CatalogKind::Producatori, "Producatori", "4328", "Cpp",
                                 "<Cod Producator|<Denumire Producator|<Telefon", {2200, 2700, 2400, 0},
                                 {"SELECT P, Denumire, Telefon , Adresa FROM Cpp Order BY Denumire"});
    p.form.fields = {
        {.field = Field::Cheie, .caption = captioned("Cod Producator:"), .limit = sized(0), .load = 0},
        {.field = Field::Descriere, .caption = captioned("Denumire:"), .limit = sized(1), .load = 1},
        {.field = Field::Rezerva, .caption = captioned("Telefon:"), .limit = sized(2), .load = 2},
        {.field = Field::Rezerva1, .caption = captioned("Adresa:"), .limit = sized(3), .load = 3}};
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{QString("UPDATE Cpp SET ") + " P = '" + qt(in[Field::Cheie]) +
                              "', Denumire = '" + qt(in[Field::Descriere]) + "', Telefon = '" +
                              qt(in[Field::Rezerva]) + "', Adresa  = '" + qt(in[Field::Rezerva1]) +
                              "' WHERE [" + in.column(0) + "]='" + qt(in.oldKey) + "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO  Cpp (P, Denumire, Telefon, Adresa) VALUES ('" +
                              q(in[Field::Cheie]) + "', '" + q(in[Field::Descriere]) + "', '" +
                              q(in[Field::Rezerva]) + "', '" + q(in[Field::Rezerva1]) + "')"};
    };
    return p;
}

CatalogProfile tipuriDeProduse() {
    return catalogue(CatalogKind::TipuriDeProduse, "Tipuri de produse", "4321", "TipuriProduse",
                     "<Tip produs|<Categorie|<Descriere|^Cont Stoc|^Cont Ch|^Cont Ven",
                     {2200, 2700, 2400, 0, 0, 0},
                     {"  SELECT TipuriProduse.[Tip Produs], ",
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
                      " From TipuriProduse ", "ORDER BY TipuriProduse.[Tip Produs]"},
                     CatalogEditor::TipuriProdus);
}

CatalogProfile grupeDeProduse() {
    CatalogProfile p =
        catalogue(CatalogKind::GrupeDeProduse, "Grupe de produse", "4323", "GrupeProdus",
                  "<Grupa produs|<Descriere|<Discount", {2700, 4500, 1000},
                  {"  SELECT GrupeProdus.[Grupa Produs], GrupeProdus.Descriere,GrupeProdus.Discount ",
                   "    From GrupeProdus ", "ORDER BY GrupeProdus.[Grupa Produs];"});
    p.deletion.useCheck = [](const ListRow& key) {
        return QStringLiteral(
                   "SELECT Count(*) FROM GrupeProdus INNER JOIN (Subgrupeprodus INNER JOIN CoduriProdus "
                   "ON Subgrupeprodus.[Subgrupa Produs] = CoduriProdus.[Subgrupa Produs]) ON "
                   "GrupeProdus.[Grupa Produs] = Subgrupeprodus.[Grupa Produs] WHERE GrupeProdus.[") +
               key.name0 + QStringLiteral("]='") + q(key.value0) + QStringLiteral("'");
    };
    p.form.fields = keyAndDescription();
    p.form.fields.push_back({.field = Field::Discount,
                             .label = Field::Rezerva,
                             .caption = captioned("Discount"),
                             .load = 2,
                             .loadAs = LoadAs::Number});
    p.form.ownRowOrder = true;
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.checks.push_back(
        {.field = Field::Discount, .rule = CheckRule::Number, .message = kNotANumber, .when = When::Shown});
    p.form.checks.push_back({.field = Field::Discount,
                             .rule = CheckRule::AtMost,
                             .message = "Valoare incorecta !",
                             .limit = 99.99});
    p.form.update = [](const EditorInput& in) {
        StatementBuilder b;
        const QString discount = b.number(NumarCuPunct(in.discount), Field::Discount);
        return b.done("update GrupeProdus set [Grupa Produs]='" + q(in[Field::Cheie]) + "',Descriere='" +
                      q(in[Field::Descriere]) + "', Discount=" + discount + " where [Grupa Produs]='" +
                      qt(in.oldKey) + "'");
    };
    p.form.insert = [](const EditorInput& in) {
        StatementBuilder b;
        const QString discount = b.number(NumarCuPunct(in.discount), Field::Discount);
        return b.done(QString("INSERT INTO GrupeProdus ([Grupa Produs],Descriere,Discount)") + "values ('" +
                      q(in[Field::Cheie]) + "','" + q(in[Field::Descriere]) + "'," + discount + ")");
    };
    return p;
}

CatalogProfile subgrupeDeProduse() {
    CatalogProfile p =
        catalogue(CatalogKind::SubgrupeDeProduse, "Subgrupe de produse", "4324", "Subgrupeprodus",
                  "<Grupa produs|<Subgrupa produs|<Descriere", {2000, 2000, 3000},
                  {"  SELECT Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs], "
                   "Subgrupeprodus.Descriere ",
                   "    From Subgrupeprodus ",
                   "GROUP BY Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs], "
                   "Subgrupeprodus.Descriere ",
                   "ORDER BY Subgrupeprodus.[Grupa Produs], Subgrupeprodus.[Subgrupa Produs];"});
    p.deletion.statement = deleteBySecond;
    p.keyColumns = {1};
    p.form.fields = {{.field = Field::Rezerva, .caption = named(0), .limit = sized(0), .load = 0},
                     {.field = Field::Cheie, .caption = named(1), .limit = sized(1), .load = 1},
                     {.field = Field::Descriere, .caption = named(2), .limit = sized(2), .load = 2}};
    p.form.ownRowOrder = true;
    Lookup groups;
    groups.title = QStringLiteral("Grupe produs");
    groups.list = ChooserList::ProductGroups;
    p.form.lookups = {{.field = Field::Rezerva, .lookup = groups}};
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.checks.push_back({.field = Field::Rezerva, .rule = CheckRule::Required, .message = kRequired});
    p.form.checks.push_back({.field = Field::Rezerva,
                             .rule = CheckRule::Group,
                             .message = "Grupa produs inexistenta !\r\nIntroduceti alta grupa de produs!"});
    p.form.uniqueQuery = uniqueBySecond;
    p.form.groupQuery = QStringLiteral("SELECT 'x' FROM GrupeProdus WHERE GrupeProdus.[Grupa Produs]='");
    p.form.update = updateUnderGroup;
    p.form.insert = insertUnderGroup;
    return p;
}

CatalogProfile coduriVamale() {
    CatalogProfile p =
        codeAndDescription(catalogue(CatalogKind::CoduriVamale, "Coduri vamale", "4327", "Cod Vamal",
                                     "<Cod vamal|<Descriere", {2700, 4500},
                                     {"  SELECT [Cod Vamal].[Cod Vamal], [Cod Vamal].Descriere ",
                                      "    From [Cod Vamal] ", "ORDER BY [Cod Vamal].[Cod Vamal];"}));
    p.protectedCode = QStringLiteral("Fara Cod");
    return p;
}

CatalogProfile unitatiDeVinzare() {
    return codeAndDescription(
        catalogue(CatalogKind::UnitatiDeVinzare, "Unitati de vinzare", "4325", "UnitateVanzare",
                  "<Unitate de vinzare|<Descriere", {2700, 4500},
                  {"  SELECT UnitateVanzare.[Unitate De Vanzare], UnitateVanzare.Descriere ",
                   "    From UnitateVanzare ", "ORDER BY UnitateVanzare.[Unitate De Vanzare];"}));
}

} // namespace vornel::profiles
