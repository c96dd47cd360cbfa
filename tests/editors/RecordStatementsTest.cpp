// The record editor's statements: byte-exact text per catalogue and mode, quote doubling, and
// bare numbers that are checked instead of written.
#include "editors/RecordStatements.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

RecordInput input(const char* caption, const char* mode, const char* table, QStringList columns) {
    RecordInput in;
    in.caption = QString::fromLatin1(caption);
    in.mode = QString::fromLatin1(mode);
    in.table = QString::fromLatin1(table);
    in.columns = std::move(columns);
    return in;
}

QString sql(const RecordInput& in) {
    const SaveStatement s = saveStatement(in);
    EXPECT_TRUE(s.ok());
    return s.sql;
}

const QStringList kVat{"TVA", "DenumireTVA", "Cont TVA deductibil", "Cont TVA colectat"};
const QStringList kBanks{"Cod Banca", "Descriere", "Adresa", "Telefon", "Persoana Contact", "Cont"};
const QStringList kDocs{"Descriere", "Cont", "Forma Tiparire", "EC", "NumarBonConsum", ""};

} // namespace

TEST(RecordStatements, VatRateKeysAreBareNumbers) {
    RecordInput in = input("Rate TVA", "M", "TVA", kVat);
    in.cheie = "24";
    in.oldKey = "19";
    in.descriere = " Cota 24 ";
    in.rezerva = "4426";
    in.rezerva1 = "4427 ";
    EXPECT_EQ(sql(in), "UPDATE [TVA] SET [TVA]=24, [DenumireTVA]='Cota 24', [Cont TVA colectat]='4427', "
                       "[Cont TVA deductibil]='4426' WHERE [TVA]=19");
    in.mode = "A";
    EXPECT_EQ(sql(in), "INSERT INTO [TVA]([TVA],[DenumireTVA],[Cont TVA colectat],[Cont TVA deductibil]) "
                       "VALUES(24,'Cota 24','4427','4426')");
    // A pasted key that is not a number never reaches the statement.
    in.cheie = "12a";
    EXPECT_EQ(saveStatement(in).badField, static_cast<int>(RecordField::Cheie));
    EXPECT_TRUE(saveStatement(in).sql.isEmpty());
    in.mode = "M";
    in.cheie = "5 OR 1=1";
    EXPECT_EQ(saveStatement(in).badField, static_cast<int>(RecordField::Cheie));
    in.cheie = "5";
    in.oldKey = "19; DELETE FROM TVA";
    EXPECT_EQ(saveStatement(in).badField, static_cast<int>(RecordField::OldKey));
}

TEST(RecordStatements, BanksWriteTheLeadingNumberOfTheCode) {
    RecordInput in = input("Banci", "A", "Banci", kBanks);
    in.cod = "007";
    in.cheie = "ING";
    in.descriere = "Str. X";
    in.rezerva = "0264";
    in.rezerva1 = "Pop";
    in.cont = "5121";
    EXPECT_EQ(sql(in),
              "INSERT INTO [Banci]([Cod Banca],[Descriere],[Adresa],[Telefon],[Cont],[Persoana Contact]) "
              "VALUES(7,'ING','Str. X','0264','5121','Pop')");
    in.cod = "abc";
    EXPECT_TRUE(sql(in).startsWith("INSERT INTO [Banci]([Cod Banca],[Descriere],[Adresa],[Telefon],[Cont],"
                                   "[Persoana Contact]) VALUES(0,"));
    in.mode = "M";
    in.oldKey = "7";
    EXPECT_EQ(sql(in), "UPDATE [Banci] SET [Descriere]='ING', [Adresa]='Str. X', [Telefon]='0264', "
                       "[Cont]='5121', [Persoana Contact]='Pop' WHERE [Cod Banca]=7");
}

TEST(RecordStatements, OtherDocumentsTickedDropTheAccount) {
    RecordInput in = input("Alte Documente Iesire", "A", "TipuriBonConsum", kDocs);
    in.cheie = "Casare";
    in.cont = "6588";
    in.combo = "Aviz";
    in.ticked = true;
    EXPECT_EQ(sql(in),
              "INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], Transferabil) "
              "VALUES('Casare','','Aviz',3, 1)");
    in.ticked = false;
    EXPECT_EQ(sql(in),
              "INSERT INTO [TipuriBonConsum]([Descriere],[Cont],[Forma Tiparire],  [EC], Transferabil) "
              "VALUES('Casare','6588','Aviz',3, 0)");
    in.caption = "Alte Documente Intrare";
    EXPECT_TRUE(sql(in).endsWith("VALUES('Casare','6588','Aviz',2, 0)"));
    in.mode = "M";
    in.oldKey = "12";
    in.ticked = true;
    EXPECT_EQ(sql(in),
              "UPDATE [TipuriBonConsum] SET [Descriere]='Casare', [Cont]='', [Forma Tiparire]='Aviz' "
              ", Transferabil = 1 WHERE [NumarBonConsum]=12");
}

TEST(RecordStatements, TransferDocumentsStayWithinTheirKind) {
    RecordInput in = input("Documente de Transfer", "A", "TipuriBonConsum", {"Descriere", "Forma Tiparire"});
    in.cheie = "Transfer";
    in.combo = "Bon Consum";
    EXPECT_EQ(
        sql(in),
        "INSERT INTO [TipuriBonConsum]([Descriere],[Forma Tiparire],EC) VALUES('Transfer','Bon Consum',4)");
    in.mode = "M";
    in.oldKey = "Transfer";
    EXPECT_EQ(sql(in), "UPDATE [TipuriBonConsum] SET [Descriere]='Transfer', [Forma Tiparire]= 'Bon Consum' "
                       "WHERE [Descriere]='Transfer' AND [EC]=4");
}

TEST(RecordStatements, CostCentreFlags) {
    RecordInput in = input("Grupe Centre", "A", "yC1", {"Cod", "Denumire", ""});
    in.cheie = "PROD";
    in.descriere = "Productie";
    in.ticked = true;
    EXPECT_EQ(sql(in), "INSERT INTO  yC1 (Cod, Denumire, Tip) VALUES ('PROD', 'Productie', 0)");
    in.ticked = false;
    EXPECT_TRUE(sql(in).endsWith("'Productie', 1)"));
    in.mode = "M";
    in.row = QStringList{"OLD", "x", "II"};
    EXPECT_EQ(sql(in), "UPDATE yC1 SET Cod = 'PROD', Denumire = 'Productie' , Tip = 1 Where Cod = 'OLD'");

    in = input("Subgrupe Centre", "A", "yC2", {"CodC", "Denumire", "", "Cod", "R"});
    in.cheie = "C1";
    in.descriere = "Sectia 1";
    in.rezerva = "PROD";
    in.ticked = true;
    EXPECT_EQ(sql(in), "INSERT INTO  yC2 (CodC, Denumire, Cod, R) VALUES ('C1', 'Sectia 1', 'PROD', 1)");
    in.mode = "M";
    in.row = QStringList{"C0"};
    EXPECT_EQ(sql(in),
              "UPDATE yC2 SET CodC = 'C1', Denumire = 'Sectia 1', Cod = 'PROD', R =  1 Where CodC = 'C0'");
}

TEST(RecordStatements, ReceiptsAndPayments) {
    RecordInput in =
        input("Incasari", "A", "TipuriApi", {"IdOp", "DenumireOp", "Cont", "ContTva", "Incasare"});
    in.cheie = "Incasare";
    in.descriere = "5311";
    in.rezerva = "4427";
    EXPECT_EQ(sql(in), "INSERT INTO TipuriAPI (DenumireOp, Cont, Incasare, ContTVA) VALUES ('Incasare', "
                       "'5311' , 1, '4427')");
    in.caption = "Plati";
    EXPECT_EQ(
        sql(in),
        "INSERT INTO TipuriAPI (DenumireOp, Cont, ContTVA, Jurnal) VALUES ('Incasare', '5311', '4427', 0)");
    in.mode = "M";
    in.row = QStringList{"17"};
    EXPECT_EQ(
        sql(in),
        "UPDATE TipuriAPI SET DenumireOp = 'Incasare', Cont = '5311', ContTva = '4427'  Where IdOp = 17");
    in.row = QStringList{""};
    EXPECT_EQ(saveStatement(in).badField, static_cast<int>(RecordField::Row));
}

TEST(RecordStatements, ProductGroupsWriteTheDiscountWithAPoint) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    RecordInput in = input("Grupe de produse", "A", "GrupeProdus", {"Grupa Produs", "Descriere", "Discount"});
    in.cheie = "MOB";
    in.descriere = "Mobilier";
    in.discount = 12.5;
    EXPECT_EQ(sql(in),
              "INSERT INTO GrupeProdus ([Grupa Produs],Descriere,Discount)values ('MOB','Mobilier',12.5)");
    in.mode = "M";
    in.oldKey = "MOB ";
    EXPECT_EQ(sql(in), "update GrupeProdus set [Grupa Produs]='MOB',Descriere='Mobilier', Discount=12.5 "
                       "where [Grupa Produs]='MOB'");
    QLocale::setDefault(saved);
}

TEST(RecordStatements, DepreciationGroupsYears) {
    RecordInput in = input("Grupe Amortizari", "A", "mf_grupe", {"cod", "descriere", "amortizare"});
    in.cheie = "G1";
    in.descriere = "Cladiri";
    in.rezerva = "50";
    EXPECT_EQ(sql(in), "INSERT INTO mf_grupe (cod, descriere,amortizare) VALUES('G1','Cladiri',50)");
    // Empty years are left for the database to refuse.
    in.rezerva.clear();
    EXPECT_EQ(sql(in), "INSERT INTO mf_grupe (cod, descriere,amortizare) VALUES('G1','Cladiri',)");
    in.rezerva = "12a";
    EXPECT_EQ(saveStatement(in).badField, static_cast<int>(RecordField::Rezerva));
    in.mode = "M";
    in.oldKey = "G0";
    in.rezerva = "40";
    EXPECT_EQ(sql(in),
              "UPDATE [mf_grupe] SET [cod]='G1', [descriere]='Cladiri', [amortizare]=40 WHERE [cod]='G0'");
    in.rezerva.clear();
    EXPECT_EQ(saveStatement(in).badField, static_cast<int>(RecordField::Rezerva));
}

TEST(RecordStatements, NamedTablesAndGenericCatalogues) {
    RecordInput in = input("Norme Productie", "A", "sal_acordcod", {"Cod", "Descriere", "Tarif"});
    in.cheie = "N1";
    in.descriere = "Norma";
    EXPECT_EQ(sql(in), "INSERT INTO sal_acordcod (Cod, Descriere) VALUES ('N1', 'Norma')");
    in.mode = "M";
    in.oldKey = "N0";
    EXPECT_EQ(sql(in), "UPDATE sal_acordcod SET Cod = 'N1', Descriere = 'Norma' WHERE Cod = 'N0'");

    in = input("Locatii", "A", "mf_sectii", {"Sectie", "Descriere"});
    in.cheie = "S1";
    in.descriere = "Hala";
    EXPECT_EQ(sql(in), "INSERT INTO mf_Sectii (Sectie , Descriere) VALUES('S1', 'Hala')");
    in.mode = "M";
    in.oldKey = "S0";
    EXPECT_EQ(sql(in), "UPDATE mf_Sectii SET Sectie = 'S1', Descriere = 'Hala' WHERE Sectie = 'S0'");

    in = input("Producatori", "A", "Cpp", {"P", "Denumire", "Telefon", "Adresa"});
    in.cheie = "P1";
    in.descriere = "Prod";
    in.rezerva = "0264";
    in.rezerva1 = "Cluj";
    EXPECT_EQ(sql(in),
              "INSERT INTO  Cpp (P, Denumire, Telefon, Adresa) VALUES ('P1', 'Prod', '0264', 'Cluj')");
    in.mode = "M";
    in.oldKey = "P0";
    EXPECT_EQ(
        sql(in),
        "UPDATE Cpp SET  P = 'P1', Denumire = 'Prod', Telefon = '0264', Adresa  = 'Cluj' WHERE [P]='P0'");

    in = input("Categorii de clienti", "A", "Categorie Client", {"Categorie Client", "Descriere", "Cont"});
    in.cheie = "EN";
    in.descriere = "En gros";
    in.rezerva = "4111";
    EXPECT_EQ(sql(in), "INSERT INTO [Categorie Client]([Categorie Client],[Descriere],[Cont]) "
                       "VALUES('EN','En gros','4111')");
    in.mode = "M";
    in.oldKey = "EN";
    EXPECT_EQ(sql(in),
              "UPDATE [Categorie Client] SET [Categorie Client]='EN', [Descriere]='En gros', [Cont]='4111' "
              "WHERE [Categorie Client]='EN'");

    in = input("Subclasa Cont", "A", "zContaSubGrupa", {"Grupa", "SubGrupa", "Descriere"});
    in.cheie = "401";
    in.descriere = "Furnizori";
    in.rezerva = "40";
    EXPECT_EQ(sql(in),
              "INSERT INTO [zContaSubGrupa]([SubGrupa],[Descriere],[Grupa]) VALUES('401','Furnizori','40')");
    in.mode = "M";
    in.oldKey = "401";
    EXPECT_EQ(sql(in), "UPDATE [zContaSubGrupa] SET [SubGrupa]='401', [Descriere]='Furnizori', [Grupa]='40' "
                       "WHERE [SubGrupa]='401'");

    in = input("Documente Corectie Terti", "A", "TipCorectie", {"Descriere", "IdTipCorectie"});
    in.cheie = "Storno";
    EXPECT_EQ(sql(in), "INSERT INTO [TipCorectie]([Descriere]) VALUES('Storno')");
    in.mode = "M";
    in.row = QStringList{"Vechi", "3"};
    EXPECT_EQ(sql(in), "UPDATE [TipCorectie] SET [Descriere]='Storno' WHERE [IdTipCorectie]='3'");

    in = input("Coduri vamale", "A", "Cod Vamal", {"Cod Vamal", "Descriere"});
    in.cheie = " 9403 ";
    in.descriere = "Mobila";
    EXPECT_EQ(sql(in), "INSERT INTO [Cod Vamal]([Cod Vamal],[Descriere]) VALUES('9403','Mobila')");
    in.mode = "M";
    in.oldKey = "9401";
    EXPECT_EQ(sql(in),
              "UPDATE [Cod Vamal] SET [Cod Vamal]='9403', [Descriere]='Mobila' WHERE [Cod Vamal]='9401'");
}

TEST(RecordStatements, QuotesAreDoubledSoValuesCannotEndTheLiteral) {
    RecordInput in = input("Tipuri de clienti", "A", "Tip Client", {"Tip Client", "Descriere"});
    in.cheie = "x'); DROP TABLE TVA;--";
    in.descriere = "O'Brien";
    EXPECT_EQ(
        sql(in),
        "INSERT INTO [Tip Client]([Tip Client],[Descriere]) VALUES('x''); DROP TABLE TVA;--','O''Brien')");
    in = input("Incasari", "A", "TipuriApi", {"IdOp"});
    in.cheie = "'";
    EXPECT_EQ(sql(in),
              "INSERT INTO TipuriAPI (DenumireOp, Cont, Incasare, ContTVA) VALUES ('''', '' , 1, '')");
}

TEST(RecordStatements, LookupQueries) {
    EXPECT_EQ(accountQuery(" 4426 "), "SELECT 'x' FROM zConta_Plan WHERE zConta_Plan.Cont='4426'");
    EXPECT_EQ(groupQuery("Subclasa Cont", "40"), "SELECT 'x' FROM zContaGrupa WHERE zContaGrupa.Grupa='40'");
    EXPECT_EQ(groupQuery("Subgrupe de produse", "MOB "),
              "SELECT 'x' FROM GrupeProdus WHERE GrupeProdus.[Grupa Produs]='MOB'");
    EXPECT_EQ(accountQuery("4'26"), "SELECT 'x' FROM zConta_Plan WHERE zConta_Plan.Cont='4''26'");

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
}
