// Texts of exported lists: Romanian numbers and counts, CSV fields.
#include "controls/ExportText.h"

#include <gtest/gtest.h>

using namespace vornel;

// Numbers take a decimal comma and no thousands or exponent; counts a dot between thousands;
// CSV fields are quoted only when a spreadsheet needs it.
TEST(ExportText, NumbersCountsAndCsvFields) {
    EXPECT_EQ(ExportText::number(-1234.5), QStringLiteral("-1234,5"));
    EXPECT_EQ(ExportText::number(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(ExportText::number(0.000001), QStringLiteral("0,000001"));
    EXPECT_EQ(ExportText::count(999), QStringLiteral("999"));
    EXPECT_EQ(ExportText::count(1000000), QStringLiteral("1.000.000"));
    EXPECT_EQ(ExportText::count(-12345), QStringLiteral("-12.345"));
    EXPECT_EQ(ExportText::shownOf(12, 5000), QStringLiteral("12 din 5.000"));
    EXPECT_EQ(ExportText::csvField(QStringLiteral("Cota 19%")), QStringLiteral("Cota 19%"));
    EXPECT_EQ(ExportText::csvField(QStringLiteral("doua\r\nranduri")), QStringLiteral("\"doua\r\nranduri\""));
}
