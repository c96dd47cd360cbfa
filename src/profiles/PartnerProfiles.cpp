// Partners: customer and supplier types and categories, banks.
#include "profiles/Profiles.h"

#include "profiles/ProfileParts.h"

namespace vornel::profiles {

namespace {

CatalogProfile partnerType(CatalogKind kind, const char* caption, const char* rights, const char* table,
                           const char* format, std::initializer_list<const char*> query) {
    CatalogProfile p = catalogue(kind, caption, rights, table, format, {2700, 4500}, query);
    p.form.fields = keyAndDescription();
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.update = updateFirstTwo;
    p.form.insert = insertFirstTwo;
    return p;
}

// A category with the account its partners are posted on, picked from the chart of accounts.
CatalogProfile partnerCategory(CatalogKind kind, const char* caption, const char* rights, const char* table,
                               const char* format, std::initializer_list<const char*> query,
                               const char* accountTitle) {
    CatalogProfile p = catalogue(kind, caption, rights, table, format, {2800, 3700, 700}, query);
    p.form.fields = keyAndDescription();
    p.form.fields.push_back(
        {.field = Field::Rezerva, .caption = named(2), .limit = accountLength(), .load = 2});
    p.form.lookups = {{.field = Field::Rezerva, .lookup = accounts(accountTitle, true)}};
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.checks.push_back(
        {.field = Field::Rezerva, .rule = CheckRule::Required, .message = "Valoarea cont obligatorie ! "});
    p.form.checks.push_back(
        {.field = Field::Rezerva, .rule = CheckRule::Account, .message = "Cont inexistent !"});
    p.form.update = [](const EditorInput& in) {
        return updateInOrder(in, {Field::Cheie, Field::Descriere, Field::Rezerva});
    };
    p.form.insert = [](const EditorInput& in) {
        return insertInOrder(in, {Field::Cheie, Field::Descriere, Field::Rezerva});
    };
    return p;
}

} // namespace

CatalogProfile tipuriDeClienti() {
    return partnerType(CatalogKind::TipuriDeClienti, "Tipuri de clienti", "4331", "Tip Client",
                       "<Tip client|<Descriere",
                       {"  SELECT [Tip Client].[Tip Client], [Tip Client].Descriere ",
                        "    From [Tip Client] ", "ORDER BY [Tip Client].[Tip Client];"});
}

CatalogProfile tipuriDeFurnizori() {
    return partnerType(CatalogKind::TipuriDeFurnizori, "Tipuri de furnizori", "4333", "Tip Furnizor",
                       "<Tip furnizor|<Descriere",
                       {"  SELECT [Tip Furnizor].[Tip Furnizor], [Tip Furnizor].Descriere ",
                        "    From [Tip Furnizor] ", "ORDER BY [Tip Furnizor].[Tip Furnizor];"});
}

CatalogProfile categoriiDeClienti() {
    return partnerCategory(CatalogKind::CategoriiDeClienti, "Categorii de clienti", "4332",
                           "Categorie Client", "<Categorie client|<Descriere|^Cont",
                           {"  SELECT [Categorie Client].[Categorie Client], [Categorie Client].Descriere, "
                            "[Categorie Client].Cont ",
                            "    From [Categorie Client] ",
                            "ORDER BY [Categorie Client].[Categorie Client];"},
                           "Conturi de clienti");
}

CatalogProfile categoriiDeFurnizori() {
    return partnerCategory(
        CatalogKind::CategoriiDeFurnizori, "Categorii de furnizori", "4334", "Categorie Furnizor",
        "<Categorie furnizor|<Descriere|^Cont",
        {"  SELECT [Categorie Furnizor].[Categorie Furnizor], [Categorie Furnizor].Descriere, "
         "[Categorie Furnizor].Cont ",
         "    From [Categorie Furnizor] ", "ORDER BY [Categorie Furnizor].[Categorie Furnizor];"},
        "Conturi de furnizori");
}

CatalogProfile banci() {
    CatalogProfile p =
        catalogue(CatalogKind::Banci, "Banci", "4311", "Banci",
                  ">Cod Banca|<Descriere banca|<Adresa|<Telefon|<Persoana Contact", {1500, 5500, 0, 0, 0, 0},
                  {"  SELECT Banci.[Cod Banca], Banci.[Descriere], Banci.Adresa, Banci.Telefon, "
                   "Banci.[Persoana Contact], Banci.Cont ",
                   "    From Banci ", "ORDER BY Banci.[Cod Banca];"});
    p.deletion = deleteByProcedure(5, true);
    p.form.fields = {
        {.field = Field::Cod, .caption = named(0), .limit = fixed(5), .load = 0, .lockedInModify = true},
        {.field = Field::Cheie, .caption = named(1), .limit = sized(1), .load = 1},
        {.field = Field::Descriere, .caption = named(2), .limit = sized(2), .load = 2},
        {.field = Field::Rezerva, .caption = named(3), .limit = sized(3), .load = 3},
        {.field = Field::Rezerva1, .caption = named(4), .limit = sized(4), .load = 4},
        {.field = Field::Cont, .caption = named(5), .limit = accountLength(), .load = 5}};
    p.form.ownRowOrder = true;
    p.form.ownTabOrder = true;
    p.form.focusAdd = Field::Cod;
    p.form.keyField = Field::Cod;
    p.form.keys = {{Field::Cod, KeyRule::Digits}};
    p.form.lookups = {
        {.field = Field::Cont, .lookup = accounts("Conturi curente la banci", true), .focusBack = true}};
    p.form.checks = {
        {.field = Field::Cod,
         .rule = CheckRule::Required,
         .message = "Cod obligatoriu !",
         .when = When::Editable},
        {.field = Field::Cod, .rule = CheckRule::Number, .message = kNotANumber, .when = When::Editable},
        {.field = Field::Cod, .rule = CheckRule::Unique, .message = kDuplicateKey, .when = When::Editable},
        {.field = Field::Cheie, .rule = CheckRule::Required, .message = kRequired},
        {.field = Field::Cont, .rule = CheckRule::MinLength, .message = "Cont obligatoriu  !", .limit = 3},
        {.field = Field::Cont,
         .rule = CheckRule::Account,
         .message = "Contul nu exista in planul de conturi  !"}};
    p.form.uniqueQuery = uniqueByNumber;
    p.form.update = [](const EditorInput& in) {
        StatementBuilder b;
        const QString old = b.number(in.oldKey.trimmed(), Field::Cod);
        return b.done("UPDATE [" + in.table + "] SET [" + in.column(1) + "]='" + qt(in[Field::Cheie]) +
                      "', [" + in.column(2) + "]='" + qt(in[Field::Descriere]) + "', [" + in.column(3) +
                      "]='" + qt(in[Field::Rezerva]) + "', [" + in.column(5) + "]='" + qt(in[Field::Cont]) +
                      "', [" + in.column(4) + "]='" + qt(in[Field::Rezerva1]) + "' WHERE [" + in.column(0) +
                      "]=" + old);
    };
    p.form.insert = [](const EditorInput& in) {
        StatementBuilder b;
        const QString code = b.number(Sql::numberText(Sql::leadingNumber(in[Field::Cod])), Field::Cod);
        return b.done("INSERT INTO [" + in.table + "]([" + in.column(0) + "],[" + in.column(1) + "],[" +
                      in.column(2) + "],[" + in.column(3) + "],[" + in.column(5) + "],[" + in.column(4) +
                      "]) VALUES(" + code + ",'" + qt(in[Field::Cheie]) + "','" + qt(in[Field::Descriere]) +
                      "','" + qt(in[Field::Rezerva]) + "','" + qt(in[Field::Cont]) + "','" +
                      qt(in[Field::Rezerva1]) + "')");
    };
    return p;
}

} // namespace vornel::profiles
