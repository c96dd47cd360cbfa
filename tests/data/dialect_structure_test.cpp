// No value placed between quotes can change what a translated statement does, and no text at all
// can make the translation crash.

#include "TestDatabase.h"

#include "data/DbError.h"
#include "data/SqlText.h"
#include "data/sqlite/TsqlTokenizer.h"

#include <random>

namespace vornel::test {
namespace {

using DialectStructure = DialectDb;

const QStringList hostileValues = {
    "x' OR '1'='1",
    "x'; DROP TABLE TVA;--",
    "x'/*",
    "x' UNION SELECT Cont FROM zConta_Plan--",
    "')",
    "'))",
    "'",
    "\\\n",
    QString::fromUtf8("x\u02BC OR \u02BC1\u02BC=\u02BC1"),
    QString::fromUtf8("x\uFF07; DROP TABLE TVA;--"),
    "x' + isnull(Cont, '') + '",
    "[dbo].x]",
    "x\" --",
    QString(300, u'w'),
    "a + b",
    "dbo.yC1",
    "isnull(a, b)",
    "N'q'",
    "convert(int, 1)",
};

// The opcode names of the compiled statement, which change with its structure but not with
// the literal values in it.
QStringList opcodes(sqlite3* db, const QString& tsql) {
    const QByteArray sql = "EXPLAIN " + TsqlDialect::toSqlite(tsql).toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    QStringList out;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, &tail) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << "\n  in: " << sql.constData();
        return out;
    }
    EXPECT_STREQ(tail, "") << "unparsed tail in: " << sql.constData();
    while (sqlite3_step(statement) == SQLITE_ROW)
        out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
    EXPECT_EQ(sqlite3_errcode(db), SQLITE_DONE);
    sqlite3_finalize(statement);
    return out;
}

TEST_F(DialectStructure, HostileValuesLeaveTheCompiledStatementUnchanged) {
    const QStringList templates = {
        "SELECT 'x' FROM zConta_Plan WHERE zConta_Plan.Cont='%1'",
        "SELECT Cod, Denumire, Case WHEN Tip = 0 THEN 'I' ELSE 'II' END FROM yC1 WHERE  Cod Like '%1'",
        "SELECT C.Cont + ' - ' + C.[Titlu Cont] FROM dbo.zConta_Plan C WHERE C.Cont LIKE '%1' + '%'",
        "UPDATE [AdmTivra].[dbo].[Societati] SET [DenumireS]    ='%1',[Adresa]    ='%1' Where( [ID]   = 1)",
        "DELETE pTErti WHERE Nume = '%1' AND Prenume = N'%1'",
    };
    for (const QString& statement : templates) {
        const QStringList harmless = opcodes(db, statement.arg(QStringLiteral("abc")));
        ASSERT_FALSE(harmless.isEmpty()) << qPrintable(statement);
        for (const QString& hostile : hostileValues)
            EXPECT_EQ(opcodes(db, statement.arg(Sql::text(hostile))), harmless)
                << qPrintable(statement.arg(Sql::text(hostile)));
    }
}

TEST_F(DialectStructure, HostileValuesAreStoredAndReadBackUnchanged) {
    for (const QString& hostile : hostileValues) {
        rows(QStringLiteral("INSERT INTO zConta_Plan (Cont, [Titlu Cont]) VALUES ('k', '%1');")
                 .arg(Sql::text(hostile)));
        EXPECT_EQ(value("SELECT [Titlu Cont] FROM dbo.zConta_Plan WHERE Cont = 'k'"), hostile);
        EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM zConta_Plan WHERE [Titlu Cont] = '%1'")
                            .arg(Sql::text(hostile))),
                  "1");
        rows("DELETE zConta_Plan WHERE Cont = 'k'");
    }
    EXPECT_EQ(value("SELECT count(*) FROM TVA"), "2");
}

QStringList stringLiterals(const QString& sql) {
    QStringList out;
    for (const tsql::Token& token : tsql::tokenize(sql))
        if (token.kind == tsql::TokenKind::String) out << token.text;
    return out;
}

// Random token soup: the translation either succeeds or refuses with a command error, keeps
// every string literal, and SQLite can be handed the result.
TEST_F(DialectStructure, RandomTextNeverCrashesTheTranslation) {
    QStringList vocabulary =
        QStringLiteral("SELECT|FROM|WHERE|DELETE|TOP|1|2.5|(|)|(|)|,|+|+|-|*|'a'|'b+c'|N'd'|'|[|]|"
                       "[x y]|\"q\"|--|/*|*/|\n|dbo|.|..|AdmTivra|isnull|convert|"
                       "nvarchar|cast|AS|len|CASE|WHEN|THEN|ELSE|END|;|=|<>|!<|Cod|yC1|@p|"
                       "''|LEFT|JOIN")
            .split(u'|');
    vocabulary << QString::fromUtf8("\u0103");
    std::mt19937 engine(20240501);
    std::uniform_int_distribution<int> length(1, 30);
    std::uniform_int_distribution<qsizetype> pick(0, vocabulary.size() - 1);
    int translated = 0;
    for (int iteration = 0; iteration < 2000; ++iteration) {
        QString text;
        const int count = length(engine);
        for (int k = 0; k < count; ++k)
            text += vocabulary[pick(engine)] + (engine() % 3 ? QStringLiteral(" ") : QString());
        QString sql;
        try {
            sql = TsqlDialect::toSqlite(text);
            TsqlDialect::namedColumns(text);
        } catch (const DbError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::Command) << qPrintable(text);
            continue;
        }
        ++translated;
        ASSERT_EQ(stringLiterals(sql), stringLiterals(text)) << qPrintable(text) << "\n->" << qPrintable(sql);
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &statement, nullptr);
        sqlite3_finalize(statement);
    }
    EXPECT_GT(translated, 200);
}

} // namespace
} // namespace vornel::test
