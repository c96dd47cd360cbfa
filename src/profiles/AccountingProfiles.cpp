// Accounting: VAT rates and regimes, account classes and subclasses, receipt and payment operations.
#include "profiles/Profiles.h"

#include "profiles/ProfileParts.h"

namespace vornel::profiles {

namespace {

// A receipt or payment operation: its description, account and VAT account; the list's hidden
// first column is the operation's id.
CatalogProfile operation(CatalogKind kind, const char* caption, const char* rights, const char* format,
                         std::vector<int> widths, std::initializer_list<const char*> query,
                         SearchProfile find) {
    CatalogProfile p = catalogue(kind, caption, rights, "TipuriApi", format, std::move(widths), query);
    p.search = std::move(find);
    p.deletion.statement = [](const ListRow& key) {
        StatementBuilder b;
        const QString id = b.number(key.value0);
        return b.statement(QStringLiteral("DELETE FROM TipuriApi WHERE IdOp = ") + id);
    };
    p.form.fields = {
        {.field = Field::Cheie, .caption = captioned("Descriere Operatie"), .limit = fixed(50), .load = 1},
        {.field = Field::Descriere, .caption = captioned("Cont"), .limit = accountLength(), .load = 2},
        {.field = Field::Rezerva, .caption = captioned("Cont TVA"), .limit = accountLength(), .load = 3}};
    Lookup operations = accounts("Incasari/Plati");
    Lookup vat = accounts("Incasari/Plati-TVA");
    p.form.lookups = {{.field = Field::Descriere, .lookup = operations},
                      {.field = Field::Rezerva, .lookup = vat}};
    p.form.checks = {{.field = Field::Cheie, .rule = CheckRule::Required, .message = kRequired},
                     {.field = Field::Descriere,
                      .rule = CheckRule::Account,
                      .message = "Contul nu exista in planul de conturi !"},
                     {.field = Field::Rezerva, .rule = CheckRule::InChart}};
    p.form.update = [](const EditorInput& in) {
        StatementBuilder b;
        const QString id = b.number(in.cell(0), Field::None);
        return b.done("UPDATE TipuriAPI SET DenumireOp = '" + q(in[Field::Cheie]) + "', Cont = '" +
                      q(in[Field::Descriere]) + "', ContTva = '" + q(in[Field::Rezerva]) +
                      "'  Where IdOp = " + id);
    };
    return p;
}

// A class of the chart of accounts or a subclass: the key is checked against the classes.
std::vector<FieldCheck> subclassChecks() {
    return {{.field = Field::Cheie,
             .rule = CheckRule::PrefixOf,
             .message = "Clasa contului trebuie sa fie inclusa in subclasa!!",
             .other = Field::Rezerva},
            {.field = Field::Cheie, .rule = CheckRule::Unique, .message = kDuplicateDescription},
            {.field = Field::Rezerva, .rule = CheckRule::Required, .message = kRequired},
            {.field = Field::Rezerva,
             .rule = CheckRule::Group,
             .message = "Grupa cont inexistenta !\r\nIntroduceti alta grupa de cont!"}};
}

} // namespace

CatalogProfile rateTva() {
    CatalogProfile p = catalogue(
        CatalogKind::RateTva, "Rate TVA", "4322", "TVA", ">TVA|<Denumire TVA|^Cont D|^Cont C",
        {1000, 4300, 700, 700},
        {"  SELECT TVA.TVA AS TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], TVA.[Cont TVA colectat] ",
         "    From Tva ",
         "GROUP BY TVA.TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], TVA.[Cont TVA colectat] ",
         "ORDER BY TVA.TVA"});
    // The rate is shown with thousands separators and written bare.
    p.deletion.statement = [](const ListRow& key) {
        QString rate = key.value0;
        rate.remove(QLatin1Char(','));
        StatementBuilder b;
        const QString bare = b.number(rate);
        return b.statement(QStringLiteral("DELETE FROM [") + key.table + QStringLiteral("] WHERE [") +
                           key.name0 + QStringLiteral("]=") + bare);
    };
    p.form.fields = {{.field = Field::Cheie, .caption = named(0), .limit = fixed(3), .load = 0},
                     {.field = Field::Descriere, .caption = named(1), .limit = fixed(50), .load = 1},
                     {.field = Field::Rezerva, .caption = named(2), .limit = accountLength(), .load = 2},
                     {.field = Field::Rezerva1, .caption = named(3), .limit = accountLength(), .load = 3}};
    p.form.keys = {{Field::Cheie, KeyRule::Digits}};
    p.form.lookups = {{.field = Field::Rezerva, .lookup = accounts("TVA deductibil")},
                      {.field = Field::Rezerva1, .lookup = accounts("TVA colectat"), .focusBack = true}};
    p.form.checks = {
        {.field = Field::Cheie, .rule = CheckRule::Required, .message = kRequired},
        {.field = Field::Cheie, .rule = CheckRule::Number, .message = kNotANumber},
        {.field = Field::Cheie,
         .rule = CheckRule::AtMost,
         .message = "Valoarea TVA trebuie sa fie <= 100% !",
         .limit = 100},
        {.field = Field::Cheie, .rule = CheckRule::Unique, .message = kDuplicateDescription},
        {.field = Field::Descriere, .rule = CheckRule::Required, .message = kRequired},
        {.field = Field::Rezerva, .rule = CheckRule::Required, .message = "Valoarea cont obligatorie ! "},
        {.field = Field::Rezerva, .rule = CheckRule::Account, .message = "Cont inexistent !"},
        {.field = Field::Rezerva1,
         .rule = CheckRule::Required,
         .message = "Valoarea cont obligatorie !  Contul trebuie sa fie in grupa 4427 de conturi !"},
        {.field = Field::Rezerva1,
         .rule = CheckRule::Account,
         .message = "Valoarea cont trebuie sa fie in grupa 4427 de conturi !",
         .group = QStringLiteral("4427")}};
    p.form.uniqueQuery = uniqueByNumber;
    p.form.update = [](const EditorInput& in) {
        StatementBuilder b;
        const QString key = b.number(in[Field::Cheie].trimmed(), Field::Cheie);
        const QString old = b.number(in.oldKey.trimmed(), Field::Cheie);
        return b.done("UPDATE [" + in.table + "] SET [" + in.column(0) + "]=" + key + ", [" + in.column(1) +
                      "]='" + qt(in[Field::Descriere]) + "', [" + in.column(3) + "]='" +
                      qt(in[Field::Rezerva1]) + "', [" + in.column(2) + "]='" + q(in[Field::Rezerva]) +
                      "' WHERE [" + in.column(0) + "]=" + old);
    };
    p.form.insert = [](const EditorInput& in) {
        StatementBuilder b;
        const QString key = b.number(in[Field::Cheie], Field::Cheie);
        return b.done("INSERT INTO [" + in.table + "]([" + in.column(0) + "],[" + in.column(1) + "],[" +
                      in.column(3) + "],[" + in.column(2) + "]) VALUES(" + key + ",'" +
                      qt(in[Field::Descriere]) + "','" + qt(in[Field::Rezerva1]) + "','" +
                      q(in[Field::Rezerva]) + "')");
    };
    return p;
}

// The VAT regimes: the code, the name and the accounts the regime posts to; an exempt regime may
// post to one account or none, so the accounts may stay empty but must be in the chart when given.
CatalogProfile regimuriTva() {
    CatalogProfile p = catalogue(CatalogKind::RegimuriTva, "Regimuri TVA", "4329", "RegimTVA",
                                 "<Regim|<Denumire regim|^Cont D|^Cont C", {1000, 4300, 700, 700},
                                 {"  SELECT RegimTVA.Regim, RegimTVA.Denumire, RegimTVA.[Cont TVA "
                                  "deductibil], RegimTVA.[Cont TVA colectat] ",
                                  "    From RegimTVA ", "ORDER BY RegimTVA.Regim"});
    p.form.fields = keyAndDescription();
    p.form.fields.push_back(
        {.field = Field::Rezerva, .caption = named(2), .limit = accountLength(), .load = 2});
    p.form.fields.push_back(
        {.field = Field::Rezerva1, .caption = named(3), .limit = accountLength(), .load = 3});
    p.form.lookups = {{.field = Field::Rezerva, .lookup = accounts("TVA deductibil")},
                      {.field = Field::Rezerva1, .lookup = accounts("TVA colectat"), .focusBack = true}};
    p.form.checks = requiredUniqueKey(kDuplicateKey);
    p.form.checks.push_back({.field = Field::Descriere, .rule = CheckRule::Required, .message = kRequired});
    p.form.checks.push_back({.field = Field::Rezerva, .rule = CheckRule::InChart});
    p.form.checks.push_back({.field = Field::Rezerva1, .rule = CheckRule::InChart});
    p.form.update = [](const EditorInput& in) {
        return updateInOrder(in, {Field::Cheie, Field::Descriere, Field::Rezerva, Field::Rezerva1});
    };
    p.form.insert = [](const EditorInput& in) {
        return insertInOrder(in, {Field::Cheie, Field::Descriere, Field::Rezerva, Field::Rezerva1});
    };
    return p;
}

CatalogProfile clasaCont() {
    CatalogProfile p = catalogue(CatalogKind::ClasaCont, "Clasa Cont", "422", "zContaGrupa",
                                 "<Clasa cont|<Descriere", {2700, 4500},
                                 {"  SELECT zContaGrupa.Grupa, zContaGrupa.Descriere ",
                                  "    FROM zContaGrupa ", "ORDER BY zContaGrupa.Grupa;"});
    p.deletion.useCheck = [](const ListRow& key) {
        return QStringLiteral(
                   "SELECT Count(*) FROM (zContaGrupa INNER JOIN zContaSubGrupa ON zContaGrupa.Grupa = "
                   "zContaSubGrupa.Grupa) INNER JOIN zConta_Plan ON zContaSubGrupa.SubGrupa = "
                   "zConta_Plan.SubGrupa WHERE zContaGrupa.[") +
               key.name0 + QStringLiteral("]='") + q(key.value0) + QStringLiteral("'");
    };
    p.form.fields = keyAndDescription();
    p.form.fields[0].caption = captioned("Clasa Cont");
    p.form.checks = requiredUniqueKey(kDuplicateDescription);
    p.form.update = updateFirstTwo;
    p.form.insert = insertFirstTwo;
    return p;
}

CatalogProfile subclasaCont() {
    CatalogProfile p =
        catalogue(CatalogKind::SubclasaCont, "Subclasa Cont", "423", "zContaSubGrupa",
                  "<Clasa cont|<Subclasa cont|<Descriere", {2000, 2000, 3000},
                  {"  SELECT zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa, zContaSubGrupa.Descriere ",
                   "    FROM zContaSubGrupa ",
                   "GROUP BY zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa, zContaSubGrupa.Descriere ",
                   "ORDER BY zContaSubGrupa.Grupa, zContaSubGrupa.SubGrupa;"});
    p.deletion.statement = deleteBySecond;
    p.keyColumns = {1};
    p.form.fields = {
        {.field = Field::Rezerva, .caption = captioned("Clasa Cont"), .limit = sized(0), .load = 0},
        {.field = Field::Cheie, .caption = captioned("Subclasa Cont"), .limit = sized(1), .load = 1},
        {.field = Field::Descriere, .caption = named(2), .limit = sized(2), .load = 2}};
    p.form.ownRowOrder = true;
    Lookup classes;
    classes.title = QStringLiteral("Clasa Cont");
    classes.list = ChooserList::AccountClasses;
    p.form.lookups = {{.field = Field::Rezerva, .lookup = classes}};
    p.form.checks = subclassChecks();
    p.form.uniqueQuery = uniqueBySecond;
    p.form.groupQuery = QStringLiteral("SELECT 'x' FROM zContaGrupa WHERE zContaGrupa.Grupa='");
    p.form.update = updateUnderGroup;
    p.form.insert = insertUnderGroup;
    return p;
}

CatalogProfile incasari() {
    CatalogProfile p = operation(
        CatalogKind::Incasari, "Incasari", "4313", "<Id|<Descriere Incasare|<Cont|Cont TVA",
        {0, 5200, 1900, 1900, 0, 0},
        {"SELECT IdOp, DenumireOp, Cont, ",
         "  ContTva, Incasare   FROM TipuriApi WHERE Incasare = 1 ORDER BY DenumireOp "},
        search("", "",
               "SELECT IdOp, DenumireOp, Cont,  ContTva, Incasare  FROM TipuriApi WHERE Incasare = 1 AND ",
               " DenumireOp LIKE ", " Cont LIKE ", " ORDER BY DenumireOp "));
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO TipuriAPI (DenumireOp, Cont, Incasare, ContTVA) VALUES ('" +
                              q(in[Field::Cheie]) + "', '" + q(in[Field::Descriere]) + "' , 1, '" +
                              q(in[Field::Rezerva]) + "')"};
    };
    return p;
}

CatalogProfile plati() {
    CatalogProfile p = operation(
        CatalogKind::Plati, "Plati", "4314", "<Id|<Descriere Plata|<Cont|Cont TVA",
        {0, 3500, 1900, 1900, 0, 0},
        {"SELECT IdOp, DenumireOp, Cont, ",
         " ContTva, Incasare   FROM TipuriApi WHERE Incasare = 0 ORDER BY DenumireOp "},
        search("", "",
               "SELECT IdOp, DenumireOp, Cont,   ContTva, Incasare  FROM TipuriApi WHERE Incasare = 0 AND ",
               " DenumireOp LIKE ", " Cont LIKE ", " ORDER BY DenumireOp "));
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO TipuriAPI (DenumireOp, Cont, ContTVA, Jurnal) VALUES ('" +
                              q(in[Field::Cheie]) + "', '" + q(in[Field::Descriere]) + "', '" +
                              q(in[Field::Rezerva]) + "', " + flag(in.ticked, "1", "0") + ")"};
    };
    return p;
}

} // namespace vornel::profiles
