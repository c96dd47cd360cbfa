// The small rules of the company parameters window: month numbers, method captions and dates. Its
// save statement, quotes and blanks included, is the scenarios' own.
#include "company/CompanyStatements.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace vornel::company;

TEST(CompanyRules, MonthNamesGiveTheirNumbersNullThirteenAnythingElseTwentyFive) {
    const char* months[] = {"ianuarie", "februarie", "martie",     "aprilie",   "mai",       "iunie",
                            "iulie",    "august",    "septembrie", "octombrie", "noiembrie", "decembrie"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(LunaDinNume(QString::fromLatin1(months[i])), i + 1) << months[i];
    EXPECT_EQ(LunaDinNume("DECEMBRIE"), 12); // compared lower-cased
    EXPECT_EQ(LunaDinNume("NULL"), 13);
    for (const char* other : {"", " martie", "mar", "3"}) // not trimmed
        EXPECT_EQ(LunaDinNume(other), 25) << other;
}

// FIFO and LIFO by their exact text only; the window's scenarios show the captions.
TEST(CompanyRules, OnlyFifoAndLifoHaveTheirOwnCaptions) {
    EXPECT_EQ(calculationLabels(QString("LIFO")).method, "LIFO");
    for (const QVariant& other : {QVariant(QString("fifo")), QVariant(QString("")), QVariant()})
        EXPECT_EQ(calculationLabels(other).method, "CUMP");
}

TEST(CompanyRules, DatesReadDayMonthYearWithDashes) {
    EXPECT_EQ(dateText(QDateTime(QDate(2026, 3, 5), QTime(14, 30))), "05-03-2026");
    EXPECT_EQ(dateText(QDate(2025, 12, 31)), "31-12-2025");
    EXPECT_EQ(dateText(QString("2026-04-15 00:00:00")), "15-04-2026");
    EXPECT_EQ(dateText(QVariant(QMetaType::fromType<QDateTime>())), "");
    EXPECT_EQ(dateText(QString("nu e data")), "");
}
