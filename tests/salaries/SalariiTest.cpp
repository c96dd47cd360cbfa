// The salary window on the demo database: loading, the checks and the statement of "Accepta", the
// closed month, the table check on closing, the tax table grid, work groups and key movement.
#include "SalariiFixture.h"

#include "controls/EditableGrid.h"
#include "data/Recordset.h"
#include "salaries/SalaryStatements.h"

namespace vornel::test {

namespace {

const QString kFirstGroup = QStringLiteral("Conditii deosebite");

} // namespace

TEST_F(SalariiTest, LoadsJanuaryOfTheFirstGroup) {
    Salarii& w = open();
    EXPECT_EQ(w.windowTitle(), "Configurari Salariale");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(combo("cmb")->count(), 12);
    EXPECT_EQ(combo("cmb")->currentText(), "Ianuarie");
    EXPECT_EQ(combo("cmb")->itemText(11), "Decembrie");
    ASSERT_EQ(combo("cmbGrupa")->count(), 2);
    EXPECT_EQ(combo("cmbGrupa")->currentText(), kFirstGroup);
    EXPECT_DOUBLE_EQ(box("txtX", 0)->Valoare(), 4);
    EXPECT_DOUBLE_EQ(box("txtX", 6)->Valoare(), 2.25);
    EXPECT_EQ(edit("txtCa", 4)->text(), "425"); // AVANSC
    EXPECT_EQ(edit("txtCD")->text(), "444");
    EXPECT_TRUE(child<QCheckBox>("chk_7")->isChecked());   // CMSI
    EXPECT_FALSE(child<QCheckBox>("chk_13")->isChecked()); // CASSI
    EXPECT_TRUE(child<QCheckBox>("chk_2")->isChecked());   // CASSSB
    EXPECT_DOUBLE_EQ(box("txtXAC", 3)->Valoare(), 144);    // TLL
    EXPECT_DOUBLE_EQ(box("txtXAC", 7)->Valoare(), 6);      // NrLuniCM
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(w.accountChanged(edit("txtCh", i)));
    EXPECT_FALSE(w.accountChanged(edit("txtCD")));
    EXPECT_TRUE(child<QLabel>("lblClose")->isHidden());
    EXPECT_EQ(shownPages(), std::vector<int>{0});
    EXPECT_EQ(button("cmd", 0)->property("ForeColor").toInt(), 0xFF);
    EXPECT_EQ(button("cmd", 3)->property("ForeColor").toInt(), 0xFF00);
    EXPECT_TRUE(child<QGroupBox>("frmG")->isHidden());

    // Another month or group loads its row; typing in an account field marks it.
    combo("cmb")->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(box("txtXAC", 3)->Valoare(), 160);
    combo("cmbGrupa")->setCurrentText(kDefaultGroup);
    EXPECT_DOUBLE_EQ(box("txtX", 0)->Valoare(), 0);
    edit("txtC", 1)->setText(QStringLiteral("43"));
    EXPECT_TRUE(w.accountChanged(edit("txtC", 1)));
}

TEST_F(SalariiTest, AcceptaRefusesRatesOfAHundredAndTypedAccountsOnTheirPage) {
    Salarii& w = open();
    box("txtX", 3)->setText(QStringLiteral("100"));
    button("cmdAction", 0)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Valoare Incorecta!!");
    EXPECT_EQ(shown[0].icon, 16);
    EXPECT_EQ(shown[0].title, "Configurari Salariale");
    EXPECT_EQ(shownPages(), std::vector<int>{0});
    EXPECT_EQ(QApplication::focusWidget(), box("txtX", 3));
    EXPECT_TRUE(executed.empty());
    EXPECT_TRUE(w.isVisible());

    // A rate below 100 passes; an employee account typed by hand stops on the employee page.
    box("txtX", 3)->setText(QStringLiteral("99.99"));
    w.selectPage(3);
    edit("txtAch", 2)->setText(QStringLiteral("999"));
    button("cmdAction", 0)->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shownPages(), std::vector<int>{1});
    EXPECT_EQ(QApplication::focusWidget(), edit("txtAch", 2));
    EXPECT_TRUE(executed.empty());

    // Deductions from the fourth on are rates; the first three are amounts.
    edit("txtAch", 2)->setText(QStringLiteral("421"));
    edit("txtAch", 2)->setProperty("DataChanged", false);
    for (int i = 0; i < 3; ++i)
        box("txtXd", i)->setText(QStringLiteral("1500"));
    box("txtXd", 11)->setText(QStringLiteral("100"));
    w.selectPage(0);
    button("cmdAction", 0)->click();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shownPages(), std::vector<int>{2});
    EXPECT_EQ(QApplication::focusWidget(), box("txtXd", 11));

    // Text that is no number never reaches the statement.
    box("txtXd", 11)->setText(QStringLiteral("20"));
    box("txtXAC", 0)->setText(QStringLiteral("9x1"));
    button("cmdAction", 0)->click();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shownPages(), std::vector<int>{3});
    EXPECT_TRUE(executed.empty());

    box("txtXAC", 0)->setText(QStringLiteral("9100"));
    button("cmdAction", 0)->click();
    EXPECT_EQ(shown.size(), 4u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(scalar("SELECT HANF FROM sal_para WHERE T = 1 AND GRUPA = 'Conditii deosebite'"), "99.99");
    EXPECT_EQ(scalar("SELECT DBA FROM sal_para WHERE T = 1 AND GRUPA = 'Conditii deosebite'"), "1500");
}

TEST_F(SalariiTest, EveryFieldLandsInItsColumnFromTheMonthOnwards) {
    // Accounts of the chart only, each field its own.
    for (const char* first : {"6", "4", "7", "5"})
        for (int i = 0; i < 8; ++i)
            run(QStringLiteral("INSERT INTO zConta_Plan (Cont, SubGrupa) SELECT '%1%2', MIN(SubGrupa) FROM "
                               "zContaSubGrupa")
                    .arg(QLatin1String(first))
                    .arg(i));
    run(QStringLiteral(
        "INSERT INTO zConta_Plan (Cont, SubGrupa) SELECT '4''44', MIN(SubGrupa) FROM zContaSubGrupa"));
    Salarii& w = open();
    combo("cmb")->setCurrentIndex(2); // March
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
    edit("txtCD")->setText(QStringLiteral("4'44"));
    const int employerBoxes[] = {13, 12, 11, 10, 9, 8, 7, 14};
    for (int i = 0; i < 8; ++i)
        child<QCheckBox>(QStringLiteral("chk_%1").arg(employerBoxes[i]))->setChecked(i % 2 == 0);
    for (int i = 0; i < 7; ++i)
        child<QCheckBox>(QStringLiteral("chk_%1").arg(i))->setChecked(i % 2 == 1);
    for (QLineEdit* f : w.findChildren<QLineEdit*>())
        f->setProperty("DataChanged", false); // as if chosen

    button("cmdAction", 0)->click();
    ASSERT_TRUE(shown.empty()) << shown[0].text.toStdString();
    ASSERT_TRUE(ranLike("UPDATE  sal_para SET CASF = 1 , SOMF = 2"));

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

TEST_F(SalariiTest, AClosedMonthWritesNothingAndStillChecksTheTables) {
    run(QStringLiteral("UPDATE sal_para SET V = 1 WHERE T = 1"));
    Salarii& w = open();
    EXPECT_FALSE(child<QLabel>("lblClose")->isHidden());
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(page(i)->isEnabled());
    box("txtX", 0)->setText(QStringLiteral("150"));
    button("cmdAction", 0)->click();
    EXPECT_TRUE(shown.empty());
    for (const QString& s : executed)
        EXPECT_FALSE(s.startsWith("UPDATE")) << s.toStdString();
    EXPECT_TRUE(ranLike("SELECT *  FRom sal_imp WHERE T = 1 AND TIP = 1   Order By DELA"));
    EXPECT_FALSE(w.isVisible());

    // An open month enables the pages again.
    Salarii& again = open();
    again.findChild<QComboBox*>("cmb")->setCurrentIndex(1);
    EXPECT_TRUE(child<QLabel>("lblClose")->isHidden());
    EXPECT_TRUE(page(0)->isEnabled());
}

TEST_F(SalariiTest, AWrongTableKeepsTheWindowOpenOnItsPage) {
    run(QStringLiteral("UPDATE sal_imp SET PANALA = 1000 WHERE T = 1 AND TIP = 0 AND DELA = 1"));
    run(QStringLiteral("UPDATE sal_imp SET DELA = 1002 WHERE T = 1 AND TIP = 0 AND DELA = 4051"));
    Salarii& w = open();
    button("cmdAction", 1)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Impozitul Gresit !!");
    EXPECT_EQ(shown[0].title, "Date Eronate");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(shownPages(), std::vector<int>{4});
    EXPECT_EQ(page(4)->title(), "Impozitar");
    EXPECT_EQ(button("cmd", 5)->property("ForeColor").toInt(), 0xFF);
    EXPECT_EQ(button("cmd", 0)->property("ForeColor").toInt(), 0xFF00);

    // The annual table is checked first.
    run(QStringLiteral("UPDATE sal_imp SET CONST = 0 WHERE T = 1 AND TIP = 1 AND DELA = 48601"));
    run(QStringLiteral("UPDATE sal_imp SET CONST = 5 WHERE T = 1 AND TIP = 1 AND DELA = 1"));
    button("cmdAction", 1)->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(page(4)->title(), "Impozitar Anual");

    // With both tax tables right, an empty seniority table still blocks closing.
    run(QStringLiteral("DELETE FROM sal_imp WHERE T = 1"));
    run(QStringLiteral("INSERT INTO sal_imp (T, TIP, DELA, PANALA, CONST, PR) VALUES (1, 0, 0, 99, 0, 10)"));
    run(QStringLiteral("INSERT INTO sal_imp (T, TIP, DELA, PANALA, CONST, PR) VALUES (1, 1, 2, 99, 0, 10)"));
    button("cmdAction", 0)->click();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, "Spor Vechime Gresit !!");
    EXPECT_EQ(page(4)->title(), "Spor Vechime");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.findChild<EditableGrid*>("Grid")->dataRows(), 0);
}

TEST_F(SalariiTest, TaxTableGridShowsTheBracketsAndRefusesText) {
    Salarii& w = open();
    button("cmd", 5)->click();
    EXPECT_TRUE(ranLike("SELECT *  FRom sal_imp WHERE T = 1 AND TIP = 0   Order By DELA"));
    auto* grid = w.findChild<EditableGrid*>("Grid");
    ASSERT_EQ(grid->dataRows(), 2);
    Recordset* rs = grid->recordset();
    const int from = rs->indexOf(QStringLiteral("DELA"));
    const int fixed = rs->indexOf(QStringLiteral("CONST"));
    const int rate = rs->indexOf(QStringLiteral("PR"));
    EXPECT_EQ(grid->headerText(from), "De La");
    EXPECT_EQ(grid->headerText(fixed), "Valoare Fixa");
    EXPECT_EQ(grid->columnWidthTwips(from), 1900);
    EXPECT_EQ(grid->columnWidthTwips(rate), 1000);
    EXPECT_FALSE(grid->isColumnVisible(rs->indexOf(QStringLiteral("T"))));
    EXPECT_FALSE(grid->isColumnVisible(rs->indexOf(QStringLiteral("TIP"))));

    grid->editCell(1, rate, QStringLiteral("abc"));
    EXPECT_FALSE(grid->commitRow());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Valoare Invalida! ");
    EXPECT_EQ(shown[0].title, "Date Eronate");
    EXPECT_EQ(scalar("SELECT PR FROM sal_imp WHERE T = 1 AND TIP = 0 AND DELA = 4051"), "10");
    grid->editCell(1, rate, QStringLiteral("16"));
    EXPECT_TRUE(grid->commitRow());
    EXPECT_EQ(scalar("SELECT PR FROM sal_imp WHERE T = 1 AND TIP = 0 AND DELA = 4051"), "16");

    // The seniority table hides the fixed amount; a new row joins the month and table shown.
    button("cmd", 4)->click();
    EXPECT_FALSE(grid->isColumnVisible(grid->recordset()->indexOf(QStringLiteral("CONST"))));
    EXPECT_TRUE(grid->appendRow({QStringLiteral("50"), QStringLiteral("60"), QStringLiteral("30")}));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sal_imp WHERE T = 1 AND TIP = 2 AND DELA = 50 AND CONST = 0"),
              "1");
}

TEST_F(SalariiTest, WorkGroupsAreAddedAndRenamed) {
    open();
    auto* frame = child<QGroupBox>("frmG");
    button("cmdG", 0)->click();
    EXPECT_FALSE(frame->isHidden());
    EXPECT_FALSE(child<QWidget>("frm_0")->isEnabled());
    EXPECT_FALSE(button("cmdAction", 0)->isEnabled());
    EXPECT_FALSE(page(0)->isEnabled());
    EXPECT_EQ(edit("txtG")->property("Tag").toString(), "0");

    // A name that exists is refused and the frame stays open; nothing is copied.
    edit("txtG")->setText(QStringLiteral("conditii DEOSEBITE"));
    button("cmdG", 3)->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Aceasta grupa exista deja!!");
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sal_para"), "24");

    edit("txtG")->setText(QStringLiteral("Noua"));
    button("cmdG", 3)->click();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_TRUE(button("cmdAction", 0)->isEnabled());
    EXPECT_EQ(combo("cmbGrupa")->currentText(), "Noua");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sal_para WHERE GRUPA = 'Noua'"), "12");

    // Renaming: the employees and the parameters follow the group.
    combo("cmbGrupa")->setCurrentText(kFirstGroup);
    button("cmdG", 1)->click();
    EXPECT_EQ(edit("txtG")->text(), kFirstGroup);
    edit("txtG")->setText(QStringLiteral("Speciale"));
    button("cmdG", 3)->click();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sal_sal WHERE GrupaMunca = 'Speciale'"), "2");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sal_para WHERE GRUPA = 'Speciale'"), "12");
    EXPECT_EQ(combo("cmbGrupa")->currentText(), "Speciale");
    EXPECT_DOUBLE_EQ(box("txtX", 0)->Valoare(), 4);

    // The default group is neither renamed nor deleted.
    combo("cmbGrupa")->setCurrentText(kDefaultGroup);
    button("cmdG", 1)->click();
    edit("txtG")->setText(QStringLiteral("Altceva"));
    button("cmdG", 3)->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Aceasta grupa  nu se poate modifica !!");
    button("cmdG", 4)->click();
    EXPECT_TRUE(frame->isHidden());
    EXPECT_TRUE(page(3)->isEnabled());
    button("cmdG", 2)->click();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, "Aceasta grupa nu se poate sterge !!");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sal_grupe"), "3");
}

TEST_F(SalariiTest, KeysMoveBetweenTheFieldsOfAPage) {
    Salarii& w = open();
    struct Move {
        int page;
        QWidget* from;
        Qt::Key key;
        QWidget* to;
    };
    const Move moves[] = {
        {0, box("txtX", 2), Qt::Key_Right, edit("txtCh", 2)},
        {0, box("txtX", 2), Qt::Key_Return, edit("txtCh", 2)},
        {0, box("txtX", 2), Qt::Key_Up, edit("txtC", 1)},
        {0, box("txtX", 0), Qt::Key_Backtab, edit("txtCh", 1)},
        {0, box("txtX", 7), Qt::Key_Tab, edit("txtCh", 7)},
        {1, box("txtXa", 0), Qt::Key_Left, edit("txtAch", 1)},
        {1, box("txtXa", 6), Qt::Key_Down, edit("txtAch", 6)},
        {2, box("txtXd", 11), Qt::Key_Return, edit("txtCD")},
        {2, box("txtXd", 0), Qt::Key_Up, box("txtXd", 11)},
        {2, box("txtXd", 4), Qt::Key_Tab, box("txtXd", 5)},
        {3, box("txtXAC", 8), Qt::Key_Down, box("txtXAC", 0)},
        {3, box("txtXAC", 0), Qt::Key_Left, box("txtXAC", 8)},
    };
    for (const Move& m : moves) {
        w.selectPage(m.page);
        m.from->setFocus();
        QTest::keyClick(m.from, m.key);
        EXPECT_EQ(QApplication::focusWidget(), m.to)
            << m.from->objectName().toStdString() << " key " << m.key;
    }
}

} // namespace vornel::test
