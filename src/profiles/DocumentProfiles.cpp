// Documents: other input and output documents, transfer documents, third-party corrections.
#include "profiles/Profiles.h"

#include "profiles/ProfileParts.h"

namespace vornel::profiles {

namespace {

// The table holds every kind of document: a deletion takes only rows of the list's kind.
std::function<std::optional<QString>(const ListRow&)> deleteOfKind(const char* ec) {
    return [ec](const ListRow& key) -> std::optional<QString> {
        return *deleteByFirst(key) + QStringLiteral(" AND [EC]=") + QLatin1String(ec);
    };
}

// Other input (EC 2) and output (EC 3) documents: a description, the account they post on and
// their print form; an output document may post on the products' own expense accounts instead.
CatalogProfile otherDocuments(CatalogProfile p, bool output) {
    const char* ec = output ? "3" : "2";
    p.deletion.statement = deleteOfKind(ec);
    p.form.fields = {
        {.field = Field::Cheie, .caption = named(0), .limit = sized(0), .load = 0},
        {.field = Field::Cont,
         .label = Field::Descriere,
         .caption = named(1),
         .limit = accountLength(),
         .load = 1},
        {.field = Field::Combo,
         .label = Field::Rezerva,
         .caption = named(2),
         .limit = sized(2),
         .load = 2,
         .lockedInModify = true},
        {.field = Field::Transferabil,
         .text = output ? QStringLiteral("Cu conturire de cheltuiala ale produselor") : QString(),
         .load = output ? 5 : -1,
         .loadAs = LoadAs::CheckedUnless,
         .loadText = QStringLiteral("Nu"),
         .shown = output},
        {.field = Field::Cod, .load = 4, .shown = false}};
    p.form.ownRowOrder = true;
    p.form.ownTabOrder = true;
    p.form.comboItems = {QStringLiteral("Aviz"), QStringLiteral("Bon Consum")};
    p.form.keyField = Field::Cod;
    p.keyColumns = {4};
    p.form.clearedWhenTicked = Field::Cont;
    p.form.lookups = {{.field = Field::Cont,
                       .lookup = accounts(output ? "Alegeti contul pentru > Alte Documente Iesire <"
                                                 : "Alegeti contul pentru > Alte Documente Intrare <",
                                          true),
                       .focusBack = true}};
    p.form.checks = requiredUniqueKey(kDuplicateKey);
    const When accountWhen = output ? When::UnlessTicked : When::Always;
    p.form.checks.push_back(
        {.field = Field::Cont,
         .rule = CheckRule::Required,
         .message = "Valoarea cont obligatorie !  Contul trebuie sa existe in planul de conturi !",
         .focus = Field::None,
         .when = accountWhen});
    p.form.checks.push_back({.field = Field::Cont,
                             .rule = CheckRule::Account,
                             .message = "Valoarea cont trebuie sa existe in planul de conturi !",
                             .focus = Field::None,
                             .when = accountWhen});
    // An output document checks its account once; an input document a second time, as an account.
    if (!output) {
        p.form.checks.push_back({.field = Field::Cont,
                                 .rule = CheckRule::MinLength,
                                 .message = "Cont obligatoriu  !",
                                 .when = When::Shown,
                                 .limit = 3});
        p.form.checks.push_back({.field = Field::Cont,
                                 .rule = CheckRule::Account,
                                 .message = "Contul nu exista in planul de conturi  !",
                                 .when = When::Shown});
    }
    p.form.uniqueQuery = [ec](const KeyInput& key) {
        return uniqueByFirstAnd(key, " AND [" + key.table + "].[" + key.columns.value(3) + "]=" + ec);
    };
    p.form.update = [](const EditorInput& in) {
        StatementBuilder b;
        const QString old = b.number(in.oldKey.trimmed(), Field::Cheie);
        const QString account = in.ticked ? QString() : in[Field::Cont];
        return b.done("UPDATE [" + in.table + "] SET [" + in.column(0) + "]='" + qt(in[Field::Cheie]) +
                      "', [" + in.column(1) + "]='" + qt(account) + "', [" + in.column(2) + "]='" +
                      qt(in[Field::Combo]) + "' " + ", Transferabil = " + flag(in.ticked, "1", "0") +
                      " WHERE [" + in.column(4) + "]=" + old);
    };
    p.form.insert = [ec](const EditorInput& in) {
        const QString account = in.ticked ? QString() : in[Field::Cont];
        return BuiltStatement{"INSERT INTO [" + in.table + "]([" + in.column(0) + "],[" + in.column(1) +
                              "],[" + in.column(2) + "], " + " [EC], Transferabil) VALUES('" +
                              qt(in[Field::Cheie]) + "','" + qt(account) + "','" + q(in[Field::Combo]) +
                              "'," + QString::fromLatin1(ec) + ", " + flag(in.ticked, "1", "0") + ")"};
    };
    return p;
}

} // namespace

CatalogProfile alteDocumenteIntrare() {
    return otherDocuments(
        catalogue(CatalogKind::AlteDocumenteIntrare, "Alte Documente Intrare", "4342", "TipuriBonConsum",
                  "<Descriere|^Cont|<Forma Tiparire", {2500, 700, 1900, 0, 0},
                  {"SELECT  TipuriBonConsum.Descriere,", " TipuriBonConsum.Cont,",
                   " TipuriBonConsum.[Forma Tiparire],",
                   " TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum ", " From TipuriBonConsum",
                   " Where TipuriBonConsum.EC = ", "2", " ORDER BY TipuriBonConsum.Descriere"}),
        false);
}

CatalogProfile alteDocumenteIesire() {
    return otherDocuments(
        catalogue(
            CatalogKind::AlteDocumenteIesire, "Alte Documente Iesire", "4343", "TipuriBonConsum",
            "<Descriere|^Cont|<Forma Tiparire|a|a|^BC", {2500, 700, 1900, 0, 0, 700},
            {"SELECT  TipuriBonConsum.Descriere,", " TipuriBonConsum.Cont,",
             " TipuriBonConsum.[Forma Tiparire],", " TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum, ",
             " CASE WHEN TipuriBonConsum.Transferabil = 0 THEN 'Nu' ELSE 'Da' END  ", " From TipuriBonConsum",
             " Where TipuriBonConsum.EC = ", "3", " ORDER BY TipuriBonConsum.Descriere"}),
        true);
}

CatalogProfile documenteDeTransfer() {
    CatalogProfile p = catalogue(CatalogKind::DocumenteDeTransfer, "Documente de Transfer", "4344",
                                 "TipuriBonConsum", "<Descriere|<Forma Tiparire", {3400, 1600},
                                 {"  SELECT TipuriBonConsum.Descriere, TipuriBonConsum.[Forma Tiparire] ",
                                  "  From TipuriBonConsum ", "  WHERE TipuriBonConsum.EC = 4 ",
                                  "  ORDER BY TipuriBonConsum.Descriere;"});
    p.deletion.statement = deleteOfKind("4");
    p.form.fields = {
        {.field = Field::Cheie, .caption = named(0), .limit = sized(0), .load = 0, .lockedInModify = true},
        {.field = Field::Combo,
         .label = Field::Descriere,
         .caption = named(1),
         .limit = sized(1),
         .load = 1,
         .lockedInModify = true}};
    p.form.ownRowOrder = true;
    p.form.ownTabOrder = true;
    p.form.comboItems = {QStringLiteral("Bon Consum"), QStringLiteral("Aviz")};
    p.form.focusModify = Field::Combo;
    p.keyValues = {{QStringLiteral("EC"), 4}};
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.uniqueQuery = [](const KeyInput& key) {
        return uniqueByFirstAnd(key, " AND [" + key.table + "].[EC]=4");
    };
    // The table holds all three kinds of document: only the transfer document may change.
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{"UPDATE [" + in.table + "] SET [" + in.column(0) + "]='" +
                              qt(in[Field::Cheie]) + "', [" + in.column(1) + "]= '" + q(in[Field::Combo]) +
                              "' WHERE [" + in.column(0) + "]='" + qt(in.oldKey) + "' AND [EC]=4"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO [" + in.table + "]([" + in.column(0) + "],[" + in.column(1) +
                              "],EC) VALUES('" + qt(in[Field::Cheie]) + "','" + q(in[Field::Combo]) + "',4)"};
    };
    return p;
}

CatalogProfile documenteCorectieTerti() {
    CatalogProfile p = catalogue(
        CatalogKind::DocumenteCorectieTerti, "Documente Corectie Terti", "4345", "TipCorectie", "<Descriere",
        {5200, 0},
        {"SELECT Descriere, IdTipCorectie  ", " From [TipCorectie]", " ORDER BY [TipCorectie].[Descriere];"});
    p.deletion.statement = deleteBySecond;
    p.keyColumns = {1};
    p.form.fields = {{.field = Field::Cheie, .caption = named(0), .limit = sized(0), .load = 0}};
    p.form.checks = requiredUniqueKey(kDuplicateKey);
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{"UPDATE [" + in.table + "] SET [" + in.column(0) + "]='" +
                              qt(in[Field::Cheie]) + "' WHERE [" + in.column(1) + "]='" + q(in.cell(1)) +
                              "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO [" + in.table + "]([" + in.column(0) + "]) VALUES('" +
                              qt(in[Field::Cheie]) + "')"};
    };
    return p;
}

} // namespace vornel::profiles
