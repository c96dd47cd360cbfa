// Texts of exported lists: Romanian numbers and counts, CSV fields.
#include "controls/ExportText.h"

#include <gtest/gtest.h>

using namespace vornel;

TEST(ExportText, NumbersTakeADecimalCommaAndNoThousandsOrExponent) {
    EXPECT_EQ(ExportText::number(19), QStringLiteral("19"));
    EXPECT_EQ(ExportText::number(-1234.5), QStringLiteral("-1234,5"));
    EXPECT_EQ(ExportText::number(0.1), QStringLiteral("0,1"));
    EXPECT_EQ(ExportText::number(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(ExportText::number(0.000001), QStringLiteral("0,000001"));
}

TEST(ExportText, CountsTakeADotBetweenThousands) {
    EXPECT_EQ(ExportText::count(0), QStringLiteral("0"));
    EXPECT_EQ(ExportText::count(999), QStringLiteral("999"));
    EXPECT_EQ(ExportText::count(5000), QStringLiteral("5.000"));
    EXPECT_EQ(ExportText::count(1000000), QStringLiteral("1.000.000"));
    EXPECT_EQ(ExportText::count(-12345), QStringLiteral("-12.345"));
    EXPECT_EQ(ExportText::shownOf(12, 5000), QStringLiteral("12 din 5.000"));
}

TEST(ExportText, CsvFieldsAreQuotedOnlyWhenASpreadsheetNeedsIt) {
    EXPECT_EQ(ExportText::csvField(QStringLiteral("Cota 19%")), QStringLiteral("Cota 19%"));
    EXPECT_EQ(ExportText::csvField(QStringLiteral("a;b")), QStringLiteral("\"a;b\""));
    EXPECT_EQ(ExportText::csvField(QStringLiteral("zis \"da\"")), QStringLiteral("\"zis \"\"da\"\"\""));
    EXPECT_EQ(ExportText::csvField(QStringLiteral("doua\r\nranduri")), QStringLiteral("\"doua\r\nranduri\""));
    EXPECT_EQ(ExportText::csvField(QString()), QString());
}
