// The text rules of the lists: the Romanian order of sort keys and the folding that finds text.
#include "data/Collation.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

using namespace vornel;

namespace {

QStringList sortedByKey(QStringList words) {
    std::stable_sort(words.begin(), words.end(), [](const QString& a, const QString& b) {
        return Collation::sortKey(a) < Collation::sortKey(b);
    });
    return words;
}

bool found(const QString& needle, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Collation::FoldedText(needle).foundIn(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace

TEST(Collation, RomanianLettersHaveTheirOwnPlaceInTheAlphabet) {
    const QStringList expected = {"arc",  "ăla",  "âna", "bere", "iarnă", "îmi", "sare",
                                  "şanţ", "șase", "tac", "țară", "ţest",  "zar"};
    QStringList shuffled = expected;
    std::reverse(shuffled.begin(), shuffled.end());
    std::rotate(shuffled.begin(), shuffled.begin() + 5, shuffled.end());
    EXPECT_EQ(sortedByKey(shuffled), expected);
}

TEST(Collation, CaseAndForeignAccentsOnlyBreakTies) {
    // Lower case before upper case and a plain letter before its accented form, yet never before a
    // text that differs in a letter.
    EXPECT_EQ(sortedByKey({"Cafea", "CAFE", "café", "cafe", "Cafe"}),
              (QStringList{"cafe", "Cafe", "CAFE", "café", "Cafea"}));
    EXPECT_LT(Collation::sortKey(u"Zar"), Collation::sortKey(u"zăpadă"));
    // A blank and punctuation come before digits, digits before letters; a shorter start first.
    EXPECT_EQ(sortedByKey({"ab", "a1", "a b", "a-b", "a"}), (QStringList{"a", "a b", "a-b", "a1", "ab"}));
    EXPECT_EQ(Collation::primaryKey(u"Ştefan"), Collation::primaryKey(u"ștefan"));
    EXPECT_NE(Collation::primaryKey(u"stefan"), Collation::primaryKey(u"ștefan"));
}

TEST(Collation, FindingIgnoresCaseAndEveryDiacritic) {
    EXPECT_TRUE(found("sucursala", "CEC - Sucursală Brașov"));
    EXPECT_TRUE(found("BRAŞOV", "CEC - Sucursală Brașov"));
    EXPECT_TRUE(found("țară", "Tara Barsei"));
    EXPECT_TRUE(found("cafe", "Café de Paris"));
    EXPECT_TRUE(found("", "orice"));
    EXPECT_FALSE(found("sucursale", "Sucursală"));
    EXPECT_FALSE(found("ab", "a b"));
    // Broken UTF-8 is read without running past the text.
    const char broken[] = {'a', '\xC4', 0};
    EXPECT_FALSE(Collation::FoldedText(u"ab").foundIn(broken, 2));
    EXPECT_EQ(Collation::fold(u"ĂÂÎȘȚ"), QStringLiteral("aaist"));
}

TEST(Collation, ALongerTextContainsTheShorterOneItGrewFrom) {
    const Collation::FoldedText shorter(u"suc"), longer(u"Sucursală"), other(u"cursa");
    EXPECT_TRUE(longer.contains(shorter));
    EXPECT_FALSE(shorter.contains(longer));
    EXPECT_FALSE(other.contains(shorter));
}
