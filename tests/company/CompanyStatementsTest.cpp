// The small rules of the company parameters window: month numbers, method captions, dates, and
// the save statement with values that carry quotes.
#include "company/CompanyStatements.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace vornel::company;

TEST(CompanyRules, MonthNamesGiveTheirNumbersNullThirteenAnythingElseTwentyFive) {
    const char* months[] = {"ianuarie", "februarie", "martie",     "aprilie",   "mai",       "iunie",
                            "iulie",    "august",    "septembrie", "octombrie", "noiembrie", "decembrie"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(LunaDinNume(QString::fromLatin1(months[i])), i + 1) << months[i];
    EXPECT_EQ(LunaDinNume("Martie"), 3); // compared lower-cased
    EXPECT_EQ(LunaDinNume("DECEMBRIE"), 12);
    EXPECT_EQ(LunaDinNume("null"), 13);
    EXPECT_EQ(LunaDinNume("NULL"), 13);
    EXPECT_EQ(LunaDinNume(""), 25);
    EXPECT_EQ(LunaDinNume(" martie"), 25); // not trimmed
    EXPECT_EQ(LunaDinNume("mar"), 25);
    EXPECT_EQ(LunaDinNume("3"), 25);
}

TEST(CompanyRules, OnlyFifoAndLifoHaveTheirOwnCaptions) {
    EXPECT_EQ(calculationLabels(QString("FIFO")).method, "FIFO");
    EXPECT_EQ(calculationLabels(QString("FIFO")).calculated, "FIFO calculat pina in");
    EXPECT_EQ(calculationLabels(QString("LIFO")).method, "LIFO");
    EXPECT_EQ(calculationLabels(QString("LIFO")).calculated, "LIFO calculat pina in");
    for (const QVariant& other : {QVariant(QString("CMP")), QVariant(QString("fifo")), QVariant(QString("")),
                                  QVariant(), QVariant(QMetaType::fromType<QString>())}) {
        EXPECT_EQ(calculationLabels(other).method, "CUMP");
        EXPECT_EQ(calculationLabels(other).calculated, "CMP calculat pina in");
    }
}

TEST(CompanyRules, DatesReadDayMonthYearWithDashes) {
    EXPECT_EQ(dateText(QDateTime(QDate(2026, 3, 5), QTime(14, 30))), "05-03-2026");
    EXPECT_EQ(dateText(QDate(2025, 12, 31)), "31-12-2025");
    EXPECT_EQ(dateText(QString("2026-04-15")), "15-04-2026");
    EXPECT_EQ(dateText(QString("2026-04-15 00:00:00")), "15-04-2026");
    EXPECT_EQ(dateText(QVariant()), "");
    EXPECT_EQ(dateText(QVariant(QMetaType::fromType<QDateTime>())), "");
    EXPECT_EQ(dateText(QString("nu e data")), "");
}

TEST(CompanyRules, SaveStatementDoublesQuotesAndTrimsOnlyTheAddressFields) {
    CompanyFields f;
    f.denumire = "  O'Brien SRL ";
    f.adresa = " Str. 1 ";
    f.judet = "Cluj";
    f.oras = "Dej";
    f.telefon[0] = " 1 ";
    f.codFiscal = "RO1";
    f.nrInm = "J1";
    f.banca = "B";
    f.contBanca = "C";
    f.cafea = "x'); DROP TABLE pRegie;--";
    f.tigari = "'";
    EXPECT_EQ(
        updateStatement(f, 42).toStdString(),
        "UPDATE [AdmTivra].[dbo].[Societati] SET [DenumireS]    ='O''Brien SRL',[Adresa]    ='Str. 1',"
        "[Judetul]   = 'Cluj',[Orasul]    = 'Dej',[Tel1]  =' 1 ',[Tel2]  ='',[Tel3]  ='',[Tel4]  ='',"
        "[CodFiscal]     ='RO1',[J]     ='J1',[Banca]     ='B',[ContBanca]     ='C',"
        "[Cafea]     ='x''); DROP TABLE pRegie;--' ,[Alcool]    ='',[Tigari]    = '''' Where( [ID]   = 42)");
}
