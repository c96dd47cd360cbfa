#include "salaries/SalaryStatements.h"

#include "controls/NumberText.h"
#include "data/SqlText.h"
#include "data/StatementBuilder.h"
#include "entry/ComponentContext.h"

#include <cmath>

namespace vornel {

const std::array<const char*, 8> kEmployerRateColumns = {"CASF",  "SOMF", "SANAF", "HANF",
                                                         "FHANF", "INVF", "CM",    "F1"};
const std::array<const char*, 8> kEmployerDebitColumns = {"CASFCH",  "SOMFCH", "SANAFCH", "HANFCH",
                                                          "FHANFCH", "INVFCH", "CMCH",    "F1CH"};
const std::array<const char*, 8> kEmployerCreditColumns = {"CASFCT",  "SOMFCT", "SANAFCT", "HANFCT",
                                                           "FHANFCT", "INVFCT", "CMCT",    "F1CT"};
const std::array<const char*, 8> kEmployerFlagColumns = {"CASSI",  "SOMSI", "SANASI", "HANSI",
                                                         "FHANSI", "INVSI", "CMSI",   "F1SI"};
const std::array<const char*, 7> kEmployeeRateColumns = {"SOMS", "SOMP", "CASS", "PENS", "AVANS", "P1", "C1"};
const std::array<const char*, 7> kEmployeeDebitColumns = {"SOMCCH",  "SOMPCH", "CASSCH", "PENSCH",
                                                          "AVANSCH", "P1CH",   "C1CH"};
const std::array<const char*, 7> kEmployeeCreditColumns = {"SOMCCT", "SOMPCT", "CASSCT", "PENSCT",
                                                           "AVANSC", "P1CT",   "C1CT"};
const std::array<const char*, 7> kEmployeeFlagColumns = {"SOMCSB",  "SOMPSB", "CASSSB", "PENSSB",
                                                         "AVANSSB", "P1SB",   "C1SB"};
const std::array<const char*, 12> kDeductionColumns = {"DP",    "CP",   "DBA",  "COEFCP",  "SS",    "DOIC",
                                                       "RESTC", "ALTP", "INVI", "COEFMAX", "INVII", "CB"};
const std::array<const char*, 9> kConstantColumns = {"SALMED", "SALMIN", "MAXCIC",   "TLL",   "CCO",
                                                     "SN",     "HSUP",   "NrLuniCM", "SALCAS"};

QString ValText(double value) {
    return NumarCuPunct(value);
}

QString parametersQuery(int month, const QString& group) {
    return QStringLiteral("SELECT * FROM sal_para WHERE T =  ") + QString::number(month) +
           QStringLiteral(" AND GRUPA = '") + Sql::text(group) + QStringLiteral("'");
}

std::optional<QString> parametersUpdate(const SalaryParameters& p, int month, const QString& group) {
    StatementBuilder b;
    QString sql;
    const auto number = [&](const char* piece, double value) {
        sql += QLatin1String(piece) + b.number(ValText(value));
    };
    const auto account = [&](const char* piece, const QString& value) {
        sql += QLatin1String(piece) + b.text(value);
    };
    const auto flag = [&](const char* piece, bool value) {
        sql += QLatin1String(piece) + QLatin1Char(value ? '1' : '0');
    };
    const auto& x = p.employerRates;
    number("UPDATE  sal_para SET CASF = ", x[0]);
    number(" , SOMF = ", x[1]);
    number(" , SANAF = ", x[2]);
    number(" , HANF = ", x[3]);
    number(" , FHANF = ", x[4]);
    number(" , INVF = ", x[5]);
    number(" , CM = ", x[6]);
    number(" , F1 = ", x[7]);

    const auto& c = p.employerCredit;
    account(" , CASFCT = '", c[0]);
    account("', SOMFCT = '", c[1]);
    account("', SANAFCT = '", c[2]);
    account("', HANFCT = '", c[3]);
    account("', FHANFCT = '", c[4]);
    account("', INVFCT = '", c[5]);
    account("', CMCT = '", c[6]);
    account("',  F1CT = '", c[7]);

    const auto& ch = p.employerDebit;
    account("' , CASFCH = '", ch[0]);
    account("', SOMFCH = '", ch[1]);
    account("', SANAFCH = '", ch[2]);
    account("', HANFCH = '", ch[3]);
    account("', FHANFCH = '", ch[4]);
    account("', INVFCH = '", ch[5]);
    account("', CMCH = '", ch[6]);
    account("',  F1CH = '", ch[7]);

    const auto& xa = p.employeeRates;
    number("', SOMS = ", xa[0]);
    number(", SOMP = ", xa[1]);
    number(", CASS = ", xa[2]);
    number(", PENS = ", xa[3]);
    number(", AVANS = ", xa[4]);
    number(", P1 = ", xa[5]);
    number(", C1 = ", xa[6]);

    const auto& ca = p.employeeCredit;
    account(", SOMCCT = '", ca[0]);
    account("', SOMPCT = '", ca[1]);
    account("', CASSCT = '", ca[2]);
    account("', PENSCT = '", ca[3]);
    account("', AVANSC = '", ca[4]);
    account("', P1CT = '", ca[5]);
    account("',  C1CT = '", ca[6]);

    const auto& ach = p.employeeDebit;
    account("' , SOMCCH = '", ach[0]);
    account("', SOMPCH = '", ach[1]);
    account("', CASSCH = '", ach[2]);
    account("', PENSCH = '", ach[3]);
    account("', AVANSCH = '", ach[4]);
    account("', P1CH = '", ach[5]);
    account("',  C1CH = '", ach[6]);

    const auto& sb = p.employeeFlags;
    flag("', SOMCSB = ", sb[0]);
    flag(", SOMPSB = ", sb[1]);
    flag(", CASSSB = ", sb[2]);
    flag(", PENSSB = ", sb[3]);
    flag(", AVANSSB = ", sb[4]);
    flag(", P1SB = ", sb[5]);
    flag(", C1SB = ", sb[6]);

    // Deductions in the statement's own order: DP CP SS DOIC RESTC INVI INVII ALTP CB COEFMAX.
    const auto& d = p.deductions;
    account(", IMPCT = '", p.taxAccount);
    number("', DP = ", d[0]);
    number(", CP = ", d[1]);
    number(", SS = ", d[4]);
    number(", DOIC = ", d[5]);
    number(", RESTC = ", d[6]);
    number(", INVI = ", d[8]);
    number(", INVII = ", d[10]);
    number(", ALTP = ", d[7]);
    number(", CB = ", d[11]);
    number(", COEFMAX = ", d[9]);

    const auto& k = p.constants;
    number(",  SALMED = ", k[0]);
    number(", SALMIN = ", k[1]);
    number(", MAXCIC = ", k[2]);
    number(", TLL = ", k[3]);
    number(", NRLuniCM = ", k[7]);
    number(", CCO = ", k[4]);
    number(", SN = ", k[5]);
    number(", HSUP = ", k[6]);
    number(", SALCAS = ", k[8]);

    const auto& si = p.employerFlags;
    flag(", CASSI = ", si[0]);
    flag(", SOMSI = ", si[1]);
    flag(", SANASI = ", si[2]);
    flag(", HANSI = ", si[3]);
    flag(", FHANSI = ", si[4]);
    flag(", INVSI = ", si[5]);
    flag(", CMSI = ", si[6]);
    flag(", F1SI = ", si[7]);

    number(", DBA = ", d[2]);
    number(", COEFCP = ", d[3]);
    sql += QLatin1String(" WHERE T >=  ");
    number("", month);
    account(" AND GRUPA = '", group);
    // Closed months keep their parameters.
    sql += QLatin1String("' AND V = 0");
    return b.statement(sql);
}

QString groupListQuery() {
    return QStringLiteral("SELECT GRUPE FROM sal_grupe GROUP BY GRUPE");
}

QString groupInsert(const QString& name) {
    return QStringLiteral("INSERT INTO sal_GRUPE (GRUPE)  VALUES ('") + Sql::text(name) +
           QStringLiteral("')");
}

QString groupParametersCopy(const QString& name) {
    // Every parameter of the default group, MAXCIC, DBA, COEFCP and the SI flags included.
    static const QString columns = QStringLiteral(
        "T, LUNA, V, CASF, CASFCH, CASFCT, SOMF, SOMFCH, SOMFCT, SANAF, SANAFCH, SANAFCT, HANF, HANFCH, "
        "HANFCT, FHANF, FHANFCH, FHANFCT, INVF, INVFCH, INVFCT, CM, CMCH, CMCT, F1, F1CH, F1CT, SOMS, "
        "SOMCCH, "
        "SOMCCT, SOMCSB,  SOMP, SOMPCH, SOMPCT, SOMPSB,  CASS, CASSCH, CASSCT, CASSSB,  PENS, PENSCH, "
        "PENSCT, "
        "PENSSB,  P1, P1CH, P1CT, P1SB,  C1, C1CH, C1CT, C1SB,  AVANS, AVANSCH, AVANSC, AVANSSB, IMPCT, DP, "
        "CP, "
        "SS, DOIC, RESTC, ALTP, INVI, INVII, COEFMAX, SALMED, SALMIN, TLL, NrLuniCM, CCO, SN, HSUP, "
        "SALCAS, MAXCIC, DBA, COEFCP, CASSI, SOMSI, SANASI, HANSI, FHANSI, INVSI, CMSI, F1SI, ");
    return QStringLiteral("INSERT INTO sal_para  (") + columns + QStringLiteral("GRUPA, CB ) ") +
           QStringLiteral(" SELECT  ") + columns + QStringLiteral("'") + Sql::text(name) +
           QStringLiteral("', CB FROM sal_para WHERE GRUPA = 'Conditii normale de munca'");
}

QString groupDelete(const QString& name) {
    return QStringLiteral("DELETE FROM sal_grupe WHERE GRUPE = '") + Sql::text(name) + QStringLiteral("'");
}

QString groupParametersDelete(const QString& name) {
    return QStringLiteral("DELETE FROM sal_para WHERE GRUPA = '") + Sql::text(name) + QStringLiteral("'");
}

QString groupEmployeesQuery(const QString& name) {
    return QStringLiteral("SELECT COUNT(*) FROM sal_sal WHERE GrupaMunca = '") + Sql::text(name) +
           QStringLiteral("'");
}

QString groupRename(const QString& newName, const QString& oldName) {
    return QStringLiteral("Update sal_grupe SET Grupe = '") + Sql::text(newName) +
           QStringLiteral("' WHERE GRupe = '") + Sql::text(oldName) + QStringLiteral("'");
}

QString employeesGroupRename(const QString& newName, const QString& oldName) {
    return QStringLiteral(" UPDATE sal_sal SET GrupaMunca = '") + Sql::text(newName) +
           QStringLiteral("' WHERE GrupaMunca = '") + Sql::text(oldName) + QStringLiteral("'");
}

QString bracketQuery(int month, int tip) {
    return QStringLiteral("SELECT *  FRom sal_imp WHERE T = ") + QString::number(month) +
           QStringLiteral(" AND TIP = ") + QString::number(tip) + QStringLiteral("   Order By DELA");
}

namespace {

bool same(double a, double b) {
    return std::fabs(a - b) < 1e-9;
}

} // namespace

bool taxTableRight(const std::vector<Bracket>& rows) {
    if (rows.empty()) return false;
    if (rows.front().from > 2 || rows.front().rate > 100) return false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Bracket& prev = rows[i - 1];
        const Bracket& row = rows[i];
        if (!same(row.from, prev.to + 1) || row.rate > 100 || row.fixed < prev.fixed) return false;
    }
    const Bracket& last = rows.back();
    return last.to > last.from && last.rate <= 100;
}

bool seniorityTableRight(const std::vector<Bracket>& rows) {
    if (rows.empty()) return false;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (!same(rows[i].from, rows[i - 1].to)) return false;
    const Bracket& last = rows.back();
    return last.to > last.from;
}

std::optional<double> bracketValue(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        if (!std::isfinite(value.toDouble())) return std::nullopt;
        return value.toDouble();
    default:
        return NumberText::read(value.toString());
    }
}

} // namespace vornel
