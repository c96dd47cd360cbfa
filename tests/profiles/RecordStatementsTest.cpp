// The statements of both record editors in the catalogues' profiles: byte-exact text per catalogue
// and mode, quote doubling, and bare numbers that are checked instead of written.
#include "profiles/CatalogRegistry.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

using F = Field;

// A catalogue's input with the statement that adds it and the one that modifies the record loaded
// with the old key (or the list's row) given; nullptr where a case proves only one of them.
struct Case {
    const char* caption;
    const char* table;
    QStringList columns;
    std::map<Field, QString> texts;
    const char* insert;
    const char* update;
    QString oldKey{};
    QStringList row{};
    bool ticked = false;
    double discount = 0;
};

EditorInput input(const Case& c, EditMode mode) {
    EditorInput in;
    in.mode = mode;
    in.table = QString::fromLatin1(c.table);
    in.columns = c.columns;
    in.texts = c.texts;
    in.oldKey = c.oldKey;
    in.row = c.row;
    in.ticked = c.ticked;
    in.discount = c.discount;
    return in;
}

BuiltStatement build(const char* caption, const EditorInput& in) {
    const EditorProfile& form = CatalogRegistry::find(QString::fromLatin1(caption))->form;
    return in.mode == EditMode::Modify ? form.update(in) : form.insert(in);
}

std::optional<QString> keyQuery(const char* caption, const char* table, const QStringList& columns,
                                const QString& key) {
    return CatalogRegistry::find(QString::fromLatin1(caption))->form.uniqueQuery({table, columns, key});
}

// clang-format off
const QStringList kVat{"TVA", "DenumireTVA", "Cont TVA deductibil", "Cont TVA colectat"};
const QStringList kBanks{"Cod Banca", "Descriere", "Adresa", "Telefon", "Persoana Contact", "Cont"};
const QStringList kDocs{"Descriere", "Cont", "Forma Tiparire", "EC", "NumarBonConsum", ""};
const QStringList kApi{"IdOp", "DenumireOp", "Cont", "ContTva", "Incasare"};
const QStringList kCash{"Cod Casierie", "Denumire Casierie", "Descriere Casierie", "Adresa Casierie", "Casier",
                        "Casier", "Telefon Mobil", "Telefon Vetra", "Analitic", "CaleProgram", "NumeProgram"};
const std::map<Field, QString> kDocument{{F::Cheie, "Casare"}, {F::Cont, "6588"}, {F::Combo, "Aviz"}};
const std::map<Field, QString> kOperation{{F::Cheie, "Incasare"}, {F::Descriere, "5311"}, {F::Rezerva, "4427"}};
const std::map<Field, QString> kCentre{{F::CodCasierie, "CP09 "}, {F::DenumireDepozit, "Vopsire"},
    {F::DescriereDepozit, "9600"}, {F::AdresaDepozit, "480"}, {F::ContAnalitic, "PROD"}};
const Case kCases[] = {
    {"Rate TVA", "TVA", kVat, {{F::Cheie, "24"}, {F::Descriere, " Cota 24 "}, {F::Rezerva, "4426"}, {F::Rezerva1, "4427 "}},
     "INSERT INTO [TVA]([TVA],[DenumireTVA],[Cont TVA colectat],[Cont TVA deductibil]) VALUES(24,'Cota 24','4427','4426')",
     "UPDATE [TVA] SET [TVA]=24, [DenumireTVA]='Cota 24', [Cont TVA colectat]='4427', [Cont TVA deductibil]='4426' WHERE [TVA]=19",
     "19"},
    // A bank code without a leading number is written as 0.
    {"Banci", "Banci", kBanks, {{F::Cod, "abc"}, {F::Cheie, "ING"}},
     "INSERT INTO [Banci]([Cod Banca],[Descriere],[Adresa],[Telefon],[Cont],[Persoana Contact]) VALUES(0,'ING','','','','')",
     nullptr},
    // Ticked, an other document drops its account.
    {"Alte Documente Iesire", "TipuriBonConsum", kDocs, kDocument,
     "INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], Transferabil) VALUES('Casare','','Aviz',3, 1)",
     "UPDATE [TipuriBonConsum] SET [Descriere]='Casare', [Cont]='', [Forma Tiparire]='Aviz' , Transferabil = 1 WHERE [NumarBonConsum]=12",
     "12", {}, true},
    {"Alte Documente Intrare", "TipuriBonConsum", kDocs, kDocument,
     "INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], Transferabil) VALUES('Casare','6588','Aviz',2, 0)",
     "UPDATE [TipuriBonConsum] SET [Descriere]='Casare', [Cont]='6588', [Forma Tiparire]='Aviz' , Transferabil = 0 WHERE [NumarBonConsum]=12",
     "12"},
    {"Documente de Transfer", "TipuriBonConsum", {"Descriere", "Forma Tiparire"}, {{F::Cheie, "Transfer"}, {F::Combo, "Bon Consum"}},
     "INSERT INTO [TipuriBonConsum]([Descriere],[Forma Tiparire],EC) VALUES('Transfer','Bon Consum',4)",
     "UPDATE [TipuriBonConsum] SET [Descriere]='Transfer', [Forma Tiparire]= 'Bon Consum' WHERE [Descriere]='Transfer' AND [EC]=4",
     "Transfer"},
    {"Grupe Centre", "yC1", {"Cod", "Denumire", ""}, {{F::Cheie, "PROD"}, {F::Descriere, "Productie"}},
     "INSERT INTO  yC1 (Cod, Denumire, Tip) VALUES ('PROD', 'Productie', 1)",
     "UPDATE yC1 SET Cod = 'PROD', Denumire = 'Productie' , Tip = 1 Where Cod = 'OLD'",
     {}, {"OLD", "x", "II"}},
    {"Grupe Centre", "yC1", {"Cod", "Denumire", ""}, {{F::Cheie, "PROD"}, {F::Descriere, "Productie"}},
     "INSERT INTO  yC1 (Cod, Denumire, Tip) VALUES ('PROD', 'Productie', 0)",
     nullptr, {}, {}, true},
    {"Subgrupe Centre", "yC2", {"CodC", "Denumire", "", "Cod", "R"}, {{F::Cheie, "C1"}, {F::Descriere, "Sectia 1"}, {F::Rezerva, "PROD"}},
     "INSERT INTO  yC2 (CodC, Denumire, Cod, R) VALUES ('C1', 'Sectia 1', 'PROD', 1)",
     "UPDATE yC2 SET CodC = 'C1', Denumire = 'Sectia 1', Cod = 'PROD', R =  1 Where CodC = 'C0'",
     {}, {"C0"}, true},
    {"Incasari", "TipuriApi", kApi, kOperation,
     "INSERT INTO TipuriAPI (DenumireOp, Cont, Incasare, ContTVA) VALUES ('Incasare', '5311' , 1, '4427')",
     "UPDATE TipuriAPI SET DenumireOp = 'Incasare', Cont = '5311', ContTva = '4427'  Where IdOp = 17",
     {}, {"17"}},
    {"Plati", "TipuriApi", kApi, kOperation,
     "INSERT INTO TipuriAPI (DenumireOp, Cont, ContTVA, Jurnal) VALUES ('Incasare', '5311', '4427', 0)",
     "UPDATE TipuriAPI SET DenumireOp = 'Incasare', Cont = '5311', ContTva = '4427'  Where IdOp = 17",
     {}, {"17"}},
    {"Incasari", "TipuriApi", kApi, {{F::Cheie, "'"}},
     "INSERT INTO TipuriAPI (DenumireOp, Cont, Incasare, ContTVA) VALUES ('''', '' , 1, '')",
     nullptr},
    // The discount is written with a point whatever the locale.
    {"Grupe de produse", "GrupeProdus", {"Grupa Produs", "Descriere", "Discount"}, {{F::Cheie, "MOB"}, {F::Descriere, "Mobilier"}},
     "INSERT INTO GrupeProdus ([Grupa Produs],Descriere,Discount)values ('MOB','Mobilier',12.5)",
     "update GrupeProdus set [Grupa Produs]='MOB',Descriere='Mobilier', Discount=12.5 where [Grupa Produs]='MOB'",
     "MOB ", {}, false, 12.5},
    {"Grupe Amortizari", "mf_grupe", {"cod", "descriere", "amortizare"}, {{F::Cheie, "G1"}, {F::Descriere, "Cladiri"}, {F::Rezerva, "50"}},
     "INSERT INTO mf_grupe (cod, descriere,amortizare) VALUES('G1','Cladiri',50)",
     "UPDATE [mf_grupe] SET [cod]='G1', [descriere]='Cladiri', [amortizare]=50 WHERE [cod]='G0'",
     "G0"},
    {"Norme Productie", "sal_acordcod", {"Cod", "Descriere", "Tarif"}, {{F::Cheie, "N1"}, {F::Descriere, "Norma"}},
     "INSERT INTO sal_acordcod (Cod, Descriere) VALUES ('N1', 'Norma')",
     "UPDATE sal_acordcod SET Cod = 'N1', Descriere = 'Norma' WHERE Cod = 'N0'",
     "N0"},
    {"Locatii", "mf_sectii", {"Sectie", "Descriere"}, {{F::Cheie, "S1"}, {F::Descriere, "Hala"}},
     "INSERT INTO mf_Sectii (Sectie , Descriere) VALUES('S1', 'Hala')",
     "UPDATE mf_Sectii SET Sectie = 'S1', Descriere = 'Hala' WHERE Sectie = 'S0'",
     "S0"},
    {"Producatori", "Cpp", {"P", "Denumire", "Telefon", "Adresa"},
     {{F::Cheie, "P1"}, {F::Descriere, "Prod"}, {F::Rezerva, "0264"}, {F::Rezerva1, "Cluj"}},
     "INSERT INTO  Cpp (P, Denumire, Telefon, Adresa) VALUES ('P1', 'Prod', '0264', 'Cluj')",
     "UPDATE Cpp SET  P = 'P1', Denumire = 'Prod', Telefon = '0264', Adresa  = 'Cluj' WHERE [P]='P0'",
     "P0"},
    {"Categorii de clienti", "Categorie Client", {"Categorie Client", "Descriere", "Cont"},
     {{F::Cheie, "EN"}, {F::Descriere, "En gros"}, {F::Rezerva, "4111"}},
     "INSERT INTO [Categorie Client]([Categorie Client],[Descriere],[Cont]) VALUES('EN','En gros','4111')",
     "UPDATE [Categorie Client] SET [Categorie Client]='EN', [Descriere]='En gros', [Cont]='4111' WHERE [Categorie Client]='EN'",
     "EN"},
    {"Subclasa Cont", "zContaSubGrupa", {"Grupa", "SubGrupa", "Descriere"},
     {{F::Cheie, "401"}, {F::Descriere, "Furnizori"}, {F::Rezerva, "40"}},
     "INSERT INTO [zContaSubGrupa]([SubGrupa],[Descriere],[Grupa]) VALUES('401','Furnizori','40')",
     "UPDATE [zContaSubGrupa] SET [SubGrupa]='401', [Descriere]='Furnizori', [Grupa]='40' WHERE [SubGrupa]='401'",
     "401"},
    {"Documente Corectie Terti", "TipCorectie", {"Descriere", "IdTipCorectie"}, {{F::Cheie, "Storno"}},
     "INSERT INTO [TipCorectie]([Descriere]) VALUES('Storno')",
     "UPDATE [TipCorectie] SET [Descriere]='Storno' WHERE [IdTipCorectie]='3'",
     {}, {"Vechi", "3"}},
    {"Coduri vamale", "Cod Vamal", {"Cod Vamal", "Descriere"}, {{F::Cheie, " 9403 "}, {F::Descriere, "Mobila"}},
     "INSERT INTO [Cod Vamal]([Cod Vamal],[Descriere]) VALUES('9403','Mobila')",
     "UPDATE [Cod Vamal] SET [Cod Vamal]='9403', [Descriere]='Mobila' WHERE [Cod Vamal]='9401'",
     "9401"},
    // Quotes are doubled, so no value can end the literal.
    {"Tipuri de clienti", "Tip Client", {"Tip Client", "Descriere"}, {{F::Cheie, "x'); DROP TABLE TVA;--"}, {F::Descriere, "O'Brien"}},
     "INSERT INTO [Tip Client]([Tip Client],[Descriere]) VALUES('x''); DROP TABLE TVA;--','O''Brien')",
     "UPDATE [Tip Client] SET [Tip Client]='x''); DROP TABLE TVA;--', [Descriere]='O''Brien' WHERE [Tip Client]='O''K'",
     "O'K"},
    {"Centre de productie", "pOft", {}, kCentre,
     "INSERT INTO poft (Cod, DEnumire, Tmax, TZi, CodC, NrU) VALUES('CP09 ', 'Vopsire', 9600, 480, 'PROD', 1)",
     "Update poft Set Denumire = 'Vopsire', TMax = 9600, TZI = 480, CodC = 'PROD', NrU = 1  WHERE Cod = 'CP09 '",
     {}, {}, true},
    {"Angajati", "pTerti", {}, {{F::CodCasierie, "Pop"}, {F::DenumireDepozit, "Ana "}, {F::DescriereDepozit, "CJ"},
        {F::AdresaDepozit, "1"}, {F::ContAnalitic, "SPCLEP"}, {F::NumeGestionar, "Dacia"}, {F::TelefonVetra, "CJ-1"}},
     "INSERT INTO pTerti (Nume, Prenume, SeriaBi, NrBi, Eliberat, MijlocT, Auto, TipAngajat) VALUES ('Pop', 'Ana ', 'CJ', '1', 'SPCLEP', 'Dacia', 'CJ-1', 'P')",
     nullptr},
};
// clang-format on

} // namespace

TEST(RecordStatements, EachCatalogueAddsAndModifiesToTheByte) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.caption);
        const BuiltStatement added = build(c.caption, input(c, EditMode::Add));
        EXPECT_TRUE(added.ok());
        EXPECT_EQ(added.sql.toStdString(), c.insert);
        if (!c.update) continue;
        const BuiltStatement modified = build(c.caption, input(c, EditMode::Modify));
        EXPECT_TRUE(modified.ok());
        EXPECT_EQ(modified.sql.toStdString(), c.update);
    }
    QLocale::setDefault(saved);
}

TEST(RecordStatements, BareValuesThatAreNoNumbersNameTheirFieldInsteadOfAStatement) {
    struct Bad {
        const char* caption;
        EditMode mode;
        std::map<Field, QString> texts;
        QString oldKey;
        QStringList row;
        Field field;
    };
    // clang-format off
    const Bad cases[] = {
        {"Rate TVA", EditMode::Add, {{F::Cheie, "12a"}}, {}, {}, F::Cheie},
        {"Rate TVA", EditMode::Modify, {{F::Cheie, "5 OR 1=1"}}, "19", {}, F::Cheie},
        // The old key stands in the rate field.
        {"Rate TVA", EditMode::Modify, {{F::Cheie, "5"}}, "19; DELETE FROM TVA", {}, F::Cheie},
        {"Grupe Amortizari", EditMode::Add, {{F::Rezerva, "12a"}}, {}, {}, F::Rezerva},
        {"Grupe Amortizari", EditMode::Modify, {{F::Rezerva, ""}}, "G0", {}, F::Rezerva},
        {"Plati", EditMode::Modify, {}, {}, {""}, F::None},
        {"Casierii", EditMode::Add, {{F::CodCasierie, "4 OR 1=1"}}, {}, {}, F::CodCasierie},
        {"Casierii", EditMode::Modify, {{F::CodCasierie, "4"}}, "", {}, F::CodCasierie},
        {"Centre de productie", EditMode::Add, {{F::DescriereDepozit, "60"}, {F::AdresaDepozit, "12abc"}}, {}, {}, F::AdresaDepozit},
    };
    // clang-format on
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.caption);
        EditorInput in;
        in.mode = c.mode;
        in.texts = c.texts;
        in.oldKey = c.oldKey;
        in.row = c.row;
        in.columns = kCash;
        const BuiltStatement s = build(c.caption, in);
        EXPECT_FALSE(s.ok());
        EXPECT_EQ(s.badField, static_cast<int>(c.field));
        EXPECT_TRUE(s.sql.isEmpty());
    }
    // Neither the unfiltered program fields nor pasted text can end a literal.
    EditorInput cash;
    cash.mode = EditMode::Add;
    cash.table = "Casierii";
    cash.columns = kCash;
    cash.texts = {
        {F::CodCasierie, "4"}, {F::Cale, "C:\\x'); DROP TABLE Casierii;--"}, {F::NumeProgram, "o'brien.exe"}};
    EXPECT_TRUE(build("Casierii", cash).sql.endsWith("'C:\\x''); DROP TABLE Casierii;--','o''brien.exe')"));
}

TEST(RecordStatements, LookupQueries) {
    EXPECT_EQ(accountQuery(" 4426 "), "SELECT 'x' FROM zConta_Plan WHERE zConta_Plan.Cont='4426'");
    EXPECT_EQ(accountQuery("4'26"), "SELECT 'x' FROM zConta_Plan WHERE zConta_Plan.Cont='4''26'");
    EXPECT_EQ(costCentreQuery(" PROD "), "SELECT 'x' FROM yC1 WHERE Cod ='PROD'");
    EXPECT_EQ(CatalogRegistry::find("Subclasa Cont")->form.groupQuery + "40'",
              "SELECT 'x' FROM zContaGrupa WHERE zContaGrupa.Grupa='40'");
    EXPECT_EQ(CatalogRegistry::find("Subgrupe de produse")->form.groupQuery + "MOB'",
              "SELECT 'x' FROM GrupeProdus WHERE GrupeProdus.[Grupa Produs]='MOB'");

    EXPECT_EQ(keyQuery("Rate TVA", "TVA", kVat, " 19 "), "SELECT 'x' FROM [TVA] WHERE [TVA].[TVA]=19");
    EXPECT_FALSE(keyQuery("Banci", "Banci", kBanks, "1 OR 1=1").has_value());
    EXPECT_EQ(keyQuery("Subclasa Cont", "zContaSubGrupa", {"Grupa", "SubGrupa"}, "401"),
              "SELECT 'x' FROM [zContaSubGrupa] WHERE [zContaSubGrupa].[SubGrupa]='401'");
    EXPECT_EQ(keyQuery("Alte Documente Intrare", "TipuriBonConsum", kDocs, "Plus"),
              "SELECT 'x' FROM [TipuriBonConsum] WHERE [TipuriBonConsum].[Descriere]='Plus' AND "
              "[TipuriBonConsum].[EC]=2");
    EXPECT_TRUE(keyQuery("Alte Documente Iesire", "TipuriBonConsum", kDocs, "Plus")->endsWith(".[EC]=3"));
    EXPECT_EQ(keyQuery("Documente de Transfer", "TipuriBonConsum", {"Descriere"}, "T"),
              "SELECT 'x' FROM [TipuriBonConsum] WHERE [TipuriBonConsum].[Descriere]='T' AND "
              "[TipuriBonConsum].[EC]=4");
    EXPECT_EQ(keyQuery("Casierii", "Casierii", kCash, "1;DELETE"), std::nullopt);
    EXPECT_EQ(keyQuery("Casierii", "Casierii", kCash, " 7 "),
              "SELECT 'x' FROM [Casierii] WHERE [Casierii].[Cod Casierie]=7");
    EXPECT_EQ(keyQuery("Depozite", "Depozite", {"Depozit", "Denumire Depozit"}, " O'Hara "),
              "SELECT 'x' FROM [Depozite] WHERE [Depozite].[Denumire Depozit]='O''Hara'");
}

TEST(RecordStatements, FoldersAndMinutesAsStored) {
    const std::pair<const char*, const char*> folders[] = {
        {"", ""}, {"  ", ""}, {" C:\\Casa\\ ", "C:\\Casa"}, {"C:\\", "C:"}, {"C:\\Casa\\\\", "C:\\Casa\\"}};
    for (const auto& [typed, stored] : folders)
        EXPECT_EQ(programFolder(typed), stored) << typed;
    const std::pair<const char*, const char*> minutes[] = {{"", "1"},    {"   ", "1"},   {"0", "1"},
                                                           {"000", "1"}, {"480", "480"}, {"0480", "0480"}};
    for (const auto& [typed, stored] : minutes)
        EXPECT_EQ(minutesText(typed), stored) << typed;
}
