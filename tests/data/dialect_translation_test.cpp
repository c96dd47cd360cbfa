// Lexical edge cases of the translation, the names of select-list columns, and the SQL functions
// the translated statements call.

#include "dialect_fixture.h"

#include "data/DbError.h"

namespace vornel::test {
namespace {

using DialectEdges = DialectDb;

TEST(DialectText, UnterminatedTokensAreCommandErrors) {
    for (const char* sql : {"SELECT 'abc", "SELECT 'it''", "SELECT [Cod Vamal FROM t", "SELECT \"abc",
                            "SELECT 1 /* open", "SELECT 1 /* a /* nested */", "SELECT N'x"}) {
        try {
            TsqlDialect::toSqlite(QString::fromUtf8(sql));
            ADD_FAILURE() << "accepted: " << sql;
        } catch (const DbError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::Command) << sql;
        }
    }
}

TEST(DialectText, TrailingSemicolonsAndBlanksAreDropped) {
    EXPECT_EQ(TsqlDialect::toSqlite("SELECT 1 ;  ;\r\n "), "SELECT 1");
    EXPECT_EQ(TsqlDialect::toSqlite("SELECT ';' -- ;\n"), "SELECT ';'");
}

TEST(DialectText, NamedColumnsOfTheSelectList) {
    using V = std::vector<bool>;
    EXPECT_EQ(
        TsqlDialect::namedColumns("SELECT  yC2.CodC , yC2.Denumire,  CASE WHEN yc1.tip =0 THEN 'I' ELSE 'II' "
                                  "END,  yC1.Cod , yc2.R  FROM dbo.yC1 INNER JOIN dbo.yC2 ON dbo.yC1.Cod = "
                                  "dbo.yC2.Cod "),
        V({true, true, false, true, true}));
    EXPECT_EQ(
        TsqlDialect::namedColumns("select convert(nvarchar, [Cod Casierie]) + ' - ' + [Denumire Casierie] "
                                  "from Casierii"),
        V({false}));
    EXPECT_EQ(TsqlDialect::namedColumns(
                  "  SELECT s.[NrLinAmbalaje] As [Nr. Linii Ambalaje],  isnull(convert("
                  "nvarchar, c.[Cod Casierie]) + ' - ' + c.[Denumire Casierie],'') As Casierie"
                  "    From dbo.[SeriiDocumente] s"),
              V({true, true}));
    EXPECT_EQ(TsqlDialect::namedColumns("SELECT 'x', Count(*), 1 + 2, -Tip, NULL FROM yC1"),
              V({false, false, false, false, false}));
    EXPECT_EQ(TsqlDialect::namedColumns("SELECT DISTINCT TOP 3 [dbo].[t].[x], admtivra..t.c, a b, c + d e, "
                                        "CASE WHEN 1=1 THEN 2 END Cat, 1 'n', (a)[p q]"),
              V({true, true, true, true, true, true, true}));
    EXPECT_EQ(TsqlDialect::namedColumns("SELECT *  FRom pRegie Order By T"), V());
    EXPECT_EQ(TsqlDialect::namedColumns("SELECT Cod, t.* FROM t"), V());
    EXPECT_EQ(TsqlDialect::namedColumns("UPDATE t SET a = 1"), V());
}

TEST_F(DialectEdges, CommentsAreBlanksNotCode) {
    EXPECT_EQ(value("SELECT 'a' -- + 'b'\n + 'c' /* + 'd' */ + 'e'"), "ace");
    EXPECT_EQ(value("SELECT Cod/**/FROM/* x */yC1 WHERE Tip = 1--"), "B2");
}

TEST_F(DialectEdges, IdentifierFormsSqliteReadsDifferently) {
    native("CREATE TABLE \"a]b\"([c\"d] int, x int); INSERT INTO \"a]b\" VALUES (1, 2);");
    EXPECT_EQ(value("SELECT [c\"d], \"x\" FROM dbo.[a]]b]"), "1|2");
    // A quoted name that matches no column is an error, never the text 'nope'.
    const QByteArray sql = TsqlDialect::toSqlite("SELECT \"nope\" FROM yC1").toUtf8();
    sqlite3_stmt* statement = nullptr;
    EXPECT_NE(sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr), SQLITE_OK);
    sqlite3_finalize(statement);
    EXPECT_EQ(value("SELECT count(*) FROM yC1 WHERE Tip !< 1 AND Tip !> 1"), "1");
}

TEST_F(DialectEdges, TopBecomesLimitOnlyWhereItMeansTheSame) {
    EXPECT_EQ(value("SELECT TOP (1) Cod FROM yC1 ORDER BY Cod DESC"), "B2");
    EXPECT_EQ(value("SELECT Cod FROM yC1 WHERE Cod = (SELECT TOP 1 Cod FROM yC1 ORDER BY Tip DESC)"), "B2");
    EXPECT_EQ(rows("SELECT DISTINCT TOP 5 Tip FROM yC1 ORDER BY Tip"), QStringList({"0", "1"}));
}

TEST_F(DialectEdges, AdditionFunctionFollowsSqlServerTypes) {
    // Text wins over numbers (joined, whole numbers without ".0"); NULL wins over everything.
    EXPECT_EQ(value("SELECT tsql_add('5', 3), tsql_add(2.0, 'x'), tsql_add(NULL, 'a'), tsql_add('a', NULL)"),
              "53|2x|<null>|<null>");
    EXPECT_EQ(
        value(
            "SELECT typeof(tsql_add(2, 3)), typeof(tsql_add(2, 0.5)), tsql_add(9223372036854775807, 1) > 0"),
        "integer|real|1");
    EXPECT_EQ(
        value(
            "SELECT tsql_text(0.1 + 0.2), tsql_text(-0.25), tsql_text(-3.0), tsql_text(CAST('ABC' AS BLOB))"),
        "0.3|-0.25|-3|ABC");
}

TEST_F(DialectEdges, ConvertLengthsAndStylesOnUnusualValues) {
    // Lengths count characters, not bytes.
    EXPECT_EQ(
        value(QString::fromUtf8("SELECT convert(nvarchar(2), N'\u0103\u00ee\u0219'), convert(nvarchar(max), "
                                "'abc'), convert(nvarchar, replace(hex(zeroblob(20)), '0', 'x'))")),
        QString::fromUtf8("\u0103\u00ee|abc|") + QString(30, u'x'));
    EXPECT_EQ(
        value("SELECT convert(nvarchar, '2024-02-29T08:09', 104), convert(nvarchar, '2024-02-29', 112), "
              "convert(nvarchar, '2024-13', 103), convert(nvarchar, 20240229, 103), convert(nvarchar(5), "
              "'2024-02-29', 103)"),
        "29.02.2024|20240229|2024-13|20240229|29/02");
    EXPECT_EQ(
        value("SELECT convert(decimal(10,2), '2.346'), convert(datetime, '2024-01-01'), len(NULL), len(12)"),
        "2.35|2024-01-01|<null>|2");
}

} // namespace
} // namespace vornel::test
