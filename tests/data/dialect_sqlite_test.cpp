// The statements the windows build, run through the dialect layer on SQLite, must give the rows
// SQL Server gives.

#include "dialect_fixture.h"

#include "data/SqlText.h"

namespace vornel::test {
namespace {

using Dialect = DialectDb;

TEST_F(Dialect, ListingQueriesRunAsWritten) {
    EXPECT_EQ(
        rows("  SELECT TipuriProduse.[Tip Produs], "
             " CASE WHEN TipuriProduse.Fel = 0 THEn 'Mat. Stocate cu NIR' "
             " WHEN  TipuriProduse.Fel = 8 THEn 'Produse Lhoan' END, "
             " TipuriProduse.Descrire, TipuriProduse.Cont, TipuriProduse.[Cont Cheltuiala], "
             "TipuriProduse.[Cont Venit]  From TipuriProduse ORDER BY TipuriProduse.[Tip Produs]"),
        QStringList({"LOH|Produse Lhoan|lohn|354|611|708", "MAT|Mat. Stocate cu NIR|materiale|301|601|701"}));
    EXPECT_EQ(
        rows("  SELECT TVA.TVA AS TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], TVA.[Cont TVA colectat] "
             "    From Tva GROUP BY TVA.TVA, TVA.DenumireTVA, TVA.[Cont TVA deductibil], "
             "TVA.[Cont TVA colectat] ORDER BY TVA.TVA"),
        QStringList({"9.0|Redusa|4426|4427", "19.0|Normala|4426|4427"}));
    EXPECT_EQ(rows("  SELECT [Cod Vamal].[Cod Vamal], [Cod Vamal].Descriere     From [Cod Vamal] "
                   "ORDER BY [Cod Vamal].[Cod Vamal];"),
              QStringList({"8471|calculatoare", "Fara Cod|fara"}));
    EXPECT_EQ(
        rows(
            "SELECT  TipuriBonConsum.Descriere, TipuriBonConsum.Cont, TipuriBonConsum.[Forma Tiparire], "
            "TipuriBonConsum.EC, TipuriBonConsum.NumarBonConsum,  CASE WHEN TipuriBonConsum.Transferabil = 0 "
            "THEN 'Nu' ELSE 'Da' END    From TipuriBonConsum Where TipuriBonConsum.EC = 3 "
            "ORDER BY TipuriBonConsum.Descriere"),
        QStringList({"Bon consum|602|BC|3|1|Nu", "Predare|345|PR|3|3|Da"}));
    // Four-part column names and owner prefixes on both sides of the join.
    EXPECT_EQ(
        rows("SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END,  yC1.Cod , "
             "yc2.R  FROM dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod "
             " WHERE   yC2.Denumire LIKE 'lin%' ORDER BY yC1.Cod, yC2.Cod"),
        QStringList({"A1-1|Linia 1|I|A1|1"}));
    EXPECT_EQ(rows("SELECT *  FRom yC1 Order By Tip"), QStringList({"A1|Atelier|0", "B2|Birou|1"}));
    EXPECT_EQ(rows("SELECT TOP 1 Cod FROM yC1 ORDER BY Cod DESC"), QStringList({"B2"}));
}

TEST_F(Dialect, PlusConcatenatesTextAndNullSwallowsTheWhole) {
    EXPECT_EQ(rows("select convert(nvarchar, [Cod Casierie]) + ' - ' + [Denumire Casierie] from Casierii "
                   "order by [Cod Casierie]"),
              QStringList({"1 - Centrala", "<null>"}));
    EXPECT_EQ(rows("  SELECT s.Descriere,          s.Serie , s.[NrLinAmbalaje] As [Nr. Linii Ambalaje],  "
                   "         isnull(convert(nvarchar, c.[Cod Casierie]) + ' - ' + c.[Denumire Casierie],'') "
                   "As Casierie    From dbo.[SeriiDocumente] s left outer join dbo.Casierii c "
                   "on s.Casierie=c.[Cod Casierie]"),
              QStringList({"Facturi|FV|3|1 - Centrala", "Avize|AV|0|", "Bonuri|BF|0|"}));
    EXPECT_EQ(
        rows(
            "SELECT C.Cont + ' - ' + C.[Titlu Cont] As Cont FROM dbo.zconta_plan as C, conturiambalaje AS Ca "
            "where ca.Cont = C.Cont And ca.IdSeriiD = 1 ORDER BY 1"),
        QStringList({"401 - Furnizori", "4111 - Clienti"}));
    EXPECT_EQ(
        value(
            "SELECT 'a' + CASE WHEN 1 = 1 THEN 'b' ELSE 'x' END + 'c' + (SELECT Cod FROM yC1 WHERE Tip = 1)"),
        "abcB2");
    EXPECT_EQ(value("SELECT Cont FROM zConta_Plan WHERE Cont LIKE '4' + '%' + '1' + '1'"), "4111");
}

TEST_F(Dialect, PlusStillAddsNumbersWithSqlServerPrecedence) {
    EXPECT_EQ(value("SELECT 1 + 2 * 3, (1 + 2) * 3, 10 - 2 + 3, 10 + 2 - 3, - 1 + 2, 2 + -1, 7 % 4 + 1"),
              "7|9|11|9|1|1|4");
    EXPECT_EQ(value("SELECT Tip + 1, Tip + 0.5 FROM yC1 WHERE Cod = 'B2'"), "2|1.5");
    EXPECT_EQ(value("SELECT Discount + NULL FROM GrupeProdus"), "<null>");
    EXPECT_EQ(value("SELECT 2.5 + 2.5"), "5.0");
}

TEST_F(Dialect, ConvertPrintsValuesAsSqlServerDoes) {
    EXPECT_EQ(
        rows("select Depozit as DEP,[Denumire Depozit]as Denumire ,convert(nvarchar, Furnizori,103) as "
             "[Doc furnizori],convert(nvarchar, Clienti,103) as [Doc clienti],convert(nvarchar, Altele,103) "
             "as [Alte doc]  From Depozite"),
        QStringList({"7|Central|05/03/2024|31/12/2023|<null>"}));
    EXPECT_EQ(value("SELECT convert(nvarchar, 5.0), convert(varchar, 2.5), convert(nvarchar(3), 'abcdef'), "
                    "convert(nvarchar(50), 12), CONVERT(NVARCHAR, NULL), cast(7.0 as varchar(10))"),
              "5|2.5|abc|12|<null>|7");
    EXPECT_EQ(value("SELECT convert(int, '12') + 1, convert(float, '1.5') * 2, convert(int, 9.9)"),
              "13|3.0|9");
    EXPECT_EQ(value("SELECT convert(nvarchar, '2024-01-02 13:14:15', 120), convert(varchar, 'x', 103)"),
              "2024-01-02 13:14:15|x");
    EXPECT_EQ(
        value(
            "SELECT len('ab  '), IsNull(NULL, 'd'), ISNULL(CalculPump, 'null') FROM AdmTivra.dbo.Societati"),
        "2|d|null");
}

TEST_F(Dialect, ThreePartNamesReachTheAdministrationDatabaseInAnyCase) {
    for (const char* name : {"AdmTivra.dbo.Societati", "[ADMTIVRA].[dbo].[Societati]", "admtivra..Societati",
                             "ADMTIVRA.DBO.SOCIETATI", "[AdmTivra].dbo.[Societati]"})
        EXPECT_EQ(value(QStringLiteral("SELECT Societate FROM %1 WHERE ID=1").arg(QLatin1StringView(name))),
                  "Firma")
            << name;
    run("UPDATE [AdmTivra].[dbo].[Societati] SET [DenumireS]    ='Nou SRL',[Adresa]    ='Str. 2' Where( [ID] "
        "  = 1)");
    EXPECT_EQ(value("SELECT [DenumireS], Adresa FROM [ADMTIVRA].[dbo].[Societati] where id =  1"),
              "Nou SRL|Str. 2");
}

TEST_F(Dialect, DeleteWithoutFromDeletesOnlyTheChosenRows) {
    run("DELETE pTErti WHERE Nume = 'Pop' AND Prenume = 'Ana'");
    EXPECT_EQ(rows("SELECT Prenume FROM pTerti"), QStringList({"Ion"}));
    run("DELETE [Cod Vamal] WHERE [Cod Vamal]='8471';  ");
    run("DELETE dbo.[Tip Client] WHERE [Tip Client]='EN'");
    EXPECT_EQ(rows("SELECT [Cod Vamal] FROM [Cod Vamal]"), QStringList({"Fara Cod"}));
    EXPECT_EQ(value("SELECT count(*) FROM [Tip Client]"), "0");
}

TEST_F(Dialect, ParenthesisedJoinsCountUses) {
    const QString groups =
        "SELECT Count(*) FROM GrupeProdus INNER JOIN (Subgrupeprodus INNER JOIN CoduriProdus ON "
        "Subgrupeprodus.[Subgrupa Produs] = CoduriProdus.[Subgrupa Produs]) ON "
        "GrupeProdus.[Grupa Produs] = Subgrupeprodus.[Grupa Produs] WHERE "
        "GrupeProdus.[Grupa Produs]='%1'";
    EXPECT_EQ(value(groups.arg("G1")), "2");
    EXPECT_EQ(value(groups.arg("G2")), "0");
    const QString classes =
        "SELECT Count(*) FROM (zContaGrupa INNER JOIN zContaSubGrupa ON zContaGrupa.Grupa = "
        "zContaSubGrupa.Grupa) INNER JOIN zConta_Plan ON zContaSubGrupa.SubGrupa = "
        "zConta_Plan.SubGrupa WHERE zContaGrupa.[Grupa]='%1'";
    EXPECT_EQ(value(classes.arg("4")), "2");
    EXPECT_EQ(value(classes.arg("7")), "0");
}

TEST_F(Dialect, StringLiteralsAreStoredByteForByte) {
    const QStringList texts = {"a + b",      "dbo.yC1", "x -- y", "x; DROP TABLE yC1", "[x]]", "isnull(a, b)",
                               "it's /* no", "N'q'",    "\"q\"",  "convert(int, 1)"};
    for (const QString& text : texts) {
        run(QStringLiteral("INSERT INTO yC1 (Cod, Denumire, Tip) VALUES ('k', N'%1', 0)")
                .arg(Sql::text(text)));
        EXPECT_EQ(value("SELECT Denumire FROM dbo.yC1 WHERE Cod = 'k';"), text);
        run("DELETE yC1 WHERE Cod = 'k'");
    }
    EXPECT_EQ(value("SELECT count(*) FROM yC1"), "2");
    // Dropping the N prefix must not join two literals into one.
    EXPECT_EQ(value("SELECT 'x'N'y'"), "x");
}

TEST_F(Dialect, NamedColumnsMatchTheColumnsSqliteReturns) {
    const QStringList statements = {
        "SELECT  yC1.Cod , yC1.Denumire, CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END   FROM yC1  ORDER BY "
        "yc1.tip",
        "select convert(nvarchar, [Cod Casierie]) + ' - ' + [Denumire Casierie] from Casierii",
        "select Depozit as DEP,[Denumire Depozit]as Denumire ,convert(nvarchar, Furnizori,103) as [Doc "
        "furnizori] "
        "From Depozite",
        "SELECT TOP 2 Cod, Tip + 1 AS Urmator, Denumire Nume FROM dbo.yC1"};
    for (const QString& tsql : statements) {
        sqlite3_stmt* statement = prepare(tsql);
        ASSERT_NE(statement, nullptr);
        EXPECT_EQ(TsqlDialect::namedColumns(tsql).size(), size_t(sqlite3_column_count(statement)))
            << qPrintable(tsql);
        sqlite3_finalize(statement);
    }
}

} // namespace
} // namespace vornel::test
