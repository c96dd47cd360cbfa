#include "TestDatabase.h"

#include "data/SqlText.h"
#include "data/StatementBuilder.h"
#include "data/TextCut.h"

namespace vornel::test {
namespace {

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
    const std::pair<const char*, double> cases[] = {
        {"007x", 7}, {"  12.5 lei", 12.5}, {"-3.25", -3.25}, {"1.2.3", 1.2}, {"abc", 0}, {"", 0}, {"-", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(Sql::leadingNumber(QString::fromLatin1(text)), value) << text;
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

// A combining mark goes with its letter (half a surrogate pair: the salary groups scenario).
TEST(SqlText, CutsOnlyBetweenWholeCharacters) {
    const QString accent = QString::fromUtf8("abe\xCC\x81"
                                             "c");
    EXPECT_EQ(cutText(accent, 3), QStringLiteral("ab"));
    EXPECT_EQ(cutText(accent, 4), accent.left(4));
    EXPECT_EQ(cutText(QStringLiteral("Banca"), 3), QStringLiteral("Ban"));
    EXPECT_EQ(cutText(QStringLiteral("Banca"), -1), QStringLiteral("Banca"));
}

} // namespace
} // namespace vornel::test
