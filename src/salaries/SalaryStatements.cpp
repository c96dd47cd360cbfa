#include "salaries/SalaryStatements.h"

#include "controls/NumberText.h"
#include "data/SqlText.h"
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

namespace {

// Appends the pieces of a statement, checking that every bare number is one.
class Pieces {
public:
    void add(const char* piece) { m_sql += QLatin1String(piece); }
    void number(const char* piece, double value) {
        add(piece);
        const QString text = ValText(value);
        if (!Sql::isNumber(text)) m_ok = false;
        m_sql += text;
    }
    void account(const char* piece, const QString& value) {
        add(piece);
        m_sql += Sql::text(value);
    }
    void flag(const char* piece, bool value) {
        add(piece);
        m_sql += value ? QLatin1Char('1') : QLatin1Char('0');
    }
    std::optional<QString> result() const { return m_ok ? std::optional<QString>(m_sql) : std::nullopt; }

private:
    QString m_sql;
    bool m_ok = true;
};

} // namespace

std::optional<QString> parametersUpdate(const SalaryParameters& p, int month, const QString& group) {
    Pieces s;
    const auto& x = p.employerRates;
    s.number("UPDATE  sal_para SET CASF = ", x[0]);
    s.number(" , SOMF = ", x[1]);
    s.number(" , SANAF = ", x[2]);
    s.number(" , HANF = ", x[3]);
    s.number(" , FHANF = ", x[4]);
    s.number(" , INVF = ", x[5]);
    s.number(" , CM = ", x[6]);
    s.number(" , F1 = ", x[7]);

    const auto& c = p.employerCredit;
    s.account(" , CASFCT = '", c[0]);
    s.account("', SOMFCT = '", c[1]);
    s.account("', SANAFCT = '", c[2]);
    s.account("', HANFCT = '", c[3]);
    s.account("', FHANFCT = '", c[4]);
    s.account("', INVFCT = '", c[5]);
    s.account("', CMCT = '", c[6]);
    s.account("',  F1CT = '", c[7]);

    const auto& ch = p.employerDebit;
    s.account("' , CASFCH = '", ch[0]);
    s.account("', SOMFCH = '", ch[1]);
    s.account("', SANAFCH = '", ch[2]);
    s.account("', HANFCH = '", ch[3]);
    s.account("', FHANFCH = '", ch[4]);
    s.account("', INVFCH = '", ch[5]);
    s.account("', CMCH = '", ch[6]);
    s.account("',  F1CH = '", ch[7]);

    const auto& xa = p.employeeRates;
    s.number("', SOMS = ", xa[0]);
    s.number(", SOMP = ", xa[1]);
    s.number(", CASS = ", xa[2]);
    s.number(", PENS = ", xa[3]);
    s.number(", AVANS = ", xa[4]);
    s.number(", P1 = ", xa[5]);
    s.number(", C1 = ", xa[6]);

    const auto& ca = p.employeeCredit;
    s.account(", SOMCCT = '", ca[0]);
    s.account("', SOMPCT = '", ca[1]);
    s.account("', CASSCT = '", ca[2]);
    s.account("', PENSCT = '", ca[3]);
    s.account("', AVANSC = '", ca[4]);
    s.account("', P1CT = '", ca[5]);
    s.account("',  C1CT = '", ca[6]);

    const auto& ach = p.employeeDebit;
    s.account("' , SOMCCH = '", ach[0]);
    s.account("', SOMPCH = '", ach[1]);
    s.account("', CASSCH = '", ach[2]);
    s.account("', PENSCH = '", ach[3]);
    s.account("', AVANSCH = '", ach[4]);
    s.account("', P1CH = '", ach[5]);
    s.account("',  C1CH = '", ach[6]);

    const auto& sb = p.employeeFlags;
    s.flag("', SOMCSB = ", sb[0]);
    s.flag(", SOMPSB = ", sb[1]);
    s.flag(", CASSSB = ", sb[2]);
    s.flag(", PENSSB = ", sb[3]);
    s.flag(", AVANSSB = ", sb[4]);
    s.flag(", P1SB = ", sb[5]);
    s.flag(", C1SB = ", sb[6]);

    // Deductions in the statement's own order: DP CP SS DOIC RESTC INVI INVII ALTP CB COEFMAX.
    const auto& d = p.deductions;
    s.account(", IMPCT = '", p.taxAccount);
    s.number("', DP = ", d[0]);
    s.number(", CP = ", d[1]);
    s.number(", SS = ", d[4]);
    s.number(", DOIC = ", d[5]);
    s.number(", RESTC = ", d[6]);
    s.number(", INVI = ", d[8]);
    s.number(", INVII = ", d[10]);
    s.number(", ALTP = ", d[7]);
    s.number(", CB = ", d[11]);
    s.number(", COEFMAX = ", d[9]);

    const auto& k = p.constants;
    s.number(",  SALMED = ", k[0]);
    s.number(", SALMIN = ", k[1]);
    s.number(", MAXCIC = ", k[2]);
    s.number(", TLL = ", k[3]);
    s.number(", NRLuniCM = ", k[7]);
    s.number(", CCO = ", k[4]);
    s.number(", SN = ", k[5]);
    s.number(", HSUP = ", k[6]);
    s.number(", SALCAS = ", k[8]);

    const auto& si = p.employerFlags;
    s.flag(", CASSI = ", si[0]);
    s.flag(", SOMSI = ", si[1]);
    s.flag(", SANASI = ", si[2]);
    s.flag(", HANSI = ", si[3]);
    s.flag(", FHANSI = ", si[4]);
    s.flag(", INVSI = ", si[5]);
    s.flag(", CMSI = ", si[6]);
    s.flag(", F1SI = ", si[7]);

    s.number(", DBA = ", d[2]);
    s.number(", COEFCP = ", d[3]);
    s.add(" WHERE T >=  ");
    s.number("", month);
    s.account(" AND GRUPA = '", group);
    // Closed months keep their parameters.
    s.add("' AND V = 0");
    return s.result();
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
