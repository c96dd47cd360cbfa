#pragma once
// The statements of the salary window, built as text from the values of its fields, and the
// checks of the bracket tables. Free functions, so that they can be tested without the window.

#include <QString>
#include <QVariant>
#include <array>
#include <optional>
#include <vector>

namespace vornel {

// The default work group: its name is fixed and its parameters are the template of a new group.
inline const QString kDefaultGroup = QStringLiteral("Conditii normale de munca");

// The values of the parameter fields, in the order of the fields of the window.
struct SalaryParameters {
    std::array<double, 8> employerRates{}; // CASF SOMF SANAF HANF FHANF INVF CM F1
    std::array<QString, 8> employerDebit;  // ...CH
    std::array<QString, 8> employerCredit; // ...CT
    std::array<bool, 8> employerFlags{};   // CASSI SOMSI SANASI HANSI FHANSI INVSI CMSI F1SI
    std::array<double, 7> employeeRates{}; // SOMS SOMP CASS PENS AVANS P1 C1
    std::array<QString, 7> employeeDebit;  // SOMCCH SOMPCH CASSCH PENSCH AVANSCH P1CH C1CH
    std::array<QString, 7> employeeCredit; // SOMCCT SOMPCT CASSCT PENSCT AVANSC P1CT C1CT
    std::array<bool, 7> employeeFlags{};   // SOMCSB SOMPSB CASSSB PENSSB AVANSSB P1SB C1SB
    QString taxAccount;                    // IMPCT
    std::array<double, 12> deductions{};   // DP CP DBA COEFCP SS DOIC RESTC ALTP INVI COEFMAX INVII CB
    std::array<double, 9> constants{};     // SALMED SALMIN MAXCIC TLL CCO SN HSUP NrLuniCM SALCAS
};

// Column names of the fields, by field array and index.
extern const std::array<const char*, 8> kEmployerRateColumns;
extern const std::array<const char*, 8> kEmployerDebitColumns;
extern const std::array<const char*, 8> kEmployerCreditColumns;
extern const std::array<const char*, 8> kEmployerFlagColumns;
extern const std::array<const char*, 7> kEmployeeRateColumns;
extern const std::array<const char*, 7> kEmployeeDebitColumns;
extern const std::array<const char*, 7> kEmployeeCreditColumns;
extern const std::array<const char*, 7> kEmployeeFlagColumns;
extern const std::array<const char*, 12> kDeductionColumns;
extern const std::array<const char*, 9> kConstantColumns;

// The number as statement text with "." as decimal separator, whatever the locale.
QString ValText(double value);

// The row of a month and group.
QString parametersQuery(int month, const QString& group);
// The UPDATE of the month and every later month of the group that is not closed; nullopt when a
// value would not be written as a plain number (nothing must run then).
std::optional<QString> parametersUpdate(const SalaryParameters& p, int month, const QString& group);

// Work groups.
QString groupListQuery();
QString groupInsert(const QString& name);
QString groupParametersCopy(const QString& name);
QString groupDelete(const QString& name);
QString groupParametersDelete(const QString& name);
// How many employees belong to the group.
QString groupEmployeesQuery(const QString& name);
QString groupRename(const QString& newName, const QString& oldName);
QString employeesGroupRename(const QString& newName, const QString& oldName);

// Bracket tables: tip 0 monthly tax, 1 annual tax, 2 seniority bonus.
QString bracketQuery(int month, int tip);

struct Bracket {
    double from = 0;  // DELA
    double to = 0;    // PANALA
    double fixed = 0; // CONST
    double rate = 0;  // PR
};
// Brackets that follow each other without gaps, with rates up to 100 and fixed amounts that never
// fall; an empty table is wrong.
bool taxTableRight(const std::vector<Bracket>& rows);
// Seniority brackets: each starts where the previous one ended; an empty table is wrong.
bool seniorityTableRight(const std::vector<Bracket>& rows);

// The number a grid value holds for a bracket column (text read as the grid shows numbers);
// nothing when it holds none.
std::optional<double> bracketValue(const QVariant& value);

} // namespace vornel
