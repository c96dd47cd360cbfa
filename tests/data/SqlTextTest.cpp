#include "TestDatabase.h"

#include "data/DbError.h"
#include "data/SqlText.h"
#include "data/StatementBuilder.h"
#include "data/TextCut.h"

#include <sqlite3.h>

#include <limits>

namespace vornel::test {
namespace {

TEST(SqlText, QuotesAreDoubledAndPlainValuesUntouched) {
    EXPECT_EQ(Sql::text(QStringLiteral("Banca Transilvania")), QStringLiteral("Banca Transilvania"));
    EXPECT_EQ(Sql::text(QStringLiteral("O'Brien")), QStringLiteral("O''Brien"));
    EXPECT_EQ(Sql::text(QStringLiteral("''")), QStringLiteral("''''"));
    EXPECT_EQ(Sql::text(QString()), QString());
}

TEST(SqlText, IsNumberAcceptsOnlyPlainDecimals) {
    for (const char* ok : {"0", "7", "-7", "+7", "12.5", "-0.25", "007"})
        EXPECT_TRUE(Sql::isNumber(QString::fromLatin1(ok))) << ok;
    for (const char* bad :
         {"", " 7", "7 ", "1,5", "1e5", ".5", "5.", "-", "1.2.3", "1;DROP", "0x10", "1 OR 1=1", "١"})
        EXPECT_FALSE(Sql::isNumber(QString::fromUtf8(bad))) << bad;
    EXPECT_TRUE(Sql::isInteger(QStringLiteral("-42")));
    EXPECT_FALSE(Sql::isInteger(QStringLiteral("4.2")));
    EXPECT_FALSE(Sql::isInteger(QStringLiteral("+")));
}

TEST(SqlText, BuilderRefusesTheStatementAtTheFirstBareValueThatIsNoNumber) {
    StatementBuilder b;
    EXPECT_EQ(b.number(QStringLiteral(" 19 "), 1), QStringLiteral("19"));
    const QString a = b.number(QStringLiteral("1 OR 1=1"), 2);
    const QString c = b.number(QStringLiteral("x"), 3);
    const QString sql = "SET a=" + a + ", c=" + c + ", d='" + b.text(QStringLiteral("O'Brien")) + "'";
    const BuiltStatement built = b.done(sql);
    EXPECT_FALSE(built.ok());
    EXPECT_EQ(built.badField, 2);
    EXPECT_TRUE(built.sql.isEmpty());
    EXPECT_FALSE(b.statement(sql).has_value());
    StatementBuilder good;
    EXPECT_EQ(good.statement("x=" + good.number(QStringLiteral("-2.5"))), QStringLiteral("x=-2.5"));
}

TEST(SqlText, LeadingNumberReadsLikeVal) {
    EXPECT_DOUBLE_EQ(Sql::leadingNumber(QStringLiteral("007x")), 7);
    EXPECT_DOUBLE_EQ(Sql::leadingNumber(QStringLiteral("  12.5 lei")), 12.5);
    EXPECT_DOUBLE_EQ(Sql::leadingNumber(QStringLiteral("-3.25")), -3.25);
    EXPECT_DOUBLE_EQ(Sql::leadingNumber(QStringLiteral("1.2.3")), 1.2);
    EXPECT_DOUBLE_EQ(Sql::leadingNumber(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(Sql::leadingNumber(QString()), 0);
    EXPECT_DOUBLE_EQ(Sql::leadingNumber(QStringLiteral("-")), 0);
}

TEST(SqlText, NumberTextIsShortestWithPointAndNoExponent) {
    EXPECT_EQ(Sql::numberText(7), QStringLiteral("7"));
    EXPECT_EQ(Sql::numberText(1234.5), QStringLiteral("1234.5"));
    EXPECT_EQ(Sql::numberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(Sql::numberText(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
    EXPECT_EQ(Sql::numberText(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(Sql::numberText(-0.0000001), QStringLiteral("-0.0000001"));
    for (double v : {0.1, 19.99, 123456789.125, -2.5e-5})
        EXPECT_EQ(Sql::numberText(v).toDouble(), v);
}

TEST(SqlText, CutsOnlyBetweenWholeCharacters) {
    const QString emoji = QString::fromUtf8("ab\xF0\x9F\x98\x80"); // "ab" and a surrogate pair
    const QString accent = QString::fromUtf8("ab"
                                             "e\xCC\x81"
                                             "c");      // e + combining acute
    EXPECT_EQ(cutText(emoji, 3), QStringLiteral("ab")); // half a pair never stays
    EXPECT_EQ(cutText(emoji, 4), emoji);
    EXPECT_EQ(cutText(accent, 3), QStringLiteral("ab")); // the mark goes with its e
    EXPECT_EQ(cutText(accent, 4), QString::fromUtf8("ab"
                                                    "e\xCC\x81"));
    EXPECT_EQ(cutText(QStringLiteral("Banca"), 3), QStringLiteral("Ban"));
    EXPECT_EQ(cutText(QStringLiteral("Banca"), -1), QStringLiteral("Banca"));
    EXPECT_EQ(cutText(emoji, 0), QString());
}

TEST(SqlText, DbErrorNumberText) {
    EXPECT_EQ(DbError(ErrorNumber::Integrity, {}).numberText(), QStringLiteral("0x80040E2F"));
    EXPECT_EQ(DbError(0x5u, {}).numberText(), QStringLiteral("0x00000005"));
}

// The opcodes SQLite compiles a statement to; an injected value would change them.
std::vector<std::string> opcodes(sqlite3* db, const QString& sql) {
    std::vector<std::string> ops;
    const QByteArray text = ("EXPLAIN " + sql).toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, text.constData(), -1, &st, &tail), SQLITE_OK) << sqlite3_errmsg(db);
    EXPECT_STREQ(tail, "") << "a second statement follows: " << text.constData();
    while (sqlite3_step(st) == SQLITE_ROW)
        ops.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    sqlite3_finalize(st);
    return ops;
}

class HostileValues : public DatabaseTest {};

TEST_F(HostileValues, NeverChangeAStatementAndComeBackByteForByte) {
    const auto statement = [](const QString& v) {
        return QStringLiteral("UPDATE Grupe SET Denumire='") + Sql::text(v) +
               QStringLiteral("' WHERE Cod='AB1'");
    };
    const auto harmless = opcodes(sqlite().handle(), statement(QStringLiteral("x")));
    const QString hostile[] = {
        QStringLiteral("x' OR '1'='1"),
        QStringLiteral("x'; DROP TABLE Grupe;--"),
        QStringLiteral("x'/*"),
        QStringLiteral("x' UNION SELECT Cod FROM Grupe--"),
        QStringLiteral("')"),
        QStringLiteral("'))"),
        QStringLiteral("'"),
        QStringLiteral("\\\n"),
        QString::fromUtf8("x\u02BC OR 1=1"),
        QString::fromUtf8("x\uFF07; DELETE FROM Grupe"),
        QString(60, QLatin1Char('\'')),
    };
    for (const QString& v : hostile) {
        EXPECT_EQ(opcodes(sqlite().handle(), statement(v)), harmless) << v.toStdString();
        EXPECT_EQ(m_db->execute(statement(v)), 1);
        EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT Denumire FROM Grupe WHERE Cod='AB1'")).toString(), v);
    }
    EXPECT_EQ(m_db->scalar(QStringLiteral("SELECT count(*) FROM Grupe")).toInt(), 4);
}

} // namespace
} // namespace vornel::test
