// Warehouses, cash desks and employees, edited in the large record editor.
#include "profiles/Profiles.h"

#include "profiles/ProfileParts.h"

namespace vornel::profiles {

namespace {

QString F(const EditorInput& in, int n) {
    return "[" + in.column(n) + "]";
}

// The fields warehouses and cash desks share: name, description, address and the keeper's data,
// captioned with the list's column names and limited to their sizes.
std::vector<EditorField> storeFields() {
    const auto whole = [](Field field, int column) {
        return EditorField{.field = field,
                           .caption = named(column),
                           .limit = sized(column),
                           .load = column,
                           .loadAs = LoadAs::Whole};
    };
    return {whole(Field::DenumireDepozit, 1),
            {.field = Field::Heading0, .text = QStringLiteral("Particularitati Depozit")},
            whole(Field::DescriereDepozit, 2),
            whole(Field::AdresaDepozit, 3),
            {.field = Field::Heading1, .text = QStringLiteral("Particularitati Gestionar")},
            whole(Field::NumeGestionar, 4),
            whole(Field::TelefonVetra, 7),
            whole(Field::TelefonMobil, 6)};
}

} // namespace

CatalogProfile depozite() {
    CatalogProfile p = catalogue(
        CatalogKind::Depozite, "Depozite", "4326", "Depozite",
        ">Depozit|<Denumire Depozit|<Descriere Depozit|^Adresa Depozit|<Gestionar",
        {700, 4300, 0, 0, 2100, 0, 0, 0, 0},
        {"  SELECT [Depozite].[Depozit], [Depozite].[Denumire Depozit], [Depozite].[Descriere Depozit], "
         "[Depozite].AdresaDepozitului, [Depozite].Gestionar, Depozite.Depozit, Depozite.[Telefon Mobil], "
         "Depozite.[Telefon Vetra], Depozite.Custodie ",
         "    From [Depozite] ", "ORDER BY [Depozite].[Depozit];"},
        CatalogEditor::GridDetailMare);
    p.hideDelete = true;
    p.deletion.path = DeleteProfile::Path::Refused;
    p.form.fields = storeFields();
    p.form.fields.push_back({.field = Field::CodDepozit, .load = 0, .onlyInModify = true});
    p.form.fields.push_back({.field = Field::Transferabil,
                             .text = QStringLiteral("Depozit  custodie"),
                             .load = 8,
                             .loadAs = LoadAs::Checked});
    p.form.keys = {{Field::CodCasierie, KeyRule::DigitsAndDesign}};
    // Warehouses have no code to type: their name is their key.
    p.form.focusAdd = p.form.focusModify = p.form.keyField = Field::DenumireDepozit;
    p.form.checks = {
        {.field = Field::DenumireDepozit, .rule = CheckRule::Required, .message = "Denumire obligatorie !"},
        {.field = Field::DenumireDepozit,
         .rule = CheckRule::Unique,
         .message = "Exista deja o inregistrare cu aceasta denumire !"}};
    programChecks(p.form.checks);
    p.form.uniqueQuery = uniqueBySecond;
    p.form.update = [](const EditorInput& in) {
        const QString T = "[" + in.table + "]";
        return BuiltStatement{
            "UPDATE " + T + " SET " + F(in, 2) + "='" + qt(in[Field::DescriereDepozit]) + "', " + F(in, 1) +
            "='" + qt(in[Field::DenumireDepozit]) + "', " + F(in, 3) + "='" + qt(in[Field::AdresaDepozit]) +
            "', " + F(in, 4) + "='" + qt(in[Field::NumeGestionar]) + "', " + F(in, 7) + "='" +
            q(in[Field::TelefonVetra]) + "', " + F(in, 6) + "='" + q(in[Field::TelefonMobil]) + "', " +
            F(in, 8) + "= " + flag(in.ticked, "1", "0") + " WHERE " + F(in, 1) + "='" + qt(in.oldKey) + "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        const QString T = "[" + in.table + "]";
        return BuiltStatement{"INSERT INTO " + T + "(" + F(in, 1) + "," + F(in, 2) + "," + F(in, 3) + "," +
                              F(in, 4) + "," + F(in, 7) + "," + F(in, 6) + ", Custodie) VALUES('" +
                              qt(in[Field::DenumireDepozit]) + "','" + qt(in[Field::DescriereDepozit]) +
                              "','" + qt(in[Field::AdresaDepozit]) + "','" + qt(in[Field::NumeGestionar]) +
                              "','" + q(in[Field::TelefonVetra]) + "','" + q(in[Field::TelefonMobil]) +
                              "', " + flag(in.ticked, "1", "0") + ")"};
    };
    return p;
}

CatalogProfile casierii() {
    CatalogProfile p = catalogue(
        CatalogKind::Casierii, "Casierii", "4312", "Casierii",
        "<Casierie|<Denumire Casierie|<Descriere Casierie|^Adresa Casierie|<Casier",
        {1700, 3300, 0, 0, 2100, 0, 0, 0, 0, 0, 0},
        {"  SELECT [Casierii].[Cod Casierie], [Casierii].[Denumire Casierie], [Casierii].[Descriere "
         "Casierie], "
         "[Casierii].[Adresa Casierie], [Casierii].Casier,[Casierii].Casier, Casierii.[Telefon Mobil], "
         "Casierii.[Telefon Vetra], Casierii.Analitic, Casierii.CaleProgram, Casierii.NumeProgram ",
         "    From [Casierii] ", "ORDER BY [Casierii].[Cod Casierie];"},
        CatalogEditor::GridDetailMare);
    p.deletion = deleteByProcedure(6, true);
    p.form.fields = storeFields();
    p.form.fields.push_back({.field = Field::CodCasierie,
                             .caption = named(0),
                             .limit = fixed(5),
                             .load = 0,
                             .loadAs = LoadAs::Whole,
                             .lockedInModify = true});
    p.form.fields.push_back({.field = Field::ContAnalitic,
                             .caption = captioned("Cont"),
                             .limit = accountLength(),
                             .load = 8,
                             .loadAs = LoadAs::Whole});
    p.form.fields.push_back({.field = Field::Heading2});
    p.form.fields.push_back({.field = Field::Cale,
                             .caption = captioned("Cale catre program"),
                             .load = 9,
                             .loadAs = LoadAs::Whole});
    p.form.fields.push_back({.field = Field::NumeProgram,
                             .caption = captioned("Nume program"),
                             .load = 10,
                             .loadAs = LoadAs::Whole});
    p.form.keys = {{Field::CodCasierie, KeyRule::DigitsAndDesign}};
    p.form.lookups = {{.field = Field::ContAnalitic, .lookup = accounts("Conturi CASA", true)}};
    p.form.checks = {
        {.field = Field::CodCasierie,
         .rule = CheckRule::Filled,
         .message = "Cod casierie obligatoriu !",
         .when = When::Shown},
        // A cash desk code is looked up and written bare.
        {.field = Field::CodCasierie,
         .rule = CheckRule::Number,
         .message = "Valoare numerica incorecta !",
         .when = When::Shown},
        {.field = Field::CodCasierie,
         .rule = CheckRule::Unique,
         .message = "Exista deja o inregistrare cu acest cod !",
         .when = When::Shown},
        {.field = Field::DenumireDepozit, .rule = CheckRule::Required, .message = "Denumire obligatorie !"},
        {.field = Field::ContAnalitic,
         .rule = CheckRule::MinLength,
         .message = "Cont obligatoriu si in grupa 53 de conturi !",
         .limit = 2},
        {.field = Field::ContAnalitic,
         .rule = CheckRule::Account,
         .message = "Contul nu exista in planul de conturi in grupa 53 !",
         .group = QStringLiteral("53")}};
    programChecks(p.form.checks);
    p.form.uniqueQuery = uniqueByNumber;
    p.form.update = [](const EditorInput& in) {
        const QString T = "[" + in.table + "]";
        StatementBuilder b;
        const QString code = b.number(in[Field::CodCasierie], Field::CodCasierie);
        const QString old = b.number(in.oldKey.trimmed(), Field::CodCasierie);
        return b.done("UPDATE " + T + " SET " + F(in, 0) + "=" + code + ", " + F(in, 2) + "='" +
                      qt(in[Field::DescriereDepozit]) + "', " + F(in, 1) + "='" +
                      qt(in[Field::DenumireDepozit]) + "', " + F(in, 3) + "='" +
                      qt(in[Field::AdresaDepozit]) + "', " + F(in, 4) + "='" + qt(in[Field::NumeGestionar]) +
                      "', " + F(in, 7) + "='" + q(in[Field::TelefonVetra]) + "', " + F(in, 6) + "='" +
                      q(in[Field::TelefonMobil]) + "', " + F(in, 8) + "='" + qt(in[Field::ContAnalitic]) +
                      "',CaleProgram='" + q(programFolder(in[Field::Cale])) + "',NumeProgram='" +
                      qt(in[Field::NumeProgram]) + "' WHERE " + F(in, 0) + "=" + old);
    };
    p.form.insert = [](const EditorInput& in) {
        const QString T = "[" + in.table + "]";
        StatementBuilder b;
        const QString code = b.number(in[Field::CodCasierie], Field::CodCasierie);
        return b.done("INSERT INTO " + T + "(" + F(in, 0) + "," + F(in, 1) + "," + F(in, 2) + "," + F(in, 3) +
                      "," + F(in, 4) + "," + F(in, 7) + "," + F(in, 6) + "," + F(in, 8) +
                      ",[CaleProgram],[NumeProgram]) VALUES(" + code + ",'" + qt(in[Field::DenumireDepozit]) +
                      "','" + qt(in[Field::DescriereDepozit]) + "','" + qt(in[Field::AdresaDepozit]) + "','" +
                      qt(in[Field::NumeGestionar]) + "','" + q(in[Field::TelefonVetra]) + "','" +
                      q(in[Field::TelefonMobil]) + "','" + qt(in[Field::ContAnalitic]) + "'" + ",'" +
                      q(programFolder(in[Field::Cale])) + "'" + ",'" + qt(in[Field::NumeProgram]) + "')");
    };
    return p;
}

CatalogProfile angajati() {
    CatalogProfile p = catalogue(
        CatalogKind::Angajati, "Angajati", "4335", "pTerti", "<Nume|<Prenume", {2700, 2700, 0, 0, 0, 0, 0, 0},
        {"SELECT Nume, Prenume, TipAngajat, SeriaBi , NrBi, Eliberat,MijlocT, Auto FROM pTerti "
         "Order BY TipAngajat, Nume, Prenume"},
        CatalogEditor::GridDetailMare);
    p.search = search("Nume", "Prenume",
                      "SELECT Nume, Prenume, TipAngajat, SeriaBi , NrBi, Eliberat,MijlocT, Auto FROM pTerti ",
                      " WHERE  Prenume LIKE ", " Nume LIKE ", " Order BY TipAngajat, Nume, Prenume");
    p.deletion.statement = [](const ListRow& key) {
        return std::optional<QString>(QStringLiteral("DELETE pTErti WHERE Nume = '") + q(key.value0) +
                                      QStringLiteral("' AND Prenume = '") + q(key.value1) +
                                      QStringLiteral("'"));
    };
    const auto whole = [](Field field, const char* caption, int column) {
        return EditorField{
            .field = field, .caption = captioned(caption), .load = column, .loadAs = LoadAs::Whole};
    };
    p.form.fields = {{.field = Field::CodDepozit},
                     whole(Field::CodCasierie, "Nume:", 0),
                     whole(Field::DenumireDepozit, "Prenume:", 1),
                     {.field = Field::Heading0, .text = QStringLiteral("Buletine Identitate")},
                     whole(Field::DescriereDepozit, "Seria:", 3),
                     whole(Field::AdresaDepozit, "Numarul:", 4),
                     whole(Field::ContAnalitic, "Eliberat:", 5),
                     {.field = Field::Heading1, .text = QStringLiteral("Alte Informatii")},
                     whole(Field::NumeGestionar, "Tip Masina:", 6),
                     whole(Field::TelefonVetra, "Numar Masina:", 7)};
    p.keyColumns = {0, 1};
    // An employee is found by the names as loaded and takes the names as typed.
    p.form.update = [](const EditorInput& in) {
        return BuiltStatement{
            "Update pTerti SET  Nume = '" + q(in[Field::CodCasierie]) + "', Prenume = '" +
            q(in[Field::DenumireDepozit]) + "', SeriaBi = '" + q(in[Field::DescriereDepozit]) +
            "', NrBi = '" + q(in[Field::AdresaDepozit]) + "', Eliberat = '" + q(in[Field::ContAnalitic]) +
            "', MijlocT = '" + q(in[Field::NumeGestionar]) + "', Auto = '" + q(in[Field::TelefonVetra]) +
            "'  WHERE " + " Nume = '" + q(in.cell(0)) + "' AND Prenume = '" + q(in.cell(1)) + "'"};
    };
    p.form.insert = [](const EditorInput& in) {
        return BuiltStatement{"INSERT INTO pTerti (Nume, Prenume, SeriaBi, NrBi, Eliberat, MijlocT, Auto, "
                              "TipAngajat) VALUES ('" +
                              q(in[Field::CodCasierie]) + "', '" + q(in[Field::DenumireDepozit]) + "', '" +
                              q(in[Field::DescriereDepozit]) + "', '" + q(in[Field::AdresaDepozit]) + "', '" +
                              q(in[Field::ContAnalitic]) + "', '" + q(in[Field::NumeGestionar]) + "', '" +
                              q(in[Field::TelefonVetra]) + "', 'P')"};
    };
    return p;
}

} // namespace vornel::profiles
