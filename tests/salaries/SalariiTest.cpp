// The salary window on the demo database: every field of the four pages lands in its own column,
// from the month shown onwards.
#include "support/TestSupport.h"

#include "controls/NumericBox.h"
#include "salaries/Salarii.h"
#include "salaries/SalaryStatements.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace vornel::test {

TEST_F(DemoCompanyTest, SalaryFieldsLandInTheirColumnsFromTheMonthOnwards) {
    // Accounts of the chart only, each field its own.
    for (const char* first : {"6", "4", "7", "5"})
        for (int i = 0; i < 8; ++i)
            run(QStringLiteral("INSERT INTO zConta_Plan (Cont, SubGrupa) SELECT '%1%2', MIN(SubGrupa) FROM "
                               "zContaSubGrupa")
                    .arg(QLatin1String(first))
                    .arg(i));
    run(QStringLiteral(
        "INSERT INTO zConta_Plan (Cont, SubGrupa) SELECT '4''44', MIN(SubGrupa) FROM zContaSubGrupa"));
    Salarii& w = open<Salarii>();
    const auto child = [&w](const QString& name, int i) {
        return w.findChild<QWidget*>(name + '_' + QString::number(i));
    };
    const auto box = [&](const char* array, int i) { return static_cast<NumericBox*>(child(array, i)); };
    const auto edit = [&](const char* array, int i) { return static_cast<QLineEdit*>(child(array, i)); };
    w.findChild<QComboBox*>(QStringLiteral("cmb"))->setCurrentIndex(2); // March
    double n = 1;
    auto set = [&n](NumericBox* b) { b->setText(QString::number(n++)); };
    for (int i = 0; i < 8; ++i) {
        set(box("txtX", i));
        edit("txtCh", i)->setText(QStringLiteral("6%1").arg(i));
        edit("txtC", i)->setText(QStringLiteral("4%1").arg(i));
    }
    for (int i = 0; i < 7; ++i) {
        set(box("txtXa", i));
        edit("txtAch", i)->setText(QStringLiteral("7%1").arg(i));
        edit("txtCa", i)->setText(QStringLiteral("5%1").arg(i));
    }
    for (int i = 0; i < 12; ++i)
        set(box("txtXd", i));
    for (int i = 0; i < 9; ++i)
        set(box("txtXAC", i));
    w.findChild<QLineEdit*>(QStringLiteral("txtCD"))->setText(QStringLiteral("4'44"));
    const int employerBoxes[] = {13, 12, 11, 10, 9, 8, 7, 14};
    for (int i = 0; i < 8; ++i)
        static_cast<QCheckBox*>(child("chk", employerBoxes[i]))->setChecked(i % 2 == 0);
    for (int i = 0; i < 7; ++i)
        static_cast<QCheckBox*>(child("chk", i))->setChecked(i % 2 == 1);
    for (QLineEdit* f : w.findChildren<QLineEdit*>())
        f->setProperty("DataChanged", false); // as if chosen

    static_cast<QPushButton*>(child("cmdAction", 0))->click();
    ASSERT_TRUE(shown().empty()) << shown()[0].text.toStdString();
    ASSERT_TRUE(ran("UPDATE  sal_para SET CASF = 1 , SOMF = 2"));

    auto value = [this](const char* column, int month) {
        return scalar(QStringLiteral("SELECT %1 FROM sal_para WHERE T = %2 AND GRUPA = 'Conditii deosebite'")
                          .arg(QLatin1String(column))
                          .arg(month));
    };
    n = 1;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(value(kEmployerRateColumns[i], 3), QString::number(n++)) << kEmployerRateColumns[i];
        EXPECT_EQ(value(kEmployerDebitColumns[i], 7), QStringLiteral("6%1").arg(i));
        EXPECT_EQ(value(kEmployerCreditColumns[i], 12), QStringLiteral("4%1").arg(i));
        EXPECT_EQ(value(kEmployerFlagColumns[i], 3), i % 2 == 0 ? "1" : "0") << kEmployerFlagColumns[i];
    }
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(value(kEmployeeRateColumns[i], 3), QString::number(n++)) << kEmployeeRateColumns[i];
        EXPECT_EQ(value(kEmployeeDebitColumns[i], 3), QStringLiteral("7%1").arg(i));
        EXPECT_EQ(value(kEmployeeCreditColumns[i], 3), QStringLiteral("5%1").arg(i))
            << kEmployeeCreditColumns[i];
        EXPECT_EQ(value(kEmployeeFlagColumns[i], 3), i % 2 == 1 ? "1" : "0") << kEmployeeFlagColumns[i];
    }
    for (const char* column : kDeductionColumns)
        EXPECT_EQ(value(column, 3), QString::number(n++)) << column;
    for (const char* column : kConstantColumns)
        EXPECT_EQ(value(column, 3), QString::number(n++)) << column;
    EXPECT_EQ(value("IMPCT", 4), "4'44");
    // January and February, and the other group, keep their values.
    EXPECT_EQ(value("CASF", 2), "4");
    EXPECT_EQ(value("IMPCT", 1), "444");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sal_para WHERE CASF = 1"), "10");
}

} // namespace vornel::test
