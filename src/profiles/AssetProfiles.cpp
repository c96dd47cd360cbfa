// Fixed assets and production norms: depreciation groups, locations, production norms.
#include "profiles/Profiles.h"

#include "profiles/ProfileParts.h"

namespace vornel::profiles {

namespace {

// Code and name, both up to 50 characters; the name is required too when asked.
CatalogProfile codeAndName(CatalogProfile p, bool nameRequired) {
    p.deletion.statement = deleteByFirstSpaced;
    p.form.fields = {{.field = Field::Cheie, .caption = named(0), .limit = fixed(50), .load = 0},
                     {.field = Field::Descriere, .caption = named(1), .limit = fixed(50), .load = 1}};
    p.form.checks = requiredUniqueKey(kDuplicateKey);
    if (nameRequired)
        p.form.checks.push_back(
            {.field = Field::Descriere, .rule = CheckRule::Required, .message = kRequired});
    return p;
}

} // namespace

CatalogProfile grupeAmortizari() {
    CatalogProfile p = codeAndName(catalogue(CatalogKind::GrupeAmortizari, "Grupe Amortizari", "422",
                                             "mf_grupe", "<Cod|<Denumire|>Ani", {2700, 3400, 1000},
                                             {"SELECT * FROM mf_grupe Order By cod"}),
                                   true);
    p.form.fields.push_back({.field = Field::Rezerva, .caption = captioned("Ani Amortizare"), .load = 2});
    p.form.keys = {{Field::Rezerva, KeyRule::DigitsAndDesign}};
    // The years are shown and editable, so a change writes them too, as adding does.
    p.form.update = [](const EditorInput& in) {
        StatementBuilder b;
        const QString years = b.number(in[Field::Rezerva], Field::Rezerva);
        return b.done("UPDATE [" + in.table + "] SET [" + in.column(0) + "]='" + qt(in[Field::Cheie]) +
                      "', [" + in.column(1) + "]='" + qt(in[Field::Descriere]) + "', [amortizare]=" + years +
                      " WHERE [" + in.column(0) + "]='" + qt(in.oldKey) + "'");
    };
    // An empty years field goes in as nothing: the database refuses the statement.
    p.form.insert = [](const EditorInput& in) {
        StatementBuilder b;
        const QString typed = in[Field::Rezerva];
        const QString years = typed.isEmpty() ? QString() : b.number(typed, Field::Rezerva);
        return b.done(QString("INSERT INTO mf_grupe (") + "cod, descriere,amortizare) VALUES('" +
                      qt(in[Field::Cheie]) + "','" + qt(in[Field::Descriere]) + "'," + years + ")");
    };
    return p;
}

CatalogProfile locatii() {
    CatalogProfile p =
        codeAndName(catalogue(CatalogKind::Locatii, "Locatii", "423", "mf_sectii", "<Sectie|<Denumire",
                              {2700, 3400}, {"SELECT * FROM mf_Sectii Order By Sectie"}),
                    false);
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{"UPDATE mf_Sectii SET Sectie = '" + q(in[Field::Cheie]) + "', Descriere = '" +
                              q(in[Field::Descriere]) + "' WHERE Sectie = '" + q(in.oldKey) + "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO mf_Sectii (Sectie , Descriere) VALUES('" + q(in[Field::Cheie]) +
                              "', '" + q(in[Field::Descriere]) + "')"};
    };
    return p;
}

CatalogProfile normeProductie() {
    CatalogProfile p =
        codeAndName(catalogue(CatalogKind::NormeProductie, "Norme Productie", "425", "sal_acordcod",
                              "<Cod|<Denumire", {2700, 3400, 0}, {"SELECT * FROM sal_acordcod Order By cod"}),
                    true);
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{"UPDATE sal_acordcod SET Cod = '" + q(in[Field::Cheie]) + "', Descriere = '" +
                              q(in[Field::Descriere]) + "' WHERE Cod = '" + q(in.oldKey) + "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO sal_acordcod (Cod, Descriere) VALUES ('" + q(in[Field::Cheie]) +
                              "', '" + q(in[Field::Descriere]) + "')"};
    };
    return p;
}

} // namespace vornel::profiles
