// The statements of the salary window and the rules of the bracket tables.
#include "salaries/SalaryStatements.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

namespace vornel::test {

namespace {

struct LocaleGuard {
    explicit LocaleGuard(const char* name) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::c()); }
};

std::vector<Bracket> brackets(std::initializer_list<Bracket> rows) {
    return rows;
}

} // namespace

TEST(SalaryStatements, NumbersAreWrittenWithAPointWhateverTheLocale) {
    const LocaleGuard ro("ro_RO");
    EXPECT_EQ(ValText(2.25), "2.25");
    EXPECT_EQ(ValText(1234567.5), "1234567.5");
    EXPECT_EQ(ValText(0), "0");
    SalaryParameters p;
    p.employerRates[6] = 2.25;
    p.deductions[0] = 1234.5;
    const QString sql = parametersUpdate(p, 1, kDefaultGroup).value();
    EXPECT_TRUE(sql.contains(" , CM = 2.25 , F1 = 0")) << sql.toStdString();
    EXPECT_TRUE(sql.contains("', DP = 1234.5, CP = 0")) << sql.toStdString();
}

TEST(SalaryStatements, UpdateKeepsTheSeparatorsAndColumnOrderOfTheSystem) {
    const QString sql = parametersUpdate(SalaryParameters{}, 3, QStringLiteral("Grupa A")).value();
    EXPECT_TRUE(sql.startsWith("UPDATE  sal_para SET CASF = 0 , SOMF = 0 , SANAF = 0"));
    EXPECT_TRUE(sql.endsWith(", DBA = 0, COEFCP = 0 WHERE T >=  3 AND GRUPA = 'Grupa A' AND V = 0"))
        << sql.toStdString();
    for (const char* piece :
         {" , F1 = 0 , CASFCT = ''", "'',  F1CT = '' , CASFCH = ''", "'',  F1CH = '', SOMS = 0",
          ", C1 = 0, SOMCCT = ''", "'',  C1CT = '' , SOMCCH = ''", "'',  C1CH = '', SOMCSB = 0",
          ", C1SB = 0, IMPCT = '', DP = 0", ", COEFMAX = 0,  SALMED = 0", ", TLL = 0, NRLuniCM = 0, CCO = 0",
          ", SALCAS = 0, CASSI = 0", ", F1SI = 0, DBA = 0"})
        EXPECT_TRUE(sql.contains(QLatin1String(piece))) << piece;
    // Every column once, in the order the statement sets them.
    const QStringList order =
        QStringLiteral(
            "CASF SOMF SANAF HANF FHANF INVF CM F1 CASFCT SOMFCT SANAFCT HANFCT FHANFCT INVFCT CMCT F1CT "
            "CASFCH "
            "SOMFCH SANAFCH HANFCH FHANFCH INVFCH CMCH F1CH SOMS SOMP CASS PENS AVANS P1 C1 SOMCCT SOMPCT "
            "CASSCT "
            "PENSCT AVANSC P1CT C1CT SOMCCH SOMPCH CASSCH PENSCH AVANSCH P1CH C1CH SOMCSB SOMPSB CASSSB "
            "PENSSB "
            "AVANSSB P1SB C1SB IMPCT DP CP SS DOIC RESTC INVI INVII ALTP CB COEFMAX SALMED SALMIN MAXCIC TLL "
            "NRLuniCM CCO SN HSUP SALCAS CASSI SOMSI SANASI HANSI FHANSI INVSI CMSI F1SI DBA COEFCP")
            .split(u' ');
    qsizetype at = 0;
    for (const QString& column : order) {
        const qsizetype next = sql.indexOf(QStringLiteral(" %1 = ").arg(column), at);
        ASSERT_GT(next, at) << column.toStdString() << " out of place";
        at = next;
    }
    EXPECT_EQ(sql.count(QLatin1String(" = ")), 82 + 2); // 82 columns, the group and open months only
}

TEST(SalaryStatements, QuotesInTextValuesAreDoubled) {
    SalaryParameters p;
    p.employerCredit[0] = QStringLiteral("4'31");
    p.taxAccount = QStringLiteral("x'; DROP TABLE sal_para;--");
    const QString sql = parametersUpdate(p, 12, QStringLiteral("O'Brien")).value();
    EXPECT_TRUE(sql.contains(" , CASFCT = '4''31'"));
    EXPECT_TRUE(sql.contains(", IMPCT = 'x''; DROP TABLE sal_para;--'"));
    EXPECT_TRUE(sql.endsWith("WHERE T >=  12 AND GRUPA = 'O''Brien' AND V = 0"));
    EXPECT_EQ(groupRename(QStringLiteral("N'ou"), QStringLiteral("Vechi")),
              "Update sal_grupe SET Grupe = 'N''ou' WHERE GRupe = 'Vechi'");
}

TEST(SalaryStatements, GroupAndTableStatementsAreTheSystemsOwn) {
    EXPECT_EQ(parametersQuery(1, kDefaultGroup),
              "SELECT * FROM sal_para WHERE T =  1 AND GRUPA = 'Conditii normale de munca'");
    EXPECT_EQ(groupInsert(QStringLiteral("Noua")), "INSERT INTO sal_GRUPE (GRUPE)  VALUES ('Noua')");
    EXPECT_EQ(employeesGroupRename(QStringLiteral("B"), QStringLiteral("A")),
              " UPDATE sal_sal SET GrupaMunca = 'B' WHERE GrupaMunca = 'A'");
    const QString copy = groupParametersCopy(QStringLiteral("Noua"));
    EXPECT_TRUE(copy.startsWith("INSERT INTO sal_para  (T, LUNA, V, CASF, "));
    EXPECT_TRUE(copy.contains("CMSI, F1SI, GRUPA, CB )  SELECT  T, LUNA, V, CASF, "));
    EXPECT_TRUE(
        copy.endsWith("CMSI, F1SI, 'Noua', CB FROM sal_para WHERE GRUPA = 'Conditii normale de munca'"));
    EXPECT_EQ(groupEmployeesQuery(QStringLiteral("a'b")),
              "SELECT COUNT(*) FROM sal_sal WHERE GrupaMunca = 'a''b'");
}

TEST(SalaryStatements, TaxTables) {
    EXPECT_FALSE(taxTableRight({}));
    EXPECT_TRUE(taxTableRight(brackets({{1, 1000, 0, 10}, {1001, 5000, 100, 16}})));
    EXPECT_TRUE(taxTableRight(brackets({{2, 1000, 0, 10}})));
    // A gap or an overlap between brackets.
    EXPECT_FALSE(taxTableRight(brackets({{1, 1000, 0, 10}, {1002, 5000, 100, 16}})));
    EXPECT_FALSE(taxTableRight(brackets({{1, 1000, 0, 10}, {1000, 5000, 100, 16}})));
    // The first bracket must start at 2 at most.
    EXPECT_FALSE(taxTableRight(brackets({{3, 1000, 0, 10}})));
    // Rates up to 100.
    EXPECT_TRUE(taxTableRight(brackets({{0, 1000, 0, 100}})));
    EXPECT_FALSE(taxTableRight(brackets({{0, 1000, 0, 100.01}, {1001, 2000, 0, 10}})));
    EXPECT_FALSE(taxTableRight(brackets({{0, 1000, 0, 10}, {1001, 2000, 0, 101}, {2001, 3000, 0, 10}})));
    // Fixed amounts may stay equal but never fall.
    EXPECT_TRUE(taxTableRight(brackets({{1, 1000, 50, 10}, {1001, 2000, 50, 10}})));
    EXPECT_FALSE(taxTableRight(brackets({{1, 1000, 50, 10}, {1001, 2000, 49, 10}})));
    // The last bracket must end above its start.
    EXPECT_FALSE(taxTableRight(brackets({{1, 1000, 0, 10}, {1001, 1001, 0, 10}})));
}

TEST(SalaryStatements, SeniorityTables) {
    EXPECT_FALSE(seniorityTableRight({}));
    EXPECT_TRUE(seniorityTableRight(brackets({{0, 3, 0, 0}, {3, 5, 0, 5}})));
    EXPECT_FALSE(seniorityTableRight(brackets({{0, 3, 0, 0}, {4, 5, 0, 5}})));
    // No check of the first row's start, nor of the rates.
    EXPECT_TRUE(seniorityTableRight(brackets({{7, 10, 0, 250}})));
    EXPECT_FALSE(seniorityTableRight(brackets({{0, 3, 0, 0}, {3, 3, 0, 5}})));
}

TEST(SalaryStatements, BracketValuesMustBeNumbers) {
    EXPECT_EQ(bracketValue(QVariant(12.5)), 12.5);
    EXPECT_EQ(bracketValue(QVariant(QStringLiteral(" 4050 "))), 4050);
    EXPECT_EQ(bracketValue(QVariant(QStringLiteral("-1.5"))), -1.5);
    for (const QVariant& bad : {QVariant(), QVariant(QStringLiteral("")), QVariant(QStringLiteral("12a")),
                                QVariant(std::numeric_limits<double>::quiet_NaN())})
        EXPECT_FALSE(bracketValue(bad)) << bad.toString().toStdString();
}

} // namespace vornel::test
