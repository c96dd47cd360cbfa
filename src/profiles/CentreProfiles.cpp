// Production: production centres, centre groups and their subgroups.
#include "profiles/Profiles.h"

#include "profiles/ProfileParts.h"

namespace vornel::profiles {

CatalogProfile centreDeProductie() {
    CatalogProfile p =
        catalogue(CatalogKind::CentreDeProductie, "Centre de productie", "443", "pOft",
                  "<Cod|<Denumire|<Centru Cost", {2700, 2700, 1500, 0, 0, 0},
                  {"SELECT Cod, Denumire, CodC, TMax, TZi, NrU FROM Poft ", " Order BY Cod, Denumire"},
                  CatalogEditor::GridDetailMare);
    p.search = search("Cod", "Denumire", "SELECT Cod, Denumire, CodC, TMax, TZi, NrU FROM Poft ",
                      " WHERE  DEnumire LIKE ", " Cod LIKE ", " Order BY Cod, Denumire");
    p.deletion = deleteByProcedure(7, false);
    p.form.fields = {{.field = Field::CodDepozit},
                     {.field = Field::CodCasierie,
                      .caption = captioned("Cod:"),
                      .load = 0,
                      .loadAs = LoadAs::Whole,
                      .lockedInModify = true},
                     {.field = Field::DenumireDepozit,
                      .caption = captioned("Denumire:"),
                      .load = 1,
                      .loadAs = LoadAs::Whole},
                     {.field = Field::Heading0, .text = QStringLiteral("Caracteristici")},
                     {.field = Field::DescriereDepozit,
                      .caption = captioned("Timp disponibil lunar(min.)"),
                      .load = 3,
                      .loadAs = LoadAs::Whole},
                     {.field = Field::AdresaDepozit,
                      .caption = captioned("Timp disponibil zilnic(min.)"),
                      .load = 4,
                      .loadAs = LoadAs::Whole},
                     {.field = Field::ContAnalitic,
                      .caption = captioned("Centru de Cost:"),
                      .load = 2,
                      .loadAs = LoadAs::Whole},
                     {.field = Field::Transferabil,
                      .text = QStringLiteral("Manopera "),
                      .load = 5,
                      .loadAs = LoadAs::Checked}};
    p.form.keys = {{Field::DescriereDepozit, KeyRule::Digits}, {Field::AdresaDepozit, KeyRule::Digits}};
    Lookup centres;
    centres.title = QStringLiteral("Centre de productie");
    centres.list = ChooserList::CostCentres;
    p.form.lookups = {{.field = Field::ContAnalitic, .lookup = centres}};
    p.form.checks = {
        {.field = Field::CodCasierie,
         .rule = CheckRule::Filled,
         .message = "Cod casierie obligatoriu !",
         .when = When::Shown},
        {.field = Field::CodCasierie,
         .rule = CheckRule::Unique,
         .message = "Exista deja o inregistrare cu acest cod !",
         .when = When::Shown},
        {.field = Field::DenumireDepozit, .rule = CheckRule::Required, .message = "Denumire obligatorie !"},
        {.field = Field::ContAnalitic,
         .rule = CheckRule::CostCentre,
         .message = "Centru de cost inexistent !"}};
    programChecks(p.form.checks);
    p.form.minutes = {Field::DescriereDepozit, Field::AdresaDepozit};
    p.form.uniqueQuery = [](const KeyInput& key) {
        return std::optional<QString>("SELECT 'x' FROM [" + key.table + "] WHERE Cod = '" +
                                      q(key.value.trimmed()) + "'");
    };
    p.form.update = [](const EditorInput& in) {
        StatementBuilder b;
        const QString monthly = b.number(in[Field::DescriereDepozit], Field::DescriereDepozit);
        const QString daily = b.number(in[Field::AdresaDepozit], Field::AdresaDepozit);
        return b.done("Update poft Set Denumire = '" + q(in[Field::DenumireDepozit]) +
                      "', TMax = " + monthly + ", TZI = " + daily + ", CodC = '" +
                      q(in[Field::ContAnalitic]) + "', NrU = " + flag(in.ticked, "1", "0") +
                      "  WHERE Cod = '" + q(in[Field::CodCasierie]) + "'");
    };
    p.form.insert = [](const EditorInput& in) {
        StatementBuilder b;
        const QString monthly = b.number(in[Field::DescriereDepozit], Field::DescriereDepozit);
        const QString daily = b.number(in[Field::AdresaDepozit], Field::AdresaDepozit);
        return b.done("INSERT INTO poft (Cod, DEnumire, Tmax, TZi, CodC, NrU) VALUES('" +
                      q(in[Field::CodCasierie]) + "', '" + q(in[Field::DenumireDepozit]) + "', " + monthly +
                      ", " + daily + ", '" + q(in[Field::ContAnalitic]) + "', " + flag(in.ticked, "1", "0") +
                      ")");
    };
    return p;
}

CatalogProfile grupeCentre() {
    CatalogProfile p =
        catalogue(CatalogKind::GrupeCentre, "Grupe Centre", "441", "yC1",
                  "<Cod Centru|<Descriere Centru|<Cat", {1900, 3500, 700},
                  {"SELECT  yC1.Cod , yC1.Denumire, CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END   FROM yC1  "
                   "ORDER BY yc1.tip, yc1.Cod"});
    p.search = search("Cod Centru", "Denumire Centru",
                      "SELECT  yC1.Cod , yC1.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END "
                      " FROM dbo.yC1  "
                      " WHERE  ",
                      " yC1.Denumire LIKE ", " yC1.Cod LIKE ", "ORDER BY yC1.Tip, yC1.Cod");
    p.form.fields = {
        {.field = Field::Cheie, .caption = captioned("Cod Centru"), .limit = fixed(50), .load = 0},
        {.field = Field::Descriere, .caption = captioned("Denumire Centru"), .limit = fixed(50), .load = 1},
        {.field = Field::Transferabil,
         .text = QStringLiteral("    Categoria I"),
         .load = 2,
         .loadAs = LoadAs::CheckedWhen,
         .loadText = QStringLiteral("I")}};
    p.form.checks = requiredUniqueKey(kDuplicateKey);
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{"UPDATE yC1 SET Cod = '" + q(in[Field::Cheie]) + "', Denumire = '" +
                              q(in[Field::Descriere]) + "' " + ", Tip = " + flag(in.ticked, "0", "1") +
                              " Where Cod = '" + q(in.cell(0)) + "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO  yC1 (Cod, Denumire, Tip) VALUES ('" + q(in[Field::Cheie]) +
                              "', '" + q(in[Field::Descriere]) + "', " + flag(in.ticked, "0", "1") + ")"};
    };
    return p;
}

CatalogProfile subgrupeCentre() {
    CatalogProfile p = catalogue(CatalogKind::SubgrupeCentre, "Subgrupe Centre", "442", "yC2",
                                 "<Cod Centru|<Descriere Centru|<Cat|<Grupa|R ", {1900, 3500, 700, 1900, 0},
                                 {"SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE "
                                  "'II' END,  yC1.Cod , yc2.R ",
                                  " FROM dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod ",
                                  " ORDER BY yC1.Tip, yC1.Cod, yC2.CodC"});
    p.search = search(
        "Cod Centru", "Denumire Centru",
        "SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END,  yC1.Cod, yc2.R "
        " FROM dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod "
        " WHERE  ",
        " yC2.Denumire LIKE ", " yC2.CodC LIKE ", " ORDER BY yC1.Cod, yC2.Cod");
    p.deletion = deleteByProcedure(9, false);
    p.form.fields = {
        {.field = Field::Cheie, .caption = captioned("Cod Centru"), .limit = fixed(50), .load = 0},
        {.field = Field::Descriere, .caption = captioned("Denumire Centru"), .limit = fixed(50), .load = 1},
        {.field = Field::Rezerva, .caption = captioned("Grupa Centru :"), .limit = fixed(50), .load = 3},
        {.field = Field::Transferabil,
         .text = QStringLiteral("Manopera "),
         .load = 4,
         .loadAs = LoadAs::Checked,
         .shown = false}};
    Lookup groups;
    groups.title = QStringLiteral("Grupe Centre");
    groups.list = ChooserList::CentreGroups;
    groups.widths = {2500, 3500, 500};
    p.form.lookups = {{.field = Field::Rezerva, .lookup = groups, .untilPicked = true}};
    p.form.checks = requiredUniqueKey(kDuplicateKey);
    p.form.checks.push_back(
        {.field = Field::Rezerva, .rule = CheckRule::Picked, .message = "Introduceti o valoare corecta !"});
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{"UPDATE yC2 SET CodC = '" + q(in[Field::Cheie]) + "', Denumire = '" +
                              q(in[Field::Descriere]) + "', Cod = '" + q(in[Field::Rezerva]) + "'" +
                              ", R =  " + flag(in.ticked, "1", "0") + " Where CodC = '" + q(in.cell(0)) +
                              "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO  yC2 (CodC, Denumire, Cod, R) VALUES ('" + q(in[Field::Cheie]) +
                              "', '" + q(in[Field::Descriere]) + "', '" + q(in[Field::Rezerva]) + "', " +
                              flag(in.ticked, "1", "0") + ")"};
    };
    return p;
}

} // namespace vornel::profiles
