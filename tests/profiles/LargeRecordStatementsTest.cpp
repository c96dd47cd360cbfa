// The statements of the large record editor's catalogues as text: exact bytes per catalogue and
// mode, the values written bare, and the stored forms of program folders and minutes.
#include "profiles/CatalogRegistry.h"

#include <gtest/gtest.h>

using namespace vornel;

namespace {

// The large editor's input for a catalogue's statements.
struct LargeRecordInput : EditorInput {
    QString caption;
};

BuiltStatement largeSaveStatement(const LargeRecordInput& in) {
    const EditorProfile& form = CatalogRegistry::find(in.caption)->form;
    return in.mode == EditMode::Modify ? form.update(in) : form.insert(in);
}

std::optional<QString> duplicateQuery(const char* caption, const char* table, const QStringList& columns,
                                      const QString& value) {
    return CatalogRegistry::find(QString::fromLatin1(caption))->form.uniqueQuery({table, columns, value});
}

const QStringList kWarehouseColumns = {"Depozit",           "Denumire Depozit", "Descriere Depozit",
                                       "AdresaDepozitului", "Gestionar",        "Depozit",
                                       "Telefon Mobil",     "Telefon Vetra",    "Custodie"};
const QStringList kCashColumns = {
    "Cod Casierie",  "Denumire Casierie", "Descriere Casierie", "Adresa Casierie", "Casier",     "Casier",
    "Telefon Mobil", "Telefon Vetra",     "Analitic",           "CaleProgram",     "NumeProgram"};

LargeRecordInput cashDesk(const char* mode) {
    LargeRecordInput in;
    in.caption = "Casierii";
    in.mode = QLatin1String(mode) == u"M" ? EditMode::Modify : EditMode::Add;
    in.table = "Casierii";
    in.columns = kCashColumns;
    in.texts[Field::CodCasierie] = "4";
    in.texts[Field::DenumireDepozit] = " Casa noua ";
    in.texts[Field::DescriereDepozit] = "Desc";
    in.texts[Field::AdresaDepozit] = "Adr";
    in.texts[Field::NumeGestionar] = "Pop Ana";
    in.texts[Field::TelefonVetra] = " 0264 ";
    in.texts[Field::TelefonMobil] = "0740";
    in.texts[Field::ContAnalitic] = "5311 ";
    in.texts[Field::Cale] = " C:\\Casa\\ ";
    in.texts[Field::NumeProgram] = "casa.exe";
    return in;
}

} // namespace

TEST(LargeRecordStatements, CashDeskStoresTheFolderWithoutItsFinalBackslash) {
    EXPECT_EQ(
        largeSaveStatement(cashDesk("A")).sql,
        "INSERT INTO [Casierii]([Cod Casierie],[Denumire Casierie],[Descriere Casierie],[Adresa Casierie],"
        "[Casier],[Telefon Vetra],[Telefon Mobil],[Analitic],[CaleProgram],[NumeProgram]) "
        "VALUES(4,'Casa noua','Desc','Adr','Pop Ana',' 0264 ','0740','5311','C:\\Casa','casa.exe')");
    LargeRecordInput in = cashDesk("M");
    in.oldKey = "4";
    in.texts[Field::Cale].clear();
    EXPECT_EQ(
        largeSaveStatement(in).sql,
        "UPDATE [Casierii] SET [Cod Casierie]=4, [Descriere Casierie]='Desc', [Denumire Casierie]='Casa "
        "noua', "
        "[Adresa Casierie]='Adr', [Casier]='Pop Ana', [Telefon Vetra]=' 0264 ', [Telefon Mobil]='0740', "
        "[Analitic]='5311',CaleProgram='',NumeProgram='casa.exe' WHERE [Cod Casierie]=4");
}

TEST(LargeRecordStatements, CentreAndEmployeeKeepTheirBlanksAndValuesAsTyped) {
    LargeRecordInput in;
    in.caption = "Centre de productie";
    in.table = "pOft";
    in.mode = EditMode::Add;
    in.texts[Field::CodCasierie] = "CP09 ";
    in.texts[Field::DenumireDepozit] = "Vopsire";
    in.texts[Field::DescriereDepozit] = "9600";
    in.texts[Field::AdresaDepozit] = "480";
    in.texts[Field::ContAnalitic] = "PROD";
    EXPECT_EQ(largeSaveStatement(in).sql, "INSERT INTO poft (Cod, DEnumire, Tmax, TZi, CodC, NrU) "
                                          "VALUES('CP09 ', 'Vopsire', 9600, 480, 'PROD', 0)");
    in.mode = EditMode::Modify;
    in.ticked = true;
    EXPECT_EQ(largeSaveStatement(in).sql, "Update poft Set Denumire = 'Vopsire', TMax = 9600, TZI = 480, "
                                          "CodC = 'PROD', NrU = 1  WHERE Cod = 'CP09 '");

    LargeRecordInput e;
    e.caption = "Angajati";
    e.table = "pTerti";
    e.mode = EditMode::Add;
    e.texts[Field::CodCasierie] = "Pop";
    e.texts[Field::DenumireDepozit] = "Ana ";
    e.texts[Field::DescriereDepozit] = "CJ";
    e.texts[Field::AdresaDepozit] = "1";
    e.texts[Field::ContAnalitic] = "SPCLEP";
    e.texts[Field::NumeGestionar] = "Dacia";
    e.texts[Field::TelefonVetra] = "CJ-1";
    EXPECT_EQ(largeSaveStatement(e).sql,
              "INSERT INTO pTerti (Nume, Prenume, SeriaBi, NrBi, Eliberat, MijlocT, Auto, TipAngajat) "
              "VALUES ('Pop', 'Ana ', 'CJ', '1', 'SPCLEP', 'Dacia', 'CJ-1', 'P')");
    e.mode = EditMode::Modify;
    e.row = {"Pop", "Ana"};
    EXPECT_EQ(largeSaveStatement(e).sql,
              "Update pTerti SET  Nume = 'Pop', Prenume = 'Ana ', SeriaBi = 'CJ', NrBi = '1', Eliberat = "
              "'SPCLEP', MijlocT = 'Dacia', Auto = 'CJ-1'  WHERE  Nume = 'Pop' AND Prenume = 'Ana'");
}

TEST(LargeRecordStatements, BareValuesMustBeNumbersAndQuotesAreDoubled) {
    LargeRecordInput in = cashDesk("A");
    in.texts[Field::CodCasierie] = "4 OR 1=1";
    EXPECT_EQ(largeSaveStatement(in).badField, static_cast<int>(Field::CodCasierie));
    EXPECT_TRUE(largeSaveStatement(in).sql.isEmpty());
    in = cashDesk("M");
    in.oldKey = "";
    EXPECT_EQ(largeSaveStatement(in).badField, static_cast<int>(Field::CodCasierie));

    LargeRecordInput c;
    c.caption = "Centre de productie";
    c.mode = EditMode::Add;
    c.texts[Field::DescriereDepozit] = "60";
    c.texts[Field::AdresaDepozit] = "12abc";
    EXPECT_EQ(largeSaveStatement(c).badField, static_cast<int>(Field::AdresaDepozit));

    // Neither the unfiltered program fields nor pasted text can end a literal.
    in = cashDesk("A");
    in.texts[Field::Cale] = "C:\\x'); DROP TABLE Casierii;--";
    in.texts[Field::NumeProgram] = "o'brien.exe";
    const QString sql = largeSaveStatement(in).sql;
    EXPECT_TRUE(sql.endsWith("'C:\\x''); DROP TABLE Casierii;--','o''brien.exe')")) << sql.toStdString();

    EXPECT_EQ(duplicateQuery("Casierii", "Casierii", kCashColumns, "1;DELETE"), std::nullopt);
    EXPECT_EQ(duplicateQuery("Casierii", "Casierii", kCashColumns, " 7 "),
              "SELECT 'x' FROM [Casierii] WHERE [Casierii].[Cod Casierie]=7");
    EXPECT_EQ(duplicateQuery("Depozite", "Depozite", kWarehouseColumns, " O'Hara "),
              "SELECT 'x' FROM [Depozite] WHERE [Depozite].[Denumire Depozit]='O''Hara'");
    EXPECT_EQ(costCentreQuery(" PROD "), "SELECT 'x' FROM yC1 WHERE Cod ='PROD'");
}

TEST(LargeRecordStatements, FoldersAndMinutesAsStored) {
    EXPECT_EQ(programFolder(""), "");
    EXPECT_EQ(programFolder("  "), "");
    EXPECT_EQ(programFolder(" C:\\Casa\\ "), "C:\\Casa");
    EXPECT_EQ(programFolder("C:\\"), "C:");
    EXPECT_EQ(programFolder("C:\\Casa\\\\"), "C:\\Casa\\"); // one final backslash goes

    EXPECT_EQ(minutesText(""), "1");
    EXPECT_EQ(minutesText("   "), "1");
    EXPECT_EQ(minutesText("0"), "1");
    EXPECT_EQ(minutesText("000"), "1");
    EXPECT_EQ(minutesText("480"), "480");
    EXPECT_EQ(minutesText("0480"), "0480");
}
