// The statements the windows build, run through the dialect layer on SQLite, must give the rows
// SQL Server gives; lexical edge cases of the translation and the names of select-list columns.

#include "TestDatabase.h"

#include "data/DbError.h"

namespace vornel::test {
namespace {

using Dialect = DialectDb;

// Each statement's rows, joined by ";".
TEST_F(Dialect, StatementsGiveWhatSqlServerGives) {
    const std::pair<const char*, const char*> cases[] = {
        // Owner prefixes and four-part column names on both sides of a join.
        {"SELECT  yC2.CodC , CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END,  yC1.Cod  FROM dbo.yC1 INNER JOIN "
         "dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod  WHERE   yC2.Denumire LIKE 'lin%' ORDER BY yC1.Cod, yC2.Cod",
         "A1-1|I|A1"},
        {"SELECT *  FRom yC1 Order By Tip", "A1|Atelier|0;B2|Birou|1"},
        // + joins text, and NULL swallows the whole.
        {"select convert(nvarchar, [Cod Casierie]) + ' - ' + [Denumire Casierie] from Casierii order by 1",
         "<null>;1 - Centrala"},
        {"  SELECT s.Serie , isnull(convert(nvarchar, c.[Cod Casierie]) + ' - ' + c.[Denumire Casierie],'') "
         "As "
         "Casierie    From dbo.[SeriiDocumente] s left outer join dbo.Casierii c on s.Casierie=c.[Cod "
         "Casierie]",
         "FV|1 - Centrala;AV|;BF|"},
        {"SELECT C.Cont + ' - ' + C.[Titlu Cont] As Cont FROM dbo.zconta_plan as C, conturiambalaje AS Ca "
         "where ca.Cont = C.Cont And ca.IdSeriiD = 1 ORDER BY 1",
         "401 - Furnizori;4111 - Clienti"},
        {"SELECT 'a' + CASE WHEN 1 = 1 THEN 'b' ELSE 'x' END + 'c' + (SELECT Cod FROM yC1 WHERE Tip = 1)",
         "abcB2"},
        {"SELECT Cont FROM zConta_Plan WHERE Cont LIKE '4' + '%' + '1' + '1'", "4111"},
        // + still adds numbers, with SQL Server's precedence.
        {"SELECT 1 + 2 * 3, (1 + 2) * 3, 10 - 2 + 3, 10 + 2 - 3, - 1 + 2, 2 + -1, 7 % 4 + 1",
         "7|9|11|9|1|1|4"},
        {"SELECT Tip + 1, Tip + 0.5, 2.5 + 2.5 FROM yC1 WHERE Cod = 'B2'", "2|1.5|5.0"},
        {"SELECT Discount + NULL FROM GrupeProdus WHERE Discount > 1", "<null>"},
        {"SELECT tsql_add('5', 3), tsql_add(2.0, 'x'), tsql_add(NULL, 'a'), tsql_add('a', NULL)",
         "53|2x|<null>|<null>"},
        {"SELECT typeof(tsql_add(2, 3)), typeof(tsql_add(2, 0.5)), tsql_add(9223372036854775807, 1) > 0",
         "integer|real|1"},
        {"SELECT tsql_text(0.1 + 0.2), tsql_text(-0.25), tsql_text(-3.0), tsql_text(CAST('ABC' AS BLOB))",
         "0.3|-0.25|-3|ABC"},
        // convert prints values as SQL Server does.
        {"select Depozit as DEP,convert(nvarchar, Furnizori,103) as [Doc furnizori],convert(nvarchar, "
         "Clienti,103) as [Doc clienti],convert(nvarchar, Altele,103) as [Alte doc]  From Depozite",
         "7|05/03/2024|31/12/2023|<null>"},
        {"SELECT convert(nvarchar, 5.0), convert(varchar, 2.5), convert(nvarchar(3), 'abcdef'), "
         "convert(nvarchar(50), "
         "12), CONVERT(NVARCHAR, NULL), cast(7.0 as varchar(10))",
         "5|2.5|abc|12|<null>|7"},
        {"SELECT convert(int, '12') + 1, convert(float, '1.5') * 2, convert(int, 9.9)", "13|3.0|9"},
        {"SELECT convert(nvarchar, '2024-01-02 13:14:15', 120), convert(varchar, 'x', 103)",
         "2024-01-02 13:14:15|x"},
        {"SELECT len('ab  '), IsNull(NULL, 'd'), ISNULL(CalculPump, 'null') FROM AdmTivra.dbo.Societati",
         "2|d|null"},
        {"SELECT convert(nvarchar, '2024-02-29T08:09', 104), convert(nvarchar, '2024-02-29', 112), "
         "convert(nvarchar, "
         "'2024-13', 103), convert(nvarchar, 20240229, 103), convert(nvarchar(5), '2024-02-29', 103)",
         "29.02.2024|20240229|2024-13|20240229|29/02"},
        {"SELECT convert(decimal(10,2), '2.346'), convert(datetime, '2024-01-01'), len(NULL), len(12)",
         "2.35|2024-01-01|<null>|2"},
        // Parenthesised joins count uses.
        {"SELECT Count(*) FROM GrupeProdus INNER JOIN (Subgrupeprodus INNER JOIN CoduriProdus ON "
         "Subgrupeprodus.[Subgrupa Produs] = CoduriProdus.[Subgrupa Produs]) ON GrupeProdus.[Grupa Produs] = "
         "Subgrupeprodus.[Grupa Produs] GROUP BY GrupeProdus.[Grupa Produs]",
         "2"},
        {"SELECT zContaGrupa.Grupa, Count(*) FROM (zContaGrupa INNER JOIN zContaSubGrupa ON "
         "zContaGrupa.Grupa = "
         "zContaSubGrupa.Grupa) INNER JOIN zConta_Plan ON zContaSubGrupa.SubGrupa = zConta_Plan.SubGrupa "
         "GROUP BY "
         "zContaGrupa.Grupa",
         "4|2"},
        // Comments are blanks, not code; SQL Server's comparisons and quoted names.
        {"SELECT 'a' -- + 'b'\n + 'c' /* + 'd' */ + 'e'", "ace"},
        {"SELECT Cod/**/FROM/* x */yC1 WHERE Tip = 1--", "B2"},
        {"SELECT count(*) FROM yC1 WHERE Tip !< 1 AND Tip !> 1", "1"},
        // TOP becomes LIMIT only where it means the same.
        {"SELECT TOP 1 Cod FROM yC1 ORDER BY Cod DESC", "B2"},
        {"SELECT TOP (1) Cod FROM yC1 ORDER BY Cod DESC", "B2"},
        {"SELECT Cod FROM yC1 WHERE Cod = (SELECT TOP 1 Cod FROM yC1 ORDER BY Tip DESC)", "B2"},
        {"SELECT DISTINCT TOP 5 Tip FROM yC1 ORDER BY Tip", "0;1"},
        // Dropping the N prefix must not join two literals into one.
        {"SELECT 'x'N'y'", "x"},
    };
    for (const auto& [sql, expected] : cases)
        EXPECT_EQ(rows(QString::fromUtf8(sql)).join(u';'), QString::fromUtf8(expected)) << sql;
    // Lengths count characters, not bytes.
    EXPECT_EQ(
        value(QString::fromUtf8("SELECT convert(nvarchar(2), N'\u0103\u00ee\u0219'), convert(nvarchar(max), "
                                "'abc'), convert(nvarchar, replace(hex(zeroblob(20)), '0', 'x'))")),
        QString::fromUtf8("\u0103\u00ee|abc|") + QString(30, u'x'));
}

TEST_F(Dialect, NamesReachTheirTablesAndDeleteWithoutFromDeletesOnlyTheChosenRows) {
    for (const char* name : {"AdmTivra.dbo.Societati", "[ADMTIVRA].[dbo].[Societati]", "admtivra..Societati",
                             "ADMTIVRA.DBO.SOCIETATI", "[AdmTivra].dbo.[Societati]"})
        EXPECT_EQ(value(QStringLiteral("SELECT Societate FROM %1 WHERE ID=1").arg(QLatin1StringView(name))),
                  "Firma")
            << name;
    rows(
        "UPDATE [AdmTivra].[dbo].[Societati] SET [DenumireS]    ='Nou SRL',[Adresa]    ='Str. 2' Where( [ID] "
        "  = 1)");
    EXPECT_EQ(value("SELECT [DenumireS], Adresa FROM [ADMTIVRA].[dbo].[Societati] where id =  1"),
              "Nou SRL|Str. 2");

    native("CREATE TABLE \"a]b\"([c\"d] int, x int); INSERT INTO \"a]b\" VALUES (1, 2);");
    EXPECT_EQ(value("SELECT [c\"d], \"x\" FROM dbo.[a]]b]"), "1|2");
    // A quoted name that matches no column is an error, never the text 'nope'.
    const QByteArray sql = TsqlDialect::toSqlite("SELECT \"nope\" FROM yC1").toUtf8();
    sqlite3_stmt* statement = nullptr;
    EXPECT_NE(sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr), SQLITE_OK);
    sqlite3_finalize(statement);

    rows("DELETE pTErti WHERE Nume = 'Pop' AND Prenume = 'Ana'");
    rows("DELETE [Cod Vamal] WHERE [Cod Vamal]='8471';  ");
    rows("DELETE dbo.[Tip Client] WHERE [Tip Client]='EN'");
    EXPECT_EQ(
        value("SELECT (SELECT group_concat(Prenume) FROM pTerti) || (SELECT group_concat([Cod Vamal]) FROM "
              "[Cod Vamal]) || (SELECT count(*) FROM [Tip Client])"),
        "IonFara Cod0");
}

TEST(DialectText, UnterminatedTokensAreCommandErrorsAndTrailingSemicolonsGo) {
    for (const char* sql : {"SELECT 'abc", "SELECT 'it''", "SELECT [Cod Vamal FROM t", "SELECT \"abc",
                            "SELECT 1 /* open", "SELECT 1 /* a /* nested */", "SELECT N'x"}) {
        try {
            TsqlDialect::toSqlite(QString::fromUtf8(sql));
            ADD_FAILURE() << "accepted: " << sql;
        } catch (const DbError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::Command) << sql;
        }
    }
    EXPECT_EQ(TsqlDialect::toSqlite("SELECT 1 ;  ;\r\n "), "SELECT 1");
    EXPECT_EQ(TsqlDialect::toSqlite("SELECT ';' -- ;\n"), "SELECT ';'");
}

TEST(DialectText, NamedColumnsOfTheSelectList) {
    using V = std::vector<bool>;
    const std::pair<const char*, V> cases[] = {
        {"SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' END,  yC1.Cod , yc2.R  "
         "FROM "
         "dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = dbo.yC2.Cod ",
         {true, true, false, true, true}},
        {"select convert(nvarchar, [Cod Casierie]) + ' - ' + [Denumire Casierie] from Casierii", {false}},
        {"  SELECT s.[NrLinAmbalaje] As [Nr. Linii Ambalaje],  isnull(convert(nvarchar, c.[Cod Casierie]) + "
         "' - ' + "
         "c.[Denumire Casierie],'') As Casierie    From dbo.[SeriiDocumente] s",
         {true, true}},
        {"SELECT 'x', Count(*), 1 + 2, -Tip, NULL FROM yC1", {false, false, false, false, false}},
        {"SELECT DISTINCT TOP 3 [dbo].[t].[x], admtivra..t.c, a b, c + d e, CASE WHEN 1=1 THEN 2 END Cat, 1 "
         "'n', "
         "(a)[p q]",
         {true, true, true, true, true, true, true}},
        {"SELECT *  FRom pRegie Order By T", {}},
        {"SELECT Cod, t.* FROM t", {}},
        {"UPDATE t SET a = 1", {}},
    };
    for (const auto& [sql, named] : cases)
        EXPECT_EQ(TsqlDialect::namedColumns(QString::fromLatin1(sql)), named) << sql;
}

} // namespace
} // namespace vornel::test
