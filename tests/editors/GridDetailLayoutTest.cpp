// The record editor's layout per catalogue: title, rows shown and hidden, labels, limits, values
// and locks of modify mode, first focus and the key filters that depend on the catalogue.
#include "EditorFixture.h"

#include "catalogs/AlegeGrupaProd.h"
#include "controls/NumericBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vornel;
using namespace vornel::test;

namespace {

QString labelText(GridDetail& w, const char* name) {
    return w.findChild<QLabel*>(name)->text();
}
bool labelShown(GridDetail& w, const char* name) {
    return !w.findChild<QLabel*>(name)->isHidden();
}

// Accepts the first row of the chooser once it is open and records its kind.
void acceptChooserLater(QString* kind) {
    QTimer::singleShot(0, [kind] {
        auto* chooser = ComponentContext::current().loaded<AlegeGrupaProd>();
        if (!chooser) return;
        *kind = chooser->lookup().title;
        auto* accept = chooser->findChild<QPushButton*>(QStringLiteral("cmdAction_0"));
        if (accept->isEnabled())
            accept->click();
        else
            chooser->unload(); // an empty list: nothing to pick
    });
}

} // namespace

TEST_F(EditorTest, VatRateLayoutInAddMode) {
    GridDetail& w = open("Rate TVA", "A");
    EXPECT_EQ(w.windowTitle(), "Rate TVA - Adaugare");
    for (QWidget* shownField :
         {static_cast<QWidget*>(txt(w, "txtCheie")), static_cast<QWidget*>(txt(w, "txtDescriere")),
          static_cast<QWidget*>(txt(w, "txtRezerva")), static_cast<QWidget*>(txt(w, "txtRezerva1"))})
        EXPECT_FALSE(shownField->isHidden()) << shownField->objectName().toStdString();
    for (QWidget* hiddenField :
         {static_cast<QWidget*>(txt(w, "txtCod")), static_cast<QWidget*>(txt(w, "txtCont")),
          static_cast<QWidget*>(w.findChild<NumericBox*>("txtDiscount")),
          static_cast<QWidget*>(w.findChild<QComboBox*>("cmbRezerva")),
          static_cast<QWidget*>(w.findChild<QCheckBox*>("chkTransferabil"))})
        EXPECT_TRUE(hiddenField->isHidden()) << hiddenField->objectName().toStdString();
    EXPECT_EQ(labelText(w, "lblCheie"), "TVA");
    EXPECT_EQ(labelText(w, "lblDescriere"), "DenumireTVA");
    EXPECT_EQ(labelText(w, "lblRezerva"), "Cont TVA deductibil");
    EXPECT_EQ(labelText(w, "lblRezerva1"), "Cont TVA colectat");
    EXPECT_TRUE(labelShown(w, "lblRezerva"));
    EXPECT_FALSE(labelShown(w, "lblCod"));
    EXPECT_EQ(txt(w, "txtCheie")->maxLength(), 3);
    EXPECT_EQ(txt(w, "txtRezerva1")->maxLength(), 20); // an account whole, as long as the chart's
    EXPECT_TRUE(txt(w, "txtCheie")->text().isEmpty());
    EXPECT_EQ(w.focusWidget(), txt(w, "txtCheie"));
    EXPECT_EQ(w.cmdAction(0)->text(), " Salveaza");
    EXPECT_EQ(w.cmdAction(1)->objectName(), "cmdAction_1");

    // The rate takes digits only; the other fields refuse the quote family, the collected VAT
    // account nothing.
    QTest::keyClicks(txt(w, "txtCheie"), "1a,9.");
    EXPECT_EQ(txt(w, "txtCheie")->text(), "19");
    QTest::keyClicks(txt(w, "txtDescriere"), "a'b;c%d,e");
    EXPECT_EQ(txt(w, "txtDescriere")->text(), "abcde");
    QTest::keyClicks(txt(w, "txtRezerva1"), "44'");
    EXPECT_EQ(txt(w, "txtRezerva1")->text(), "44'");
}

TEST_F(EditorTest, BankInModifyModeLocksTheCodeAndKeysOnIt) {
    GridDetail& w = open("Banci", "M", "2");
    EXPECT_EQ(w.windowTitle(), "Banci - Modificare");
    EXPECT_TRUE(txt(w, "txtCod")->isReadOnly());
    EXPECT_FALSE(txt(w, "txtCheie")->isReadOnly());
    EXPECT_EQ(txt(w, "txtCod")->text(), "2");
    EXPECT_EQ(txt(w, "txtCheie")->text(), "BRD - Groupe Societe Generale Cluj");
    EXPECT_EQ(txt(w, "txtRezerva1")->text(), "Muresan Ioan");
    EXPECT_EQ(txt(w, "txtCont")->text(), "5121.02");
    EXPECT_EQ(w.oldKey(), "2");
    EXPECT_EQ(labelText(w, "lblCod"), "Cod Banca");
    EXPECT_EQ(labelText(w, "lblCont"), "Cont");
    EXPECT_EQ(labelText(w, "lblRezerva1"), "Persoana Contact");
    EXPECT_EQ(txt(w, "txtCod")->maxLength(), 5);
    EXPECT_EQ(txt(w, "txtCheie")->maxLength(), 100);
    EXPECT_EQ(txt(w, "txtCont")->maxLength(), 20);
    EXPECT_FALSE(txt(w, "txtCont")->isHidden());
    EXPECT_EQ(w.focusWidget(), txt(w, "txtCheie"));
}

TEST_F(EditorTest, BankInAddModeStartsOnTheCode) {
    GridDetail& w = open("Banci", "A");
    EXPECT_EQ(w.focusWidget(), txt(w, "txtCod"));
    EXPECT_FALSE(txt(w, "txtCod")->isReadOnly());
    QTest::keyClicks(txt(w, "txtCod"), "0x7");
    EXPECT_EQ(txt(w, "txtCod")->text(), "07");
}

TEST_F(EditorTest, OtherOutputDocumentsLayout) {
    GridDetail& w = open("Alte Documente Iesire", "M", "Bon consum productie");
    EXPECT_TRUE(txt(w, "txtDescriere")->isHidden());
    EXPECT_FALSE(txt(w, "txtCont")->isHidden());
    EXPECT_FALSE(w.findChild<QComboBox*>("cmbRezerva")->isHidden());
    EXPECT_FALSE(w.findChild<QCheckBox*>("chkTransferabil")->isHidden());
    EXPECT_TRUE(txt(w, "txtRezerva")->isHidden());
    EXPECT_EQ(labelText(w, "lblDescriere"), "Cont");
    EXPECT_TRUE(labelShown(w, "lblDescriere"));
    EXPECT_FALSE(labelShown(w, "lblCont"));
    EXPECT_EQ(labelText(w, "lblRezerva"), "Forma Tiparire");
    EXPECT_TRUE(labelShown(w, "lblRezerva"));
    EXPECT_EQ(w.findChild<QCheckBox*>("chkTransferabil")->text(),
              "Cu conturire de cheltuiala ale produselor");
    EXPECT_TRUE(w.findChild<QCheckBox*>("chkTransferabil")->isChecked()); // "Da"
    EXPECT_EQ(txt(w, "txtCont")->text(), "601");
    EXPECT_EQ(w.findChild<QComboBox*>("cmbRezerva")->currentText(), "Bon Consum");
    EXPECT_TRUE(w.findChild<QComboBox*>("cmbRezerva")->lineEdit()->isReadOnly());
    EXPECT_EQ(w.findChild<QComboBox*>("cmbRezerva")->count(), 2);
    EXPECT_EQ(w.findChild<QComboBox*>("cmbRezerva")->itemText(0), "Aviz");
    // The old key is the record id, kept in the hidden code field.
    EXPECT_FALSE(w.oldKey().isEmpty());
    EXPECT_EQ(w.oldKey(), txt(w, "txtCod")->text());
    EXPECT_EQ(txt(w, "txtCheie")->maxLength(), 50);
}

TEST_F(EditorTest, TransferDocumentsListBonConsumFirstAndLockInModify) {
    {
        GridDetail& w = open("Documente de Transfer", "A");
        EXPECT_EQ(w.findChild<QComboBox*>("cmbRezerva")->itemText(0), "Bon Consum");
        EXPECT_EQ(w.findChild<QComboBox*>("cmbRezerva")->currentText(), "Bon Consum");
        EXPECT_FALSE(w.findChild<QComboBox*>("cmbRezerva")->lineEdit()->isReadOnly());
        EXPECT_TRUE(w.findChild<QCheckBox*>("chkTransferabil")->isHidden());
        QTest::keyClicks(w.findChild<QComboBox*>("cmbRezerva"), "A\"v;iz");
        EXPECT_FALSE(w.findChild<QComboBox*>("cmbRezerva")->currentText().contains(u'"'));
        w.cmdAction(1)->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    GridDetail& w = open("Documente de Transfer", "M", "Transfer in custodie");
    EXPECT_TRUE(txt(w, "txtCheie")->isReadOnly());
    EXPECT_TRUE(w.findChild<QComboBox*>("cmbRezerva")->lineEdit()->isReadOnly());
    EXPECT_EQ(w.findChild<QComboBox*>("cmbRezerva")->currentText(), "Bon Consum");
    EXPECT_EQ(w.focusWidget(), w.findChild<QComboBox*>("cmbRezerva"));
}

TEST_F(EditorTest, ProductGroupsShowTheDiscount) {
    GridDetail& w = open("Grupe de produse", "A");
    EXPECT_FALSE(w.findChild<NumericBox*>("txtDiscount")->isHidden());
    EXPECT_TRUE(txt(w, "txtRezerva")->isHidden());
    EXPECT_TRUE(labelShown(w, "lblRezerva"));
    EXPECT_EQ(labelText(w, "lblRezerva"), "Discount");
    EXPECT_EQ(w.findChild<NumericBox*>("txtDiscount")->Valoare(), 0.0);
    w.cmdAction(1)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    GridDetail& m = open("Grupe de produse", "M", "FER");
    EXPECT_DOUBLE_EQ(m.findChild<NumericBox*>("txtDiscount")->Valoare(), 2.5);
}

TEST_F(EditorTest, CostCentreGroupsAndTheGroupLookupFlag) {
    {
        GridDetail& w = open("Grupe Centre", "M", "ADM");
        EXPECT_EQ(w.findChild<QCheckBox*>("chkTransferabil")->text(), "    Categoria I");
        EXPECT_FALSE(w.findChild<QCheckBox*>("chkTransferabil")->isChecked()); // category II
        EXPECT_EQ(labelText(w, "lblCheie"), "Cod Centru");
        EXPECT_EQ(txt(w, "txtCheie")->maxLength(), 50);
        w.cmdAction(1)->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    {
        GridDetail& w = open("Subgrupe Centre", "A");
        EXPECT_TRUE(w.findChild<QCheckBox*>("chkTransferabil")->isHidden());
        EXPECT_EQ(w.findChild<QCheckBox*>("chkTransferabil")->text(), "Manopera ");
        EXPECT_EQ(labelText(w, "lblRezerva"), "Grupa Centru :");
        w.cmdAction(1)->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    GridDetail& w = open("Subgrupe Centre", "M");
    EXPECT_FALSE(txt(w, "txtRezerva")->text().isEmpty());
    // The loaded group counts as chosen: Enter opens no chooser until the code is edited.
    QString kind;
    acceptChooserLater(&kind);
    QTest::keyClick(txt(w, "txtRezerva"), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(kind.isEmpty());
    // Typed again, the code is looked up anew.
    const QString group = txt(w, "txtRezerva")->text();
    txt(w, "txtRezerva")->clear();
    QTest::keyClicks(txt(w, "txtRezerva"), group);
    acceptChooserLater(&kind);
    QTest::keyClick(txt(w, "txtRezerva"), Qt::Key_Return);
    EXPECT_EQ(kind, "Grupe Centre");
}

TEST_F(EditorTest, SubclassesShowTheClassFirst) {
    GridDetail& w = open("Subclasa Cont", "M", "40", 1);
    EXPECT_EQ(labelText(w, "lblRezerva"), "Clasa Cont");
    EXPECT_EQ(labelText(w, "lblCheie"), "Subclasa Cont");
    EXPECT_EQ(txt(w, "txtRezerva")->text(), "4");
    EXPECT_EQ(txt(w, "txtCheie")->text(), "40");
    EXPECT_EQ(txt(w, "txtRezerva")->maxLength(), 10);
    EXPECT_LT(txt(w, "txtRezerva")->y(), txt(w, "txtCheie")->y());
}

TEST_F(EditorTest, EnterOpensTheChooserThatWritesIntoTheField) {
    GridDetail& w = open("Rate TVA", "A");
    QString kind;
    txt(w, "txtRezerva1")->setText(QStringLiteral("4427"));
    acceptChooserLater(&kind);
    QTest::keyClick(txt(w, "txtRezerva1"), Qt::Key_Return);
    EXPECT_EQ(kind, "TVA colectat");
    EXPECT_EQ(txt(w, "txtRezerva1")->text(), "4427");
    EXPECT_EQ(w.focusWidget(), txt(w, "txtRezerva1"));

    // Enter in a field without a lookup opens nothing.
    kind.clear();
    acceptChooserLater(&kind);
    QTest::keyClick(txt(w, "txtDescriere"), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(kind.isEmpty());
}

TEST_F(EditorTest, GroupChosenForACostCentreSubgroupClearsTheFlag) {
    GridDetail& w = open("Subgrupe Centre", "A");
    txt(w, "txtRezerva")->setText(QStringLiteral("AUX"));
    QString kind;
    acceptChooserLater(&kind);
    QTest::keyClick(txt(w, "txtRezerva"), Qt::Key_Return);
    EXPECT_EQ(kind, "Grupe Centre");
    EXPECT_EQ(txt(w, "txtRezerva")->text(), "AUX");
    // Once chosen, Enter no longer opens the chooser.
    kind.clear();
    acceptChooserLater(&kind);
    QTest::keyClick(txt(w, "txtRezerva"), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(kind.isEmpty());
}
